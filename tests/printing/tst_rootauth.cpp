// Root authorization end to end on a private cupsd, as the unprivileged
// test user, with the real sudo and su and the installed writer
// /usr/local/bin/jorPPDWrite_H. scripts/test.sh gives root a temporary
// password (holding a double quote, a single quote, a dollar sign, a
// backslash and blanks) and hands it over in ~/.printdeck-root-password;
// without that file the tests that need root skip.
//
// A watcher thread reads every process's command line the whole time and
// records any that holds the password.
#include "app/JorDialog.h"
#include "model/CupsPpd.h"
#include "model/ProcessState.h"
#include "printing/PasswordPrompt.h"
#include "printing/QueuePpd.h"
#include "printing/RootCommand.h"
#include "profiles/SettingsStore.h"
#include "support/CupsTestBed.h"
#include "support/EnvOverride.h"
#include "support/TestUserDir.h"
#include "support/WidgetLookup.h"
#include "tabs/PrinterTab.h"
#include "ui/ComboBoxEx.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <atomic>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <mutex>
#include <thread>
#include <unistd.h>

namespace {

const char queueName[] = "RootAuth_R200";
const char writerPath[] = "/usr/local/bin/jorPPDWrite_H";

// Scans /proc/*/cmdline until stopped.
class CommandLineWatcher {
public:
    void start(const QByteArray &secret)
    {
        m_secret = secret.toStdString();
        m_stop = false;
        m_thread = std::thread([this] { loop(); });
    }
    void stop()
    {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
    }
    ~CommandLineWatcher() { stop(); }

    QStringList leaks() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_leaks;
    }
    int writerRunsSeen() const { return m_writerRunsSeen; }

private:
    void loop()
    {
        std::string lastWriterLine;
        while (!m_stop) {
            DIR *proc = opendir("/proc");
            if (!proc)
                return;
            while (dirent *entry = readdir(proc)) {
                if (entry->d_name[0] < '0' || entry->d_name[0] > '9')
                    continue;
                const std::string path = std::string("/proc/") + entry->d_name + "/cmdline";
                const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
                if (fd < 0)
                    continue;
                std::string line;
                char buffer[4096];
                ssize_t n;
                while ((n = ::read(fd, buffer, sizeof buffer)) > 0)
                    line.append(buffer, size_t(n));
                ::close(fd);
                if (line.find(m_secret) != std::string::npos) {
                    std::lock_guard<std::mutex> lock(m_mutex);
                    QByteArray shown = QByteArray::fromStdString(line);
                    shown.replace('\0', ' ');
                    m_leaks << QString::fromLocal8Bit(shown);
                }
                if (line.find("jorPPDWrite_H") != std::string::npos && line != lastWriterLine) {
                    lastWriterLine = line;
                    ++m_writerRunsSeen;
                }
            }
            closedir(proc);
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }

    std::string m_secret;
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_writerRunsSeen{0};
    std::thread m_thread;
    mutable std::mutex m_mutex;
    QStringList m_leaks;
};

// The default choice of one option in the queue's PPD as libcups hands it
// out now.
QString ppdDefault(const QString &queue, const char *option)
{
    const QueuePpd ppd(queue.toUtf8().constData());
    if (!ppd.get())
        return QStringLiteral("<no PPD>");
    if (ppd_option_t *found = ppdFindOption(ppd.get(), option))
        return QString::fromLatin1(found->defchoice);
    return QStringLiteral("<no option>");
}

} // namespace

class TestRootAuth : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();

    void promptLooksAsIntended();
    void cancelledPromptKeepsAcceptForbidden();
    void temporaryPasswordHasShellCharacters();
    void writerRefuses_data();
    void writerRefuses();
    void writerNeedsRoot();
    void hostileQueueReachesWriterAsOneArgument_data();
    void hostileQueueReachesWriterAsOneArgument();
    void applyThroughPrompt_data();
    void applyThroughPrompt();
    // Runs last: the watcher has seen every run above.
    void passwordNeverInACommandLine();

