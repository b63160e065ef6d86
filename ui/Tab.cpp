#include "ui/Tab.h"

#include "model/OptionChoice.h"
#include "model/OptionModel.h"
#include "model/ProcessState.h"
#include "model/jOption.h"
#include "profiles/SettingsStore.h"
#include "ui/ComboBoxEx.h"
#include "ui/JorButtonGroup.h"
#include "ui/JorCheckBoxButton.h"

#include <QCheckBox>
#include <QLabel>
#include <QMessageBox>
#include <QMetaObject>
#include <QPixmap>
#include <QRadioButton>
#include <QSlider>
#include <QStandardItem>
#include <QStandardItemModel>

const QString Tab::errorMarkAdd = QStringLiteral(" <img src=':/icons/error'> ");
const QString Tab::errorMarkRemove = QStringLiteral("<img src=':/icons/error'> ");

namespace {

const char *const toolTipStyle =
    "QToolTip { color: #ffffff; background-color: #2a82da; border: 1px solid white; }";

// The text a slider value stands for: CaHueMaster counts in tens without a
// fraction, every other slider shows one decimal place except for zero.
QString sliderText(int value, const QString &key)
{
    if (key == QLatin1String("CaHueMaster"))
        return QString::number(10 * value);
    if (value == 0)
        return QStringLiteral("0");
    return QString::number(value) + QStringLiteral(".0");
}

jOption *findModelOption(const QString &key)
{
    return currentModel ? currentModel->findOption(key) : nullptr;
}

// Removes the conflict mark from a caption text. The mark is appended with
// a leading blank; the blank goes with it so that the caption returns to
// its text exactly.
QString withoutMark(QString text)
{
    text.remove(Tab::errorMarkAdd);
    text.remove(Tab::errorMarkRemove);
    return text;
}

void unmarkLabel(QLabel *label)
{
    label->setText(withoutMark(label->text()));
}

void appendMark(QLabel *label)
{
    label->setTextFormat(Qt::RichText);
    label->setText(label->text() + Tab::errorMarkAdd);
}

// The choice a stored value names, else the option's default choice.
OptionChoice *storedOrDefaultChoice(jOption *option)
{
    const QString stored = SettingsStore::readStoredValue(option->key());
    OptionChoice *choice = stored.isEmpty() ? nullptr : option->findChoice(stored);
    return choice ? choice : option->defaultChoice();
}

} // namespace

Tab::Tab(QWidget *parent)
    : QWidget(parent)
    , dialog(parent)
    , constraintsShown(false)
    , conflictTable(new QHash<QWidget *, QWidget *>)
{
    setStyleSheet(QStringLiteral("ComboBoxEx{ margin-bottom: 8px }JorButtonGroup{ margin-bottom: 8px }"
                                 "QCheckBox{ margin-bottom: 8px }JorCheckBoxButton{ margin-bottom: 8px }"));
    setContentsMargins(10, 10, 10, 10);
}

Tab::~Tab()
{
    clearConflictTable();
    delete conflictTable;
}

// The entries point at widgets of the tab (a caption is often its own mark
// widget); the widgets belong to their parents, so only the entries go.
void Tab::clearConflictTable()
{
    conflictTable->clear();
}

QString Tab::keyOfControl(QWidget *control) const
{
    if (!control)
        return QString();
    for (auto it = optionControls.cbegin(); it != optionControls.cend(); ++it) {
        if (it.value() == control)
            return it.key();
    }
    return QString();
}

QString Tab::tabName()
{
    if (!tabTitle.isEmpty())
        return tabTitle;
    QMessageBox box(this);
    box.setIcon(QMessageBox::Critical);
    box.setText(tr("ERROR: tabName not init'd!"));
    box.exec();
    return QStringLiteral("ERROR");
}

void Tab::connectToDialog(QObject *sender, const char *signal, const char *slot)
{
    if (!dialog || !sender || !slot)
        return;
    // SLOT() puts a code digit before the signature.
    if (dialog->metaObject()->indexOfSlot(QMetaObject::normalizedSignature(slot + 1).constData()) < 0)
        return;
    connect(sender, signal, dialog, slot, Qt::UniqueConnection);
}

