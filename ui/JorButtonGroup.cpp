#include "ui/JorButtonGroup.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QPalette>
#include <QPushButton>

const QString JorButtonGroup::errorMarkAdd = QStringLiteral(" <img src=':/icons/error'> ");
const QString JorButtonGroup::errorMarkRemove = QStringLiteral("<img src=':/icons/error'> ");
const QString JorButtonGroup::toolTipStyle = QStringLiteral(
    "QToolTip { color: #ffffff; background-color: #2a82da; border: 1px solid white; }");

JorButtonGroup::JorButtonGroup(QWidget *parent, const QString &title_)
    : QFrame(parent)
    , layout(new QGridLayout(this))
    , buttonGroup(new QButtonGroup(this))
    , titleLabel(new QLabel(title_, this))
    , title(title_)
{
    layout->setSpacing(3);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(titleLabel, 0, 0, 1, 4, Qt::AlignLeft);
    buttonGroup->setExclusive(true);

    const QPalette source = parent ? parent->palette() : palette();
    labelColor = source.color(QPalette::WindowText);

    setStyleSheet(QStringLiteral("QPushButton{ border: none; outline: none; }"));
    setFocusPolicy(Qt::StrongFocus);

    connect(buttonGroup, QOverload<QAbstractButton *>::of(&QButtonGroup::buttonClicked), this,
            QOverload<QAbstractButton *>::of(&JorButtonGroup::setButton), Qt::UniqueConnection);
    connect(buttonGroup, QOverload<QAbstractButton *>::of(&QButtonGroup::buttonClicked), this,
            &JorButtonGroup::emit_buttonClicked, Qt::UniqueConnection);
}

void JorButtonGroup::addButton(const QString &choiceText, const QString &iconPath)
{
    auto *b = new QPushButton(this);
    b->setCheckable(true);
    b->setAccessibleName(choiceText);
    b->setIcon(QIcon(iconPath));
    b->setIconSize(QSize(50, 50));
    b->setFocusPolicy(Qt::StrongFocus);
    buttons.append(b);
    iconPaths.append(iconPath);
    buttonGroup->addButton(b, buttonCount);
    layout->addWidget(b, 1, buttonCount, Qt::AlignLeft);
    ++buttonCount;
}

void JorButtonGroup::clearButtons()
{
    for (QPushButton *b : qAsConst(buttons)) {
        layout->removeWidget(b);
        buttonGroup->removeButton(b);
        b->hide();
        b->deleteLater();
    }
    buttons.clear();
    iconPaths.clear();
    buttonCount = 0;
    titleLabel->setText(title);
}

void JorButtonGroup::setGroupEnabled(bool on)
{
    setEnabled(on);
    setTitleActive(on);
}

void JorButtonGroup::selectByText(const QString &text)
{
    bool matched = false;
    for (int i = 0; i < buttons.size(); ++i) {
        QPushButton *b = buttons.at(i);
        if (!matched && b->accessibleName() == text) {
            b->setIcon(QIcon(iconPaths.at(i) + QStringLiteral("-selected")));
            b->setChecked(true);
            matched = true;
        } else {
            b->setIcon(QIcon(iconPaths.at(i)));
        }
    }
    if (!matched && !buttons.isEmpty()) {
        buttons.first()->setIcon(QIcon(iconPaths.first() + QStringLiteral("-selected")));
        buttons.first()->setChecked(true);
    }
    constructLabel();
}

QString JorButtonGroup::checkedText() const
{
    QAbstractButton *b = buttonGroup->checkedButton();
    return b ? b->accessibleName() : QString();
}

int JorButtonGroup::checkedIndex() const
{
    QAbstractButton *b = buttonGroup->checkedButton();
    if (!b)
        return -1;
    return buttons.indexOf(static_cast<QPushButton *>(b));
}

QStringList JorButtonGroup::buttonTexts() const
{
    QStringList texts;
    texts.reserve(buttons.size());
    for (QPushButton *b : buttons)
        texts.append(b->accessibleName());
    return texts;
}

QPushButton *JorButtonGroup::button(int id) const
{
    return qobject_cast<QPushButton *>(buttonGroup->button(id));
}

void JorButtonGroup::setTitleActive(bool active)
{
    const QColor color = active ? labelColor : QColor(QStringLiteral("#9f9e9e"));
    QPalette pal = titleLabel->palette();
    const QPalette::ColorRole role = titleLabel->foregroundRole();
    pal.setColor(QPalette::Active, role, color);
    pal.setColor(QPalette::Inactive, role, color);
    pal.setColor(QPalette::Disabled, role, color);
    titleLabel->setPalette(pal);
}

// Takes the conflict mark off the title. The mark is appended with a
// leading blank; that blank goes with it so that the title returns to its
// text exactly and repeated mark/unmark cycles do not pile up blanks.
void JorButtonGroup::removeErrorMark()
{
    QString text = titleLabel->text();
    text.remove(errorMarkAdd);
    text.remove(errorMarkRemove);
    titleLabel->setText(text);
}

void JorButtonGroup::markTitle(bool on)
{
    removeErrorMark();
    if (on) {
        titleLabel->setTextFormat(Qt::RichText);
        titleLabel->setText(titleLabel->text() + errorMarkAdd);
    }
}

void JorButtonGroup::markTitleWithTip(const QString &tooltip)
{
    removeErrorMark();
    titleLabel->setTextFormat(Qt::RichText);
    titleLabel->setText(titleLabel->text() + errorMarkAdd);
    titleLabel->setToolTip(tooltip);
    titleLabel->setStyleSheet(toolTipStyle);
}

void JorButtonGroup::unmarkTitle()
{
    removeErrorMark();
    titleLabel->setToolTip(QString());
}

void JorButtonGroup::setButton(QAbstractButton *b)
{
    if (!b)
        return;
    selectByText(b->accessibleName());
}

void JorButtonGroup::setButton(int button_index)
{
    if (button_index < 0 || button_index >= buttons.size())
        return;
    selectByText(buttons.at(button_index)->accessibleName());
}

void JorButtonGroup::enableButton(QAbstractButton *b, bool enabled)
{
    if (!isEnabled() || !b)
        return;
    b->setEnabled(enabled);
}

void JorButtonGroup::enableButton(int button_index, bool enabled)
{
    if (button_index < 0 || button_index >= buttons.size())
        return;
    enableButton(buttons.at(button_index), enabled);
}

void JorButtonGroup::constructLabel()
{
    QAbstractButton *b = buttonGroup->checkedButton();
    if (b)
        titleLabel->setText(title + QLatin1Char(' ') + b->accessibleName());
    else
        titleLabel->setText(title);
}

void JorButtonGroup::emit_buttonClicked(QAbstractButton *b)
{
    const int index = buttons.indexOf(static_cast<QPushButton *>(b));
    emit buttonClicked(b);
    emit buttonClicked(index);
}
