#pragma once
#include <QColor>
#include <QFrame>
#include <QList>
#include <QString>
#include <QStringList>

class QAbstractButton;
class QButtonGroup;
class QGridLayout;
class QLabel;
class QPushButton;

// A titled row of large icon buttons of which exactly one is selected.
// Every button stands for one choice and carries the choice's display text
// as its accessible name; all lookups by text compare accessible names.
class JorButtonGroup : public QFrame {
    Q_OBJECT
public:
    JorButtonGroup(QWidget *parent, const QString &title);

    void addButton(const QString &choiceText, const QString &iconPath);
    void clearButtons();

    virtual void setGroupEnabled(bool on);

    // Checks the button whose text is `text` (the first button when none
    // has it) and shows the "-selected" icon on it only.
    void selectByText(const QString &text);
    QString checkedText() const;
    int checkedIndex() const;
    QStringList buttonTexts() const;
    QPushButton *button(int id) const;
    int count() const { return buttonCount; }

    void setTitleActive(bool active);
    void markTitle(bool on);
    void markTitleWithTip(const QString &tooltip);
    void unmarkTitle();

    QLabel *titleLabelWidget() const { return titleLabel; }
    QString titleText() const { return title; }
    QColor normalTitleColor() const { return labelColor; }

    static const QString errorMarkAdd;
    static const QString errorMarkRemove;
    static const QString toolTipStyle;

signals:
    void buttonClicked(int index);
    void buttonClicked(QAbstractButton *button);

public slots:
    virtual void setButton(QAbstractButton *button);
    virtual void setButton(int button_index);
    void enableButton(QAbstractButton *button, bool enabled);
    void enableButton(int button_index, bool enabled);
    void constructLabel();
    void emit_buttonClicked(QAbstractButton *button);

private:
    void removeErrorMark();

    QGridLayout *layout;
    QButtonGroup *buttonGroup;
    QList<QPushButton *> buttons;
    QStringList iconPaths;
    QLabel *titleLabel;
    QString title;
    int buttonCount = 0;
    QColor labelColor;
};
