#include "ui/ComboBoxEx.h"

#include <QAbstractItemView>
#include <QFontMetrics>
#include <QStyle>
#include <QStyleOptionComboBox>

ComboBoxEx::ComboBoxEx(QWidget *parent)
    : QComboBox(parent)
{
}

int ComboBoxEx::popupWidth() const
{
    const QFontMetrics metrics(font());
    int widest = 0;
    for (int i = 0; i < count(); ++i) {
        int w = metrics.horizontalAdvance(itemText(i));
        if (!itemIcon(i).isNull())
            w += iconSize().width() + 4;
        widest = qMax(widest, w);
    }
    QStyleOptionComboBox option;
    initStyleOption(&option);
    int width = style()->sizeFromContents(QStyle::CT_ComboBox, &option,
                                          QSize(widest, metrics.height()), this).width();
    if (count() > 10)
        width += style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    return qMax(width, this->width());
}

void ComboBoxEx::showPopup()
{
    view()->window()->setFixedWidth(popupWidth());
    QComboBox::showPopup();
}
