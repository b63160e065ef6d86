// Which queues are listed, their state words, and that queue names never
// reach a shell. Runs against a private cupsd (CupsTestBed).
#include "printing/PrinterDiscovery.h"
#include "support/CupsTestBed.h"
#include "support/EnvOverride.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

#include <memory>

namespace {

QStringList rowNames(const QList<PrinterDiscovery::Row> &rows)
{
    QStringList names;
    for (const PrinterDiscovery::Row &row : rows)
        names.append(row.name);
    return names;
}

// Answers a German word for the status words under the context the
// catalogue tools file them under, and nothing else.
class StatusTranslator : public QTranslator {
public:
    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *source, const char * = nullptr,
                      int = -1) const override
    {
        if (qstrcmp(context, "QObject") != 0)
            return QString();
        if (qstrcmp(source, "Idle") == 0)
            return QStringLiteral("Bereit");
        if (qstrcmp(source, "Paused") == 0)
            return QStringLiteral("Angehalten");
        return QString();
    }
};

}  // namespace

class TestPrinterDiscovery : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void statusWordFor_data();
    void statusWordFor();
    void statusWordIsTranslated();

    void listsOnlyMakerQueuesOfThisBrand();
    void temporaryPpdCopiesAreRemoved();
    void statusOfIdleAndPausedQueues();
    void germanLpstatOutput();
    void batchStatusMatchesSingleStatus();
    void unknownQueueShowsLpstatComplaint();
    void lpstatMissingGivesErrorText();
    void shellCharactersInNamesRunNothing();
    void currentPrinterNamesFollowsChanges();

private:
    CupsTestBed bed;
    QTemporaryDir tmp;
    std::unique_ptr<EnvOverride> env;
};

void TestPrinterDiscovery::initTestCase()
{
    QVERIFY(tmp.isValid());
    // cupsGetPPD hands out its copies in $TMPDIR: a private one shows
    // whether every copy is removed again.
    QVERIFY2(bed.start(), qPrintable(bed.lastError()));
    env = std::make_unique<EnvOverride>();
    env->set("TMPDIR", QFile::encodeName(tmp.path()));

    const QList<QPair<QString, QString>> queues = {
        {"Jorvane_L100", "listing-jorvane.ppd"},
        {"Veld_Z200", "listing-zeveld.ppd"},
        {"WrongMfg", "listing-wrong-mfg.ppd"},
        {"NoDeviceId", "listing-no-deviceid.ppd"},
        {"OtherFilter", "listing-other-filter.ppd"},
        {"LowercaseMaker", "listing-lowercase-maker.ppd"},
        {"Tallix_T10", "listing-other-maker.ppd"},
        {"MultiFilter", "listing-multi-filter.ppd"},
    };
    for (const auto &queue : queues)
        QVERIFY2(bed.addFixtureQueue(queue.first, queue.second), qPrintable(bed.lastError()));
}

void TestPrinterDiscovery::cleanupTestCase()
{
    bed.stop();
    env.reset();
}

void TestPrinterDiscovery::statusWordFor_data()
{
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("expected");

    QTest::newRow("en idle") << "printer J is idle.  enabled since Mon" << "Idle";
    QTest::newRow("en paused") << "printer J disabled since Mon -\tPaused" << "Paused";
    QTest::newRow("en printing") << "printer J now printing J-3.  enabled since Mon" << "Printing";
    QTest::newRow("de idle") << "Drucker J ist im Leerlauf.  Aktiviert seit Mo" << "Idle";
    QTest::newRow("de idle lower") << "Drucker J leerlauf" << "Idle";
    QTest::newRow("de inaktiv") << "Drucker J ist inaktiv" << "Idle";
    QTest::newRow("de paused") << "Drucker J ist deaktiviert seit Mo -" << "Paused";
    QTest::newRow("de printing") << "Drucker J druckt J-3.  Aktiviert seit Mo" << "Printing";
    QTest::newRow("fr idle") << "L'imprimante J est inactive." << "Idle";
    QTest::newRow("fr paused") << QString::fromUtf8("L'imprimante J est d\u00e9sactiv\u00e9e depuis")
                               << "Paused";
    QTest::newRow("fr printing") << "L'imprimante J impression de J-3." << "Printing";
    QTest::newRow("es idle") << "La impresora J est\u00e1 inactiva." << "Idle";
    QTest::newRow("es idle ociosa") << "La impresora J est\u00e1 ociosa." << "Idle";
    QTest::newRow("es printing") << "La impresora J imprimiendo J-3." << "Printing";
    QTest::newRow("it idle") << "La stampante J \u00e8 inattiva." << "Idle";
    QTest::newRow("it idle in attesa") << "La stampante J \u00e8 in attesa." << "Idle";
    QTest::newRow("it paused") << "La stampante J \u00e8 disabilitata da" << "Paused";
    QTest::newRow("it printing") << "La stampante J sta stampando J-3." << "Printing";
    QTest::newRow("pt idle") << "A impressora J est\u00e1 inativa." << "Idle";
    QTest::newRow("pt paused") << "A impressora J est\u00e1 desativada desde" << "Paused";
    QTest::newRow("pt printing") << "A impressora J imprimindo J-3." << "Printing";
    // The blank belongs to the word: "druckt" at the very end is no match.
    QTest::newRow("blank is part of word") << "Drucker J druckt" << "Drucker J druckt";
    // Groups are tried in table order.
    QTest::newRow("idle before paused") << "idle Paused printing" << "Idle";
    QTest::newRow("paused before printing") << "printing Paused" << "Paused";
    // Words are matched case-sensitively.
    QTest::newRow("case sensitive") << "printer J is IDLE" << "printer J is IDLE";
    QTest::newRow("no word") << "lpstat: Unbekanntes Ziel" << "lpstat: Unbekanntes Ziel";
    QTest::newRow("empty") << "" << "";
}

