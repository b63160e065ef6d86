// printdeck-inspect run as a child process: the JSON it prints, marks in
// order, ignored marks, and its failures.
#include "../model/TestPpd.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <cstring>

namespace {

struct Run {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
    QJsonObject json;
};

Run inspect(const QStringList &args, const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment())
{
    Run run;
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(PRINTDECK_INSPECT), args);
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    run.json = QJsonDocument::fromJson(run.out).object();
    return run;
}

QString colorPpd()
{
    return TestPpd::fixturePath(QStringLiteral("jorvane-color-finisher.ppd"));
}

QJsonObject choice(const QJsonObject &root, const QString &key, const QString &choiceKey)
{
    for (const QJsonValue &value : root.value("options").toObject().value(key).toObject().value("choices").toArray()) {
        if (value.toObject().value("key").toString() == choiceKey)
            return value.toObject();
    }
    return QJsonObject();
}

QStringList strings(const QJsonValue &value)
{
    QStringList out;
    for (const QJsonValue &v : value.toArray())
        out << v.toString();
    return out;
}

} // namespace

class TestInspect : public QObject {
    Q_OBJECT

private slots:
    void wholeModel()
    {
        const Run run = inspect({colorPpd()});
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.err.isEmpty(), run.err.constData());
        const QJsonObject &root = run.json;
        QCOMPARE(root.value("modelName").toString(), QStringLiteral("Jorvane VELD C7150"));
        QCOMPARE(root.value("rasterOrPdfFilter"), QJsonValue(false));
        QCOMPARE(root.value("jpslFilter"), QJsonValue(false));
        QCOMPARE(root.value("ppdDefaults").toObject().value("Duplex").toString(), QStringLiteral("None"));
        QVERIFY(!root.value("ppdDefaults").toObject().contains("cStpl"));
        QCOMPARE(strings(root.value("installableOptions")),
                 (QStringList{"Option17", "Option8", "Option18", "Option19", "Option20", "Option01", "Option21",
                              "Option22", "Option23", "Option24", "Option25", "Option26", "Option27", "Option28"}));

        const QJsonObject duplex = root.value("options").toObject().value("Duplex").toObject();
        QCOMPARE(duplex.value("text").toString(), QStringLiteral("Two-sided"));
        QCOMPARE(duplex.value("fromPpd"), QJsonValue(true));
        QCOMPARE(duplex.value("priority").toInt(), 5);
        QCOMPARE(duplex.value("default").toString(), QStringLiteral("None"));
        QCOMPARE(duplex.value("marked").toString(), QStringLiteral("None"));
        QStringList keys;
        for (const QJsonValue &c : duplex.value("choices").toArray())
            keys << c.toObject().value("key").toString() + "/" + c.toObject().value("text").toString();
        QCOMPARE(keys, (QStringList{"None/Off", "DuplexNoTumble/Long edge", "DuplexTumble/Short edge"}));

        const QJsonObject staple = root.value("options").toObject().value("cStpl").toObject();
        QCOMPARE(staple.value("fromPpd"), QJsonValue(false));
        QVERIFY(staple.value("default").isNull());
        QVERIFY(staple.value("marked").isNull());

