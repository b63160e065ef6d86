#pragma once
#include "printing/RootCommand.h"
#include <QDialog>
#include <QString>
#include <QStringList>

class ComboBoxEx;
class JorDialog;
class QLabel;
class QLineEdit;
class QPushButton;

// Asks for the root password and runs the installable-option writer as
// root through "sudo" or "su" for the selected queue.
//
// While the prompt is open the main dialog's acceptAllowed is false; only a
// successful authorization sets it back, so that OK closes the main dialog
// only after the options were written. On success the Printer tab's shown
// values become its saved ones (the root warning goes); the main dialog
// then writes the user's defaults and says "Settings applied.". On failure
// "Could not authorize." is shown and nothing is written.
class PasswordPrompt : public QDialog {
    Q_OBJECT
public:
    // optionText: the items KEY=VALUE, each followed by one blank.
    PasswordPrompt(JorDialog *mainDialog, const QString &optionText);
    // The same with the items themselves.
    PasswordPrompt(JorDialog *mainDialog, const QStringList &optionItems);

    // The items as one text of KEY=VALUE, each followed by one blank.
    QString optionArguments;

    QStringList optionItems() const { return m_optionItems; }
    // Whether the last attempt wrote the options.
    bool authorized() const { return m_authorized; }
    // The elevation runner (tests shorten its time limit).
    RootCommand &rootCommand() { return m_rootCommand; }

    // Object names of the prompt's message boxes.
    static const char errorMessageName[];

public slots:
    void okButtonSlot();

private:
    void build();

    QLineEdit *passwordField = nullptr;
    ComboBoxEx *methodBox = nullptr;
    JorDialog *mainDialog = nullptr;
    QLabel *label = nullptr;
    QPushButton *okButton = nullptr;
    QStringList m_optionItems;
    RootCommand m_rootCommand;
    bool m_authorized = false;
};
