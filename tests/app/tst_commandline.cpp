// The consent switch of the real printdeck binary, run as a child process
// with a fresh USER: which argument lists write which line, what is left
// untouched, and that the process ends (status 0) without a window.
#include "support/TestUserDir.h"

#include <QDir>
#include <QProcess>
#include <QtTest>

#include <sys/stat.h>

namespace {

const char *const kAbsent = "<absent>";

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray(kAbsent);
}

} // namespace

class TestCommandLine : public QObject {
    Q_OBJECT

private slots:
    void telemetrySwitch_data();
    void telemetrySwitch();
    void userDirectoryIsCreatedOneLevelOnly();

private:
    int runPrintdeck(const QStringList &arguments, const QString &user, QString *errorOutput = nullptr);
};

int TestCommandLine::runPrintdeck(const QStringList &arguments, const QString &user, QString *errorOutput)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("USER"), user);
    // Should the switch be missed, the panel would start: keep it headless
    // and away from any print system, and let the timeout report it.
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("CUPS_SERVER"), QStringLiteral("localhost:1"));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(PRINTDECK_BINARY_DIR "/printdeck"), arguments);
    if (!process.waitForStarted(10000))
        return -100;
    if (!process.waitForFinished(15000)) {
        process.kill();
        process.waitForFinished();
        return -101;
    }
    if (errorOutput)
        *errorOutput = QString::fromLocal8Bit(process.readAllStandardError());
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -102;
}

void TestCommandLine::telemetrySwitch_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("before");  // kAbsent: no file (and no directory)
    QTest::addColumn<QByteArray>("after");
    QTest::addColumn<bool>("directoryAfter");

    const QByteArray absent(kAbsent);
    const QByteArray yes("Telemetry=True\n");
    const QByteArray no("Telemetry=False\n");

    QTest::newRow("-t true") << QStringList{"-t", "true"} << absent << yes << true;
    QTest::newRow("-t True") << QStringList{"-t", "True"} << absent << yes << true;
    QTest::newRow("--telemetry false") << QStringList{"--telemetry", "false"} << absent << no << true;
    QTest::newRow("--telemetry False") << QStringList{"--telemetry", "False"} << absent << no << true;
    QTest::newRow("true replaces a longer False line") << QStringList{"-t", "true"} << no << yes << true;
    QTest::newRow("false replaces other content")
        << QStringList{"--telemetry", "false"} << QByteArray("Telemetry=True\nstale second line\n") << no << true;
    QTest::newRow("TRUE in capitals writes nothing") << QStringList{"-t", "TRUE"} << absent << absent << true;
    QTest::newRow("unknown value keeps the old line") << QStringList{"-t", "yes"} << no << no << true;
    QTest::newRow("-t last: no directory") << QStringList{"-t"} << absent << absent << false;
    QTest::newRow("--telemetry last: no directory") << QStringList{"--telemetry"} << absent << absent << false;
    QTest::newRow("switch after an unrelated argument")
        << QStringList{"--unrelated", "--telemetry", "false"} << absent << no << true;
    QTest::newRow("switch after toolkit arguments")
        << QStringList{"-platform", "offscreen", "-t", "true"} << absent << yes << true;
    QTest::newRow("only the first switch counts")
        << QStringList{"-t", "true", "--telemetry", "false"} << absent << yes << true;
    QTest::newRow("a switch as the value of the first")
        << QStringList{"-t", "--telemetry", "false"} << absent << absent << true;
}

void TestCommandLine::telemetrySwitch()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    QFETCH(bool, directoryAfter);

    TestUserDir user;
    const QString settings = user.filePath(QStringLiteral("Settings"));
    if (before != kAbsent) {
        QVERIFY(QDir().mkdir(user.path()));
        QFile file(settings);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(before), qint64(before.size()));
    }

    QString errors;
    QCOMPARE(runPrintdeck(arguments, user.userName(), &errors), 0);
    QCOMPARE(readFile(settings), after);
    QCOMPARE(QFileInfo(user.path()).isDir(), directoryAfter);
    // No temporary file is left beside the consent file.
    if (directoryAfter) {
        const QStringList entries = QDir(user.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        QVERIFY2(entries.isEmpty() || entries == QStringList{QStringLiteral("Settings")}, qPrintable(entries.join(' ')));
    }
    QVERIFY2(errors.isEmpty(), qPrintable(errors));
}

void TestCommandLine::userDirectoryIsCreatedOneLevelOnly()
{
    // A user name with a slash would need a second level: nothing is
    // created beyond one level, and the process still ends with status 0.
    TestUserDir user;
    const QString nested = user.userName() + QStringLiteral("/deeper");
    QCOMPARE(runPrintdeck({QStringLiteral("-t"), QStringLiteral("true")}, nested), 0);
    QVERIFY(!QFileInfo::exists(user.path()));
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
