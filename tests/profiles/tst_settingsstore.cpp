#include "profiles/SettingsStore.h"

#include "../model/TestPpd.h"
#include "model/ProcessState.h"
#include "support/TestUserDir.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <memory>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Makes a model from a fixture PPD the current model; an empty name clears it.
void useModel(const QString &ppdName)
{
    if (ppdName.isEmpty()) {
        setCurrentModel(nullptr);
        return;
    }
    const TestPpd ppd = TestPpd::fromFixture(ppdName);
    QVERIFY2(ppd.ppd(), qPrintable(ppdName));
    setCurrentModel(ppd.load());
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<unreadable>");
    return file.readAll();
}

void writeRaw(const QString &path, const QByteArray &content)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    QCOMPARE(file.write(content), qint64(content.size()));
}

QStringList sortedLines(const QByteArray &content)
{
    QStringList lines = QString::fromUtf8(content).split(QLatin1Char('\n'));
    std::sort(lines.begin(), lines.end());
    return lines;
}

QStringList entries(const QString &directory)
{
    return QDir(directory).entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                         | QDir::NoDotAndDotDot,
                                     QDir::Name);
}

// Limits the size of files this process may write (like a full disk);
// writes past the limit fail with EFBIG instead of raising SIGXFSZ.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_previous);
        rlimit limit = m_previous;
        limit.rlim_cur = bytes;
        m_active = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_previous);
        std::signal(SIGXFSZ, m_previousHandler);
    }
    bool active() const { return m_active; }

private:
    rlimit m_previous{};
    void (*m_previousHandler)(int) = nullptr;
    bool m_active = false;
};

} // namespace

class tst_SettingsStore : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void printerFileFormat_data();
    void printerFileFormat();
    void duplicateKeyWrittenTwiceExtraFirst();
    void storedValue_data();
    void storedValue();
    void backslashes_data();
    void backslashes();
    void longLineReadInTwoParts();
    void lineBreaksInValuesCannotForgeEntries();
    void profileHeaderAndKeys();
    void profileKeysOfHandWrittenFiles_data();
    void profileKeysOfHandWrittenFiles();
    void refreshResetsChangedDefaults();
    void refreshCopiesProfileUnchanged();
    void refreshOfMissingFileCreatesNothing();

    void failedWriteKeepsPreviousFile_data();
    void failedWriteKeepsPreviousFile();
    void readOnlyDirectoryKeepsPreviousFile();
    void writeIntoVanishedDirectoryFails();

    void userDirectoryCreatedLevelByLevel();
    void refusedUserDirectory_data();
    void refusedUserDirectory();
    void symlinkedUserDirectoryIsNeverUsed();

    void consentFile();
    void testUserDirRemovesLinksNotTargets();

private:
    std::unique_ptr<TestUserDir> m_user;
};

void tst_SettingsStore::init()
{
    m_user.reset(new TestUserDir);
    currentSettingsFile.clear();
}

void tst_SettingsStore::cleanup()
{
    setCurrentModel(nullptr);
    currentSettingsFile.clear();
    m_user.reset();
}

void tst_SettingsStore::printerFileFormat_data()
{
    QTest::addColumn<QString>("ppd");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("model with defaults")
        << QStringLiteral("store-defaults.ppd")
        << QStringList{QString(), QStringLiteral("CustomJobName=Report"),
                       QStringLiteral("Duplex=DuplexNoTumble;None"),
                       QStringLiteral("PageSize=A5;A4")};
    QTest::newRow("no model") << QString()
                              << QStringList{QString(), QStringLiteral("CustomJobName=Report"),
                                             QStringLiteral("Duplex=DuplexNoTumble"),
                                             QStringLiteral("PageSize=A5")};
}