void TestPrinterDiscovery::statusWordFor()
{
    QFETCH(QString, output);
    QFETCH(QString, expected);
    QCOMPARE(PrinterDiscovery::statusWordFor(output), expected);
}

void TestPrinterDiscovery::statusWordIsTranslated()
{
    StatusTranslator translator;
    QCoreApplication::installTranslator(&translator);
    const QString idle = PrinterDiscovery::statusWordFor("printer J is idle.");
    const QString paused = PrinterDiscovery::statusWordFor("printer J disabled -\tPaused");
    QCoreApplication::removeTranslator(&translator);
    QCOMPARE(idle, QStringLiteral("Bereit"));
    QCOMPARE(paused, QStringLiteral("Angehalten"));
}

void TestPrinterDiscovery::listsOnlyMakerQueuesOfThisBrand()
{
    QSet<QString> all;
    const QList<PrinterDiscovery::Row> rows = PrinterDiscovery::listPrinters(&all);

    // Each listed queue once (MultiFilter names four maker filters), in
    // the order CUPS returns its destinations (by name).
    QCOMPARE(rowNames(rows), QStringList({"Jorvane_L100", "MultiFilter", "Veld_Z200"}));
    // Every destination is known, listed or not.
    QCOMPARE(all, QSet<QString>({"Jorvane_L100", "Veld_Z200", "WrongMfg", "NoDeviceId",
                                 "OtherFilter", "LowercaseMaker", "Tallix_T10", "MultiFilter"}));
    for (const PrinterDiscovery::Row &row : rows) {
        QCOMPARE(row.deviceUri, QStringLiteral("file:/dev/null"));
        QCOMPARE(row.status, QStringLiteral("Idle"));
    }
}

void TestPrinterDiscovery::temporaryPpdCopiesAreRemoved()
{
    PrinterDiscovery::listPrinters(nullptr);
    QCOMPARE(QDir(tmp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System),
             QStringList());
}

void TestPrinterDiscovery::statusOfIdleAndPausedQueues()
{
    QCOMPARE(PrinterDiscovery::printerStatusText("Jorvane_L100"), QStringLiteral("Idle"));
    QVERIFY2(bed.pauseQueue("Jorvane_L100"), qPrintable(bed.lastError()));
    QCOMPARE(PrinterDiscovery::printerStatusText("Jorvane_L100"), QStringLiteral("Paused"));
    QCOMPARE(PrinterDiscovery::printerStatusTexts({"Jorvane_L100", "Veld_Z200"}),
             (QHash<QString, QString>{{"Jorvane_L100", "Paused"}, {"Veld_Z200", "Idle"}}));
    QVERIFY2(bed.resumeQueue("Jorvane_L100"), qPrintable(bed.lastError()));
    QCOMPARE(PrinterDiscovery::printerStatusText("Jorvane_L100"), QStringLiteral("Idle"));
}

void TestPrinterDiscovery::germanLpstatOutput()
{
    EnvOverride env;
    env.set("LANG", "de_DE.UTF-8");
    env.set("LC_ALL", "de_DE.UTF-8");
    QString raw;
    QVERIFY(bed.runTool("lpstat", {"-p", "Veld_Z200"}, &raw));
    if (!raw.contains("Leerlauf"))
        QSKIP("the German CUPS message catalogue is not installed");

    QVERIFY2(bed.pauseQueue("Veld_Z200"), qPrintable(bed.lastError()));
    QVERIFY(bed.runTool("lpstat", {"-p", "Veld_Z200"}, &raw));
    QVERIFY2(raw.contains("deaktiviert"), qPrintable(raw));
    QCOMPARE(PrinterDiscovery::printerStatusText("Veld_Z200"), QStringLiteral("Paused"));
    QCOMPARE(PrinterDiscovery::printerStatusTexts({"Veld_Z200", "MultiFilter"}),
             (QHash<QString, QString>{{"Veld_Z200", "Paused"}, {"MultiFilter", "Idle"}}));
    QVERIFY2(bed.resumeQueue("Veld_Z200"), qPrintable(bed.lastError()));
    QCOMPARE(PrinterDiscovery::printerStatusText("Veld_Z200"), QStringLiteral("Idle"));
}

