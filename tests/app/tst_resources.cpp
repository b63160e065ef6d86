// The compiled-in resources: every icon of the list at its size, the
// texts, the catalogues, and the choice of catalogue by locale name.
#include "app/Translation.h"

#include <QFile>
#include <QImage>
#include <QTextStream>
#include <QTranslator>
#include <QXmlStreamReader>
#include <QtTest>

class TestResources : public QObject {
    Q_OBJECT

private slots:
    void iconsResolveAtTheirSize();
    void textsArePresent_data();
    void textsArePresent();
    void catalogueForLocale_data();
    void catalogueForLocale();
    void cataloguesLoad();
    void privacyStatementForLocale_data();
    void privacyStatementForLocale();
};

void TestResources::iconsResolveAtTheirSize()
{
    QFile list(QStringLiteral(PRINTDECK_SOURCE_DIR "/resources/icons/icons.list"));
    QVERIFY(list.open(QIODevice::ReadOnly | QIODevice::Text));
    QTextStream in(&list);
    int count = 0;
    QSet<QString> names;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList fields = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        QCOMPARE(fields.size(), 3);
        const QString path = QStringLiteral(":/icons/") + fields[0];
        QImage image(path);
        QVERIFY2(!image.isNull(), qPrintable(path));
        QCOMPARE(image.size(), QSize(fields[1].toInt(), fields[2].toInt()));
        names.insert(fields[0]);
        ++count;
    }
    QCOMPARE(count, 86);
    QCOMPARE(names.size(), 86);

    // Sizes the panel relies on, and variants that must differ from their base.
    QCOMPARE(QImage(QStringLiteral(":/icons/appicon_ze")).size(), QSize(32, 32));
    QCOMPARE(QImage(QStringLiteral(":/icons/background")).size(), QSize(904, 735));
    QCOMPARE(QImage(QStringLiteral(":/icons/tab-job")).size(), QSize(28, 28));
    QCOMPARE(QImage(QStringLiteral(":/icons/staple")).size(), QSize(48, 48));
    QVERIFY(QImage(QStringLiteral(":/icons/duplex-long")) != QImage(QStringLiteral(":/icons/duplex-long-selected")));
    QVERIFY(QImage(QStringLiteral(":/icons/tab-nwd")) != QImage(QStringLiteral(":/icons/tab-nwd-constraint")));
    QVERIFY(QImage(QStringLiteral(":/icons/duplex-long")) != QImage(QStringLiteral(":/icons/duplex-short")));
}

void TestResources::textsArePresent_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("xhtml");
    for (const char *page : {"help_basic", "help_layout", "help_finishing", "help_imaging", "help_publishing",
                             "help_job", "help_watermark", "help_printer", "help_netwrdn", "help_netwrdn-ze"})
        QTest::newRow(page) << QString::fromLatin1(page) << true;
    for (const char *text : {"license", "policy", "policy_fr", "policy_de", "policy_it", "policy_pt", "policy_es"})
        QTest::newRow(text) << QString::fromLatin1(text) << false;
}

void TestResources::textsArePresent()
{
    QFETCH(QString, name);
    QFETCH(bool, xhtml);
    QFile file(QStringLiteral(":/strings/") + name);
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    const QByteArray data = file.readAll();
    QVERIFY(data.size() > 200);
    if (xhtml) {
        // Well-formed XML with an html root and a body.
        QXmlStreamReader xml(data);
        bool sawBody = false;
        while (!xml.atEnd()) {
            if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("body"))
                sawBody = true;
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QVERIFY(sawBody);
    }
    if (name == QLatin1String("license")) {
        for (const char *part : {"Qt", "LGPL", "libcups", "OpenSSL", "Apache License, Version 2.0"})
            QVERIFY2(data.contains(part), part);
    }
}

void TestResources::catalogueForLocale_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("catalogue");
    QTest::newRow("en_US") << "en_US" << ":/strings/english";
    QTest::newRow("fr_FR") << "fr_FR" << ":/strings/french";
    QTest::newRow("fr_CA") << "fr_CA" << ":/strings/french";
    QTest::newRow("de_AT") << "de_AT" << ":/strings/german";
    QTest::newRow("it_IT") << "it_IT" << ":/strings/italian";
    QTest::newRow("pt_BR") << "pt_BR" << ":/strings/portuguese";
    QTest::newRow("es_MX") << "es_MX" << ":/strings/spanish";
    QTest::newRow("C") << "C" << ":/strings/english";
    QTest::newRow("zh_CN") << "zh_CN" << ":/strings/english";
    QTest::newRow("nl_NL") << "nl_NL" << ":/strings/english";
    QTest::newRow("language only") << "de" << ":/strings/german";
    QTest::newRow("empty") << "" << ":/strings/english";
    QTest::newRow("case-sensitive") << "DE_de" << ":/strings/english";
}

void TestResources::catalogueForLocale()
{
    QFETCH(QString, locale);
    QFETCH(QString, catalogue);
    QCOMPARE(Translation::catalogueFor(locale), catalogue);
}

void TestResources::cataloguesLoad()
{
    for (const char *name : {"english", "french", "german", "italian", "portuguese", "spanish"}) {
        const QString path = QStringLiteral(":/strings/") + QLatin1String(name);
        QVERIFY2(QFile::exists(path), qPrintable(path));
        QTranslator translator;
        QVERIFY2(translator.load(path), qPrintable(path));
    }
}

void TestResources::privacyStatementForLocale_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("resource");
    QTest::newRow("de_DE") << "de_DE" << ":/strings/policy_de";
    QTest::newRow("fr_BE") << "fr_BE" << ":/strings/policy_fr";
    QTest::newRow("it_CH") << "it_CH" << ":/strings/policy_it";
    QTest::newRow("pt_PT") << "pt_PT" << ":/strings/policy_pt";
    QTest::newRow("es_ES") << "es_ES" << ":/strings/policy_es";
    QTest::newRow("en_GB") << "en_GB" << ":/strings/policy";
    QTest::newRow("nl_NL") << "nl_NL" << ":/strings/policy";
    QTest::newRow("C") << "C" << ":/strings/policy";
}

void TestResources::privacyStatementForLocale()
{
    QFETCH(QString, locale);
    QFETCH(QString, resource);
    QCOMPARE(Translation::privacyStatementFor(locale), resource);
    QVERIFY(QFile::exists(resource));
}

QTEST_GUILESS_MAIN(TestResources)
#include "tst_resources.moc"