void tst_SettingsStore::printerFileFormat()
{
    QFETCH(QString, ppd);
    QFETCH(QStringList, lines);
    useModel(ppd);
    OptionValueMap map;
    map.insert(QStringLiteral("Duplex"), QStringLiteral("DuplexNoTumble"));
    map.insert(QStringLiteral("PageSize"), QStringLiteral("A5"));
    map.insert(QStringLiteral("CustomJobName"), QStringLiteral("Report"));

    QVERIFY(!SettingsStore::printerSettingsFileExists(QStringLiteral("Office")));
    const QString path = SettingsStore::printerSettingsFilePath(QStringLiteral("Office"));
    QCOMPARE(path, m_user->filePath(QStringLiteral("Office.cfg")));
    QVERIFY(SettingsStore::writePrinterSettingsFile(path, map));

    const QByteArray content = readFile(path);
    QVERIFY(content.endsWith('\n'));
    QCOMPARE(sortedLines(content), lines);
    QVERIFY(SettingsStore::printerSettingsFileExists(QStringLiteral("Office")));
    QVERIFY(!SettingsStore::printerSettingsFileExists(QStringLiteral("Office2")));
    // Written in place of the old file, with nothing left beside it.
    map.replace(QStringLiteral("PageSize"), QStringLiteral("A4"));
    QVERIFY(SettingsStore::writePrinterSettingsFile(path, map));
    QVERIFY(readFile(path).contains("PageSize=A4"));
    QCOMPARE(entries(m_user->path()), QStringList{QStringLiteral("Office.cfg")});
}

void tst_SettingsStore::duplicateKeyWrittenTwiceExtraFirst()
{
    OptionValueMap map;
    map.insert(QStringLiteral("CustomWatermarkStore"), QStringLiteral("Draft=1 2 3 4 5 6 7"));
    map.insert(QStringLiteral("CustomWatermarkStore"), QStringLiteral("Copy=7 6 5 4 3 2 1"));
    const QString path = m_user->filePath(QStringLiteral("Q.cfg"));
    QVERIFY(SettingsStore::writePrinterSettingsFile(path, map));
    QCOMPARE(readFile(path), QByteArray("CustomWatermarkStore=Copy=7 6 5 4 3 2 1\n"
                                        "CustomWatermarkStore=Draft=1 2 3 4 5 6 7\n"));
    currentSettingsFile = path;
    QCOMPARE(SettingsStore::readStoredValues(QStringLiteral("CustomWatermarkStore")),
             (QStringList{QStringLiteral("Copy=7 6 5 4 3 2 1"),
                          QStringLiteral("Draft=1 2 3 4 5 6 7")}));
    QCOMPARE(SettingsStore::readStoredValue(QStringLiteral("CustomWatermarkStore")),
             QStringLiteral("Copy=7 6 5 4 3 2 1"));
}

void tst_SettingsStore::storedValue_data()
{
    QTest::addColumn<QString>("ppd");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    const QByteArray duplexLine("PageSize=A5;A4\nDuplex=DuplexNoTumble;None\n");
    QTest::newRow("PPD default changed: new default wins")
        << QStringLiteral("store-defaults-changed.ppd") << duplexLine << QStringLiteral("Duplex")
        << QStringLiteral("DuplexTumble");
    QTest::newRow("PPD default unchanged: stored value")
        << QStringLiteral("store-defaults.ppd") << duplexLine << QStringLiteral("Duplex")
        << QStringLiteral("DuplexNoTumble");
    QTest::newRow("no recorded default: stored value")
        << QStringLiteral("store-defaults-changed.ppd") << QByteArray("Duplex=DuplexNoTumble\n")
        << QStringLiteral("Duplex") << QStringLiteral("DuplexNoTumble");
    QTest::newRow("no model: the whole raw value")
        << QString() << duplexLine << QStringLiteral("Duplex")
        << QStringLiteral("DuplexNoTumble;None");
    QTest::newRow("key without PPD default keeps its ';'")
        << QStringLiteral("store-defaults.ppd") << QByteArray("CustomJobName=a;b\n")
        << QStringLiteral("CustomJobName") << QStringLiteral("a;b");
    QTest::newRow("first line of the key wins")
        << QString() << QByteArray("cX=one\ncX=two\n") << QStringLiteral("cX")
        << QStringLiteral("one");
    QTest::newRow("key is case-sensitive")
        << QString() << QByteArray("duplex=None\n") << QStringLiteral("Duplex") << QString();
    QTest::newRow("value after the first '='")
        << QString() << QByteArray("JmAccount=a=b\n") << QStringLiteral("JmAccount")
        << QStringLiteral("a=b");
    QTest::newRow("empty value is null")
        << QString() << QByteArray("cX=\n") << QStringLiteral("cX") << QString();
    QTest::newRow("line without '=' is all key")
        << QString() << QByteArray("cX\n") << QStringLiteral("cX") << QString();
    QTest::newRow("absent key is null")
        << QStringLiteral("store-defaults.ppd") << duplexLine << QStringLiteral("Wtxt") << QString();
    QTest::newRow("UTF-8 value") << QString() << QByteArray("CustomJobName=Gr\xc3\xbc\xc3\x9f" "e\n")
                                 << QStringLiteral("CustomJobName") << QStringLiteral("Grüße");
}

