// Every text the sources mark for translation must be in each committed
// catalogue source (resources/translations/*.ts): lupdate runs over the
// sources into a temporary catalogue, which is compared with them.
// scripts/update-translations.sh brings the catalogues up to date.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

// "context | source | disambiguation" of every message of a .ts file.
QSet<QString> messagesOf(const QString &path, QString *error)
{
    QSet<QString> result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read ") + path;
        return result;
    }
    QXmlStreamReader xml(&file);
    QString context, source, comment;
    bool inMessage = false;
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            const auto name = xml.name();
            if (name == QLatin1String("context")) {
                context.clear();
            } else if (name == QLatin1String("name") && !inMessage) {
                context = xml.readElementText();
            } else if (name == QLatin1String("message")) {
                inMessage = true;
                source.clear();
                comment.clear();
            } else if (name == QLatin1String("source") && inMessage) {
                source = xml.readElementText();
            } else if (name == QLatin1String("comment") && inMessage) {
                comment = xml.readElementText();
            }
        } else if (token == QXmlStreamReader::EndElement && xml.name() == QLatin1String("message")) {
            inMessage = false;
            result.insert(context + QStringLiteral(" | ") + source + QStringLiteral(" | ") + comment);
        }
    }
    if (xml.hasError())
        *error = path + QStringLiteral(": ") + xml.errorString();
    return result;
}

} // namespace

class TestCatalogues : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cataloguesHoldEverySourceText_data();
    void cataloguesHoldEverySourceText();

private:
    QTemporaryDir workDir;
    QSet<QString> sourceTexts;
};

void TestCatalogues::initTestCase()
{
    QVERIFY(workDir.isValid());
    const QString probe = workDir.filePath(QStringLiteral("probe_de.ts"));
    QProcess lupdate;
    lupdate.setWorkingDirectory(QStringLiteral(PRINTDECK_SOURCE_DIR));
    lupdate.setProcessChannelMode(QProcess::MergedChannels);
    // The same options as scripts/update-translations.sh.
    lupdate.start(QStringLiteral(PRINTDECK_LUPDATE),
                  {QStringLiteral("-silent"), QStringLiteral("-no-obsolete"), QStringLiteral("-locations"),
                   QStringLiteral("none"), QStringLiteral("-extensions"), QStringLiteral("cpp,h"), QStringLiteral("-I"),
                   QStringLiteral(PRINTDECK_SOURCE_DIR), QStringLiteral("app"), QStringLiteral("printing"),
                   QStringLiteral("model"), QStringLiteral("ui"), QStringLiteral("tabs"), QStringLiteral("profiles"),
                   QStringLiteral("-ts"), probe});
    QVERIFY2(lupdate.waitForFinished(120000), "lupdate did not finish");
    QVERIFY2(lupdate.exitStatus() == QProcess::NormalExit && lupdate.exitCode() == 0,
             lupdate.readAll().constData());
    QString error;
    sourceTexts = messagesOf(probe, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    // The panel's own dialogs are among the texts found.
    QVERIFY(sourceTexts.contains(QStringLiteral("JorDialog | Settings applied. | ")));
    QVERIFY(sourceTexts.contains(QStringLiteral("TelemetryDialog | Data Collection | ")));
    QVERIFY(sourceTexts.contains(QStringLiteral("QDialogButtonBox | &OK | ")));
}

void TestCatalogues::cataloguesHoldEverySourceText_data()
{
    QTest::addColumn<QString>("catalogue");
    for (const char *code : {"en", "fr", "de", "it", "pt", "es"})
        QTest::newRow(code) << QStringLiteral(PRINTDECK_SOURCE_DIR "/resources/translations/printdeck_%1.ts")
                                   .arg(QLatin1String(code));
}

void TestCatalogues::cataloguesHoldEverySourceText()
{
    QFETCH(QString, catalogue);
    QString error;
    const QSet<QString> committed = messagesOf(catalogue, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QStringList missing = QSet<QString>(sourceTexts).subtract(committed).values();
    missing.sort();
    QVERIFY2(missing.isEmpty(),
             qPrintable(QStringLiteral("%1 lacks %2 text(s); run scripts/update-translations.sh:\n  %3")
                            .arg(QFileInfo(catalogue).fileName())
                            .arg(missing.size())
                            .arg(missing.join(QStringLiteral("\n  ")))));
}

QTEST_GUILESS_MAIN(TestCatalogues)
#include "tst_catalogues.moc"