void TestPrinterDiscovery::batchStatusMatchesSingleStatus()
{
    // One paused queue among idle ones: the split of the one lpstat run
    // must hand each queue exactly its own lines.
    QVERIFY(bed.pauseQueue("WrongMfg"));
    const QStringList queues = {"Jorvane_L100", "WrongMfg", "OtherFilter", "Tallix_T10",
                                "MultiFilter"};
    const QHash<QString, QString> batch = PrinterDiscovery::printerStatusTexts(queues);
    QCOMPARE(batch.size(), queues.size());
    for (const QString &queue : queues)
        QCOMPARE(batch.value(queue), PrinterDiscovery::printerStatusText(queue));
    QCOMPARE(batch.value("WrongMfg"), QStringLiteral("Paused"));
    QVERIFY(bed.resumeQueue("WrongMfg"));
}

void TestPrinterDiscovery::unknownQueueShowsLpstatComplaint()
{
    const QString text = PrinterDiscovery::printerStatusText("NoSuchQueue");
    QVERIFY2(!text.isEmpty(), "an unknown queue must not give an empty status");
    QVERIFY2(text.contains("NoSuchQueue"), qPrintable(text));
    QVERIFY(!text.contains('\n'));
    QCOMPARE(PrinterDiscovery::printerStatusTexts({"NoSuchQueue"}).value("NoSuchQueue"), text);
}

void TestPrinterDiscovery::lpstatMissingGivesErrorText()
{
    QTemporaryDir emptyBin;
    QVERIFY(emptyBin.isValid());
    EnvOverride env;
    env.set("PATH", QFile::encodeName(emptyBin.path()));
    const QString error = QStringLiteral("Error: Printer does not exist or lpstat failed.");
    QCOMPARE(PrinterDiscovery::printerStatusText("Jorvane_L100"), error);
    QCOMPARE(PrinterDiscovery::printerStatusTexts({"Jorvane_L100", "Veld_Z200"}),
             (QHash<QString, QString>{{"Jorvane_L100", error}, {"Veld_Z200", error}}));
}

void TestPrinterDiscovery::shellCharactersInNamesRunNothing()
{
    // Names CUPS accepts that a shell would act on. Run from an empty
    // directory: a command substitution would leave "pwned" there.
    QTemporaryDir workDir;
    QVERIFY(workDir.isValid());
    const QString previousDir = QDir::currentPath();
    QVERIFY(QDir::setCurrent(workDir.path()));

    const QStringList names = {"a;b", "a|b", "a&b", "a`touch${IFS}pwned`",
                               "x$(touch${IFS}pwned)", "a>pwned", QString::fromUtf8("Drucker_\u00fc\u00e9")};
    for (const QString &name : names)
        QVERIFY2(bed.addFixtureQueue(name, "listing-jorvane.ppd"), qPrintable(bed.lastError()));

    QSet<QString> all;
    const QList<PrinterDiscovery::Row> rows = PrinterDiscovery::listPrinters(&all);
    const QStringList listed = rowNames(rows);
    for (const QString &name : names) {
        QVERIFY2(listed.contains(name), qPrintable(name));
        QCOMPARE(PrinterDiscovery::printerStatusText(name), QStringLiteral("Idle"));
    }
    for (const PrinterDiscovery::Row &row : rows)
        QCOMPARE(row.status, QStringLiteral("Idle"));

    const QStringList left = QDir(workDir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    QDir::setCurrent(previousDir);
    QCOMPARE(left, QStringList());
    QVERIFY(!QFile::exists("/tmp/pwned"));

    for (const QString &name : names)
        QVERIFY2(bed.removeQueue(name), qPrintable(bed.lastError()));
}

void TestPrinterDiscovery::currentPrinterNamesFollowsChanges()
{
    QSet<QString> all;
    PrinterDiscovery::listPrinters(&all);
    QCOMPARE(PrinterDiscovery::currentPrinterNames(), all);

    // A queue of another maker is never listed but is still a change.
    QVERIFY(bed.addFixtureQueue("Tallix_T20", "listing-other-maker.ppd"));
    QSet<QString> now = PrinterDiscovery::currentPrinterNames();
    QCOMPARE(now, all + QSet<QString>({"Tallix_T20"}));
    QVERIFY(bed.removeQueue("Tallix_T20"));
    QVERIFY(bed.removeQueue("WrongMfg"));
    now = PrinterDiscovery::currentPrinterNames();
    QCOMPARE(now, all - QSet<QString>({"WrongMfg"}));
    QVERIFY(bed.addFixtureQueue("WrongMfg", "listing-wrong-mfg.ppd"));
}

QTEST_MAIN(TestPrinterDiscovery)
#include "tst_printerdiscovery.moc"