void tst_SettingsStore::storedValue()
{
    QFETCH(QString, ppd);
    QFETCH(QByteArray, content);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    useModel(ppd);
    QVERIFY(SettingsStore::makeUserDirectory());
    currentSettingsFile = m_user->filePath(QStringLiteral("Q.cfg"));
    writeRaw(currentSettingsFile, content);

    const QString value = SettingsStore::readStoredValue(key);
    QCOMPARE(value, expected);
    QCOMPARE(value.isNull(), expected.isNull());
}

void tst_SettingsStore::backslashes_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("readBack");
    const QString value = QStringLiteral("C:\\job\\\\name");
    for (const char *key : {"CustomJobName", "CustomWatermarkStore", "CustomWatermarkSet"}) {
        QTest::newRow(key) << QString::fromLatin1(key) << value
                           << QByteArray(key) + "=C:\\\\job\\\\\\\\name\n" << value;
    }
    // Other keys are stored as they are, and one backslash of each pair is
    // still taken away on reading.
    QTest::newRow("other key") << QStringLiteral("cOther") << value
                               << QByteArray("cOther=C:\\job\\\\name\n")
                               << QStringLiteral("C:\\job\\name");
}

void tst_SettingsStore::backslashes()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, line);
    QFETCH(QString, readBack);
    useModel(QStringLiteral("store-defaults.ppd"));
    OptionValueMap map;
    map.insert(key, value);
    const QString path = m_user->filePath(QStringLiteral("Q.cfg"));
    QVERIFY(SettingsStore::writePrinterSettingsFile(path, map));
    QCOMPARE(readFile(path), line);
    currentSettingsFile = path;
    QCOMPARE(SettingsStore::readStoredValue(key), readBack);
    // The profile writer escapes the same way.
    QVERIFY(SettingsStore::writeProfileFile(path, map, QStringLiteral("d")));
    QVERIFY(readFile(path).endsWith(line));
    QCOMPARE(SettingsStore::readStoredValue(key), readBack);
}

void tst_SettingsStore::longLineReadInTwoParts()
{
    QVERIFY(SettingsStore::makeUserDirectory());
    // 1500 characters: "cLong=" and 1494 characters of value.
    const QByteArray head = "cLong=" + QByteArray(1018, 'a');
    const QByteArray tail = QByteArray(476, 'b');
    const QByteArray content = head + tail + "\nDuplex=None\n";
    currentSettingsFile = m_user->filePath(QStringLiteral("Q.cfg"));
    writeRaw(currentSettingsFile, content);

    QCOMPARE(SettingsStore::readStoredValue(QStringLiteral("cLong")),
             QString::fromLatin1(QByteArray(1018, 'a')));
    // The rest is a line of its own: all key, no value.
    QCOMPARE(SettingsStore::readStoredValues(QString::fromLatin1(tail)), QStringList{QString()});
    QCOMPARE(SettingsStore::readStoredValue(QStringLiteral("Duplex")), QStringLiteral("None"));

    // Cancel never splits the long line.
    useModel(QStringLiteral("store-defaults-changed.ppd"));
    SettingsStore::refreshRecordedDefaults(currentSettingsFile);
    QCOMPARE(readFile(currentSettingsFile), content);
}