void Tab::connectControls()
{
    for (auto it = optionControls.cbegin(); it != optionControls.cend(); ++it) {
        QWidget *control = it.value();
        if (auto *combo = qobject_cast<ComboBoxEx *>(control)) {
            connectComboBox(combo);
        } else if (auto *check = qobject_cast<QCheckBox *>(control)) {
            connectCheckBox(check);
        } else if (auto *slider = qobject_cast<QSlider *>(control)) {
            connectSlider(slider);
        } else if (auto *group = qobject_cast<JorButtonGroup *>(control)) {
            connectButtonGroup(group);
        } else if (auto *button = qobject_cast<JorCheckBoxButton *>(control)) {
            connect(button, QOverload<int>::of(&JorCheckBoxButton::toggled), this,
                    QOverload<int>::of(&Tab::markOption), Qt::UniqueConnection);
            connectToDialog(button, SIGNAL(toggled(int)));
        } else if (auto *radio = qobject_cast<QRadioButton *>(control)) {
            connect(radio, &QRadioButton::toggled, this, QOverload<bool>::of(&Tab::markOption),
                    Qt::UniqueConnection);
            connectToDialog(radio, SIGNAL(toggled(bool)));
        }
    }
    for (JorCheckBoxButton *button : qAsConst(checkBoxButtons)) {
        connect(button, QOverload<bool>::of(&JorCheckBoxButton::toggled), this,
                &Tab::CheckBoxMarkConstraints, Qt::UniqueConnection);
        connectToDialog(button, SIGNAL(toggled(bool)));
    }
}

void Tab::connectComboBox(QComboBox *comboBox)
{
    comboBox->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    connect(comboBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            QOverload<int>::of(&Tab::markOption), Qt::UniqueConnection);
    connectToDialog(comboBox, SIGNAL(currentIndexChanged(int)));
}

void Tab::connectCheckBox(QCheckBox *checkBox)
{
    connect(checkBox, &QCheckBox::stateChanged, this, QOverload<int>::of(&Tab::markOption),
            Qt::UniqueConnection);
    connectToDialog(checkBox, SIGNAL(stateChanged(int)));
}

void Tab::connectSlider(QSlider *slider)
{
    connect(slider, &QSlider::valueChanged, this, QOverload<int>::of(&Tab::markOption),
            Qt::UniqueConnection);
    connectToDialog(slider, SIGNAL(valueChanged(int)));
}

void Tab::connectButtonGroup(JorButtonGroup *buttonGroup)
{
    connect(buttonGroup, QOverload<int>::of(&JorButtonGroup::buttonClicked), this,
            QOverload<int>::of(&Tab::markOption), Qt::UniqueConnection);
    connectToDialog(buttonGroup, SIGNAL(buttonClicked(int)));
}

void Tab::blockControlSignals(bool block)
{
    for (QWidget *control : qAsConst(optionControls))
        control->blockSignals(block);
}

void Tab::reload()
{
    blockControlSignals(true);
    setTabName();
    clearConflictTable();
    beforeReload();
    clearConstraintMarks();
    updateOptionLabels();
    loadControls();
    markAllOptions();
    afterReload();
    enableOptions();
    blockControlSignals(false);
}

void Tab::afterReload() {}
void Tab::beforeReload() {}
void Tab::prepareConstraints() {}
void Tab::printerChanging() {}
void Tab::tabDisabled() {}

QHash<QString, QString> Tab::extraOptionValues()
{
    return QHash<QString, QString>();
}

bool Tab::hasConstraints()
{
    return constraintsShown;
}

QIcon Tab::tabIcon()
{
    return QIcon(QStringLiteral(":/icons/tab-basic"));
}

QIcon Tab::constraintTabIcon()
{
    return QIcon(QStringLiteral(":/icons/tab-basic-constraint"));
}

void Tab::updateOptionLabels()
{
    if (!currentModel)
        return;
    for (auto it = optionLabels.cbegin(); it != optionLabels.cend(); ++it) {
        jOption *option = currentModel->findOption(it.key());
        QWidget *companion = companionWidgets.value(it.key());
        auto *label = qobject_cast<QLabel *>(it.value());
        auto *check = qobject_cast<QCheckBox *>(it.value());
        if (option) {
            if (companion)
                companion->setEnabled(true);
            if (label) {
                label->setText(option->text() + QLatin1Char(':'));
                label->setEnabled(true);
            } else if (check) {
                check->setText(option->text());
                check->setEnabled(true);
            }
        } else {
            if (companion)
                companion->setEnabled(false);
            if (label) {
                label->setEnabled(false);
            } else if (check) {
                check->setChecked(false);
                check->setEnabled(false);
            }
        }
    }
}

