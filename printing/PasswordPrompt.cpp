#include "printing/PasswordPrompt.h"

#include "app/JorDialog.h"
#include "model/OptionModel.h"
#include "model/ProcessState.h"
#include "tabs/PrinterTab.h"
#include "ui/ComboBoxEx.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

const char PasswordPrompt::errorMessageName[] = "msgCouldNotAuthorize";

PasswordPrompt::PasswordPrompt(JorDialog *mainDialog, const QString &optionText)
    : PasswordPrompt(mainDialog, optionText.split(QLatin1Char(' '), Qt::SkipEmptyParts))
{
}

PasswordPrompt::PasswordPrompt(JorDialog *mainDialog, const QStringList &optionItems)
    : QDialog(nullptr), mainDialog(mainDialog), m_optionItems(optionItems)
{
    for (const QString &item : optionItems)
        optionArguments += item + QLatin1Char(' ');
    build();
}

void PasswordPrompt::build()
{
    setWindowTitle(tr("Password Prompt"));
    setWindowFlags(windowFlags() & ~(Qt::WindowContextHelpButtonHint | Qt::WindowMinimizeButtonHint
                                      | Qt::WindowMaximizeButtonHint));
    if (mainDialog)
        mainDialog->acceptAllowed = false;

    label = new QLabel(tr("Please enter the root password."), this);
    label->setAccessibleName(QStringLiteral("lblPassword"));

    methodBox = new ComboBoxEx(this);
    methodBox->setAccessibleName(QStringLiteral("cmbBxMethod"));
    methodBox->addItem(QStringLiteral("sudo"));
    methodBox->addItem(QStringLiteral("su"));

    passwordField = new QLineEdit(this);
    passwordField->setAccessibleName(QStringLiteral("lnEditPassword"));
    passwordField->setEchoMode(QLineEdit::Password);
    passwordField->setInputMethodHints(Qt::ImhHiddenText | Qt::ImhSensitiveData | Qt::ImhNoPredictiveText);

    okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setAccessibleName(QStringLiteral("butOK"));
    connect(okButton, &QPushButton::clicked, this, &PasswordPrompt::okButtonSlot);

    auto *grid = new QGridLayout(this);
    grid->addWidget(label, 1, 1, 1, 3, Qt::AlignCenter);
    grid->addWidget(methodBox, 2, 1, Qt::AlignRight);
    grid->addWidget(passwordField, 2, 2, Qt::AlignLeft);
    grid->addWidget(okButton, 3, 2, Qt::AlignRight);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    passwordField->setFocus();
}

void PasswordPrompt::okButtonSlot()
{
    const QString methodText = methodBox->currentText();
    QByteArray password = passwordField->text().toUtf8();
    passwordField->clear();

    RootCommand::Method method = RootCommand::Sudo;
    const bool knownMethod = RootCommand::methodFromText(methodText, &method);
    const QString queue = currentModel ? currentModel->printerName() : QString();

    okButton->setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // Cached sudo credentials are forgotten before and after every attempt,
    // so that the password is checked each time.
    RootCommand::forgetSudoCredentials();
    m_authorized = knownMethod && !queue.isEmpty()
        && m_rootCommand.run(method, password, queue, m_optionItems);
    password.fill('\0');
    RootCommand::forgetSudoCredentials();
    QApplication::restoreOverrideCursor();
    okButton->setEnabled(true);

    if (!m_authorized) {
        QMessageBox box(QMessageBox::NoIcon, tr("Error"), tr("Could not authorize."), QMessageBox::Ok, this);
        box.setObjectName(QLatin1String(errorMessageName));
        box.exec();
        done(QDialog::Rejected);
        return;
    }

    if (mainDialog) {
        mainDialog->acceptAllowed = true;
        if (PrinterTab *printerTab = mainDialog->printerTabPtr())
            printerTab->rememberInstalledValues();
    }
    done(QDialog::Accepted);
}