void tst_SettingsStore::lineBreaksInValuesCannotForgeEntries()
{
    OptionValueMap map;
    map.insert(QStringLiteral("CustomJobName"), QStringLiteral("evil\nDuplex=DuplexTumble"));
    const QString path = m_user->filePath(QStringLiteral("Q.cfg"));
    QVERIFY(SettingsStore::writeProfileFile(path, map, QStringLiteral("one\r\nPageSize=A5")));
    currentSettingsFile = path;
    QCOMPARE(SettingsStore::readStoredValue(QStringLiteral("Duplex")), QString());
    QCOMPARE(SettingsStore::readStoredValue(QStringLiteral("PageSize")), QString());
    QCOMPARE(SettingsStore::readStoredValue(QStringLiteral("CustomJobName")),
             QStringLiteral("evil Duplex=DuplexTumble"));
    QCOMPARE(readFile(path).count('\n'), 4);
}

void tst_SettingsStore::profileHeaderAndKeys()
{
    useModel(QStringLiteral("store-defaults.ppd"));
    OptionValueMap map;
    map.insert(QStringLiteral("Duplex"), QStringLiteral("DuplexTumble"));
    map.insert(QStringLiteral("PageSize"), QStringLiteral("A5"));
    const QString path = m_user->filePath(QStringLiteral("Draft copies.cfg"));
    QVERIFY(SettingsStore::writeProfileFile(path, map, QStringLiteral("Office; two-sided")));

    const QStringList lines = QString::fromUtf8(readFile(path)).split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 6);
    QCOMPARE(lines.mid(0, 3), (QStringList{QStringLiteral("[Profile]"),
                                           QStringLiteral("[Jorvane VELD S100]"),
                                           QStringLiteral("ProfileDescription=Office; two-sided")}));
    // Profile entries never carry a recorded default.
    QStringList entriesOnly = lines.mid(3);
    std::sort(entriesOnly.begin(), entriesOnly.end());
    QCOMPARE(entriesOnly, (QStringList{QString(), QStringLiteral("Duplex=DuplexTumble"),
                                       QStringLiteral("PageSize=A5")}));

    QStringList keys = SettingsStore::readProfileKeys(path);
    QCOMPARE(keys.mid(0, 2),
             (QStringList{QStringLiteral("[Profile]"), QStringLiteral("ProfileDescription")}));
    std::sort(keys.begin(), keys.end());
    QCOMPARE(keys, (QStringList{QStringLiteral("Duplex"), QStringLiteral("PageSize"),
                                QStringLiteral("ProfileDescription"),
                                QStringLiteral("[Profile]")}));

    // A printer settings file has no header.
    const QString printerPath = m_user->filePath(QStringLiteral("Office.cfg"));
    QVERIFY(SettingsStore::writePrinterSettingsFile(printerPath, map));
    QVERIFY(!SettingsStore::readProfileKeys(printerPath).contains(QStringLiteral("[Profile]")));
}

void tst_SettingsStore::profileKeysOfHandWrittenFiles_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("keys");
    QTest::newRow("profile") << QByteArray("[Profile]\n[M]\nProfileDescription=x\nDuplex=None\n")
                             << QStringList{QStringLiteral("[Profile]"),
                                            QStringLiteral("ProfileDescription"),
                                            QStringLiteral("Duplex")};
    QTest::newRow("two '=' give nothing")
        << QByteArray("JmA=1=2\nB=\n=C\n")
        << QStringList{QStringLiteral("B"), QString()};
    QTest::newRow("[Profile] inside a line is taken whole")
        << QByteArray("x[Profile]y=1\n")
        << QStringList{QStringLiteral("x[Profile]y=1")};
    QTest::newRow("empty file") << QByteArray() << QStringList();
}