private:
    bool havePassword() const { return !password.isNull(); }
    bool selectQueue(JorDialog &dialog);

    CupsTestBed bed;
    QTemporaryDir tmp;
    std::unique_ptr<EnvOverride> env;
    QString password;
    QString skipReason;
    CommandLineWatcher watcher;
};

#define REQUIRE_ROOT_PASSWORD()                                                                    \
    do {                                                                                           \
        if (!havePassword())                                                                       \
            QSKIP(qPrintable(skipReason));                                                         \
    } while (0)

void TestRootAuth::initTestCase()
{
    if (geteuid() == 0)
        QSKIP("the panel refuses to run as root; scripts/test.sh runs this as printdeck-test");
    QVERIFY(tmp.isValid());

    QFile file(QDir::homePath() + QStringLiteral("/.printdeck-root-password"));
    if (!QFile::exists(QString::fromLatin1(writerPath)))
        skipReason = QStringLiteral("%1 is not installed (scripts/setup.sh installs it as root)").arg(writerPath);
    else if (!file.open(QIODevice::ReadOnly))
        skipReason = QStringLiteral("no temporary root password in %1 (scripts/test.sh sets one up as root)")
                         .arg(file.fileName());
    else
        password = QString::fromUtf8(file.readAll());

    // lpoptions and the reset of other applications' settings write below
    // HOME: keep that inside the test. libcups reads HOME once, at its
    // first use, so this comes before anything talks to CUPS.
    const QString home = tmp.filePath(QStringLiteral("home"));
    QVERIFY(QDir().mkpath(home));
    env = std::make_unique<EnvOverride>();
    env->set("HOME", QFile::encodeName(home));
    QVERIFY2(bed.start(), qPrintable(bed.lastError()));
    env->set("TMPDIR", QFile::encodeName(tmp.path()));
    QVERIFY2(bed.addFixtureQueue(QLatin1String(queueName), QStringLiteral("rootauth-installable.ppd")),
             qPrintable(bed.lastError()));
    if (havePassword())
        watcher.start(password.toUtf8());
}

void TestRootAuth::cleanupTestCase()
{
    watcher.stop();
    bed.stop();
    env.reset();
}

void TestRootAuth::cleanup()
{
    setCurrentModel(nullptr);
}

bool TestRootAuth::selectQueue(JorDialog &dialog)
{
    QTableWidget *table = dialog.printerTabPtr()->table();
    for (int row = 0; row < table->rowCount(); ++row) {
        if (table->item(row, 0) && table->item(row, 0)->text() == QLatin1String(queueName)) {
            table->setCurrentCell(row, 0);
            return currentModel != nullptr;
        }
    }
    return false;
}

