// The reset of other applications' print settings against a temporary
// home tree.
#include "printing/AppSettingsReset.h"
#include "support/EnvOverride.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char *const noHomeChildSwitch = "--reset-without-home";

const QByteArray a4PageSetup =
    "[Page Setup]\n"
    "PPDName=A4\n"
    "DisplayName=A4\n"
    "Width=210\n"
    "Height=297\n"
    "MarginTop=3.5277777777777777\n"
    "MarginBottom=3.5277777777777777\n"
    "MarginLeft=4.2333333333333325\n"
    "MarginRight=4.2333333333333325\n"
    "Orientation=portrait\n";

const QByteArray registryBefore =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<oor:items>\n"
    "<item oor:path=\"/org.openoffice.Office.Common/Print/Option/Writer\"><prop oor:name=\"Collate\" "
    "oor:op=\"fuse\"><value>false</value></prop></item>\n"
    "<item oor:path=\"/org.openoffice.Office.Common/Misc\"><prop oor:name=\"UseSystemPrintDialog\" "
    "oor:op=\"fuse\"><value>false</value></prop></item>\n"
    "<item oor:path=\"/x\"><prop name=\"Collate\"><value>false</value><old>false</old></prop></item>\n"
    "</oor:items>\n";

const QByteArray registryAfter =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<oor:items>\n"
    "<item oor:path=\"/org.openoffice.Office.Common/Print/Option/Writer\"><prop oor:name=\"Collate\" "
    "oor:op=\"fuse\"><value>true</value></prop></item>\n"
    "<item oor:path=\"/org.openoffice.Office.Common/Misc\"><prop oor:name=\"UseSystemPrintDialog\" "
    "oor:op=\"fuse\"><value>false</value></prop></item>\n"
    "<item oor:path=\"/x\"><prop name=\"Collate\"><value>true</value><old>true</old></prop></item>\n"
    "</oor:items>\n";

bool writeFile(const QString &path, const QByteArray &contents, mode_t mode = 0644)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const bool ok = file.write(contents) == contents.size();
    file.close();
    return ok && ::chmod(QFile::encodeName(path).constData(), mode) == 0;
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

mode_t modeOf(const QString &path)
{
    struct stat st;
    return lstat(QFile::encodeName(path).constData(), &st) == 0 ? (st.st_mode & 07777) : 0;
}

bool isSymlink(const QString &path)
{
    struct stat st;
    return lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISLNK(st.st_mode);
}

} // namespace

class TstAppSettingsReset : public QObject {
    Q_OBJECT

    // A home tree with every kind of target, decoys and links that point
    // out of it; `outside` holds the link targets.
    struct Tree {
        QTemporaryDir base;
        QString home;
        QString outside;
        bool ok = false;
        explicit Tree(const QString &homeName = QStringLiteral("home"))
        {
            home = base.path() + QLatin1Char('/') + homeName;
            outside = base.path() + QStringLiteral("/outside");
            ok = base.isValid() && QDir().mkpath(home) && QDir().mkpath(outside);
            ok = ok && writeFile(at(".config/gedit/gedit-print-settings"), "[Print Settings]\nn-copies=3\n");
            ok = ok && writeFile(at(".config/gedit/gedit-page-setup"), "[Page Setup]\nPPDName=Letter\n", 0640);
            ok = ok && writeFile(at(".config/gedit/gedit-print-settings.tmp"), "decoy");
            ok = ok && writeFile(at(".config/gedit/gedit-page-setup.tmp"), "decoy");
            ok = ok && writeFile(at(".config/evince/print-settings"), "[Print Settings]\n");
            ok = ok && writeFile(at(".config/eog/eog-print-settings.ini"), "[Print Settings]\n");
            ok = ok && writeFile(at(".config/libreoffice/4/user/registrymodifications.xcu"), registryBefore, 0600);
            // both fragments: the first of the list wins, so it is deleted
            ok = ok && writeFile(at("old/gedit-page-setup/gedit-print-settings"), "both");
            ok = ok && writeFile(at("notes.txt"), "keep");
            ok = ok && writeFile(at("Documents/print-settings"), "keep: no evince/ before it");
            // links named like targets, pointing out of the tree
            ok = ok && writeFile(outside + "/victim-settings", "outside");
            ok = ok && writeFile(outside + "/victim-page-setup", "outside");
            ok = ok && writeFile(outside + "/linked-dir/gedit-print-settings", "outside");
            ok = ok && writeFile(outside + "/user/registrymodifications.xcu", registryBefore);
            ok = ok && QDir().mkpath(at(".config/evince2/evince"));
            ok = ok && QFile::link(outside + "/victim-settings", at(".config/evince2/evince/print-settings"));
            ok = ok && QDir().mkpath(at("links"));
            ok = ok && QFile::link(outside + "/victim-page-setup", at("links/gedit-page-setup"));
            ok = ok && QFile::link(outside + "/linked-dir", at("links/gedit"));
            ok = ok && QFile::link(outside, at("links/office"));
        }
        QString at(const QString &relative) const { return home + QLatin1Char('/') + relative; }
    };

