// Loading an OptionModel from PPDs: every load stage, the panel options and
// every rule table, on the fixture PPDs and on small PPDs made per case.
#include "TestPpd.h"
#include "model/ConstraintRules.h"
#include "model/OptionChoice.h"
#include "model/OptionModel.h"
#include "model/ProcessState.h"
#include "model/jOption.h"

#include <QtTest>

#include <memory>

namespace {

QString name(const ChoiceRef &ref)
{
    return ref.option->key() + QLatin1Char('=') + ref.choice->key();
}

QStringList names(const QList<ChoiceRef> &refs)
{
    QStringList out;
    for (const ChoiceRef &ref : refs)
        out << name(ref);
    return out;
}

QStringList names(const ConstraintGroup &group)
{
    QStringList out;
    for (const ChoiceRef &ref : group.refs())
        out << name(ref);
    return out;
}

QList<QStringList> names(const QList<ConstraintGroup> &groups)
{
    QList<QStringList> out;
    for (const ConstraintGroup &group : groups)
        out << names(group);
    return out;
}

QStringList sorted(QStringList list)
{
    list.sort();
    return list;
}

OptionChoice *choiceOf(const OptionModel &model, const QString &key, const QString &choice)
{
    jOption *option = model.findOption(key);
    return option ? option->findChoice(choice) : nullptr;
}

QStringList conflictsOf(const OptionModel &model, const QString &key, const QString &choice)
{
    OptionChoice *c = choiceOf(model, key, choice);
    return c ? names(c->conflicts()) : QStringList{QStringLiteral("<missing>")};
}

bool constrained(const OptionModel &model, const QString &key, const QString &choice)
{
    OptionChoice *c = choiceOf(model, key, choice);
    return c && c->isConstrained();
}

QStringList keysOf(const QList<jOption *> &options)
{
    QStringList out;
    for (jOption *option : options)
        out << option->key();
    return out;
}

// For every option: key, marked choice and the constrained choices.
QStringList markState(const OptionModel &model)
{
    QStringList out;
    for (jOption *option : model.allOptions()) {
        QString line = option->key() + QLatin1Char(':')
            + (option->markedChoice() ? option->markedChoice()->key() : QStringLiteral("-"));
        for (OptionChoice *choice : option->choices()) {
            if (choice->isConstrained())
                line += QLatin1Char(' ') + choice->key();
        }
        out << line;
    }
    out.sort();
    return out;
}

const QByteArray kDuplex = TestPpd::pickOne("Duplex", "None", {"None", "DuplexNoTumble", "DuplexTumble"});

std::unique_ptr<OptionModel> loadBody(const QByteArray &body)
{
    TestPpd ppd = TestPpd::fromBody(body);
    if (!ppd.ppd())
        return nullptr;
    return std::unique_ptr<OptionModel>(ppd.load());
}

} // namespace

class TestOptionModel : public QObject {
    Q_OBJECT

    std::unique_ptr<OptionModel> m_color;

private slots:
    void initTestCase()
    {
        TestPpd ppd = TestPpd::fromFixture(QStringLiteral("jorvane-color-finisher.ppd"));
        QVERIFY2(ppd.ppd(), "colour fixture does not open");
        m_color.reset(ppd.load());
    }

    void namesAndFilters()
    {
        QCOMPARE(m_color->modelName(), QStringLiteral("Jorvane VELD C7150"));
        QVERIFY(!m_color->hasRasterOrPdfFilter());
        QVERIFY(!m_color->hasJpslFilter());
        QVERIFY(m_color->printerName().isEmpty());

        TestPpd mono = TestPpd::fromFixture(QStringLiteral("jorvane-mono-minimal.ppd"));
        QVERIFY(mono.ppd());
        std::unique_ptr<OptionModel> model(mono.load());
        QCOMPARE(model->modelName(), QStringLiteral("Jorvane VELD M2040"));
        QVERIFY(model->hasRasterOrPdfFilter());
        QVERIFY(!model->hasJpslFilter());
    }

    void filterFlags_data()
    {
        QTest::addColumn<QByteArray>("filters");
        QTest::addColumn<bool>("rasterOrPdf");
        QTest::addColumn<bool>("jpsl");
        QTest::newRow("postscript") << QByteArray("*cupsFilter: \"application/vnd.cups-postscript 0 jorfilter_H\"\n") << false << false;
        QTest::newRow("raster") << QByteArray("*cupsFilter: \"application/vnd.cups-raster 0 jorfilter_ras_H\"\n") << true << false;
        QTest::newRow("pdf") << QByteArray("*cupsFilter: \"application/vnd.cups-pdf 0 jorfilter_pdf_H\"\n") << true << false;
        QTest::newRow("jpsl") << QByteArray("*cupsFilter: \"application/vnd.cups-postscript 0 jorfilter_jpsl_H\"\n") << false << true;
        QTest::newRow("two lines") << QByteArray("*cupsFilter: \"application/vnd.cups-postscript 0 jorfilter_jpsl_H\"\n"
                                                 "*cupsFilter: \"application/vnd.cups-raster 0 jorfilter_ras_H\"\n")
                                   << true << true;
        QTest::newRow("none") << QByteArray() << false << false;
    }

    void filterFlags()
    {
        QFETCH(QByteArray, filters);
        QFETCH(bool, rasterOrPdf);
        QFETCH(bool, jpsl);
        auto model = loadBody(filters);
        QVERIFY(model);
        QCOMPARE(model->hasRasterOrPdfFilter(), rasterOrPdf);
        QCOMPARE(model->hasJpslFilter(), jpsl);
    }

