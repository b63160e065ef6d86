#include "app/JorTabBar.h"

#include <QIcon>
#include <QPainter>
#include <QStyleOptionTab>

JorTabBar::JorTabBar(QWidget *parent)
    : QTabBar(parent)
{
}

void JorTabBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    for (int index = 0; index < count(); ++index) {
        QStyleOptionTab option;
        initStyleOption(&option, index);
        const QIcon icon = option.icon;
        const QString text = option.text;
        const QRect tabRect = option.rect;
        // The style draws the bare tab; caption and icon follow, upright.
        option.icon = QIcon();
        option.text.clear();
        style()->drawControl(QStyle::CE_TabBarTab, &option, &painter, this);

        QColor textColor = Qt::black;
        if (!isTabEnabled(index))
            textColor = Qt::transparent;
        else if (index == currentIndex())
            textColor = Qt::white;
        painter.setPen(textColor);
        painter.setFont(QFont(QStringLiteral("Arial"), 12));

        const int iconWidth = option.iconSize.width();
        QRect textRect = tabRect.adjusted(iconWidth + 17, 3, 0, -3);
        painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter, text);
        if (!isTabEnabled(index))
            continue;
        const QRect iconRect = textRect.adjusted(-(iconWidth + 10), 0, 0, 0);
        icon.paint(&painter, iconRect, Qt::AlignLeft | Qt::AlignVCenter, QIcon::Normal, QIcon::On);
    }
}
