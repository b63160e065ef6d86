#pragma once
#include <QFrame>
#include <QList>
#include <QString>
#include <QStringList>

class QCheckBox;
class QGridLayout;
class QIcon;
class QPushButton;

// A large picture button with a small check box on its lower left corner,
// for an on/off feature with attached detail controls. The attached
// controls are enabled only while the box is checked.
class JorCheckBoxButton : public QFrame {
    Q_OBJECT
public:
    // The text is kept for the accessible description only; tabs show the
    // caption in a label of their own.
    JorCheckBoxButton(QWidget *parent, const QString &text, const QIcon &icon);
    JorCheckBoxButton(QWidget *parent, const QString &text, const QString &iconPath);

    // offText: display text of the attached control's choice that stands
    // for the feature being off (empty when there is none).
    void attach(QWidget *control, const QString &offText);
    // Takes a control out of the attached list (no effect when absent).
    void detach(QWidget *control);
    QList<QWidget *> attachedControls() const { return attached; }
    QString offText(QWidget *control) const;

    bool isChecked() const;
    void setChecked(bool checked);

    // Runs after the attached combo boxes have been filled: removes each
    // combo's off item; an empty attached combo disables and unchecks the
    // whole button; an unchecked button disables its attached controls.
    void prepareAttached();

    QPushButton *picture() const { return pictureButton; }
    QCheckBox *box() const { return checkBox; }

signals:
    void toggled(bool state);
    void toggled(int state);

public slots:
    void emit_toggled();
    void fire_signals();
    void set_enabled(bool toggle);

private:
    void build(const QString &text, const QIcon &icon);

    QPushButton *pictureButton;
    QCheckBox *checkBox;
    QGridLayout *layout;
    QList<QWidget *> attached;
    QStringList offTexts;
};