void tst_SettingsStore::profileKeysOfHandWrittenFiles()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, keys);
    QVERIFY(SettingsStore::makeUserDirectory());
    const QString path = m_user->filePath(QStringLiteral("P.cfg"));
    writeRaw(path, content);
    QCOMPARE(SettingsStore::readProfileKeys(path), keys);
    QCOMPARE(SettingsStore::readProfileKeys(m_user->filePath(QStringLiteral("none.cfg"))),
             QStringList());
}

void tst_SettingsStore::refreshResetsChangedDefaults()
{
    useModel(QStringLiteral("store-defaults.ppd"));
    OptionValueMap map;
    map.insert(QStringLiteral("Duplex"), QStringLiteral("DuplexNoTumble"));
    map.insert(QStringLiteral("PageSize"), QStringLiteral("A5"));
    map.insert(QStringLiteral("CustomJobName"), QStringLiteral("a;b"));
    const QString path = m_user->filePath(QStringLiteral("Office.cfg"));
    QVERIFY(SettingsStore::writePrinterSettingsFile(path, map));

    useModel(QStringLiteral("store-defaults-changed.ppd"));
    SettingsStore::refreshRecordedDefaults(path);
    QCOMPARE(sortedLines(readFile(path)),
             (QStringList{QString(), QStringLiteral("CustomJobName=a;b"),
                          QStringLiteral("Duplex=DuplexTumble;DuplexTumble"),
                          QStringLiteral("PageSize=A5;A4")}));
    currentSettingsFile = path;
    QCOMPARE(SettingsStore::readStoredValue(QStringLiteral("Duplex")),
             QStringLiteral("DuplexTumble"));
    QCOMPARE(SettingsStore::readStoredValue(QStringLiteral("PageSize")), QStringLiteral("A5"));
    QCOMPARE(entries(m_user->path()), QStringList{QStringLiteral("Office.cfg")});
}

void tst_SettingsStore::refreshCopiesProfileUnchanged()
{
    useModel(QStringLiteral("store-defaults.ppd"));
    OptionValueMap map;
    map.insert(QStringLiteral("Duplex"), QStringLiteral("DuplexNoTumble"));
    map.insert(QStringLiteral("CustomWatermarkSet"), QStringLiteral("Do;not;copy"));
    const QString path = m_user->filePath(QStringLiteral("Mine.cfg"));
    QVERIFY(SettingsStore::writeProfileFile(path, map, QStringLiteral("Mine; for drafts")));
    const QByteArray before = readFile(path);

    useModel(QStringLiteral("store-defaults-changed.ppd"));
    SettingsStore::refreshRecordedDefaults(path);
    QCOMPARE(readFile(path), before);
    QCOMPARE(entries(m_user->path()), QStringList{QStringLiteral("Mine.cfg")});
}

void tst_SettingsStore::refreshOfMissingFileCreatesNothing()
{
    useModel(QStringLiteral("store-defaults.ppd"));
    QVERIFY(SettingsStore::makeUserDirectory());
    SettingsStore::refreshRecordedDefaults(m_user->filePath(QStringLiteral("Gone.cfg")));
    QCOMPARE(entries(m_user->path()), QStringList());
}

void tst_SettingsStore::failedWriteKeepsPreviousFile_data()
{
    QTest::addColumn<QString>("operation");
    QTest::newRow("printer settings file") << QStringLiteral("printer");
    QTest::newRow("profile file") << QStringLiteral("profile");
    QTest::newRow("refresh on Cancel") << QStringLiteral("refresh");
    QTest::newRow("consent file") << QStringLiteral("consent");
}

