// The elevation runner without root: the argument vectors it builds, the
// shell quoting of su's command text (checked by a real /bin/sh), and how
// a run treats the started program (password on standard input followed
// by end of input, exit status, signals, time limit, missing program).
// A stand-in program records what it receives. The prompt runs against a
// stand-in "sudo" first in PATH.
#include "model/OptionModel.h"
#include "model/ProcessState.h"
#include "printing/PasswordPrompt.h"
#include "printing/RootCommand.h"
#include "support/EnvOverride.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString hostilePassword = QStringLiteral("a \"b' $c \\d `e` $(f) ;g|h");

QStringList splitNul(const QByteArray &data)
{
    QStringList parts;
    QList<QByteArray> raw = data.split('\0');
    if (!raw.isEmpty() && raw.last().isEmpty())
        raw.removeLast();
    for (const QByteArray &part : raw)
        parts << QString::fromUtf8(part);
    return parts;
}

} // namespace

class TestRootCommand : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();

    void sudoArguments();
    void suArguments();
    void shellQuoteSurvivesTheShell_data();
    void shellQuoteSurvivesTheShell();
    void suTextRunsOnlyTheWriter_data();
    void suTextRunsOnlyTheWriter();
    void methodFromText();

    void run_data();
    void run();
    void hangingProgramIsKilled();
    void missingProgramFails();
    void promptForgetsSudoCredentialsAroundEachAttempt();

private:
    QString writeFake(const QString &name, const QString &body);

    QTemporaryDir tmp;
    QString recorder;
};

void TestRootCommand::initTestCase()
{
    QVERIFY(tmp.isValid());
    // Records its arguments (NUL-separated) and everything on standard
    // input up to end of file, prints to both outputs, and ends as
    // FAKE_END says.
    recorder = writeFake(QStringLiteral("recorder"), QStringLiteral(
        "printf '%s\\0' \"$@\" > \"$FAKE_DIR/argv\"\n"
        "cat > \"$FAKE_DIR/stdin\"\n"
        "read -r stat < /proc/$$/stat; set -- ${stat##*) }\n"
        "echo \"$$ $4\" > \"$FAKE_DIR/session\"\n"
        "echo normal-output\n"
        "echo error-output >&2\n"
        "case $FAKE_END in\n"
        "  signal) kill -9 $$ ;;\n"
        "  *) exit \"$FAKE_END\" ;;\n"
        "esac\n"));
}

QString TestRootCommand::writeFake(const QString &name, const QString &body)
{
    const QString path = tmp.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QString();
    file.write("#!/bin/bash\n");
    file.write(body.toUtf8());
    file.close();
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

void TestRootCommand::sudoArguments()
{
    const QStringList items{QStringLiteral("Option17=True"), QStringLiteral("Option19=Tray3")};
    QCOMPARE(RootCommand::program(RootCommand::Sudo), QStringLiteral("sudo"));
    QCOMPARE(RootCommand::arguments(RootCommand::Sudo, QStringLiteral("a;b"), items),
             (QStringList{QStringLiteral("-S"), QStringLiteral("-p"), QString(), QStringLiteral("--"),
                          QStringLiteral("jorPPDWrite_H"), QStringLiteral("a;b"),
                          QStringLiteral("Option17=True"), QStringLiteral("Option19=Tray3")}));
}

void TestRootCommand::suArguments()
{
    const QStringList args = RootCommand::arguments(RootCommand::Su, QStringLiteral("x'y"),
                                                    {QStringLiteral("Option17=True")});
    QCOMPARE(RootCommand::program(RootCommand::Su), QStringLiteral("su"));
    QCOMPARE(args.size(), 3);
    QCOMPARE(args.at(0), QStringLiteral("-c"));
    QCOMPARE(args.at(2), QStringLiteral("root"));
    QVERIFY2(args.at(1).endsWith(QStringLiteral("jorPPDWrite_H 'x'\\''y' 'Option17=True'")),
             qPrintable(args.at(1)));
}

void TestRootCommand::shellQuoteSurvivesTheShell_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("plain") << QStringLiteral("J1");
    QTest::newRow("empty") << QString();
    QTest::newRow("command substitution") << QStringLiteral("x$(touch /tmp/pwned)");
    QTest::newRow("backticks") << QStringLiteral("`id`");
    QTest::newRow("separator") << QStringLiteral("a;b");
    QTest::newRow("single quotes") << QStringLiteral("'it''s'");
    QTest::newRow("quote break-out") << QStringLiteral("'; touch /tmp/pwned; '");
    QTest::newRow("double quotes and escapes") << QStringLiteral("\"\\\"$HOME\\");
    QTest::newRow("blanks and newline") << QStringLiteral(" a  b\n\tc ");
    QTest::newRow("glob and redirection") << QStringLiteral("* > /tmp/x < y | z &");
    QTest::newRow("password") << hostilePassword;
}

