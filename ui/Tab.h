#pragma once
#include <QHash>
#include <QIcon>
#include <QList>
#include <QString>
#include <QWidget>

class ComboBoxEx;
class JorButtonGroup;
class JorCheckBoxButton;
class QCheckBox;
class QComboBox;
class QSlider;
class jOption;

// Base of the settings tabs. A subclass builds its widgets in
// createControls() and registers every control under its option key; the
// base fills the controls from the model and the stored values, marks the
// model from user changes, reacts to constraints, collects values for
// Apply and shows conflict marks. The main dialog drives tabs only through
// the virtual interface below.
class Tab : public QWidget {
    Q_OBJECT
public:
    explicit Tab(QWidget *parent);
    ~Tab() override;

    virtual void setTabName() = 0;
    virtual void loadControls();
    virtual void fillComboBox(ComboBoxEx *comboBox, jOption *option);
    virtual void addComboBoxItems(ComboBoxEx *comboBox, jOption *option);
    virtual void createControls() = 0;
    virtual void afterReload();
    virtual void connectComboBox(QComboBox *comboBox);
    virtual void connectCheckBox(QCheckBox *checkBox);
    virtual void connectSlider(QSlider *slider);
    virtual void connectButtonGroup(JorButtonGroup *buttonGroup);
    virtual void setConstraintMark(QWidget *widget, const QString &tooltip, bool marked);
    virtual void beforeReload();
    virtual QIcon tabIcon();
    virtual QIcon constraintTabIcon();
    virtual bool isAvailable() = 0;
    virtual void reload();
    virtual QHash<QString, QString> collectOptionValues();
    virtual QHash<QString, QString> extraOptionValues();
    virtual void markCustomConstraint(const QString &key, const QString &value);
    virtual void clearConstraintMarks();
    virtual void prepareConstraints();
    virtual bool hasConstraints();
    virtual void printerChanging();
    virtual void markOptionFromControl(int value, QWidget *control);
    virtual void markAllOptions();
    virtual void showConstraintMarks();
    virtual void tabDisabled();

    QString tabName();
    void connectControls();
    void blockControlSignals(bool block);
    void updateOptionLabels();
    QString valueOfControl(QWidget *control, jOption *option);
    QString choiceKeyForText(jOption *option, const QString &text);
    void setItemConstrained(QComboBox *comboBox, int index, bool constrained);
    void addConflictMark(QWidget *control, QWidget *markWidget);
    void removeConflictMark(QWidget *control);
    void setConstraintsShown(bool shown) { constraintsShown = shown; }
    // The control -> mark widget entries the next showConstraintMarks() shows.
    const QHash<QWidget *, QWidget *> &conflictMarks() const { return *conflictTable; }
    const QList<JorCheckBoxButton *> &checkBoxButtonList() const { return checkBoxButtons; }

    // Read access for the main dialog, the profile dialogs and tests.
    const QHash<QString, QWidget *> &controls() const { return optionControls; }
    const QHash<QString, QWidget *> &labels() const { return optionLabels; }

    // The rich-text conflict mark appended to a caption, and the text that
    // removes it again (without the leading blank).
    static const QString errorMarkAdd;
    static const QString errorMarkRemove;

public slots:
    virtual void markOption(bool value);
    virtual void markOption(int value);
    virtual bool enableOptions();
    virtual bool enableOptionsForComboBox(ComboBoxEx *combo_box, jOption *option);
    virtual bool enableOptionsForCheckBox(QCheckBox *check_box, jOption *option);
    virtual bool enableOptionsForCheckBoxButton(JorCheckBoxButton *checkbox_button, jOption *option);
    virtual bool enableOptionsForButtonGroup(JorButtonGroup *button_group, jOption *option);
    void CheckBoxMarkConstraints();
    void CheckBoxMarkConstraintsWithSender(JorCheckBoxButton *check_button);

protected:
    // Unregisters the control's conflict-mark entry and frees it.
    void clearConflictTable();
    // The option key a control is registered under (empty when none).
    QString keyOfControl(QWidget *control) const;
    // Connects the signal to a slot of the main dialog, by default its
    // setConstraints() (unique; nothing when the dialog has no such slot,
    // so that a tab also works under a plain widget, as in tests).
    void connectToDialog(QObject *sender, const char *signal,
                         const char *slot = SLOT(setConstraints()));

    QObject *dialog;
    QString tabTitle;
    bool constraintsShown = false;
    QHash<QWidget *, QWidget *> *conflictTable;
    QHash<QString, QWidget *> optionControls;
    QHash<QString, QWidget *> optionLabels;
    QHash<QString, QWidget *> companionWidgets;
    QList<JorCheckBoxButton *> checkBoxButtons;
    QHash<QString, QString> optionValues;
};
