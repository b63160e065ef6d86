// The help, About and legal-notices dialogs: the help page for each tab
// title, the About picture with the version drawn on it, and the legal
// notices reached from the About dialog.
#include "app/AboutDialog.h"
#include "app/HelpDialog.h"
#include "app/LicenseDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>
#include <QtTest>

class TestInfoDialogs : public QObject {
    Q_OBJECT

private slots:
    void helpPageForTab_data();
    void helpPageForTab();
    void helpDialogShowsThePage();
    void aboutPictureCarriesVersionAndNotice();
    void aboutDialogLeadsToLegalNotices();
};

void TestInfoDialogs::helpPageForTab_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("page");
    QTest::newRow("Basic") << "Basic" << ":/strings/help_basic";
    QTest::newRow("Job") << "Job" << ":/strings/help_job";
    QTest::newRow("Finishing") << "Finishing" << ":/strings/help_finishing";
    QTest::newRow("Imaging") << "Imaging" << ":/strings/help_imaging";
    QTest::newRow("Layout") << "Layout" << ":/strings/help_layout";
    QTest::newRow("NetWarden") << "NetWarden" << ":/strings/help_netwrdn";
    QTest::newRow("Tallix") << "Tallix" << ":/strings/help_netwrdn-ze";
    QTest::newRow("Publishing") << "Publishing" << ":/strings/help_publishing";
    QTest::newRow("Watermark") << "Watermark" << ":/strings/help_watermark";
    QTest::newRow("Printer") << "Printer" << ":/strings/help_printer";
    QTest::newRow("case-sensitive") << "basic" << ":/strings/help_printer";
    QTest::newRow("unknown") << "Something" << ":/strings/help_printer";
    QTest::newRow("empty") << "" << ":/strings/help_printer";
}

void TestInfoDialogs::helpPageForTab()
{
    QFETCH(QString, title);
    QFETCH(QString, page);
    QCOMPARE(HelpDialog::pageForTab(title), page);
    QVERIFY(QFile::exists(page));
}

void TestInfoDialogs::helpDialogShowsThePage()
{
    HelpDialog help(nullptr);
    QCOMPARE(help.windowTitle(), QStringLiteral("Help"));
    QCOMPARE(help.currentPage(), QStringLiteral(":/strings/help_printer"));
    QVERIFY(help.helpTextPtr()->isReadOnly());
    QCOMPARE(help.helpTextPtr()->size(), QSize(650, 500));
    QVERIFY(help.helpTextPtr()->toPlainText().contains(QStringLiteral("installable options")));
    help.showPageForTab(QStringLiteral("Watermark"));
    QVERIFY(help.helpTextPtr()->toPlainText().contains(QStringLiteral("DRAFT")));
    // Shown as rich text: no markup is visible.
    QVERIFY(!help.helpTextPtr()->toPlainText().contains(QStringLiteral("<p>")));
}

void TestInfoDialogs::aboutPictureCarriesVersionAndNotice()
{
    const QImage plain(QStringLiteral(":/icons/about-background-ze"));
    const QImage picture = AboutDialog::aboutPicture().toImage().convertToFormat(plain.format());
    QVERIFY(!plain.isNull());
    QCOMPARE(picture.size(), plain.size());
    auto changedRows = [&](int from, int to) {
        int rows = 0;
        for (int y = from; y <= to; ++y) {
            for (int x = 15; x < 200; ++x) {
                if (picture.pixel(x, y) != plain.pixel(x, y)) {
                    ++rows;
                    break;
                }
            }
        }
        return rows;
    };
    // The version line sits on the baseline y = 200, the two notice lines
    // on 280 and 295; nothing is drawn elsewhere.
    QVERIFY(changedRows(186, 203) > 4);
    QVERIFY(changedRows(272, 298) > 4);
    QCOMPARE(changedRows(205, 265), 0);
    QCOMPARE(AboutDialog::productVersion(), QStringLiteral("9.1.0"));
}

void TestInfoDialogs::aboutDialogLeadsToLegalNotices()
{
    AboutDialog about(nullptr);
    QCOMPARE(about.windowTitle(), QStringLiteral("About"));
    QCOMPARE(about.dataCollectionButtonPtr()->text(), QStringLiteral("Data collection..."));
    QCOMPARE(about.legalNoticesButtonPtr()->text(), QStringLiteral("Legal notices..."));
    QVERIFY(about.pictureLabelPtr()->minimumSize().width() >= 480);

    LicenseDialog *legal = about.licenseDialogPtr();
    QString shownText;
    bool shown = false;
    QTimer::singleShot(0, legal, [&] {
        shown = legal->isVisible();
        shownText = legal->textPtr()->toPlainText();
        legal->accept();
    });
    about.legalNoticesButtonPtr()->click();
    QVERIFY(shown);
    QCOMPARE(legal->windowTitle(), QStringLiteral("Legal Notices"));
    QVERIFY(shownText.contains(QStringLiteral("OpenSSL")));
    QVERIFY(shownText.contains(QStringLiteral("GNU Lesser General Public License")));
}

QTEST_MAIN(TestInfoDialogs)
#include "tst_infodialogs.moc"