void TestRootCommand::shellQuoteSurvivesTheShell()
{
    QFETCH(QString, text);
    QProcess sh;
    sh.start(QStringLiteral("/bin/sh"),
             {QStringLiteral("-c"), QStringLiteral("printf '%s\\0' ") + RootCommand::shellQuote(text)
                                        + QLatin1Char(' ') + RootCommand::shellQuote(text)});
    QVERIFY(sh.waitForFinished(10000));
    QCOMPARE(sh.exitCode(), 0);
    QCOMPARE(splitNul(sh.readAllStandardOutput()), (QStringList{text, text}));
}

void TestRootCommand::suTextRunsOnlyTheWriter_data()
{
    QTest::addColumn<QString>("queue");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("command substitution") << QStringLiteral("x$(touch MARKER)")
                                          << QStringList{QStringLiteral("Option17=True")};
    QTest::newRow("separator") << QStringLiteral("a;touch MARKER")
                               << QStringList{QStringLiteral("Option17=$(touch MARKER)")};
    QTest::newRow("quote break-out") << QStringLiteral("q'; touch MARKER; '")
                                     << QStringList{QStringLiteral("K='\"V\" `touch MARKER`")};
}

// Root's shell runs su's text: with a stand-in writer first in PATH it must
// run that writer once, with the queue and every item as one argument each,
// and nothing else.
void TestRootCommand::suTextRunsOnlyTheWriter()
{
    QFETCH(QString, queue);
    QFETCH(QStringList, items);
    const QString marker = tmp.filePath(QStringLiteral("pwned-su-text"));
    queue.replace(QStringLiteral("MARKER"), marker);
    for (QString &item : items)
        item.replace(QStringLiteral("MARKER"), marker);

    QString text = RootCommand::suCommandText(queue, items);
    // The text sets root's PATH first; point that assignment at a directory
    // that holds only the stand-in writer.
    const QString binDir = tmp.filePath(QStringLiteral("bin"));
    QVERIFY(QDir().mkpath(binDir));
    QVERIFY(QFile::copy(recorder, binDir + QStringLiteral("/jorPPDWrite_H"))
            || QFile::exists(binDir + QStringLiteral("/jorPPDWrite_H")));
    const int semicolon = text.indexOf(QLatin1Char(';'));
    QVERIFY(text.startsWith(QStringLiteral("PATH=/usr/local/sbin:/usr/local/bin:")));
    text = QStringLiteral("PATH=") + binDir + QStringLiteral(":/usr/bin:/bin") + text.mid(semicolon);

    QProcess sh;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("FAKE_DIR"), tmp.path());
    env.insert(QStringLiteral("FAKE_END"), QStringLiteral("0"));
    sh.setProcessEnvironment(env);
    sh.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), text});
    sh.closeWriteChannel();
    QVERIFY(sh.waitForFinished(10000));
    QCOMPARE(sh.exitCode(), 0);
    QFile argv(tmp.filePath(QStringLiteral("argv")));
    QVERIFY(argv.open(QIODevice::ReadOnly));
    QCOMPARE(splitNul(argv.readAll()), QStringList{queue} + items);
    QVERIFY2(!QFile::exists(marker), "the command text ran a command of its own");
}

void TestRootCommand::methodFromText()
{
    RootCommand::Method method = RootCommand::Sudo;
    QVERIFY(RootCommand::methodFromText(QStringLiteral("su"), &method));
    QCOMPARE(method, RootCommand::Su);
    QVERIFY(RootCommand::methodFromText(QStringLiteral("sudo"), &method));
    QCOMPARE(method, RootCommand::Sudo);
    QVERIFY(!RootCommand::methodFromText(QStringLiteral("Sudo"), &method));
    QVERIFY(!RootCommand::methodFromText(QStringLiteral("su -"), &method));
}

void TestRootCommand::run_data()
{
    QTest::addColumn<int>("method");
    QTest::addColumn<QString>("end");
    QTest::addColumn<bool>("success");
    for (int method : {int(RootCommand::Sudo), int(RootCommand::Su)}) {
        const QByteArray name = RootCommand::program(RootCommand::Method(method)).toLatin1();
        QTest::newRow(name + " exit 0") << method << QStringLiteral("0") << true;
        QTest::newRow(name + " exit 1") << method << QStringLiteral("1") << false;
        QTest::newRow(name + " exit 255") << method << QStringLiteral("255") << false;
        QTest::newRow(name + " killed") << method << QStringLiteral("signal") << false;
    }
}