        const QJsonObject biFold = choice(root, "cBiFld", "True");
        QCOMPARE(strings(biFold.value("conflicts")),
                 (QStringList{"Option24=False", "MediaType=Transparency", "Stpl=Left",
                              "cTriFld=True", "cTriFldZ=True", "cEngrFld=True"}));
        QCOMPARE(biFold.value("constrained"), QJsonValue(false));
        const QJsonArray groups = choice(root, "OutputBin", "FDStackerA").value("groups").toArray();
        QCOMPARE(groups.size(), 1);
        QCOMPARE(strings(groups.at(0)), (QStringList{"Option24=False", "FldA=Bifold", "OutputBin=FDStackerA"}));
        QVERIFY(choice(root, "OutputBin", "FDStackerA").value("activeGroups").toArray().isEmpty());
    }

    void marksInOrder()
    {
        const Run run = inspect({"--mark", "Option24=False", "--mark=FldA=Bifold", "--mark", "NWDToggle=On",
                                 "--mark", "cUserLogin=True", colorPpd()});
        QCOMPARE(run.exitCode, 0);
        const QJsonObject stacker = choice(run.json, "OutputBin", "FDStackerA");
        QCOMPARE(stacker.value("constrained"), QJsonValue(true));
        QCOMPARE(stacker.value("activeGroups").toArray().size(), 1);
        QCOMPARE(strings(stacker.value("activeGroups").toArray().at(0)),
                 (QStringList{"Option24=False", "FldA=Bifold", "OutputBin=FDStackerA"}));
        const QJsonObject login = choice(run.json, "cUserLogin", "True");
        QCOMPARE(strings(login.value("activeConstraints")), QStringList{"NWDToggle=On"});
        QCOMPARE(run.json.value("options").toObject().value("cUserLogin").toObject().value("marked").toString(),
                 QStringLiteral("True"));
        QCOMPARE(choice(run.json, "NWDToggle", "On").value("constrained"), QJsonValue(false));

        // Re-marking withdraws: the last mark of an option wins.
        const Run again = inspect({"--mark", "NWDToggle=On", "--mark", "NWDToggle=Off", "--mark", "cUserLogin=True", colorPpd()});
        QCOMPARE(again.exitCode, 0);
        QCOMPARE(choice(again.json, "cUserLogin", "True").value("constrained"), QJsonValue(false));
        QCOMPARE(choice(again.json, "NWDDuplex", "On").value("constrained"), QJsonValue(true));
    }

    void unknownMarksAreIgnored()
    {
        const Run run = inspect({"--mark", "NoSuchOption=On", "--mark", "Duplex=Sideways", colorPpd()});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.err.contains("NoSuchOption"));
        QVERIFY(run.err.contains("Sideways"));
        QCOMPARE(run.json.value("options").toObject().value("Duplex").toObject().value("marked").toString(),
                 QStringLiteral("None"));
    }

    void usageErrors_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("no arguments") << QStringList();
        QTest::newRow("mark without value") << QStringList{colorPpd(), "--mark"};
        QTest::newRow("mark without =") << QStringList{"--mark", "Duplex", colorPpd()};
        QTest::newRow("mark without key") << QStringList{"--mark", "=None", colorPpd()};
        QTest::newRow("unknown switch") << QStringList{"--verbose", colorPpd()};
        QTest::newRow("two files") << QStringList{colorPpd(), colorPpd()};
    }

    void usageErrors()
    {
        QFETCH(QStringList, args);
        const Run run = inspect(args);
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.out.isEmpty());
        QVERIFY2(run.err.contains("usage: printdeck-inspect"), run.err.constData());
    }

    void unreadablePpd_data()
    {
        QTest::addColumn<QByteArray>("content"); // empty: no file at all
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing file") << QByteArray() << QString::fromLocal8Bit(strerror(ENOENT));
        QTest::newRow("not a PPD") << QByteArray("hello\n") << QStringLiteral("Missing asterisk in column 1 on line 1");
        QTest::newRow("no header") << QByteArray("*FormatVersion: \"4.3\"\n") << QStringLiteral("Missing PPD-Adobe-4.x header on line 1");
    }

    void unreadablePpd()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString path = dir.filePath("printer.ppd");
        if (!content.isEmpty()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        const Run run = inspect({path});
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.out.isEmpty());
        QCOMPARE(QString::fromLocal8Bit(run.err).trimmed(),
                 QStringLiteral("printdeck-inspect: cannot open PPD: %1: %2").arg(path, reason));
    }

    void localisedTexts()
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("LC_ALL", "fr_FR.UTF-8");
        env.insert("LANG", "fr_FR.UTF-8");
        const Run french = inspect({colorPpd()}, env);
        QCOMPARE(french.exitCode, 0);
        const QJsonObject duplex = french.json.value("options").toObject().value("Duplex").toObject();
        QCOMPARE(duplex.value("text").toString(), QStringLiteral("Recto verso"));
        QCOMPARE(choice(french.json, "Duplex", "DuplexTumble").value("text").toString(), QStringLiteral("Bord court"));
        // Keys and untranslated texts stay as they are.
        QCOMPARE(choice(french.json, "Coll", "False").value("text").toString(), QStringLiteral("Off"));
        QCOMPARE(french.json.value("ppdDefaults").toObject().value("Duplex").toString(), QStringLiteral("None"));

        env.insert("LC_ALL", "C.UTF-8");
        env.insert("LANG", "C.UTF-8");
        const Run plain = inspect({colorPpd()}, env);
        QCOMPARE(plain.json.value("options").toObject().value("Duplex").toObject().value("text").toString(),
                 QStringLiteral("Two-sided"));
    }
};

QTEST_GUILESS_MAIN(TestInspect)
#include "tst_inspect.moc"