    void ppdOptionsAndDefaults()
    {
        jOption *duplex = m_color->findOption(QStringLiteral("Duplex"));
        QVERIFY(duplex);
        QVERIFY(duplex->isFromPpd());
        QCOMPARE(duplex->text(), QStringLiteral("Two-sided"));
        QStringList texts;
        for (OptionChoice *choice : duplex->choices())
            texts << choice->key() + QLatin1Char('/') + choice->text();
        QCOMPARE(texts, (QStringList{"None/Off", "DuplexNoTumble/Long edge", "DuplexTumble/Short edge"}));
        QCOMPARE(m_color->findOption("ColorModel")->findChoiceByText("Black & white")->key(), QStringLiteral("Gray"));
        QCOMPARE(m_color->findOption("JCBooklet")->findChoiceByText("Right edge binding")->key(), QStringLiteral("Right"));
        QCOMPARE(m_color->findOption("Coll")->findChoiceByText("Off")->key(), QStringLiteral("False"));
        // libcups adds the custom size to PageSize and PageRegion.
        QVERIFY(m_color->findOption("PageSize")->hasChoice("Custom"));

        // Every PPD option marks its default; the defaults table has it.
        const QHash<QString, QString> defaults = m_color->ppdDefaults();
        int fromPpd = 0;
        for (jOption *option : m_color->allOptions()) {
            if (!option->isFromPpd()) {
                QVERIFY2(!option->defaultChoice() && !option->markedChoice(), qPrintable(option->key()));
                QVERIFY(!defaults.contains(option->key()));
                continue;
            }
            ++fromPpd;
            QVERIFY2(option->defaultChoice(), qPrintable(option->key()));
            QCOMPARE(option->markedChoice(), option->defaultChoice());
            QCOMPARE(defaults.value(option->key()), option->defaultChoice()->key());
        }
        QCOMPARE(defaults.size(), fromPpd);
        QCOMPARE(defaults.value("Option18"), QStringLiteral("StackerA"));
        QCOMPARE(defaults.value("Wang"), QStringLiteral("45"));

        // PPD order first, then the panel's own options, NetWarden last.
        const QStringList keys = keysOf(m_color->allOptions());
        QCOMPARE(keys.mid(0, 4), (QStringList{"PageSize", "PageRegion", "MediaType", "InputSlot"}));
        QCOMPARE(keys.mid(keys.size() - 4), (QStringList{"NWDToggle", "NWDDuplex", "NWDSparline", "NWDColorMode"}));
    }

    void latin1TextsBecomeUtf8()
    {
        auto model = loadBody(TestPpd::group("General",
            "*OpenUI *JQuality/Qualit\xe9: PickOne\n*DefaultJQuality: Fine\n"
            "*JQuality Fine/Tr\xe8s fin: \"\"\n*JQuality Draft/\xc9" "bauche: \"\"\n*CloseUI: *JQuality\n"));
        QVERIFY(model);
        jOption *quality = model->findOption("JQuality");
        QVERIFY(quality);
        QCOMPARE(quality->text(), QString::fromUtf8("Qualit\xc3\xa9"));
        QCOMPARE(quality->findChoice("Fine")->text(), QString::fromUtf8("Tr\xc3\xa8s fin"));
        QCOMPARE(quality->findChoice("Draft")->text(), QString::fromUtf8("\xc3\x89" "bauche"));
    }