void Tab::loadControls()
{
    for (auto it = optionControls.cbegin(); it != optionControls.cend(); ++it) {
        QWidget *control = it.value();
        jOption *option = findModelOption(it.key());
        if (auto *combo = qobject_cast<ComboBoxEx *>(control)) {
            fillComboBox(combo, option);
        } else if (auto *check = qobject_cast<QCheckBox *>(control)) {
            if (option) {
                OptionChoice *choice = storedOrDefaultChoice(option);
                check->setChecked(choice && choice->key() == QLatin1String("True"));
            }
        } else if (auto *group = qobject_cast<JorButtonGroup *>(control)) {
            if (!option) {
                group->setGroupEnabled(false);
                continue;
            }
            group->setGroupEnabled(true);
            if (OptionChoice *choice = storedOrDefaultChoice(option))
                group->selectByText(choice->text());
            else
                group->setGroupEnabled(false);
        } else if (auto *button = qobject_cast<JorCheckBoxButton *>(control)) {
            if (option) {
                OptionChoice *choice = storedOrDefaultChoice(option);
                button->setChecked(choice && choice->key() == QLatin1String("True"));
            }
        }
    }
    for (JorCheckBoxButton *button : qAsConst(checkBoxButtons))
        button->prepareAttached();
}

void Tab::fillComboBox(ComboBoxEx *comboBox, jOption *option)
{
    comboBox->clear();
    if (!option) {
        comboBox->setEnabled(false);
        return;
    }
    comboBox->setEnabled(true);
    addComboBoxItems(comboBox, option);

    const QString stored = SettingsStore::readStoredValue(option->key());
    if (!stored.isEmpty()) {
        if (OptionChoice *choice = option->findChoice(stored)) {
            const int index = comboBox->findText(choice->text(), Qt::MatchExactly | Qt::MatchCaseSensitive);
            if (index >= 0) {
                comboBox->setCurrentIndex(index);
                return;
            }
        }
    }
    if (OptionChoice *def = option->defaultChoice()) {
        const int index = comboBox->findText(def->text(), Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (index >= 0)
            comboBox->setCurrentIndex(index);
    }
}

void Tab::addComboBoxItems(ComboBoxEx *comboBox, jOption *option)
{
    if (!option)
        return;
    const QList<OptionChoice *> choices = option->choices();
    for (OptionChoice *choice : choices)
        comboBox->addItem(choice->text());
}

void Tab::markOption(bool value)
{
    markOptionFromControl(value ? 1 : 0, qobject_cast<QWidget *>(sender()));
}

void Tab::markOption(int value)
{
    markOptionFromControl(value, qobject_cast<QWidget *>(sender()));
}

void Tab::markOptionFromControl(int value, QWidget *control)
{
    const QString key = keyOfControl(control);
    if (key.isEmpty())
        return;
    jOption *option = findModelOption(key);
    if (!option)
        return;

    OptionChoice *choice = nullptr;
    if (auto *button = qobject_cast<JorCheckBoxButton *>(control)) {
        choice = option->findChoice(button->isChecked() ? QStringLiteral("True") : QStringLiteral("False"));
    } else if (qobject_cast<QCheckBox *>(control) || qobject_cast<QRadioButton *>(control)) {
        choice = option->findChoice(value ? QStringLiteral("True") : QStringLiteral("False"));
    } else if (auto *combo = qobject_cast<ComboBoxEx *>(control)) {
        choice = option->findChoiceByText(combo->currentText());
    } else if (qobject_cast<QSlider *>(control)) {
        choice = option->findChoiceByText(sliderText(value, key));
    } else if (auto *group = qobject_cast<JorButtonGroup *>(control)) {
        choice = option->findChoiceByText(group->checkedText());
    }
    option->markChoice(choice ? choice : option->defaultChoice());
}

void Tab::markAllOptions()
{
    for (auto it = optionControls.cbegin(); it != optionControls.cend(); ++it) {
        QWidget *control = it.value();
        if (auto *combo = qobject_cast<ComboBoxEx *>(control))
            markOptionFromControl(combo->currentIndex(), control);
        else if (auto *check = qobject_cast<QCheckBox *>(control))
            markOptionFromControl(check->isChecked() ? 1 : 0, control);
        else if (auto *button = qobject_cast<JorCheckBoxButton *>(control))
            markOptionFromControl(button->isChecked() ? 1 : 0, control);
        else if (auto *radio = qobject_cast<QRadioButton *>(control))
            markOptionFromControl(radio->isChecked() ? 1 : 0, control);
        else if (auto *slider = qobject_cast<QSlider *>(control))
            markOptionFromControl(slider->value(), control);
        else if (qobject_cast<JorButtonGroup *>(control))
            markOptionFromControl(0, control);
    }
    for (JorCheckBoxButton *button : qAsConst(checkBoxButtons))
        CheckBoxMarkConstraintsWithSender(button);
}

void Tab::CheckBoxMarkConstraints()
{
    if (auto *button = qobject_cast<JorCheckBoxButton *>(sender()))
        CheckBoxMarkConstraintsWithSender(button);
}

void Tab::CheckBoxMarkConstraintsWithSender(JorCheckBoxButton *check_button)
{
    if (!check_button)
        return;
    const QList<QWidget *> attached = check_button->attachedControls();
    for (QWidget *control : attached) {
        auto *combo = qobject_cast<ComboBoxEx *>(control);
        if (!combo)
            continue;
        if (check_button->isChecked()) {
            markOptionFromControl(combo->currentIndex(), combo);
            continue;
        }
        jOption *option = findModelOption(keyOfControl(combo));
        if (!option)
            continue;
        if (OptionChoice *off = option->findChoiceByText(check_button->offText(combo)))
            option->markChoice(off);
    }
}

bool Tab::enableOptions()
{
    bool changed = false;
    for (auto it = optionControls.cbegin(); it != optionControls.cend(); ++it) {
        jOption *option = findModelOption(it.key());
        if (!option)
            continue;
        QWidget *control = it.value();
        if (auto *combo = qobject_cast<ComboBoxEx *>(control))
            changed |= enableOptionsForComboBox(combo, option);
        else if (auto *check = qobject_cast<QCheckBox *>(control))
            changed |= enableOptionsForCheckBox(check, option);
        else if (auto *button = qobject_cast<JorCheckBoxButton *>(control))
            changed |= enableOptionsForCheckBoxButton(button, option);
        else if (auto *group = qobject_cast<JorButtonGroup *>(control))
            changed |= enableOptionsForButtonGroup(group, option);
    }
    return changed;
}

bool Tab::enableOptionsForComboBox(ComboBoxEx *combo_box, jOption *option)
{
    if (!combo_box || !option || !combo_box->isEnabled())
        return false;
    bool currentForbidden = false;
    int firstFree = -1;
    const int current = combo_box->currentIndex();
    const QList<OptionChoice *> choices = option->choices();
    for (OptionChoice *choice : choices) {
        const int index = combo_box->findText(choice->text(), Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (index < 0)
            continue;
        const bool constrained = choice->isConstrained();
        if (index == current && constrained)
            currentForbidden = true;
        else if (!constrained && firstFree < 0)
            firstFree = index;
        setItemConstrained(combo_box, index, constrained);
    }
    if (!currentForbidden)
        return false;
    const QSignalBlocker blocker(combo_box);
    if (firstFree >= 0) {
        combo_box->setCurrentIndex(firstFree);
        markOptionFromControl(firstFree, combo_box);
        return true;
    }
    combo_box->setCurrentIndex(0);
    return false;
}

bool Tab::enableOptionsForCheckBox(QCheckBox *check_box, jOption *option)
{
    if (!check_box || !option || option->choiceCount() < 2)
        return false;
    const QList<OptionChoice *> choices = option->choices();
    OptionChoice *off = choices.at(0);
    OptionChoice *on = choices.at(1);
    bool changed = false;
    if (on->isConstrained()) {
        if (check_box->isChecked()) {
            markOptionFromControl(0, check_box);
            changed = true;
        }
        check_box->setEnabled(false);
        check_box->setChecked(false);
    } else if (!off->isConstrained()) {
        check_box->setEnabled(true);
    } else {
        if (!check_box->isChecked()) {
            markOptionFromControl(1, check_box);
            changed = true;
        }
        check_box->setChecked(true);
        check_box->setEnabled(false);
    }
    return changed;
}

bool Tab::enableOptionsForCheckBoxButton(JorCheckBoxButton *checkbox_button, jOption *option)
{
    if (!checkbox_button || !option)
        return false;
    OptionChoice *on = option->findChoice(QStringLiteral("True"));
    OptionChoice *off = option->findChoice(QStringLiteral("False"));
    const bool onConstrained = on && on->isConstrained();
    const bool offConstrained = off && off->isConstrained();
    bool changed = false;
    // The button's choice is read from its state, so the state changes
    // first and the marks follow it (also while its signals are blocked).
    if (onConstrained) {
        const bool wasChecked = checkbox_button->isChecked();
        checkbox_button->setEnabled(false);
        checkbox_button->setChecked(false);
        if (wasChecked) {
            markOptionFromControl(0, checkbox_button);
            CheckBoxMarkConstraintsWithSender(checkbox_button);
            changed = true;
        }
    } else if (!offConstrained) {
        checkbox_button->setEnabled(true);
    } else {
        const bool wasChecked = checkbox_button->isChecked();
        checkbox_button->setChecked(true);
        checkbox_button->setEnabled(false);
        if (!wasChecked) {
            markOptionFromControl(1, checkbox_button);
            CheckBoxMarkConstraintsWithSender(checkbox_button);
            changed = true;
        }
    }
    return changed;
}

bool Tab::enableOptionsForButtonGroup(JorButtonGroup *button_group, jOption *option)
{
    if (!button_group || !option)
        return false;
    button_group->setGroupEnabled(true);
    const QStringList texts = button_group->buttonTexts();
    int firstFree = -1;
    int constrainedCount = 0;
    bool markedForbidden = false;
    for (int i = 0; i < texts.size(); ++i) {
        OptionChoice *choice = option->findChoiceByText(texts.at(i));
        if (!choice)
            continue;
        const bool constrained = choice->isConstrained();
        button_group->enableButton(i, !constrained);
        if (!constrained && firstFree < 0)
            firstFree = i;
        if (constrained)
            ++constrainedCount;
        if (constrained && choice == option->markedChoice())
            markedForbidden = true;
    }

    bool changed = false;
    if (markedForbidden) {
        if (firstFree < 0) {
            option->markChoice(nullptr);
        } else {
            option->markChoice(option->findChoiceByText(texts.at(firstFree)));
            button_group->setButton(firstFree);
            changed = true;
        }
    }

    const int choiceCount = option->choiceCount();
    if (constrainedCount == choiceCount) {
        button_group->setGroupEnabled(false);
        button_group->setTitleActive(true);
        if (choiceCount > 0) {
            option->markChoice(option->choices().first());
            button_group->setButton(0);
        }
    } else if (choiceCount - constrainedCount == 1) {
        button_group->setGroupEnabled(false);
        button_group->setTitleActive(true);
    } else {
        button_group->setGroupEnabled(true);
    }
    return changed;
}

QString Tab::valueOfControl(QWidget *control, jOption *option)
{
    if (auto *slider = qobject_cast<QSlider *>(control))
        return sliderText(slider->value(), option ? option->key() : keyOfControl(slider));
    if (!option || !control)
        return QString();
    if (auto *combo = qobject_cast<ComboBoxEx *>(control))
        return choiceKeyForText(option, combo->currentText());
    if (auto *check = qobject_cast<QCheckBox *>(control))
        return check->isChecked() ? QStringLiteral("True") : QStringLiteral("False");
    if (auto *button = qobject_cast<JorCheckBoxButton *>(control))
        return button->isChecked() ? QStringLiteral("True") : QStringLiteral("False");
    if (auto *group = qobject_cast<JorButtonGroup *>(control))
        return choiceKeyForText(option, group->checkedText());
    return QString();
}

QString Tab::choiceKeyForText(jOption *option, const QString &text)
{
    if (!option)
        return QString();
    OptionChoice *choice = option->findChoiceByText(text);
    return choice ? choice->key() : QString();
}

QHash<QString, QString> Tab::collectOptionValues()
{
    optionValues.clear();
    for (auto it = optionControls.cbegin(); it != optionControls.cend(); ++it) {
        jOption *option = findModelOption(it.key());
        if (!option)
            continue;
        const QString value = valueOfControl(it.value(), option);
        if (!value.isEmpty())
            optionValues.insert(it.key(), value);
    }
    // While a feature is off, its attached options get the choice that the
    // off text names (the one the model was marked with), not whatever the
    // disabled detail control still shows. "no_default" means there is no
    // such choice and the control's value stays.
    for (JorCheckBoxButton *button : qAsConst(checkBoxButtons)) {
        if (button->isChecked())
            continue;
        const QList<QWidget *> attached = button->attachedControls();
        for (QWidget *control : attached) {
            const QString key = keyOfControl(control);
            if (key.isEmpty())
                continue;
            const QString off = button->offText(control);
            if (off == QLatin1String("no_default"))
                continue;
            jOption *option = findModelOption(key);
            if (!option)
                continue;
            const QString value = choiceKeyForText(option, off);
            if (!value.isEmpty())
                optionValues.insert(key, value);
        }
    }
    return optionValues;
}

void Tab::setItemConstrained(QComboBox *comboBox, int index, bool constrained)
{
    auto *model = qobject_cast<QStandardItemModel *>(comboBox ? comboBox->model() : nullptr);
    if (!model)
        return;
    QStandardItem *item = model->item(index);
    if (!item)
        return;
    if (constrained) {
        item->setFlags(item->flags() & ~(Qt::ItemIsSelectable | Qt::ItemIsEnabled));
        item->setData(comboBox->palette().color(QPalette::Disabled, QPalette::Text), Qt::ForegroundRole);
    } else {
        item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        item->setData(QVariant(), Qt::ForegroundRole);
    }
}

void Tab::clearConstraintMarks()
{
    for (QWidget *caption : qAsConst(optionLabels)) {
        if (auto *label = qobject_cast<QLabel *>(caption)) {
            unmarkLabel(label);
        } else if (auto *check = qobject_cast<QCheckBox *>(caption)) {
            check->setIcon(QIcon());
            check->setText(withoutMark(check->text()));
        } else if (auto *group = qobject_cast<JorButtonGroup *>(caption)) {
            group->markTitle(false);
        }
    }
}

void Tab::showConstraintMarks()
{
    for (auto it = conflictTable->cbegin(); it != conflictTable->cend(); ++it) {
        QWidget *mark = it.value();
        constraintsShown = true;
        if (auto *label = qobject_cast<QLabel *>(mark)) {
            unmarkLabel(label);
            appendMark(label);
        } else if (auto *check = qobject_cast<QCheckBox *>(mark)) {
            check->setIcon(QIcon(QPixmap(QStringLiteral(":/icons/error"))));
        } else if (auto *group = qobject_cast<JorButtonGroup *>(mark)) {
            group->markTitle(true);
        }
    }
}

void Tab::markCustomConstraint(const QString &key, const QString &value)
{
    Q_UNUSED(value);
    QWidget *caption = optionLabels.value(key);
    QWidget *control = optionControls.value(key);
    if (auto *label = qobject_cast<QLabel *>(caption)) {
        constraintsShown = true;
        if (!label->text().contains(errorMarkRemove))
            appendMark(label);
        else
            label->setTextFormat(Qt::RichText);
    } else if (qobject_cast<QCheckBox *>(control) && key != QLatin1String("Cadj")) {
        constraintsShown = true;
        static_cast<QCheckBox *>(control)->setIcon(QIcon(QPixmap(QStringLiteral(":/icons/error"))));
    } else if (auto *group = qobject_cast<JorButtonGroup *>(caption)) {
        constraintsShown = true;
        group->markTitle(true);
    } else if (qobject_cast<JorCheckBoxButton *>(control)) {
        constraintsShown = true;
    }
}

void Tab::setConstraintMark(QWidget *widget, const QString &tooltip, bool marked)
{
    if (auto *label = qobject_cast<QLabel *>(widget)) {
        unmarkLabel(label);
        if (marked) {
            appendMark(label);
            label->setToolTip(tooltip);
            label->setStyleSheet(QString::fromLatin1(toolTipStyle));
        } else {
            label->setToolTip(QString());
        }
    } else if (auto *group = qobject_cast<JorButtonGroup *>(widget)) {
        if (marked)
            group->markTitleWithTip(tooltip);
        else
            group->unmarkTitle();
    }
}

void Tab::addConflictMark(QWidget *control, QWidget *markWidget)
{
    if (!control || !markWidget)
        return;
    conflictTable->insert(control, markWidget);
}

void Tab::removeConflictMark(QWidget *control)
{
    conflictTable->remove(control);
}
