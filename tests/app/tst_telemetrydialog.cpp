// The data-collection question: the preselected answer, the consent line
// written on OK (the file replaced whole), Cancel writing nothing, and the
// privacy statement chosen by the system locale (checked in child
// processes started with LANG / LC_ALL set, since the system locale is
// read once per process).
#include "support/TestUserDir.h"

#include "app/AboutDialog.h"
#include "app/TelemetryDialog.h"
#include "profiles/SettingsStore.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QTimer>
#include <QtTest>

#include <cstdio>
#include <cstring>

namespace {

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

bool writeFile(const QString &path, const QByteArray &data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(data) == data.size();
}

QString resourceText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly | QIODevice::Text) ? QString::fromUtf8(file.readAll()) : QString();
}

// Child mode: prints the privacy statement a new dialog shows.
int printPolicy(int argc, char **argv)
{
    QApplication app(argc, argv);
    TelemetryDialog dialog(nullptr);
    fputs(dialog.policyTextPtr()->toPlainText().toUtf8().constData(), stdout);
    return 0;
}

} // namespace

class TestTelemetryDialog : public QObject {
    Q_OBJECT

private slots:
    void firstStartPreselectsYesAndOkWritesTheLine();
    void storedNoIsPreselectedAndYesReplacesTheWholeFile();
    void cancelWritesNothing();
    void aboutDialogReopensWithStoredAnswer();
    void privacyStatementFollowsSystemLocale_data();
    void privacyStatementFollowsSystemLocale();

private:
    // Runs exec() and, once the dialog is up, lets `answer` act on it.
    template <typename Answer>
    int runDialog(TelemetryDialog &dialog, Answer answer)
    {
        QTimer::singleShot(0, &dialog, [&] { answer(dialog); });
        return dialog.exec();
    }
};

void TestTelemetryDialog::firstStartPreselectsYesAndOkWritesTheLine()
{
    TestUserDir user;
    TelemetryDialog dialog(nullptr);
    bool yesPreselected = false;
    const int result = runDialog(dialog, [&](TelemetryDialog &d) {
        yesPreselected = d.yesButtonPtr()->isChecked() && !d.noButtonPtr()->isChecked();
        d.buttons()->button(QDialogButtonBox::Ok)->click();
    });
    QCOMPARE(result, int(QDialog::Accepted));
    QVERIFY(yesPreselected);
    QCOMPARE(readFile(user.filePath(QStringLiteral("Settings"))), QByteArray("Telemetry=True\n"));
}

void TestTelemetryDialog::storedNoIsPreselectedAndYesReplacesTheWholeFile()
{
    TestUserDir user;
    QVERIFY(SettingsStore::makeUserDirectoryLevel());
    const QString settings = user.filePath(QStringLiteral("Settings"));
    QVERIFY(writeFile(settings, "Telemetry=False\n"));

    TelemetryDialog dialog(nullptr);
    bool noPreselected = false;
    runDialog(dialog, [&](TelemetryDialog &d) {
        noPreselected = d.noButtonPtr()->isChecked() && !d.yesButtonPtr()->isChecked();
        d.yesButtonPtr()->click();
        d.buttons()->button(QDialogButtonBox::Ok)->click();
    });
    QVERIFY(noPreselected);
    // "Telemetry=True" is one character shorter than the old line: nothing
    // of it may remain.
    QCOMPARE(readFile(settings), QByteArray("Telemetry=True\n"));

    // And back to No.
    TelemetryDialog again(nullptr);
    bool yesNow = false;
    runDialog(again, [&](TelemetryDialog &d) {
        yesNow = d.yesButtonPtr()->isChecked();
        d.noButtonPtr()->click();
        d.buttons()->button(QDialogButtonBox::Ok)->click();
    });
    QVERIFY(yesNow);
    QCOMPARE(readFile(settings), QByteArray("Telemetry=False\n"));
}

void TestTelemetryDialog::cancelWritesNothing()
{
    TestUserDir user;
    const QString settings = user.filePath(QStringLiteral("Settings"));
    {
        TelemetryDialog dialog(nullptr);
        const int result = runDialog(dialog, [](TelemetryDialog &d) {
            d.noButtonPtr()->click();
            d.buttons()->button(QDialogButtonBox::Cancel)->click();
        });
        QCOMPARE(result, int(QDialog::Rejected));
        QVERIFY(!QFile::exists(settings));
    }
    QVERIFY(writeFile(settings, "Telemetry=True\n"));
    TelemetryDialog dialog(nullptr);
    runDialog(dialog, [](TelemetryDialog &d) {
        d.noButtonPtr()->click();
        d.buttons()->button(QDialogButtonBox::Cancel)->click();
    });
    QCOMPARE(readFile(settings), QByteArray("Telemetry=True\n"));
}

void TestTelemetryDialog::aboutDialogReopensWithStoredAnswer()
{
    TestUserDir user;
    QVERIFY(SettingsStore::writeConsent(false));
    AboutDialog about(nullptr);
    TelemetryDialog *consent = about.telemetryDialogPtr();
    bool noPreselected = false;
    bool shown = false;
    QTimer::singleShot(0, consent, [&] {
        shown = consent->isVisible();
        noPreselected = consent->noButtonPtr()->isChecked();
        consent->reject();
    });
    about.dataCollectionButtonPtr()->click();
    QVERIFY(shown);
    QVERIFY(noPreselected);
}

void TestTelemetryDialog::privacyStatementFollowsSystemLocale_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("resource");
    QTest::newRow("German") << "de_DE.UTF-8" << ":/strings/policy_de";
    QTest::newRow("Dutch") << "nl_NL.UTF-8" << ":/strings/policy";
    QTest::newRow("Canadian French") << "fr_CA.UTF-8" << ":/strings/policy_fr";
    QTest::newRow("Brazilian Portuguese") << "pt_BR.UTF-8" << ":/strings/policy_pt";
    QTest::newRow("Mexican Spanish") << "es_MX.UTF-8" << ":/strings/policy_es";
    QTest::newRow("Italian") << "it_IT.UTF-8" << ":/strings/policy_it";
    QTest::newRow("C") << "C" << ":/strings/policy";
}

void TestTelemetryDialog::privacyStatementFollowsSystemLocale()
{
    QFETCH(QString, locale);
    QFETCH(QString, resource);
    const QString expected = resourceText(resource);
    QVERIFY(!expected.isEmpty());

    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LANG"), locale);
    env.insert(QStringLiteral("LC_ALL"), locale);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--print-policy")});
    QVERIFY(child.waitForFinished(30000));
    QCOMPARE(child.exitCode(), 0);
    QCOMPARE(QString::fromUtf8(child.readAllStandardOutput()).trimmed(), expected.trimmed());
}

int main(int argc, char **argv)
{
    if (argc == 2 && std::strcmp(argv[1], "--print-policy") == 0)
        return printPolicy(argc, argv);
    QApplication app(argc, argv);
    TestTelemetryDialog test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_telemetrydialog.moc"
