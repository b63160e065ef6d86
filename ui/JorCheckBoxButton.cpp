#include "ui/JorCheckBoxButton.h"

#include "ui/ComboBoxEx.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QIcon>
#include <QPushButton>

JorCheckBoxButton::JorCheckBoxButton(QWidget *parent, const QString &text, const QIcon &icon)
    : QFrame(parent)
{
    build(text, icon);
}

JorCheckBoxButton::JorCheckBoxButton(QWidget *parent, const QString &text, const QString &iconPath)
    : QFrame(parent)
{
    build(text, QIcon(iconPath));
}

void JorCheckBoxButton::build(const QString &text, const QIcon &icon)
{
    pictureButton = new QPushButton(this);
    pictureButton->setIcon(icon);
    pictureButton->setIconSize(QSize(50, 50));
    pictureButton->setStyleSheet(QStringLiteral("border: none; outline: none;"));

    checkBox = new QCheckBox(this);
    checkBox->setStyleSheet(QStringLiteral("margin: 0px"));

    layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(pictureButton, 0, 0, Qt::AlignBottom);
    layout->addWidget(checkBox, 0, 0, Qt::AlignBottom | Qt::AlignLeft);

    setMinimumSize(50, 50);
    setAccessibleDescription(text);

    connect(pictureButton, &QPushButton::clicked, checkBox, &QCheckBox::toggle);
    connect(checkBox, &QCheckBox::toggled, this, &JorCheckBoxButton::set_enabled, Qt::UniqueConnection);
    connect(checkBox, &QCheckBox::toggled, this, &JorCheckBoxButton::emit_toggled, Qt::UniqueConnection);
    connect(checkBox, &QCheckBox::toggled, this, &JorCheckBoxButton::fire_signals, Qt::UniqueConnection);
    connect(pictureButton, &QPushButton::toggled, this, &JorCheckBoxButton::set_enabled, Qt::UniqueConnection);
    connect(pictureButton, &QPushButton::toggled, this, &JorCheckBoxButton::emit_toggled, Qt::UniqueConnection);
    connect(pictureButton, &QPushButton::toggled, this, &JorCheckBoxButton::fire_signals, Qt::UniqueConnection);
}

void JorCheckBoxButton::attach(QWidget *control, const QString &offText)
{
    if (!control)
        return;
    attached.append(control);
    offTexts.append(offText);
}

void JorCheckBoxButton::detach(QWidget *control)
{
    const int i = attached.indexOf(control);
    if (i < 0)
        return;
    attached.removeAt(i);
    offTexts.removeAt(i);
}

QString JorCheckBoxButton::offText(QWidget *control) const
{
    const int i = attached.indexOf(control);
    return i < 0 ? QString() : offTexts.at(i);
}

bool JorCheckBoxButton::isChecked() const
{
    return checkBox->isChecked();
}

void JorCheckBoxButton::setChecked(bool checked)
{
    checkBox->setChecked(checked);
}

void JorCheckBoxButton::prepareAttached()
{
    const bool wasChecked = checkBox->isChecked();
    bool unavailable = false;
    for (int i = 0; i < attached.size(); ++i) {
        auto *combo = qobject_cast<ComboBoxEx *>(attached.at(i));
        if (!combo)
            continue;
        if (combo->count() == 0) {
            unavailable = true;
            continue;
        }
        const int offIndex = combo->findText(offTexts.at(i), Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (offIndex >= 0)
            combo->removeItem(offIndex);
    }
    if (unavailable) {
        setEnabled(false);
        checkBox->setChecked(false);
    } else {
        checkBox->setChecked(wasChecked);
    }
    if (!checkBox->isChecked())
        set_enabled(false);
}

void JorCheckBoxButton::emit_toggled()
{
    const bool state = checkBox->isChecked();
    emit toggled(state);
    emit toggled(int(state));
}

void JorCheckBoxButton::fire_signals()
{
    for (QWidget *w : qAsConst(attached)) {
        if (auto *combo = qobject_cast<QComboBox *>(w))
            combo->setCurrentIndex(combo->currentIndex());
    }
}

void JorCheckBoxButton::set_enabled(bool toggle)
{
    for (QWidget *w : qAsConst(attached))
        w->setEnabled(toggle);
}
