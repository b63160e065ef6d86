// Apply: which options reach lpoptions and in what form (fixture PPD, no
// print system), then Apply end to end against a private cupsd with the
// real lpoptions, and with stand-ins for an lpoptions that fails.
#include "model/CupsPpd.h"
#include "model/OptionModel.h"
#include "model/ProcessState.h"
#include "printing/AppSettingsReset.h"
#include "printing/LpoptionsWriter.h"
#include "profiles/SettingsStore.h"
#include "support/CupsTestBed.h"
#include "support/EnvOverride.h"
#include "support/ProcessHelpers.h"
#include "support/TestUserDir.h"
#include "support/WidgetLookup.h"
#include "tabs/BookletTab.h"
#include "tabs/GeneralTab.h"
#include "tabs/PrinterTab.h"
#include "ui/ComboBoxEx.h"
#include "ui/JorButtonGroup.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <memory>
#include <unistd.h>

namespace {

using Pairs = QList<QPair<QString, QString>>;

// A tab with fixed values.
class FixedTab : public Tab {
public:
    FixedTab(const QHash<QString, QString> &values, const QHash<QString, QString> &extra = {})
        : Tab(nullptr), m_values(values), m_extra(extra)
    {
    }
    void setTabName() override { tabTitle = QStringLiteral("Fixed"); }
    bool isAvailable() override { return true; }
    void createControls() override {}
    QHash<QString, QString> collectOptionValues() override { return m_values; }
    QHash<QString, QString> extraOptionValues() override { return m_extra; }

private:
    QHash<QString, QString> m_values;
    QHash<QString, QString> m_extra;
};

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TstLpoptionsWriter : public QObject {
    Q_OBJECT

    ppd_file_t *ppd = nullptr;
    std::unique_ptr<CupsTestBed> bed;
    QTemporaryDir home;
    std::unique_ptr<EnvOverride> env;

    // The CUPS cases share one scheduler, started by the first of them.
    bool ensureBed()
    {
        if (bed && bed->isRunning())
            return true;
        bed = std::make_unique<CupsTestBed>();
        if (!bed->start()) {
            qWarning("%s", qPrintable(bed->lastError()));
            return false;
        }
        return bed->addFixtureQueue("Q1", "jorvane-color-finisher.ppd")
            && bed->addFixtureQueue("Q2", "jorvane-color-finisher.ppd");
    }

    static bool selectModel(const QString &queue)
    {
        const QByteArray path = QFile::encodeName(CupsTestBed::fixturePath("jorvane-color-finisher.ppd"));
        ppd_file_t *file = ppdOpenFile(path.constData());
        if (!file)
            return false;
        auto *model = new OptionModel;
        model->loadFromPpd(file);
        model->setPrinterName(queue);
        ppdClose(file);
        setCurrentModel(model);
        return true;
    }

    QString lpoptionsOf(const QString &queue)
    {
        QString output;
        bed->runTool("lpoptions", {"-p", queue}, &output);
        return output;
    }

    void removeUserOptions() { QFile::remove(home.path() + "/.cups/lpoptions"); }

private slots:
    void initTestCase()
    {
        QVERIFY(home.isValid());
        // lpoptions keeps the user's defaults in $HOME/.cups, and the reset
        // after Apply searches $HOME: both stay inside the test's own tree.
        env = std::make_unique<EnvOverride>();
        env->set("HOME", QFile::encodeName(home.path()));
        const QByteArray path = QFile::encodeName(CupsTestBed::fixturePath("jorvane-color-finisher.ppd"));
        ppd = ppdOpenFile(path.constData());
        QVERIFY(ppd);
    }

    void cleanupTestCase()
    {
        if (ppd)
            ppdClose(ppd);
        setCurrentModel(nullptr);
        if (bed)
            bed->stop();
        env.reset();
    }

    void cleanup() { LpoptionsWriter::timeoutMs = 30000; }

    void arguments_data()
    {
        QTest::addColumn<Pairs>("inserted");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("PPD order, not map order")
            << Pairs{{"JCBooklet", "Left"}, {"OutputBin", "FLDTRAY"}, {"Duplex", "DuplexNoTumble"},
                     {"PageSize", "A4"}, {"Wclr", "Red"}}
            << QStringList{"-p", "Q", "-o", "PageSize=A4", "-o", "Duplex=DuplexNoTumble", "-o",
                           "OutputBin=FLDTRAY", "-o", "JCBooklet=Left", "-o", "Wclr=Red"};
        QTest::newRow("only keys the PPD does not know")
            << Pairs{{"CustomJobName", "report"}, {"cStpl", "True"}, {"ImageableArea", "A4"},
                     {"MediaSize", "A4"}}
            << QStringList{"-p", "Q"};
        QTest::newRow("empty values are not sent")
            << Pairs{{"PageSize", ""}, {"Duplex", "None"}, {"MediaType", ""}}
            << QStringList{"-p", "Q", "-o", "Duplex=None"};
        QTest::newRow("the extra value wins")
            << Pairs{{"Duplex", "None"}, {"Duplex", "DuplexTumble"}}
            << QStringList{"-p", "Q", "-o", "Duplex=DuplexTumble"};
        QTest::newRow("a value with blanks is one argument")
            << Pairs{{"MediaType", "my own paper"}}
            << QStringList{"-p", "Q", "-o", "MediaType=\"my own paper\""};
        QTest::newRow("quotes and backslashes")
            << Pairs{{"MediaType", "a\"b\\c'd"}}
            << QStringList{"-p", "Q", "-o", "MediaType=\"a\\\"b\\\\c'd\""};
        QTest::newRow("shell words stay text")
            << Pairs{{"MediaType", "$(id);rm|x"}}
            << QStringList{"-p", "Q", "-o", "MediaType=$(id);rm|x"};
    }

    void arguments()
    {
        QFETCH(Pairs, inserted);
        QFETCH(QStringList, expected);
        OptionValueMap map;
        for (const auto &pair : inserted)
            map.insert(pair.first, pair.second);
        const QStringList args = LpoptionsWriter::lpoptionsArguments(ppd, "Q", map);
        QCOMPARE(args, expected);

        // lpoptions reads each -o argument with cupsParseOptions: every
        // value must come back whole.
        for (int i = 3; i < args.size(); i += 2) {
            cups_option_t *options = nullptr;
            const int count = cupsParseOptions(args.at(i).toUtf8().constData(), 0, &options);
            QCOMPARE(count, 1);
            const QString key = QString::fromUtf8(options[0].name);
            QCOMPARE(QString::fromUtf8(options[0].value), map.value(key));
            cupsFreeOptions(count, options);
        }
    }

    void argumentsWithoutPpd()
    {
        OptionValueMap map;
        map.insert("PageSize", "A4");
        QCOMPARE(LpoptionsWriter::lpoptionsArguments(nullptr, "Q", map), (QStringList{"-p", "Q"}));
    }

    void collectAllOptionValues()
    {
        FixedTab first({{"PageSize", "A4"}, {"Duplex", "None"}});
        FixedTab second({{"Duplex", "DuplexTumble"}, {"Wren", "False"}},
                        {{"PageSize", "A3"}, {"CustomJobName", "job"}});
        const OptionValueMap map = LpoptionsWriter::collectAllOptionValues({&first, &second});
        // a later regular value replaces, an extra value is added beside
        QCOMPARE(map.values("Duplex"), QStringList{"DuplexTumble"});
        QCOMPARE(map.values("PageSize").size(), 2);
        QCOMPARE(map.value("PageSize"), QStringLiteral("A3"));
        QCOMPARE(map.value("CustomJobName"), QStringLiteral("job"));
        QCOMPARE(map.size(), 5);
    }

    void applyWritesTheQueueDefaults()
    {
        QVERIFY(ensureBed());
        TestUserDir userDir;
        const QString gedit = home.path() + "/.config/gedit/gedit-page-setup";
        QVERIFY(QDir().mkpath(home.path() + "/.config/gedit"));
        QVERIFY(QFile(gedit).open(QIODevice::WriteOnly));

        PrinterTab printerTab(nullptr);
        QTableWidget *table = printerTab.table();
        int row = -1;
        for (int r = 0; r < table->rowCount(); ++r) {
            if (table->item(r, 0) && table->item(r, 0)->text() == "Q1")
                row = r;
        }
        QVERIFY(row >= 0);
        table->setCurrentCell(row, 0);
        QVERIFY(currentModel);
        printerTab.reload();
        const QHash<QString, QString> installed = printerTab.collectOptionValues();

        GeneralTab general(nullptr);
        BookletTab booklet(nullptr);
        general.reload();
        booklet.reload();
        findByName<JorButtonGroup>(&general, "butGroupDuplex")->button(1)->click();
        auto *size = findByName<ComboBoxEx>(&general, "cmbBxPageSize");
        size->setCurrentIndex(size->findText("A4"));

        const QList<Tab *> tabs{&printerTab, &general, &booklet};
        const OptionValueMap map = LpoptionsWriter::collectAllOptionValues(tabs);
        for (auto it = installed.cbegin(); it != installed.cend(); ++it)
            QVERIFY2(!map.contains(it.key()), qPrintable(it.key()));

        QCOMPARE(LpoptionsWriter::writeTolpoptions("Q1", tabs), LpoptionsWriter::Result::Applied);

        const QString options = lpoptionsOf("Q1");
        QVERIFY2(options.contains("Duplex=DuplexNoTumble"), qPrintable(options));
        QVERIFY2(options.contains("PageSize=A4"), qPrintable(options));
        QVERIFY2(options.contains("JCBooklet=None"), qPrintable(options));

        const QByteArray settings = readFile(SettingsStore::printerSettingsFilePath("Q1"));
        QVERIFY2(settings.contains("Duplex=DuplexNoTumble"), settings.constData());
        QVERIFY2(settings.contains("PageSize=A4"), settings.constData());
        QVERIFY2(settings.contains("MediaSize=A4"), settings.constData());

        // the other applications' settings were reset for the new size
        QCOMPARE(readFile(gedit), AppSettingsReset::pageSetupText("A4"));
    }

    void valueWithBlanksArrivesWhole()
    {
        QVERIFY(ensureBed());
        TestUserDir userDir;
        FixedTab tab({{"MediaType", "my own paper"}, {"Duplex", "DuplexTumble"}});
        QCOMPARE(LpoptionsWriter::writeTolpoptions("Q2", {&tab}), LpoptionsWriter::Result::Applied);
        const QString options = lpoptionsOf("Q2");
        QVERIFY2(options.contains("MediaType='my own paper'") || options.contains("MediaType=\"my own paper\"")
                     || options.contains("MediaType=my\\ own\\ paper"),
                 qPrintable(options));
    }

    void missingQueueWritesNothing()
    {
        QVERIFY(ensureBed());
        TestUserDir userDir;
        FixedTab tab({{"Duplex", "DuplexTumble"}});
        QCOMPARE(LpoptionsWriter::writeTolpoptions("NoSuchQueue", {&tab}),
                 LpoptionsWriter::Result::PrinterMissing);
        QVERIFY(!QFile::exists(SettingsStore::printerSettingsFilePath("NoSuchQueue")));
    }

    void unreachableServerIsNoSuccess()
    {
        QVERIFY(ensureBed());
        TestUserDir userDir;
        removeUserOptions();
        FixedTab tab({{"Duplex", "DuplexTumble"}});
        EnvOverride closed;
        closed.set("CUPS_SERVER", "127.0.0.1:" + QByteArray::number(closedLoopbackPort()));
        cupsSetServer(nullptr);
        QVERIFY(LpoptionsWriter::writeTolpoptions("Q2", {&tab}) != LpoptionsWriter::Result::Applied);
    }

    // lpoptions stand-ins: exit 0 without writing (as the real one does
    // when the server is gone), an error status, a crash, a hang.
    void failingLpoptions_data()
    {
        QTest::addColumn<QByteArray>("script");
        QTest::newRow("exit 0, nothing written") << QByteArray("exit 0\n");
        QTest::newRow("exit status 2") << QByteArray("exit 2\n");
        QTest::newRow("crash") << QByteArray("kill -SEGV $$\n");
        QTest::newRow("hang") << QByteArray("echo $$ > \"$0.pids\"\nsleep 600 &\necho $! >> \"$0.pids\"\nwait\n");
    }

    void failingLpoptions()
    {
        QFETCH(QByteArray, script);
        QVERIFY(ensureBed());
        TestUserDir userDir;
        removeUserOptions();
        QTemporaryDir bin;
        QVERIFY(bin.isValid());
        const QString standIn = bin.path() + "/lpoptions";
        QVERIFY(writeShellScript(standIn, script));
        EnvOverride path;
        path.set("PATH", QFile::encodeName(bin.path()) + ':' + qgetenv("PATH"));
        LpoptionsWriter::timeoutMs = 2000;

        FixedTab tab({{"Duplex", "DuplexTumble"}, {"PageSize", "A3"}});
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(LpoptionsWriter::writeTolpoptions("Q2", {&tab}), LpoptionsWriter::Result::Failed);
        QVERIFY2(timer.elapsed() < 15000, qPrintable(QString::number(timer.elapsed())));
        // the settings file is written before lpoptions runs
        QVERIFY(readFile(SettingsStore::printerSettingsFilePath("Q2")).contains("Duplex=DuplexTumble"));

        const QList<QByteArray> pids = readFile(standIn + ".pids").split('\n');
        for (const QByteArray &pid : pids) {
            if (pid.trimmed().isEmpty())
                continue;
            QTRY_VERIFY2_WITH_TIMEOUT(processGone(pid.trimmed().toLongLong()), pid.constData(), 5000);
        }
        if (QTest::currentDataTag() == QByteArray("hang"))
            QCOMPARE(pids.size() - 1, 2);
    }
};

QTEST_MAIN(TstLpoptionsWriter)
#include "tst_lpoptionswriter.moc"
