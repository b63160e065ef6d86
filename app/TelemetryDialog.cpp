#include "app/TelemetryDialog.h"

#include "app/Translation.h"
#include "model/ProcessState.h"
#include "profiles/SettingsStore.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QRadioButton>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {

QString readResourceText(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    return QString::fromUtf8(file.readAll());
}

// The dialog can be opened before the main dialog has computed the
// per-user directory (tests, the About dialog of a bare window).
void ensureUserDirectoryKnown()
{
    if (userDirectory.isEmpty())
        computeUserDirectory();
}

} // namespace

TelemetryDialog::TelemetryDialog(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(tr("Data Collection"));
    setFixedSize(650, 450);

    introLabel = new QLabel(
        tr("We ask you to help improve our application and/or products by providing usage information."), this);
    introLabel->setWordWrap(true);
    introLabel->setAccessibleName(QStringLiteral("lblTelemetryIntro"));

    noPersonalDataLabel = new QLabel(
        QStringLiteral("<b>") + tr("The application DOES NOT collect any personal data.") + QStringLiteral("</b>"),
        this);
    noPersonalDataLabel->setTextFormat(Qt::RichText);
    noPersonalDataLabel->setAccessibleName(QStringLiteral("lblTelemetryNoPersonalData"));

    policyHeadingLabel =
        new QLabel(tr("Regarding data collection, please read the PRIVACY POLICY as follows."), this);
    policyHeadingLabel->setWordWrap(true);
    policyHeadingLabel->setAccessibleName(QStringLiteral("lblTelemetryPolicyHeading"));

    policyText = new QTextEdit(this);
    policyText->setReadOnly(true);
    policyText->setAutoFormatting(QTextEdit::AutoNone);
    policyText->setAcceptRichText(false);
    policyText->setPlainText(readResourceText(Translation::privacyStatementFor(Translation::systemLocaleName())));
    policyText->setAccessibleName(QStringLiteral("txtTelemetryPolicy"));

    yesButton = new QRadioButton(tr("Yes, I want to help improve your products"), this);
    yesButton->setAccessibleName(QStringLiteral("rdButTelemetryYes"));
    noButton = new QRadioButton(tr("No, I do not wish to take part in this feature"), this);
    noButton->setAccessibleName(QStringLiteral("rdButTelemetryNo"));
    auto *answers = new QButtonGroup(this);
    answers->setExclusive(true);
    answers->addButton(yesButton);
    answers->addButton(noButton);

    buttonBox = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttonBox->setAccessibleName(QStringLiteral("butBoxTelemetry"));
    Translation::translateButtons(buttonBox);
    connect(buttonBox, &QDialogButtonBox::accepted, this, &TelemetryDialog::accept);
    connect(buttonBox, &QDialogButtonBox::rejected, this, &TelemetryDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(introLabel);
    layout->addWidget(noPersonalDataLabel);
    layout->addSpacing(12);
    layout->addWidget(policyHeadingLabel);
    layout->addWidget(policyText);
    layout->addWidget(yesButton);
    layout->addWidget(noButton);
    layout->addWidget(buttonBox);
}

void TelemetryDialog::preselectStoredAnswer()
{
    ensureUserDirectoryKnown();
    SettingsStore::makeUserDirectoryLevel();
    if (SettingsStore::readConsent())
        yesButton->setChecked(true);
    else
        noButton->setChecked(true);
}

int TelemetryDialog::exec()
{
    preselectStoredAnswer();
    return QDialog::exec();
}

void TelemetryDialog::accept()
{
    ensureUserDirectoryKnown();
    // The store creates the directory level and replaces the file whole;
    // a file that cannot be written is not reported.
    SettingsStore::writeConsent(yesButton->isChecked());
    QDialog::accept();
}