void tst_SettingsStore::failedWriteKeepsPreviousFile()
{
    QFETCH(QString, operation);
    useModel(QStringLiteral("store-defaults.ppd"));
    const bool consent = operation == QLatin1String("consent");
    const QString path = consent ? SettingsStore::consentFilePath()
                                 : m_user->filePath(QStringLiteral("Office.cfg"));
    const QString fileName = QFileInfo(path).fileName();

    // The previous content: for the refresh a file it has to rewrite.
    OptionValueMap old;
    old.insert(QStringLiteral("Duplex"), QStringLiteral("DuplexNoTumble"));
    old.insert(QStringLiteral("CustomJobName"), QString(3000, QLatin1Char('j')));
    if (consent)
        QVERIFY(SettingsStore::writeConsent(false));
    else
        QVERIFY(SettingsStore::writePrinterSettingsFile(path, old));
    const QByteArray before = readFile(path);
    if (operation == QLatin1String("refresh"))
        useModel(QStringLiteral("store-defaults-changed.ppd"));

    OptionValueMap big;
    big.insert(QStringLiteral("CustomJobName"), QString(8000, QLatin1Char('n')));
    {
        // No room for more than a few bytes: as if the disk were full.
        FileSizeLimit limit(8);
        QVERIFY(limit.active());
        if (operation == QLatin1String("printer"))
            QVERIFY(!SettingsStore::writePrinterSettingsFile(path, big));
        else if (operation == QLatin1String("profile"))
            QVERIFY(!SettingsStore::writeProfileFile(path, big, QStringLiteral("big")));
        else if (operation == QLatin1String("refresh"))
            SettingsStore::refreshRecordedDefaults(path);
        else
            QVERIFY(!SettingsStore::writeConsent(true));
    }
    QCOMPARE(readFile(path), before);
    QCOMPARE(entries(m_user->path()), QStringList{fileName});
}