// The stand-in reads its input up to end of file, so a run that did not
// close the input would hit the time limit instead of ending. It also
// records its session, which it must lead: then it has no controlling
// terminal to ask for a password on.
void TestRootCommand::run()
{
    QFETCH(int, method);
    QFETCH(QString, end);
    QFETCH(bool, success);
    qputenv("FAKE_DIR", tmp.path().toUtf8());
    qputenv("FAKE_END", end.toUtf8());
    const QString queue = QStringLiteral("x$(touch %1)").arg(tmp.filePath(QStringLiteral("pwned-run")));
    const QStringList items{QStringLiteral("Option17=True"), QStringLiteral("Option19=Tray3")};

    RootCommand command;
    command.setProgramOverride(recorder);
    command.setTimeout(20000);
    QCOMPARE(command.run(RootCommand::Method(method), hostilePassword.toUtf8(), queue, items), success);
    QVERIFY(!command.timedOut());

    QFile argv(tmp.filePath(QStringLiteral("argv")));
    QVERIFY(argv.open(QIODevice::ReadOnly));
    const QStringList received = splitNul(argv.readAll());
    QCOMPARE(received, RootCommand::arguments(RootCommand::Method(method), queue, items));
    for (const QString &arg : received)
        QVERIFY2(!arg.contains(hostilePassword), "the password is in the argument vector");

    QFile input(tmp.filePath(QStringLiteral("stdin")));
    QVERIFY(input.open(QIODevice::ReadOnly));
    QCOMPARE(input.readAll(), hostilePassword.toUtf8() + '\n');
    // The program leads a session of its own (no controlling terminal).
    QFile session(tmp.filePath(QStringLiteral("session")));
    QVERIFY(session.open(QIODevice::ReadOnly));
    const QList<QByteArray> ids = session.readAll().trimmed().split(' ');
    QCOMPARE(ids.size(), 2);
    QCOMPARE(ids.at(1), ids.at(0));
    // Normal output is discarded; error output is kept (never shown).
    QCOMPARE(command.errorOutput(), QByteArray("error-output\n"));
    QVERIFY(!QFile::exists(tmp.filePath(QStringLiteral("pwned-run"))));
}

void TestRootCommand::hangingProgramIsKilled()
{
    const QString pidFile = tmp.filePath(QStringLiteral("hang.pid"));
    const QString hanger = writeFake(QStringLiteral("hanger"),
                                     QStringLiteral("echo $$ > '%1'\nexec sleep 600\n").arg(pidFile));
    RootCommand command;
    command.setProgramOverride(hanger);
    command.setTimeout(1500);
    QVERIFY(!command.run(RootCommand::Sudo, "pw", QStringLiteral("J1"), {QStringLiteral("Option17=True")}));
    QVERIFY(command.timedOut());
    QFile pid(pidFile);
    QVERIFY(pid.open(QIODevice::ReadOnly));
    const QByteArray procDir = "/proc/" + pid.readAll().trimmed();
    QVERIFY2(!QFile::exists(QString::fromLatin1(procDir)), "the hanging program still runs");
}

void TestRootCommand::missingProgramFails()
{
    RootCommand command;
    command.setProgramOverride(tmp.filePath(QStringLiteral("no-such-program")));
    QVERIFY(!command.run(RootCommand::Su, "pw", QStringLiteral("J1"), {QStringLiteral("Option17=True")}));
    QVERIFY(!command.timedOut());
}

// Each attempt, successful or not, is framed by "sudo -k", so that no
// cached credentials are ever reused; the stand-ins log to one file in
// the order they run.
void TestRootCommand::promptForgetsSudoCredentialsAroundEachAttempt()
{
    const QString log = tmp.filePath(QStringLiteral("order.log"));
    QFile::remove(log);
    const QString binDir = tmp.filePath(QStringLiteral("fake-sudo"));
    QVERIFY(QDir().mkpath(binDir));
    QVERIFY(!writeFake(QStringLiteral("fake-sudo/sudo"),
                       QStringLiteral("echo \"sudo $*\" >> '%1'\n").arg(log)).isEmpty());
    const QString writer = writeFake(QStringLiteral("order-writer"),
                                     QStringLiteral("cat > /dev/null\necho \"run $1\" >> '%1'\nexit $FAKE_END\n").arg(log));

    EnvOverride path;
    path.set("PATH", QFile::encodeName(binDir) + ':' + qgetenv("PATH"));
    auto *model = new OptionModel;
    model->setPrinterName(QStringLiteral("J1"));
    setCurrentModel(model);

    // A failed attempt shows its message box; close it when it comes.
    QStringList messages;
    QTimer closer;
    closer.setInterval(20);
    connect(&closer, &QTimer::timeout, this, [&]() {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            messages << box->objectName() + QLatin1Char(':') + box->text();
            box->accept();
        }
    });
    closer.start();
    for (const char *end : {"0", "1"}) {
        qputenv("FAKE_END", end);
        PasswordPrompt prompt(nullptr, QStringList{QStringLiteral("Option17=True")});
        prompt.rootCommand().setProgramOverride(writer);
        prompt.findChild<QLineEdit *>()->setText(QStringLiteral("pw"));
        prompt.show();
        prompt.findChild<QPushButton *>()->click();
        QCOMPARE(prompt.authorized(), qstrcmp(end, "0") == 0);
        QVERIFY(!prompt.isVisible());
    }
    closer.stop();
    setCurrentModel(nullptr);

    QFile order(log);
    QVERIFY(order.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(order.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts),
             (QStringList{QStringLiteral("sudo -k"), QStringLiteral("run -S"), QStringLiteral("sudo -k"),
                          QStringLiteral("sudo -k"), QStringLiteral("run -S"), QStringLiteral("sudo -k")}));
    QCOMPARE(messages, QStringList{QStringLiteral("msgCouldNotAuthorize:Could not authorize.")});
}

QTEST_MAIN(TestRootCommand)
#include "tst_rootcommand.moc"