    void checkOutsideUntouched(const Tree &tree)
    {
        QCOMPARE(readFile(tree.outside + "/victim-settings"), QByteArray("outside"));
        QCOMPARE(readFile(tree.outside + "/victim-page-setup"), QByteArray("outside"));
        QCOMPARE(readFile(tree.outside + "/linked-dir/gedit-print-settings"), QByteArray("outside"));
        QCOMPARE(readFile(tree.outside + "/user/registrymodifications.xcu"), registryBefore);
        QVERIFY(isSymlink(tree.at(".config/evince2/evince/print-settings")));
        QVERIFY(isSymlink(tree.at("links/gedit-page-setup")));
    }

private slots:
    void templates()
    {
        QCOMPARE(AppSettingsReset::pageSetupText("A4"), a4PageSetup);
        QCOMPARE(AppSettingsReset::pageSetupText("Statement"),
                 QByteArray("[Page Setup]\nPPDName=Statement\nDisplayName=Invoice\nWidth=139.69999694824219\n"
                            "Height=215.89999389648438\nMarginTop=4.2333333333333325\n"
                            "MarginBottom=4.2333333333333325\nMarginLeft=4.2333333333333325\n"
                            "MarginRight=4.2333333333333325\nOrientation=portrait\n"));
        QCOMPARE(AppSettingsReset::pageSetupText("P8K"),
                 QByteArray("[Page Setup]\nPPDName=P8K\nDisplayName=8K\nWidth=273.04999999999995\n"
                            "Height=393.69999999999999\nMarginTop=3.8805555555555551\n"
                            "MarginBottom=4.2333333333333325\nMarginLeft=4.2333333333333325\n"
                            "MarginRight=3.8805555555555551\nOrientation=portrait\n"));
        AppSettingsReset reset(QStringLiteral("/nonexistent"));
        QCOMPARE(reset.pageSetupTemplates.size(), 28);
        QVERIFY(AppSettingsReset::pageSetupText("Custom.100x150mm").isEmpty());
        QVERIFY(AppSettingsReset::pageSetupText("a4").isEmpty());
    }