    void customPageSizeDefault_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected"); // null: no default
        const QByteArray withLetter = TestPpd::pickOne("PageSize", "Custom.8.5x11in", {"A4", "Letter"});
        const QByteArray withoutLetter = TestPpd::pickOne("PageSize", "Custom.8.5x11in", {"A4", "A5"});
        QTest::newRow("custom, Letter offered") << TestPpd::group("General", withLetter) << "PageSize" << "Letter";
        QTest::newRow("custom, no Letter") << TestPpd::group("General", withoutLetter) << "PageSize" << QString();
        QTest::newRow("lower-case region") << TestPpd::group("General", TestPpd::pickOne("PageRegion", "custom.210x297mm", {"A4", "Letter"}))
                                         << "PageRegion" << "Letter";
        QTest::newRow("plain Custom choice") << TestPpd::group("General", TestPpd::pickOne("PageSize", "Custom", {"Custom", "Letter"}))
                                           << "PageSize" << "Letter";
        QTest::newRow("other option keeps Custom") << TestPpd::group("General", TestPpd::pickOne("MediaType", "CustomGloss", {"Plain", "CustomGloss", "Letter"}))
                                                 << "MediaType" << "CustomGloss";
        QTest::newRow("key case matters") << TestPpd::group("General", TestPpd::pickOne("Pagesize", "CustomA", {"CustomA", "Letter"}))
                                        << "Pagesize" << "CustomA";
        QTest::newRow("default not offered") << TestPpd::group("General", TestPpd::pickOne("Duplex", "Simplex", {"None", "DuplexTumble"}))
                                           << "Duplex" << QString();
    }

    void customPageSizeDefault()
    {
        QFETCH(QByteArray, body);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        auto model = loadBody(body);
        QVERIFY(model);
        jOption *option = model->findOption(key);
        QVERIFY(option);
        if (expected.isNull()) {
            QVERIFY(!option->defaultChoice());
            QVERIFY(!option->markedChoice());
            QVERIFY(!model->ppdDefaults().contains(key));
            QCOMPARE(option->defaultKey(), key + QStringLiteral("NULL"));
        } else {
            QCOMPARE(option->defaultKey(), expected);
            QCOMPARE(option->markedChoice(), option->defaultChoice());
            QCOMPARE(model->ppdDefaults().value(key), expected);
        }
    }

    void ppdWithoutGroups()
    {
        auto model = loadBody("*cupsFilter: \"application/vnd.cups-postscript 0 jorfilter_H\"\n"
                              "*SupportsUserLogin: True\n");
        QVERIFY(model);
        // Attributes alone bring their panel option; everything else needs options.
        QCOMPARE(keysOf(model->allOptions()),
                 (QStringList{"cUserLogin", "NWDToggle", "NWDDuplex", "NWDSparline", "NWDColorMode"}));
        auto bare = loadBody(QByteArray());
        QVERIFY(bare);
        QCOMPARE(keysOf(bare->allOptions()), (QStringList{"NWDToggle", "NWDDuplex", "NWDSparline", "NWDColorMode"}));
        QVERIFY(bare->ppdDefaults().isEmpty());
        QVERIFY(bare->installableOptions().isEmpty());
    }

    void collateStorageSkip()
    {
        const QStringList coll = conflictsOf(*m_color, "Coll", "False");
        QVERIFY(coll.filter("JCCollate1=").isEmpty());
        QVERIFY(coll.contains("Sep=Set"));
        for (const char *choice : {"None", "Proof", "Hold", "Store"})
            QVERIFY(conflictsOf(*m_color, "JCCollate1", choice).filter("Coll=").isEmpty());
    }

    void mediaDuplexExpansion()
    {
        const QStringList media{"CvrM=Transparency", "Pmed=Transparency", "BackCvrM=Transparency",
                                "CvrM=Labels", "Pmed=Labels", "BackCvrM=Labels"};
        QCOMPARE(conflictsOf(*m_color, "Duplex", "DuplexNoTumble"), media);
        QCOMPARE(conflictsOf(*m_color, "Duplex", "DuplexTumble"), media + QStringList{"MediaType=Labels"});
        // The entries with an empty choice add no pair of their own.
        QCOMPARE(conflictsOf(*m_color, "MediaType", "Transparency").filter("Duplex="), QStringList());
        QCOMPARE(conflictsOf(*m_color, "CvrM", "Transparency"),
                 (QStringList{"Duplex=DuplexNoTumble", "Duplex=DuplexTumble", "NWDDuplex=On"}));
    }

    void mediaDuplexExpansionDirections_data()
    {
        QTest::addColumn<QByteArray>("constraint");
        QTest::addColumn<QStringList>("tumble");
        QTest::newRow("media first, no duplex choice") << QByteArray("*UIConstraints: *MediaType Labels *Duplex\n")
                                                       << QStringList{"CvrM=Labels", "Tmed=Labels"};
        QTest::newRow("duplex first, no duplex choice") << QByteArray("*UIConstraints: *Duplex *MediaType Labels\n")
                                                        << QStringList{"CvrM=Labels", "Tmed=Labels"};
        QTest::newRow("with a duplex choice") << QByteArray("*UIConstraints: *MediaType Labels *Duplex DuplexTumble\n")
                                              << QStringList{"CvrM=Labels", "Tmed=Labels", "MediaType=Labels"};
        QTest::newRow("medium no cover takes") << QByteArray("*UIConstraints: *MediaType Thick *Duplex\n") << QStringList();
        QTest::newRow("other options") << QByteArray("*UIConstraints: *InputSlot Labels *Duplex\n") << QStringList();
    }

    void mediaDuplexExpansionDirections()
    {
        QFETCH(QByteArray, constraint);
        QFETCH(QStringList, tumble);
        const QByteArray body = TestPpd::group("General",
            kDuplex + TestPpd::pickOne("MediaType", "Plain", {"Plain", "Labels", "Thick"})
                + TestPpd::pickOne("InputSlot", "Auto", {"Auto", "Labels"})
                + TestPpd::pickOne("CvrM", "None", {"None", "Labels"})
                + TestPpd::pickOne("Tmed", "None", {"None", "Labels"}))
            + constraint;
        auto model = loadBody(body);
        QVERIFY(model);
        // NWDDuplex (4) takes over the cover media (8) but not MediaType (3).
        QCOMPARE(conflictsOf(*model, "Duplex", "DuplexTumble").filter("NWD", Qt::CaseSensitive), QStringList());
        QCOMPARE(conflictsOf(*model, "Duplex", "DuplexTumble"), tumble);
        QStringList noTumble = tumble;
        noTumble.removeAll("MediaType=Labels");
        QCOMPARE(conflictsOf(*model, "Duplex", "DuplexNoTumble"), noTumble);
        // BackCvrM and Pmed are absent: nothing is made up for them.
        QVERIFY(!model->findOption("Pmed"));
    }

    void defaultsActBothWaysUntilRemarked()
    {
        auto model = loadBody(TestPpd::group("General",
            TestPpd::pickOne("ColorModel", "Gray", {"CMYK", "Gray"})
                + TestPpd::pickOne("Duplex", "DuplexNoTumble", {"None", "DuplexNoTumble"}))
            + "*UIConstraints: *ColorModel Gray *Duplex DuplexNoTumble\n");
        QVERIFY(model);
        QCOMPARE(model->findOption("ColorModel")->priority(), 2);
        QCOMPARE(model->findOption("Duplex")->priority(), 5);
        QVERIFY(constrained(*model, "Duplex", "DuplexNoTumble"));
        QVERIFY(constrained(*model, "ColorModel", "Gray"));
        // Marked again once the priorities exist, the weaker Duplex lets go.
        model->markChoiceByKey("Duplex", "DuplexNoTumble");
        QVERIFY(!constrained(*model, "ColorModel", "Gray"));
        QVERIFY(constrained(*model, "Duplex", "DuplexNoTumble"));
    }

    void panelOptions_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("text");
        const char *const table[][2] = {
            {"cBiFld", "Bi-fold Mode"}, {"cTriFld", "Tri-fold Mode"}, {"cTriFldZ", "Z-fold Mode"},
            {"cEngrFld", "Engineering-fold Mode"}, {"cHole", "Punch Mode"}, {"cStpl", "Staple Mode"},
            {"cCovBut", "Cover mode"}, {"cCovTRad", "Cover mode front"}, {"cCovBRad", "Cover mode front and back"},
            {"cCovPOFO", "Cover mode front outside"}, {"cCovPOFI", "Cover mode front inside"},
            {"cCovPOBO", "Cover mode back outside"}, {"cCovPOBI", "Cover mode back inside"},
            {"cInsBut", "Page insert mode"}, {"cInsPrnF", "Page insert print onto front"},
            {"cInsPrnB", "Page insert print onto back"}, {"cIntBut", "Transparency interleaving mode"},
            {"cIntPrn", "Transparency print onto backing"}, {"cJobStore", "Job storage"},
            {"cJobAccount", "Job accounting"}, {"cUserLogin", "User login"}, {"cEmail", "Email notification"},
            {"cJobName", "Custom job name"}, {"cPrivatePrint", "Private print"}, {"cCustomBox", "Custom box"},
            {"cSuper", "Super Watermark"}, {"NWDToggle", "Netwarden"}, {"NWDDuplex", "Net Duplex"},
            {"NWDSparline", "Net Sparlyne"}, {"NWDColorMode", "Net Color Mode"},
        };
        for (const auto &row : table)
            QTest::newRow(row[0]) << QString::fromLatin1(row[0]) << QString::fromLatin1(row[1]);
    }

    void panelOptions()
    {
        QFETCH(QString, key);
        QFETCH(QString, text);
        jOption *option = m_color->findOption(key);
        QVERIFY(option);
        QCOMPARE(option->text(), text);
        QVERIFY(!option->isFromPpd());
        QVERIFY(!option->defaultChoice());
        QVERIFY(!option->markedChoice());
        QStringList choices;
        for (OptionChoice *choice : option->choices())
            choices << choice->key() + QLatin1Char('/') + choice->text();
        if (key.startsWith(QLatin1String("NWD")))
            QCOMPARE(choices, (QStringList{"Off/Off", "On/On"}));
        else
            QCOMPARE(choices, (QStringList{"False/False", "True/True"}));
        QVERIFY(!m_color->findOption("ePrivatePrint"));
    }

    void monoHasOnlyItsOwn()
    {
        TestPpd mono = TestPpd::fromFixture(QStringLiteral("jorvane-mono-minimal.ppd"));
        std::unique_ptr<OptionModel> model(mono.load());
        QCOMPARE(keysOf(model->allOptions()),
                 (QStringList{"PageSize", "PageRegion", "ColorModel", "Duplex", "Sprl",
                              "NWDToggle", "NWDDuplex", "NWDSparline", "NWDColorMode"}));
        QVERIFY(model->installableOptions().isEmpty());
        QCOMPARE(conflictsOf(*model, "Sprl", "Off"), QStringList{"NWDSparline=On"});
        QCOMPARE(conflictsOf(*model, "NWDColorMode", "On"), QStringList{"NWDToggle=Off"});
        // The default long-edge duplex forbids A5.
        QVERIFY(constrained(*model, "PageSize", "A5"));
        QVERIFY(!constrained(*model, "Duplex", "None"));
    }

    void privatePrintAttribute_data()
    {
        QTest::addColumn<QByteArray>("attributes");
        QTest::addColumn<QStringList>("options");
        QTest::newRow("True") << QByteArray("*SupportsPrivatePrint: True\n") << QStringList{"cPrivatePrint"};
        QTest::newRow("False") << QByteArray("*SupportsPrivatePrint: False\n") << QStringList();
        QTest::newRow("other value") << QByteArray("*SupportsPrivatePrint: Box\n") << QStringList{"ePrivatePrint"};
        QTest::newRow("quoted True") << QByteArray("*SupportsPrivatePrint: \"True\"\n") << QStringList{"cPrivatePrint"};
        QTest::newRow("lower-case true") << QByteArray("*SupportsPrivatePrint: true\n") << QStringList{"ePrivatePrint"};
        QTest::newRow("with a specifier") << QByteArray("*SupportsPrivatePrint Queue/Queue: True\n") << QStringList{"cPrivatePrint"};
        QTest::newRow("first one counts") << QByteArray("*SupportsPrivatePrint A: False\n*SupportsPrivatePrint B: True\n")
                                          << QStringList();
        QTest::newRow("absent") << QByteArray() << QStringList();
        // Only existence counts for the others, whatever the value.
        QTest::newRow("other job attributes") << QByteArray("*SupportsUserLogin: False\n*JobFinishNotice: \"\"\n"
                                                            "*SupportsCustomJobName Any: True\n*SupportsCustomBox: False\n")
                                              << QStringList{"cUserLogin", "cEmail", "cJobName", "cCustomBox"};
    }

    void privatePrintAttribute()
    {
        QFETCH(QByteArray, attributes);
        QFETCH(QStringList, options);
        auto model = loadBody(attributes);
        QVERIFY(model);
        QStringList keys = keysOf(model->allOptions());
        keys = keys.filter(QRegularExpression("^(c|e)"));
        QCOMPARE(keys, options);
    }

    void foldInheritanceAndExclusion()
    {
        QCOMPARE(conflictsOf(*m_color, "cBiFld", "True"),
                 (QStringList{"Option24=False", "MediaType=Transparency", "Stpl=Left",
                              "cTriFld=True", "cTriFldZ=True", "cEngrFld=True"}));
        QCOMPARE(conflictsOf(*m_color, "cTriFld", "True"),
                 (QStringList{"Option24=False", "MediaType=Transparency", "Pnch=2Hole",
                              "cBiFld=True", "cTriFldZ=True", "cEngrFld=True"}));
        QCOMPARE(conflictsOf(*m_color, "cTriFldZ", "True"),
                 (QStringList{"Option24=False", "MediaType=Thick", "cBiFld=True", "cTriFld=True", "cEngrFld=True"}));
        QCOMPARE(conflictsOf(*m_color, "cEngrFld", "True"),
                 (QStringList{"Option24=False", "PageSize=Statement", "cBiFld=True", "cTriFld=True", "cTriFldZ=True"}));
        QCOMPARE(conflictsOf(*m_color, "cBiFld", "False"), QStringList());
    }

    void foldWithoutOption24()
    {
        auto model = loadBody(TestPpd::group("Finishing",
            TestPpd::pickOne("FldA", "None", {"None", "Bifold", "Trifold", "Zfold", "EngrFold"})
                + TestPpd::pickOne("OutputBin", "Tray", {"Tray", "FLDTRAY", "FDStackerA"})
                + TestPpd::pickOne("PageSize", "A4", {"A4", "A3"})
                + TestPpd::pickOne("MediaType", "Plain", {"Plain", "Thick"}))
            + "*UIConstraints: *FldA Zfold *MediaType Thick\n"
              "*UIConstraints: *FldA Trifold *MediaType Thick\n"
              "*cupsUIConstraints z: \"*FldA Zfold *PageSize A3 *OutputBin FLDTRAY\"\n");
        QVERIFY(model);
        QVERIFY(model->findOption("cBiFld"));
        QVERIFY(model->findOption("cTriFld"));
        QVERIFY(!model->findOption("cTriFldZ"));
        QVERIFY(!model->findOption("cEngrFld"));
        QCOMPARE(conflictsOf(*model, "cBiFld", "True"), QStringList{"cTriFld=True"});
        QCOMPARE(conflictsOf(*model, "cTriFld", "True"), (QStringList{"MediaType=Thick", "cBiFld=True"}));
        // No folding-tray groups, and the Z-fold rule names a missing mode.
        for (OptionChoice *choice : model->findOption("OutputBin")->choices())
            QVERIFY(choice->groups().isEmpty());
    }

    void punchAndStapleIntersections()
    {
        QCOMPARE(conflictsOf(*m_color, "cHole", "True"), (QStringList{"Option21=False", "MediaType=Transparency"}));
        QCOMPARE(conflictsOf(*m_color, "cStpl", "True"), (QStringList{"Option18=None", "MediaType=Transparency"}));
    }

    void punchIntersectionCases_data()
    {
        QTest::addColumn<QByteArray>("choices");
        QTest::addColumn<QByteArray>("constraints");
        QTest::addColumn<QStringList>("expected");
        const QByteArray threePunches = TestPpd::pickOne("Pnch", "None", {"None", "2Hole", "3Hole", "4Hole"});
        QTest::newRow("one shared choice")
            << threePunches
            << QByteArray("*UIConstraints: *Pnch 2Hole *MediaType Labels\n*UIConstraints: *Pnch 2Hole *PageSize A5\n"
                          "*UIConstraints: *Pnch 3Hole *PageSize A5\n*UIConstraints: *Pnch 3Hole *MediaType Labels\n"
                          "*UIConstraints: *Pnch 4Hole *MediaType Labels\n*UIConstraints: *Pnch 4Hole *MediaType Thick\n")
            << QStringList{"MediaType=Labels"};
        QTest::newRow("None does not count")
            << threePunches
            << QByteArray("*UIConstraints: *Pnch 2Hole *PageSize A5\n*UIConstraints: *Pnch 3Hole *PageSize A5\n"
                          "*UIConstraints: *Pnch 4Hole *PageSize A5\n*UIConstraints: *Pnch None *MediaType Thick\n")
            << QStringList{"PageSize=A5"};
        QTest::newRow("only None") << TestPpd::pickOne("Pnch", "None", {"None"})
                                   << QByteArray("*UIConstraints: *Pnch None *PageSize A5\n") << QStringList();
        QTest::newRow("a choice without conflicts empties the set")
            << threePunches
            << QByteArray("*UIConstraints: *Pnch 2Hole *PageSize A5\n*UIConstraints: *Pnch 4Hole *PageSize A5\n")
            << QStringList();
        QTest::newRow("single punch") << TestPpd::pickOne("Pnch", "None", {"None", "2Hole"})
                                      << QByteArray("*UIConstraints: *Pnch 2Hole *PageSize A5\n*UIConstraints: *MediaType Thick *Pnch 2Hole\n")
                                      << QStringList{"PageSize=A5", "MediaType=Thick"};
    }

    void punchIntersectionCases()
    {
        QFETCH(QByteArray, choices);
        QFETCH(QByteArray, constraints);
        QFETCH(QStringList, expected);
        QByteArray stapleChoices = choices;
        stapleChoices.replace("Pnch", "Stpl");
        QByteArray stapleConstraints = constraints;
        stapleConstraints.replace("Pnch", "Stpl");
        const QByteArray common = TestPpd::pickOne("PageSize", "A4", {"A4", "A5"})
            + TestPpd::pickOne("MediaType", "Plain", {"Plain", "Labels", "Thick"});
        auto punch = loadBody(TestPpd::group("Finishing", choices + common) + constraints);
        QVERIFY(punch);
        QCOMPARE(sorted(conflictsOf(*punch, "cHole", "True")), sorted(expected));
        auto staple = loadBody(TestPpd::group("Finishing", stapleChoices + common) + stapleConstraints);
        QVERIFY(staple);
        QCOMPARE(sorted(conflictsOf(*staple, "cStpl", "True")), sorted(expected));
    }

    void coverRules_data()
    {
        QTest::addColumn<QString>("keyA");
        QTest::addColumn<QString>("choiceA");
        QTest::addColumn<QString>("keyB");
        QTest::addColumn<QString>("choiceB");
        const char *const table[][4] = {
            {"cCovBut", "False", "cCovPOFI", "True"}, {"cCovBut", "False", "cCovPOFO", "True"},
            {"cCovBut", "False", "cCovPOBI", "True"}, {"cCovBut", "False", "cCovPOBO", "True"},
            {"cCovBRad", "False", "cCovPOBI", "True"}, {"cCovBRad", "False", "cCovPOBO", "True"},
            {"cInsBut", "False", "cInsPrnF", "True"}, {"cInsBut", "False", "cInsPrnB", "True"},
            {"cIntBut", "False", "cIntPrn", "True"}, {"cCovBut", "True", "cIntBut", "True"},
            {"cInsBut", "True", "cIntBut", "True"},
            {"CvrM", "Inserter1", "cCovPOFI", "True"}, {"CvrM", "Inserter1", "cCovPOFO", "True"},
            {"CvrM", "Inserter2", "cCovPOFI", "True"}, {"CvrM", "Inserter2", "cCovPOFO", "True"},
            {"BackCvrM", "Inserter1", "cCovPOBI", "True"}, {"BackCvrM", "Inserter2", "cCovPOBO", "True"},
            {"Pmed", "Inserter1", "cInsPrnF", "True"}, {"Pmed", "Inserter2", "cInsPrnB", "True"},
            {"Tmed", "Inserter1", "cIntPrn", "True"}, {"Tmed", "Inserter2", "cIntPrn", "True"},
            {"cJobAccount", "True", "cUserLogin", "True"},
        };
        for (const auto &row : table)
            QTest::addRow("%s=%s/%s=%s", row[0], row[1], row[2], row[3])
                << QString::fromLatin1(row[0]) << QString::fromLatin1(row[1])
                << QString::fromLatin1(row[2]) << QString::fromLatin1(row[3]);
    }

    void coverRules()
    {
        QFETCH(QString, keyA);
        QFETCH(QString, choiceA);
        QFETCH(QString, keyB);
        QFETCH(QString, choiceB);
        QVERIFY(conflictsOf(*m_color, keyA, choiceA).contains(keyB + "=" + choiceB));
        QVERIFY(conflictsOf(*m_color, keyB, choiceB).contains(keyA + "=" + choiceA));
    }

    void coverRuleLists()
    {
        QCOMPARE(conflictsOf(*m_color, "cCovBut", "False"),
                 (QStringList{"cCovPOFI=True", "cCovPOFO=True", "cCovPOBI=True", "cCovPOBO=True"}));
        QCOMPARE(conflictsOf(*m_color, "CvrM", "Inserter1"),
                 (QStringList{"Option28=False", "cCovPOFI=True", "cCovPOFO=True"}));
        QCOMPARE(conflictsOf(*m_color, "cCovTRad", "True"), QStringList());
        QCOMPARE(conflictsOf(*m_color, "cJobAccount", "True"), (QStringList{"cUserLogin=True", "NWDToggle=On"}));

        // Without the inserter the media may be printed on.
        auto model = loadBody(TestPpd::group("Publishing",
            TestPpd::pickOne("CvrM", "None", {"None", "Inserter1"})
                + TestPpd::pickOne("Tmed", "None", {"None", "Inserter1"})));
        QVERIFY(model);
        QVERIFY(model->findOption("cCovPOFI"));
        QCOMPARE(conflictsOf(*model, "CvrM", "Inserter1"), QStringList());
        QCOMPARE(conflictsOf(*model, "cIntPrn", "True"), QStringList{"cIntBut=False"});
    }

    void builtInPairs_data()
    {
        QTest::addColumn<QString>("keyA");
        QTest::addColumn<QString>("choiceA");
        QTest::addColumn<QString>("keyB");
        QTest::addColumn<QString>("choiceB");
        const char *const table[][4] = {
            {"cCovPOFI", "True", "Duplex", "None"}, {"cCovPOBO", "True", "Duplex", "None"},
            {"cInsPrnB", "True", "Duplex", "None"},
            {"MediaType", "Plain", "cIntBut", "True"}, {"MediaType", "Labels", "cIntBut", "True"},
            {"MediaType", "Thick", "cIntBut", "True"}, {"MediaType", "Recycled", "cIntBut", "True"},
            {"MediaType", "Color", "cIntBut", "True"},
            {"cCovBut", "True", "Coll", "False"}, {"cInsBut", "True", "Coll", "False"},
            {"cIntBut", "True", "Coll", "False"}, {"cJobStore", "True", "Coll", "False"},
            {"cSuper", "True", "Coll", "False"},
            {"NWDToggle", "Off", "NWDDuplex", "On"}, {"NWDToggle", "Off", "NWDSparline", "On"},
            {"NWDToggle", "Off", "NWDColorMode", "On"}, {"NWDDuplex", "On", "Duplex", "None"},
            {"NWDSparline", "On", "Sprl", "Off"}, {"NWDColorMode", "On", "ColorModel", "CMYK"},
            {"NWDToggle", "On", "cJobAccount", "True"}, {"NWDToggle", "On", "cUserLogin", "True"},
            {"NWDToggle", "On", "cJobStore", "True"}, {"NWDToggle", "On", "cCovBut", "True"},
            {"NWDToggle", "On", "cInsBut", "True"}, {"NWDToggle", "On", "cIntBut", "True"},
            {"Wren", "False", "Wflg", "True"}, {"ColorModel", "Gray", "Wclr", "Red"},
            {"ColorModel", "Gray", "Wclr", "Green"}, {"ColorModel", "Gray", "Wclr", "Blue"},
        };
        for (const auto &row : table)
            QTest::addRow("%s=%s/%s=%s", row[0], row[1], row[2], row[3])
                << QString::fromLatin1(row[0]) << QString::fromLatin1(row[1])
                << QString::fromLatin1(row[2]) << QString::fromLatin1(row[3]);
    }

    void builtInPairs()
    {
        QFETCH(QString, keyA);
        QFETCH(QString, choiceA);
        QFETCH(QString, keyB);
        QFETCH(QString, choiceB);
        QVERIFY(conflictsOf(*m_color, keyA, choiceA).contains(keyB + "=" + choiceB));
        QVERIFY(conflictsOf(*m_color, keyB, choiceB).contains(keyA + "=" + choiceA));
    }

    void builtInPairExceptions()
    {
        QCOMPARE(conflictsOf(*m_color, "MediaType", "Transparency").filter("cIntBut"), QStringList());
        QCOMPARE(conflictsOf(*m_color, "NWDColorMode", "On"), (QStringList{"NWDToggle=Off", "ColorModel=CMYK"}));
        QCOMPARE(conflictsOf(*m_color, "NWDToggle", "On"),
                 (QStringList{"cJobAccount=True", "cUserLogin=True", "cJobStore=True",
                              "cCovBut=True", "cInsBut=True", "cIntBut=True"}));
    }

    void priorities_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("priority");
        const QList<QPair<int, QStringList>> table{
            {0, {"Option17", "NWDToggle"}},
            {1, {"NWDSparline", "NWDColorMode", "Option8", "Option18", "Option19", "Option20", "Option21",
                 "Option22", "Option23", "Option24", "Option25", "Option26", "Option27", "Option28", "Option01"}},
            {2, {"InputSlot", "ColorModel", "Wren"}},
            {3, {"PageSize", "MediaType", "Wclr", "Wang"}},
            {4, {"NWDDuplex", "JCBooklet"}},
            {5, {"Wflg", "Wtrans", "Cadj", "Duplex", "Sprl", "Resolution"}},
            {6, {"cBiFld", "cTriFld", "cTriFldZ", "cEngrFld", "cHole", "JCGlossmode", "CaHueMaster", "CaHr",
                 "CaHy", "CaHg", "Fold", "FldA", "Sep", "Stpl", "cStpl", "Pnch", "Rotate", "Wtyp"}},
            {7, {"cCovBut", "cIntBut", "cInsBut", "JCCollate1", "cJobAccount", "cUserLogin", "cJobStore"}},
            {8, {"cCovTRad", "cCovBRad", "cCovPOFO", "cCovPOFI", "cCovPOBO", "cCovPOBI", "cInsPrnF",
                 "cInsPrnB", "cIntPrn", "CvrM", "BackCvrM", "Pmed", "Tmed", "cSuper"}},
            {9, {"OutputBin", "JCSuperWatermark"}},
            {10, {"Coll"}},
            {99, {"PageRegion", "JmManagment", "cEmail", "cJobName", "cPrivatePrint", "cCustomBox"}},
        };
        for (const auto &level : table) {
            for (const QString &key : level.second)
                QTest::newRow(qPrintable(key)) << key << level.first;
        }
    }

    void priorities()
    {
        QFETCH(QString, key);
        QFETCH(int, priority);
        jOption *option = m_color->findOption(key);
        QVERIFY(option);
        QCOMPARE(option->priority(), priority);
    }

    void cupsGroupParsing_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("plain") << "*Duplex DuplexTumble *PageSize A5 *Sprl Level1"
                               << QStringList{"Duplex=DuplexTumble", "PageSize=A5", "Sprl=Level1"};
        QTest::newRow("folds") << "*FldA Bifold *X Trifold *Y Zfold *Z EngrFold"
                               << QStringList{"cBiFld=True", "cTriFld=True", "cTriFldZ=True", "cEngrFld=True"};
        QTest::newRow("staple and punch") << "*Stpl Left *Pnch None *Stpl Bifold"
                                          << QStringList{"cStpl=True", "cHole=True", "cBiFld=True"};
        QTest::newRow("option without choice") << "*Duplex *MediaType Labels"
                                               << QStringList{"MediaType=Labels"};
        QTest::newRow("blanks and tabs") << "  *Sep\tJob   extra ** *Rotate  True  "
                                         << QStringList{"Sep=Job", "Rotate=True"};
        QTest::newRow("empty") << "" << QStringList();
    }

    void cupsGroupParsing()
    {
        QFETCH(QString, value);
        QFETCH(QStringList, entries);
        QStringList out;
        for (const auto &entry : ConstraintRules::parseGroupValue(value))
            out << entry.first + QLatin1Char('=') + entry.second;
        QCOMPARE(out, entries);
    }

    void cupsGroups()
    {
        const QStringList stapleLabels{"PageSize=A4", "MediaType=Labels", "cStpl=True"};
        const QStringList foldThick{"MediaType=Thick", "cTriFld=True", "OutputBin=FLDTRAY"};
        const QStringList punchGloss{"MediaType=Color", "cHole=True", "JCGlossmode=True"};
        const QStringList economy{"PageSize=A5", "Duplex=DuplexTumble", "Sprl=Level1"};
        const QStringList anyDuplex{"MediaType=Labels", "Sep=Job", "Rotate=True"};
        QCOMPARE(names(choiceOf(*m_color, "MediaType", "Labels")->groups()),
                 (QList<QStringList>{stapleLabels, anyDuplex}));
        QCOMPARE(names(choiceOf(*m_color, "cTriFld", "True")->groups()), QList<QStringList>{foldThick});
        QCOMPARE(names(choiceOf(*m_color, "JCGlossmode", "True")->groups()), QList<QStringList>{punchGloss});
        QCOMPARE(names(choiceOf(*m_color, "cHole", "True")->groups()), QList<QStringList>{punchGloss});
        // 5 / 3 / 5: the stronger entry first, the later of the equal ones is the target.
        QCOMPARE(names(choiceOf(*m_color, "Sprl", "Level1")->groups()), QList<QStringList>{economy});
        // Two entries, or four: dropped.
        QCOMPARE(names(choiceOf(*m_color, "Duplex", "DuplexTumble")->groups()), QList<QStringList>{economy});
        QVERIFY(choiceOf(*m_color, "MediaType", "Thick")->groups().size() == 1);
        // The PPD's own staple and fold choices are never part of a group.
        QVERIFY(choiceOf(*m_color, "Stpl", "Center")->groups().isEmpty());
        QVERIFY(choiceOf(*m_color, "Pnch", "2Hole")->groups().isEmpty());
    }

    void builtInGroups()
    {
        const QList<QStringList> staple{
            {"PageSize=A4", "MediaType=Labels", "cStpl=True"},
            {"Option22=False", "JCBooklet=Left", "cStpl=True"},
            {"Option22=False", "JCBooklet=Right", "cStpl=True"},
            {"PageSize=Statement", "JCBooklet=None", "cStpl=True"},
            {"PageSize=A5", "JCBooklet=None", "cStpl=True"},
        };
        QCOMPARE(names(choiceOf(*m_color, "cStpl", "True")->groups()), staple);
        QList<QStringList> foldTray{{"MediaType=Thick", "cTriFld=True", "OutputBin=FLDTRAY"}};
        for (const char *size : {"B4", "A3", "Tabloid", "Legal"})
            foldTray << QStringList{QStringLiteral("PageSize=") + size, "FldA=Bifold", "OutputBin=FLDTRAY"};
        for (const char *fold : {"Trifold", "Zfold"}) {
            for (const char *size : {"A3", "Tabloid"})
                foldTray << QStringList{QStringLiteral("PageSize=") + size, QStringLiteral("FldA=") + fold, "OutputBin=FLDTRAY"};
        }
        QCOMPARE(names(choiceOf(*m_color, "OutputBin", "FLDTRAY")->groups()), foldTray);
        QCOMPARE(names(choiceOf(*m_color, "OutputBin", "FDStackerA")->groups()),
                 (QList<QStringList>{{"Option24=False", "FldA=Bifold", "OutputBin=FDStackerA"}}));
        QCOMPARE(names(choiceOf(*m_color, "OutputBin", "FDStackerB")->groups()),
                 (QList<QStringList>{{"Option24=False", "FldA=Bifold", "OutputBin=FDStackerB"},
                                     {"Option24=False", "FldA=Trifold", "OutputBin=FDStackerB"}}));
    }

    void derivedPairs()
    {
        QCOMPARE(conflictsOf(*m_color, "Option18", "None"),
                 (QStringList{"Stpl=Left", "Stpl=Right", "Stpl=Dual", "Stpl=Center", "cStpl=True",
                              "Sep=Set", "cCovBut=True", "cInsBut=True", "cIntBut=True", "cJobStore=True",
                              "cSuper=True", "JCCollate1=Proof", "JCCollate1=Hold", "JCCollate1=Store",
                              "cPrivatePrint=True", "cCustomBox=True"}));
        QCOMPARE(conflictsOf(*m_color, "NWDDuplex", "On"),
                 (QStringList{"NWDToggle=Off", "Duplex=None", "CvrM=Transparency", "Pmed=Transparency",
                              "BackCvrM=Transparency", "CvrM=Labels", "Pmed=Labels", "BackCvrM=Labels"}));
        QCOMPARE(conflictsOf(*m_color, "Option18", "StackerA"), QStringList());
    }

    void installableOptions()
    {
        QCOMPARE(keysOf(m_color->installableOptions()),
                 (QStringList{"Option17", "Option8", "Option18", "Option19", "Option20", "Option01", "Option21",
                              "Option22", "Option23", "Option24", "Option25", "Option26", "Option27", "Option28"}));
        auto model = loadBody(TestPpd::group("InstallableOptions",
            TestPpd::pickOne("Option28", "False", {"True", "False"})
                + TestPpd::pickOne("Option8", "False", {"True", "False"})
                + TestPpd::pickOne("Option01", "False", {"True", "False"})));
        QVERIFY(model);
        QCOMPARE(keysOf(model->installableOptions()), (QStringList{"Option8", "Option01", "Option28"}));
    }

    // Marking at run time through the loaded rules.
    void runTimeMarking()
    {
        TestPpd ppd = TestPpd::fromFixture(QStringLiteral("jorvane-color-finisher.ppd"));
        std::unique_ptr<OptionModel> model(ppd.load());
        OptionModel &m = *model;

        // The folding stacker groups.
        m.markChoiceByKey("Option24", "False");
        m.markChoiceByKey("FldA", "Bifold");
        QVERIFY(constrained(m, "OutputBin", "FDStackerA"));
        QVERIFY(constrained(m, "OutputBin", "FDStackerB"));
        m.markChoiceByKey("Option24", "True");
        QVERIFY(!constrained(m, "OutputBin", "FDStackerA"));
        m.markChoiceByKey("FldA", "None");

        // NetWarden dominates the job features, not the other way round.
        m.markChoiceByKey("cUserLogin", "True");
        QVERIFY(!constrained(m, "NWDToggle", "On"));
        m.markChoiceByKey("NWDToggle", "On");
        QVERIFY(constrained(m, "cUserLogin", "True"));
        QVERIFY(constrained(m, "cJobStore", "True"));
        m.markChoiceByKey("NWDToggle", "Off");
        QVERIFY(!constrained(m, "cUserLogin", "True"));
        QVERIFY(constrained(m, "NWDDuplex", "On"));

        // Booklet stapling needs the booklet stapler.
        m.markChoiceByKey("JCBooklet", "Left");
        m.markChoiceByKey("Option22", "False");
        QVERIFY(constrained(m, "cStpl", "True"));
        m.markChoiceByKey("JCBooklet", "None");
        QVERIFY(!constrained(m, "cStpl", "True"));

        // Derived: no finisher forbids job storage; storage never forbids the finisher.
        m.markChoiceByKey("JCCollate1", "Hold");
        QVERIFY(!constrained(m, "Option18", "None"));
        m.markChoiceByKey("Option18", "None");
        QVERIFY(constrained(m, "JCCollate1", "Hold"));
        QVERIFY(constrained(m, "cStpl", "True"));

        m.unmarkAll();
        for (jOption *option : m.allOptions()) {
            for (OptionChoice *choice : option->choices())
                QVERIFY2(!choice->isConstrained(), qPrintable(option->key() + "=" + choice->key()));
        }
    }

    void reloadGivesFreshModel()
    {
        TestPpd first = TestPpd::fromFixture(QStringLiteral("jorvane-color-finisher.ppd"));
        auto *model = first.load();
        const QStringList atLoad = markState(*model);
        const QHash<QString, QString> defaults = model->ppdDefaults();
        setCurrentModel(model);
        model->markChoiceByKey("NWDToggle", "On");
        model->markChoiceByKey("Duplex", "DuplexTumble");
        model->markChoiceByKey("Option18", "None");
        model->setPrinterName("veld");
        QVERIFY(markState(*model) != atLoad);

        TestPpd again = TestPpd::fromFixture(QStringLiteral("jorvane-color-finisher.ppd"));
        auto *reloaded = again.load();
        setCurrentModel(reloaded); // frees the first model
        QCOMPARE(currentModel, reloaded);
        QCOMPARE(markState(*reloaded), atLoad);
        QCOMPARE(reloaded->ppdDefaults(), defaults);
        QVERIFY(reloaded->printerName().isEmpty());
        for (jOption *option : reloaded->allOptions())
            QCOMPARE(option->markedChoice(), option->defaultChoice());

        // Loading again into the same object starts from nothing as well.
        reloaded->markChoiceByKey("NWDToggle", "On");
        reloaded->loadFromPpd(again.ppd());
        QCOMPARE(markState(*reloaded), atLoad);
        QCOMPARE(reloaded->allOptions().size(), m_color->allOptions().size());
        setCurrentModel(nullptr);
        QVERIFY(!currentModel);
    }

    // A keyword in two groups (libcups keeps both) and a PPD option that
    // bears a panel option's key: the later option replaces the earlier,
    // and nothing keeps pointing at the one that went.
    void clashingKeys()
    {
        auto model = loadBody(
            TestPpd::group("A", TestPpd::pickOne("Dup", "X", {"X", "Y"}) + TestPpd::pickOne("NWDToggle", "On", {"On", "Off"}))
            + TestPpd::group("B", TestPpd::pickOne("Dup", "Z", {"Z", "Y"}) + TestPpd::pickOne("Other", "None", {"None", "Q"})
                                      + TestPpd::pickOne("Late", "Gone", {"A", "B"}) + TestPpd::pickOne("Late2", "A", {"A"}))
            + TestPpd::group("C", TestPpd::pickOne("Late", "A", {"A", "B"}) + TestPpd::pickOne("Late2", "Gone", {"A"}))
            + "*UIConstraints: *Dup Y *NWDToggle On\n*UIConstraints: *Dup Y *Other Q\n"
              "*UIConstraints: *Dup X *Other Q\n"
              "*cupsUIConstraints clash: \"*Dup Y *NWDToggle On *Other Q\"\n");
        QVERIFY(model);
        jOption *dup = model->findOption("Dup");
        QVERIFY(dup);
        QCOMPARE(dup->text(), QStringLiteral("Dup"));
        QCOMPARE(keysOf(model->allOptions()).count("Dup"), 1);
        QCOMPARE(dup->choices().size(), 2);
        QCOMPARE(dup->defaultKey(), QStringLiteral("Z"));
        QCOMPARE(model->ppdDefaults().value("Dup"), QStringLiteral("Z"));
        QCOMPARE(model->ppdDefaults().value("Late"), QStringLiteral("A"));
        // The later Late2 has no default of its own: the earlier one's is gone too.
        QVERIFY(!model->ppdDefaults().contains("Late2"));
        QVERIFY(!model->findOption("Late2")->defaultChoice());

        jOption *toggle = model->findOption("NWDToggle");
        QVERIFY(!toggle->isFromPpd());
        QCOMPARE(toggle->choices().first()->key(), QStringLiteral("Off"));
        QVERIFY(!model->ppdDefaults().contains("NWDToggle"));
        QCOMPARE(conflictsOf(*model, "Dup", "Y"), QStringList{"Other=Q"});
        QCOMPARE(conflictsOf(*model, "Other", "Q"), QStringList{"Dup=Y"});
        // Rules name the panel option once it has taken the key over.
        QCOMPARE(names(choiceOf(*model, "NWDToggle", "On")->groups()),
                 (QList<QStringList>{{"NWDToggle=On", "Dup=Y", "Other=Q"}}));
        for (jOption *option : model->allOptions()) {
            for (OptionChoice *choice : option->choices()) {
                for (const ChoiceRef &ref : choice->conflicts())
                    QCOMPARE(model->findOption(ref.option->key()), ref.option);
            }
        }
        model->markChoiceByKey("Dup", "Y");
        QVERIFY(constrained(*model, "Other", "Q"));
    }

    void nullPpd()
    {
        OptionModel model;
        model.loadFromPpd(nullptr);
        QVERIFY(model.allOptions().isEmpty());
    }

    void cleanupTestCase() { m_color.reset(); }
};

QTEST_GUILESS_MAIN(TestOptionModel)
#include "tst_optionmodel.moc"