void TestRootAuth::promptLooksAsIntended()
{
    TestUserDir user;
    QVERIFY(SettingsStore::writeConsent(false));
    JorDialog dialog;
    dialog.acceptAllowed = true;
    PasswordPrompt prompt(&dialog, QStringLiteral("Option17=True Option19=Tray3 "));
    QVERIFY(!dialog.acceptAllowed);
    QCOMPARE(prompt.optionItems(), (QStringList{QStringLiteral("Option17=True"), QStringLiteral("Option19=Tray3")}));
    QCOMPARE(prompt.optionArguments, QStringLiteral("Option17=True Option19=Tray3 "));
    QCOMPARE(prompt.windowTitle(), QStringLiteral("Password Prompt"));
    QVERIFY(!(prompt.windowFlags() & Qt::WindowContextHelpButtonHint));
    QVERIFY(!(prompt.windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(prompt.windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(!prompt.parentWidget());

    auto *label = findByName<QLabel>(&prompt, QStringLiteral("lblPassword"));
    QVERIFY(label);
    QCOMPARE(label->text(), QStringLiteral("Please enter the root password."));
    auto *method = findByName<ComboBoxEx>(&prompt, QStringLiteral("cmbBxMethod"));
    QVERIFY(method);
    QCOMPARE(method->count(), 2);
    QCOMPARE(method->itemText(0), QStringLiteral("sudo"));
    QCOMPARE(method->itemText(1), QStringLiteral("su"));
    auto *field = findByName<QLineEdit>(&prompt, QStringLiteral("lnEditPassword"));
    QVERIFY(field);
    QCOMPARE(field->echoMode(), QLineEdit::Password);
    QCOMPARE(field->inputMethodHints() & (Qt::ImhHiddenText | Qt::ImhSensitiveData | Qt::ImhNoPredictiveText),
             Qt::ImhHiddenText | Qt::ImhSensitiveData | Qt::ImhNoPredictiveText);
    auto *ok = findByName<QPushButton>(&prompt, QStringLiteral("butOK"));
    QVERIFY(ok);
    QCOMPARE(ok->text(), QStringLiteral("OK"));

    prompt.show();
    QVERIFY(QTest::qWaitForWindowActive(&prompt));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(field));
}

void TestRootAuth::cancelledPromptKeepsAcceptForbidden()
{
    TestUserDir user;
    QVERIFY(SettingsStore::writeConsent(false));
    JorDialog dialog;
    PasswordPrompt prompt(&dialog, QStringList{QStringLiteral("Option17=True")});
    QTimer::singleShot(0, &prompt, &PasswordPrompt::reject);
    QCOMPARE(prompt.exec(), int(QDialog::Rejected));
    QVERIFY(!prompt.authorized());
    QVERIFY(!dialog.acceptAllowed);
}

void TestRootAuth::temporaryPasswordHasShellCharacters()
{
    REQUIRE_ROOT_PASSWORD();
    for (const QChar c : {QChar('"'), QChar('\''), QChar('$'), QChar('\\'), QChar(' ')})
        QVERIFY2(password.contains(c), qPrintable(QStringLiteral("no %1 in the temporary password").arg(c)));
}

void TestRootAuth::writerRefuses_data()
{
    QTest::addColumn<QString>("queue");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QString>("message");
    const QString q = QLatin1String(queueName);
    QTest::newRow("unknown queue") << QStringLiteral("NoSuchQueue") << QStringList{QStringLiteral("Option17=True")}
                                   << QStringLiteral("unknown queue 'NoSuchQueue'");
    QTest::newRow("unknown option") << q << QStringList{QStringLiteral("Option99=True")}
                                    << QStringLiteral("unknown option 'Option99'");
    QTest::newRow("unknown choice") << q << QStringList{QStringLiteral("Option17=Maybe")}
                                    << QStringLiteral("unknown choice 'Maybe' of option 'Option17'");
    QTest::newRow("second option smuggled into a value")
        << q << QStringList{QStringLiteral("Option17=True Option19=Tray3")}
        << QStringLiteral("unknown choice 'True Option19=Tray3'");
    QTest::newRow("one bad item of two") << q
                                         << QStringList{QStringLiteral("Option19=Tray3"), QStringLiteral("Option17=1")}
                                         << QStringLiteral("unknown choice '1'");
    QTest::newRow("not KEY=VALUE") << q << QStringList{QStringLiteral("Option17")}
                                   << QStringLiteral("is not KEY=VALUE");
}

// As root (through sudo with the right password) the writer still refuses
// items the queue's PPD does not offer, and changes nothing.
void TestRootAuth::writerRefuses()
{
    REQUIRE_ROOT_PASSWORD();
    QFETCH(QString, queue);
    QFETCH(QStringList, items);
    QFETCH(QString, message);
    const QString q = QLatin1String(queueName);
    const QString before17 = ppdDefault(q, "Option17");
    const QString before19 = ppdDefault(q, "Option19");
    RootCommand command;
    QVERIFY(!command.run(RootCommand::Sudo, password.toUtf8(), queue, items));
    const QString error = QString::fromUtf8(command.errorOutput());
    QVERIFY2(error.contains(message), qPrintable(error));
    QCOMPARE(ppdDefault(q, "Option17"), before17);
    QCOMPARE(ppdDefault(q, "Option19"), before19);
}

void TestRootAuth::writerNeedsRoot()
{
    if (!QFile::exists(QString::fromLatin1(writerPath)))
        QSKIP("the writer is not installed");
    const QString q = QLatin1String(queueName);
    const QString before = ppdDefault(q, "Option17");
    QProcess writer;
    writer.start(QString::fromLatin1(writerPath),
                 {q, before == QLatin1String("True") ? QStringLiteral("Option17=False") : QStringLiteral("Option17=True")});
    QVERIFY(writer.waitForFinished(30000));
    QVERIFY(writer.exitCode() != 0);
    QVERIFY(writer.readAllStandardError().contains("permission denied"));
    QCOMPARE(ppdDefault(q, "Option17"), before);
}

void TestRootAuth::hostileQueueReachesWriterAsOneArgument_data()
{
    QTest::addColumn<int>("method");
    QTest::addColumn<QString>("queue");
    for (int method : {int(RootCommand::Sudo), int(RootCommand::Su)}) {
        const QByteArray m = RootCommand::program(RootCommand::Method(method)).toLatin1();
        QTest::newRow(m + " command substitution") << method << QStringLiteral("x$(touch MARKER)");
        QTest::newRow(m + " separator") << method << QStringLiteral("a;b");
        QTest::newRow(m + " quote break-out") << method << QStringLiteral("q'; touch MARKER; '");
        QTest::newRow(m + " double quotes") << method << QStringLiteral("\"; touch MARKER; \"");
    }
}

// The writer, running as root, names the queue it received in its refusal:
// the whole hostile name arrives as one argument and nothing else runs.
void TestRootAuth::hostileQueueReachesWriterAsOneArgument()
{
    REQUIRE_ROOT_PASSWORD();
    QFETCH(int, method);
    QFETCH(QString, queue);
    const QString marker = QStringLiteral("/tmp/printdeck-pwned-%1-%2")
                               .arg(QCoreApplication::applicationPid())
                               .arg(QString::fromLatin1(QTest::currentDataTag()).replace(QLatin1Char(' '), QLatin1Char('-')));
    queue.replace(QStringLiteral("MARKER"), marker);
    QFile::remove(marker);

    RootCommand command;
    QVERIFY(!command.run(RootCommand::Method(method), password.toUtf8(), queue, {QStringLiteral("Option17=True")}));
    const QString error = QString::fromUtf8(command.errorOutput());
    QVERIFY2(error.contains(QStringLiteral("unknown queue '") + queue + QStringLiteral("'")), qPrintable(error));
    QVERIFY2(!QFile::exists(marker), "a command hidden in the queue name ran");
}

void TestRootAuth::applyThroughPrompt_data()
{
    QTest::addColumn<QString>("method");
    QTest::addColumn<QString>("answer");
    for (const char *method : {"sudo", "su"}) {
        for (const char *answer : {"right", "wrong", "cancel"})
            QTest::newRow(QByteArray(method) + " " + answer) << QString::fromLatin1(method)
                                                             << QString::fromLatin1(answer);
    }
}

// Change an installable option on the Printer tab and press OK: the prompt
// comes up; the right password writes the PPD, hides the root warning, says
// "Settings applied." and closes the dialog; a wrong one says "Could not
// authorize." and a cancelled prompt says nothing; in both the PPD stays,
// the warning stays and the main dialog stays open.
void TestRootAuth::applyThroughPrompt()
{
    REQUIRE_ROOT_PASSWORD();
    QFETCH(QString, method);
    QFETCH(QString, answer);
    const QString q = QLatin1String(queueName);

    // Answers the prompt and closes every message box, recording it; runs
    // from the first moment on so that no unexpected box blocks the test.
    bool promptSeen = false;
    QStringList messages;
    QTimer driver;
    driver.setInterval(20);
    connect(&driver, &QTimer::timeout, this, [&]() {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *prompt = qobject_cast<PasswordPrompt *>(modal)) {
            if (promptSeen)
                return;
            promptSeen = true;
            prompt->rootCommand().setTimeout(60000);
            findByName<ComboBoxEx>(prompt, QStringLiteral("cmbBxMethod"))->setCurrentText(method);
            findByName<QLineEdit>(prompt, QStringLiteral("lnEditPassword"))
                ->setText(answer == QLatin1String("right") ? password : password + QStringLiteral("x"));
            if (answer == QLatin1String("cancel"))
                QMetaObject::invokeMethod(prompt, "reject", Qt::QueuedConnection);
            else
                QMetaObject::invokeMethod(findByName<QPushButton>(prompt, QStringLiteral("butOK")), "click",
                                          Qt::QueuedConnection);
        } else if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            messages << box->objectName() + QLatin1Char(':') + box->text();
            QMetaObject::invokeMethod(box, "accept", Qt::QueuedConnection);
        }
    });
    driver.start();

    TestUserDir user;
    QVERIFY(SettingsStore::writeConsent(false));
    JorDialog dialog;
    dialog.show();
    QVERIFY2(selectQueue(dialog), "the fixture queue is not listed or has no model");
    QCOMPARE(messages, QStringList());
    PrinterTab *printerTab = dialog.printerTabPtr();
    auto *finisher = findByName<QCheckBox>(printerTab, QStringLiteral("chkBxOption17"));
    QVERIFY(finisher);

    const QString before = ppdDefault(q, "Option17");
    QVERIFY(before == QLatin1String("True") || before == QLatin1String("False"));
    QCOMPARE(finisher->isChecked(), before == QLatin1String("True"));
    QVERIFY(printerTab->rootWarningLabel()->isHidden());
    finisher->click();
    QVERIFY(printerTab->installedOptionsChanged());
    QVERIFY(!printerTab->rootWarningLabel()->isHidden());

    dialog.buttons()->button(QDialogButtonBox::Ok)->click();
    driver.stop();

    QVERIFY(promptSeen);
    const QString flipped = before == QLatin1String("True") ? QStringLiteral("False") : QStringLiteral("True");
    if (answer == QLatin1String("right")) {
        QCOMPARE(messages, QStringList{QStringLiteral("msgSettingsApplied:Settings applied.")});
        QCOMPARE(ppdDefault(q, "Option17"), flipped);
        QVERIFY(!printerTab->installedOptionsChanged());
        QVERIFY(printerTab->rootWarningLabel()->isHidden());
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    } else {
        if (answer == QLatin1String("wrong"))
            QCOMPARE(messages, QStringList{QStringLiteral("msgCouldNotAuthorize:Could not authorize.")});
        else
            QCOMPARE(messages, QStringList());
        QCOMPARE(ppdDefault(q, "Option17"), before);
        QVERIFY(printerTab->installedOptionsChanged());
        QVERIFY(!printerTab->rootWarningLabel()->isHidden());
        QVERIFY(dialog.isVisible());
        QVERIFY(!dialog.acceptAllowed);
    }
}

void TestRootAuth::passwordNeverInACommandLine()
{
    REQUIRE_ROOT_PASSWORD();
    watcher.stop();
    const QStringList leaks = watcher.leaks();
    QVERIFY2(leaks.isEmpty(), qPrintable(leaks.join(QLatin1Char('\n'))));
    // The watcher did run while the elevation tools ran.
    QVERIFY2(watcher.writerRunsSeen() > 0, "the watcher never saw a writer command line");
}

QTEST_MAIN(TestRootAuth)
#include "tst_rootauth.moc"