    void fragments_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("fragment");
        QTest::newRow("editor settings") << "/.config/gedit/gedit-print-settings" << "gedit-print-settings";
        QTest::newRow("temporary copy") << "/.config/gedit/gedit-print-settings.tmp" << "";
        QTest::newRow("both, list order") << "/gedit-page-setup/gedit-print-settings" << "gedit-print-settings";
        QTest::newRow("both, reversed") << "/gedit-print-settings/gedit-page-setup" << "gedit-print-settings";
        QTest::newRow("viewer") << "/.config/evince/print-settings" << "evince/print-settings";
        QTest::newRow("viewer, no folder") << "/Documents/print-settings" << "";
        QTest::newRow("images") << "/.config/eog/eog-print-settings.ini" << "eog-print-settings.ini";
        QTest::newRow("office") << "/.config/libreoffice/4/user/registrymodifications.xcu"
                                << "/user/registrymodifications.xcu";
        QTest::newRow("office, directly under home") << "/user/registrymodifications.xcu"
                                                     << "/user/registrymodifications.xcu";
        QTest::newRow("office, other folder") << "/x/myuser/registrymodifications.xcu" << "";
        QTest::newRow(".tmp anywhere") << "/a.tmpdir/gedit-page-setup" << "";
    }

    void fragments()
    {
        QFETCH(QString, path);
        QFETCH(QString, fragment);
        AppSettingsReset reset(QStringLiteral("/home/u"));
        QCOMPARE(reset.matchingFragment(path.toUtf8()), fragment);
    }

    void collateSwitchedOn()
    {
        QCOMPARE(AppSettingsReset::switchCollateOn(registryBefore), registryAfter);
        // without a final line feed, and a line with the word elsewhere
        QCOMPARE(AppSettingsReset::switchCollateOn("name=\"Collate\" false"),
                 QByteArray("name=\"Collate\" true"));
        QCOMPARE(AppSettingsReset::switchCollateOn("name=\"Collated\" false\n"),
                 QByteArray("name=\"Collated\" false\n"));
    }

    void resetForPageSize_data()
    {
        QTest::addColumn<QString>("pageSize");
        QTest::addColumn<QByteArray>("pageSetup");
        QTest::newRow("A4") << "A4" << a4PageSetup;
        QTest::newRow("custom size") << "Custom.100x150mm" << QByteArray();
        QTest::newRow("no page size") << "" << QByteArray();
    }

    void resetForPageSize()
    {
        QFETCH(QString, pageSize);
        QFETCH(QByteArray, pageSetup);
        Tree tree;
        QVERIFY(tree.ok);

        AppSettingsReset reset(tree.home);
        reset.search();
        QCOMPARE(QSet<QString>(reset.foundFiles.keyBegin(), reset.foundFiles.keyEnd()),
                 (QSet<QString>{tree.at(".config/gedit/gedit-print-settings"),
                                tree.at(".config/gedit/gedit-page-setup"),
                                tree.at(".config/evince/print-settings"),
                                tree.at(".config/eog/eog-print-settings.ini"),
                                tree.at(".config/libreoffice/4/user/registrymodifications.xcu"),
                                tree.at("old/gedit-page-setup/gedit-print-settings")}));
        reset.apply(pageSize);

        QVERIFY(!QFileInfo::exists(tree.at(".config/gedit/gedit-print-settings")));
        QVERIFY(!QFileInfo::exists(tree.at(".config/evince/print-settings")));
        QVERIFY(!QFileInfo::exists(tree.at(".config/eog/eog-print-settings.ini")));
        QVERIFY(!QFileInfo::exists(tree.at("old/gedit-page-setup/gedit-print-settings")));

        QCOMPARE(readFile(tree.at(".config/gedit/gedit-page-setup")), pageSetup);
        QCOMPARE(modeOf(tree.at(".config/gedit/gedit-page-setup")), mode_t(0640));
        QCOMPARE(readFile(tree.at(".config/libreoffice/4/user/registrymodifications.xcu")), registryAfter);
        QCOMPARE(modeOf(tree.at(".config/libreoffice/4/user/registrymodifications.xcu")), mode_t(0600));

        QCOMPARE(readFile(tree.at(".config/gedit/gedit-print-settings.tmp")), QByteArray("decoy"));
        QCOMPARE(readFile(tree.at(".config/gedit/gedit-page-setup.tmp")), QByteArray("decoy"));
        QCOMPARE(readFile(tree.at("notes.txt")), QByteArray("keep"));
        QCOMPARE(readFile(tree.at("Documents/print-settings")), QByteArray("keep: no evince/ before it"));
        checkOutsideUntouched(tree);

        // no temporary file is left behind
        const QStringList left = QDir(tree.at(".config/libreoffice/4/user")).entryList(QDir::Files | QDir::Hidden);
        QCOMPARE(left, QStringList{"registrymodifications.xcu"});
        const QStringList gedit = QDir(tree.at(".config/gedit")).entryList(QDir::Files | QDir::Hidden);
        QCOMPARE(gedit.size(), 3);
    }

    // The home directory's own path is no part of the match: a home whose
    // name holds a fragment (or ".tmp") is searched like any other.
    void homePathIsNotMatched_data()
    {
        QTest::addColumn<QString>("homeName");
        QTest::newRow("fragment in the home path") << "gedit-print-settings-fan";
        QTest::newRow(".tmp in the home path") << "u.tmp";
    }

    void homePathIsNotMatched()
    {
        QFETCH(QString, homeName);
        Tree tree(homeName);
        QVERIFY(tree.ok);
        AppSettingsReset::resetApplicationPrintSettings("A4", tree.home + "/");
        QCOMPARE(readFile(tree.at("notes.txt")), QByteArray("keep"));
        QVERIFY(!QFileInfo::exists(tree.at(".config/evince/print-settings")));
        QCOMPARE(readFile(tree.at(".config/gedit/gedit-page-setup")), a4PageSetup);
        checkOutsideUntouched(tree);
    }

    void unwritableFileIsLeftAlone()
    {
        if (geteuid() == 0)
            QSKIP("root may write any file");
        Tree tree;
        QVERIFY(tree.ok);
        const QString setup = tree.at(".config/gedit/gedit-page-setup");
        QVERIFY(::chmod(QFile::encodeName(setup).constData(), 0444) == 0);
        AppSettingsReset::resetApplicationPrintSettings("A4", tree.home);
        QCOMPARE(readFile(setup), QByteArray("[Page Setup]\nPPDName=Letter\n"));
    }

    void homeDirectoryFallsBackToPasswd()
    {
        EnvOverride env;
        env.set("HOME", "/somewhere/else");
        QCOMPARE(AppSettingsReset::findHomeDirectory(), QStringLiteral("/somewhere/else"));
        env.set("HOME", "");
        const struct passwd *pw = getpwuid(getuid());
        QVERIFY(pw);
        QCOMPARE(AppSettingsReset::findHomeDirectory(), QFile::decodeName(pw->pw_dir));
    }

    void noHomeEndsTheProcess()
    {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", "");
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(noHomeChildSwitch)});
        QVERIFY(child.waitForFinished(30000));
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        QCOMPARE(child.exitCode(), 1);
    }
};

int main(int argc, char **argv)
{
    if (argc == 2 && qstrcmp(argv[1], noHomeChildSwitch) == 0) {
        // neither HOME nor a passwd home: the reset must end the process
        AppSettingsReset::passwdHomeLookup = [] { return QString(); };
        AppSettingsReset::resetApplicationPrintSettings(QStringLiteral("A4"));
        return 0;
    }
    QCoreApplication app(argc, argv);
    TstAppSettingsReset test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_appsettingsreset.moc"