void tst_SettingsStore::readOnlyDirectoryKeepsPreviousFile()
{
    if (geteuid() == 0)
        QSKIP("permission bits do not stop root; the file size limit case covers failed writes");
    OptionValueMap map;
    map.insert(QStringLiteral("Duplex"), QStringLiteral("None"));
    const QString path = m_user->filePath(QStringLiteral("Office.cfg"));
    QVERIFY(SettingsStore::writePrinterSettingsFile(path, map));
    const QByteArray before = readFile(path);
    QVERIFY(QFile::setPermissions(m_user->path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    map.replace(QStringLiteral("Duplex"), QStringLiteral("DuplexTumble"));
    const bool written = SettingsStore::writePrinterSettingsFile(path, map);
    QFile::setPermissions(m_user->path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                               | QFileDevice::ExeOwner);
    QVERIFY(!written);
    QCOMPARE(readFile(path), before);
    QCOMPARE(entries(m_user->path()), QStringList{QStringLiteral("Office.cfg")});
}

void tst_SettingsStore::writeIntoVanishedDirectoryFails()
{
    QString path;
    {
        QTemporaryDir gone;
        QVERIFY(gone.isValid());
        path = gone.filePath(QStringLiteral("Office.cfg"));
    }
    OptionValueMap map;
    map.insert(QStringLiteral("Duplex"), QStringLiteral("None"));
    QVERIFY(!SettingsStore::writePrinterSettingsFile(path, map));
    QVERIFY(!SettingsStore::writeProfileFile(path, map, QString()));
    QVERIFY(!QFileInfo::exists(QFileInfo(path).absolutePath()));
}

void tst_SettingsStore::userDirectoryCreatedLevelByLevel()
{
    // "<name>/inner": the level-by-level writer creates both, the one-level
    // variant (consent) only when the parent exists.
    qputenv("USER", (m_user->userName() + QStringLiteral("/inner")).toLocal8Bit());
    const QString inner = computeUserDirectory();
    QCOMPARE(inner, m_user->path() + QStringLiteral("inner/"));
    QVERIFY(!SettingsStore::userDirectoryIsSafe());
    QVERIFY(!SettingsStore::makeUserDirectoryLevel());
    QVERIFY(!QFileInfo::exists(m_user->path()));
    QVERIFY(!SettingsStore::writeConsent(true));

    QVERIFY(SettingsStore::makeUserDirectory());
    QVERIFY(SettingsStore::userDirectoryIsSafe());
    for (const QString &level : {m_user->path(), inner}) {
        struct stat st;
        QCOMPARE(lstat(QFile::encodeName(level).constData(), &st), 0);
        QVERIFY(S_ISDIR(st.st_mode));
        QCOMPARE(st.st_uid, geteuid());
    }
    QVERIFY(SettingsStore::makeUserDirectory());
    QVERIFY(SettingsStore::writeConsent(true));
    QCOMPARE(readFile(inner + QStringLiteral("Settings")), QByteArray("Telemetry=True\n"));
}

void tst_SettingsStore::refusedUserDirectory_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("symbolic link to another directory") << QStringLiteral("symlink");
    QTest::newRow("symbolic link on an inner level") << QStringLiteral("inner-symlink");
    QTest::newRow("directory of another user") << QStringLiteral("foreign");
    QTest::newRow("shared parent (empty USER)") << QStringLiteral("parent");
    QTest::newRow("regular file") << QStringLiteral("file");
}

void tst_SettingsStore::refusedUserDirectory()
{
    QFETCH(QString, kind);
    QTemporaryDir elsewhere;
    QVERIFY(elsewhere.isValid());
    const QByteArray userPath = QFile::encodeName(m_user->path().chopped(1));

    if (kind == QLatin1String("symlink")) {
        QCOMPARE(symlink(QFile::encodeName(elsewhere.path()).constData(), userPath.constData()), 0);
    } else if (kind == QLatin1String("inner-symlink")) {
        QCOMPARE(symlink(QFile::encodeName(elsewhere.path()).constData(), userPath.constData()), 0);
        qputenv("USER", (m_user->userName() + QStringLiteral("/inner")).toLocal8Bit());
        computeUserDirectory();
    } else if (kind == QLatin1String("foreign")) {
        if (geteuid() != 0)
            QSKIP("only root can make a directory that another user owns");
        QCOMPARE(mkdir(userPath.constData(), 0775), 0);
        QCOMPARE(chown(userPath.constData(), 65534, 65534), 0);
    } else if (kind == QLatin1String("parent")) {
        // The per-user directory of an empty user name is the parent that
        // everybody may write into (and root owns).
        qputenv("USER", QByteArray());
        QCOMPARE(computeUserDirectory(), QStringLiteral("/usr/share/jorvane//"));
    } else {
        writeRaw(m_user->path().chopped(1), QByteArray("not a directory"));
    }

    QVERIFY(!SettingsStore::makeUserDirectory());
    QVERIFY(!SettingsStore::makeUserDirectoryLevel());
    QVERIFY(!SettingsStore::userDirectoryIsSafe());
    OptionValueMap map;
    map.insert(QStringLiteral("Duplex"), QStringLiteral("None"));
    QVERIFY(!SettingsStore::writePrinterSettingsFile(
        SettingsStore::printerSettingsFilePath(QStringLiteral("Q")), map));
    QVERIFY(!SettingsStore::writeProfileFile(userDirectory + QStringLiteral("P.cfg"), map,
                                             QStringLiteral("d")));
    QVERIFY(!SettingsStore::writeConsent(true));

    QCOMPARE(entries(elsewhere.path()), QStringList());
    for (const char *name : {"Q.cfg", "P.cfg", "Settings"})
        QVERIFY2(!QFileInfo::exists(userDirectory + QLatin1String(name)), name);
    if (kind == QLatin1String("foreign"))
        QCOMPARE(entries(m_user->path()), QStringList());
}

void tst_SettingsStore::symlinkedUserDirectoryIsNeverUsed()
{
    // Files planted in the directory a link points to are not read either.
    QTemporaryDir elsewhere;
    QVERIFY(elsewhere.isValid());
    const QByteArray planted("Duplex=DuplexTumble\n[Profile]\nDuplex=None;X\n");
    writeRaw(elsewhere.filePath(QStringLiteral("Q.cfg")), planted);
    writeRaw(elsewhere.filePath(QStringLiteral("Settings")), QByteArray("Telemetry=False\n"));
    QCOMPARE(symlink(QFile::encodeName(elsewhere.path()).constData(),
                     QFile::encodeName(m_user->path().chopped(1)).constData()),
             0);

    useModel(QStringLiteral("store-defaults.ppd"));
    const QString path = SettingsStore::printerSettingsFilePath(QStringLiteral("Q"));
    QVERIFY(!SettingsStore::printerSettingsFileExists(QStringLiteral("Q")));
    currentSettingsFile = path;
    QCOMPARE(SettingsStore::readStoredValue(QStringLiteral("Duplex")), QString());
    QCOMPARE(SettingsStore::readStoredValues(QStringLiteral("Duplex")), QStringList());
    QCOMPARE(SettingsStore::readProfileKeys(path), QStringList());
    SettingsStore::refreshRecordedDefaults(path);
    QCOMPARE(readFile(elsewhere.filePath(QStringLiteral("Q.cfg"))), planted);
    QVERIFY(!SettingsStore::consentFileExists());
    QVERIFY(SettingsStore::readConsent());
    QCOMPARE(entries(elsewhere.path()),
             (QStringList{QStringLiteral("Q.cfg"), QStringLiteral("Settings")}));
}

void tst_SettingsStore::consentFile()
{
    QVERIFY(!SettingsStore::consentFileExists());
    QVERIFY(SettingsStore::readConsent());
    QCOMPARE(SettingsStore::consentFilePath(), m_user->filePath(QStringLiteral("Settings")));

    QVERIFY(SettingsStore::writeConsent(false));
    QVERIFY(SettingsStore::consentFileExists());
    QCOMPARE(readFile(SettingsStore::consentFilePath()), QByteArray("Telemetry=False\n"));
    QVERIFY(!SettingsStore::readConsent());
    // The shorter line replaces the longer one whole.
    QVERIFY(SettingsStore::writeConsent(true));
    QCOMPARE(readFile(SettingsStore::consentFilePath()), QByteArray("Telemetry=True\n"));
    QVERIFY(SettingsStore::readConsent());
    QCOMPARE(entries(m_user->path()), QStringList{QStringLiteral("Settings")});
}

void tst_SettingsStore::testUserDirRemovesLinksNotTargets()
{
    QTemporaryDir elsewhere;
    QVERIFY(elsewhere.isValid());
    writeRaw(elsewhere.filePath(QStringLiteral("keep.txt")), QByteArray("keep"));
    QVERIFY(SettingsStore::makeUserDirectory());
    QVERIFY(QDir().mkpath(m_user->filePath(QStringLiteral("sub/deeper"))));
    writeRaw(m_user->filePath(QStringLiteral("sub/deeper/file")), QByteArray("x"));
    QCOMPARE(symlink(QFile::encodeName(elsewhere.path()).constData(),
                     QFile::encodeName(m_user->filePath(QStringLiteral("sub/link"))).constData()),
             0);
    QVERIFY(QFile::setPermissions(m_user->filePath(QStringLiteral("sub")),
                                  QFileDevice::ReadOwner | QFileDevice::ExeOwner));

    QVERIFY(TestUserDir::removeTree(m_user->path()));
    QVERIFY(!QFileInfo::exists(m_user->path()));
    QCOMPARE(readFile(elsewhere.filePath(QStringLiteral("keep.txt"))), QByteArray("keep"));
}

QTEST_APPLESS_MAIN(tst_SettingsStore)
#include "tst_settingsstore.moc"
