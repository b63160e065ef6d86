// The main dialog against a private cupsd: selecting a printer switches
// the tabs and writes a new printer's defaults at once, Apply reports
// success, a queue that disappears while selected ends in the error and the
// "installed printers have changed" message, and Cancel closes.
#include "MessageCatcher.h"
#include "support/CupsTestBed.h"
#include "support/TestUserDir.h"

#include "app/JorDialog.h"
#include "app/JorTabWidget.h"
#include "model/OptionModel.h"
#include "model/ProcessState.h"
#include "profiles/SettingsStore.h"
#include "tabs/GeneralTab.h"
#include "tabs/PrinterTab.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QTimer>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include <memory>

namespace {

int rowOf(QTableWidget *table, const QString &queue)
{
    for (int row = 0; row < table->rowCount(); ++row) {
        if (table->item(row, 0) && table->item(row, 0)->text() == queue)
            return row;
    }
    return -1;
}

} // namespace

class TestJorDialogCups : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void firstSelectionWritesDefaultsSilently();
    void sameRowAgainDoesNothing();
    void applyReportsSuccess();
    void queueRemovedWhileSelected();
    void cancelledPasswordPromptKeepsDialogOpen();

private:
    QPushButton *button(QDialogButtonBox::StandardButton which) const
    {
        return dialog->buttons()->button(which);
    }
    QTableWidget *table() const { return dialog->printerTabPtr()->table(); }
    void select(const QString &queue)
    {
        const int row = rowOf(table(), queue);
        QVERIFY2(row >= 0, qPrintable(queue));
        table()->setCurrentCell(row, 0);
    }

    CupsTestBed bed;
    std::unique_ptr<TestUserDir> userDir;
    std::unique_ptr<JorDialog> dialog;
};

void TestJorDialogCups::initTestCase()
{
    QVERIFY2(bed.start(), qPrintable(bed.lastError()));
    QVERIFY2(bed.addFixtureQueue(QStringLiteral("JColor"), QStringLiteral("jorvane-color-finisher.ppd")),
             qPrintable(bed.lastError()));
    QVERIFY2(bed.addFixtureQueue(QStringLiteral("JMono"), QStringLiteral("jorvane-mono-minimal.ppd")),
             qPrintable(bed.lastError()));
}

void TestJorDialogCups::cleanupTestCase()
{
    bed.stop();
}

void TestJorDialogCups::init()
{
    userDir.reset(new TestUserDir);
    QVERIFY(SettingsStore::writeConsent(true));
    dialog.reset(new JorDialog);
    dialog->show();
    QVERIFY(rowOf(table(), QStringLiteral("JColor")) >= 0);
}

void TestJorDialogCups::cleanup()
{
    dialog.reset();
    setCurrentModel(nullptr);
    currentSettingsFile.clear();
    userDir.reset();
}

void TestJorDialogCups::firstSelectionWritesDefaultsSilently()
{
    QVERIFY(!button(QDialogButtonBox::Ok)->isEnabled());
    QVERIFY(!dialog->profilesButtonPtr()->isEnabled());
    QVERIFY(!SettingsStore::printerSettingsFileExists(QStringLiteral("JColor")));
    MessageCatcher catcher;
    select(QStringLiteral("JColor"));
    QVERIFY(currentModel);
    QCOMPARE(currentModel->printerName(), QStringLiteral("JColor"));
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Printdeck - JColor"));
    // A printer seen for the first time gets its defaults written at once,
    // without any message.
    QVERIFY(SettingsStore::printerSettingsFileExists(QStringLiteral("JColor")));
    QVERIFY2(catcher.messages.isEmpty(), qPrintable(catcher.names().join(' ')));
    QVERIFY(button(QDialogButtonBox::Ok)->isEnabled());
    QVERIFY(button(QDialogButtonBox::Apply)->isEnabled());
    QVERIFY(dialog->saveAsButtonPtr()->isEnabled());
    QVERIFY(dialog->profilesButtonPtr()->isEnabled());
    // The Basic tab applies to this printer.
    JorTabWidget *tabs = dialog->tabWidgetPtr();
    QVERIFY(tabs->isTabEnabled(tabs->indexOf(dialog->generalTabPtr())));
}

void TestJorDialogCups::sameRowAgainDoesNothing()
{
    select(QStringLiteral("JMono"));
    const QString settings = SettingsStore::printerSettingsFilePath(QStringLiteral("JMono"));
    QVERIFY(QFile::remove(settings));
    OptionModel *model = currentModel;
    // Another cell of the same row: no model switch, no reload, no writing.
    table()->setCurrentCell(table()->currentRow(), 2);
    QCOMPARE(currentModel, model);
    QVERIFY(!QFile::exists(settings));
}

void TestJorDialogCups::applyReportsSuccess()
{
    select(QStringLiteral("JColor"));
    const QString settings = SettingsStore::printerSettingsFilePath(QStringLiteral("JColor"));
    QVERIFY(QFile::remove(settings));
    MessageCatcher catcher;
    QTest::mouseClick(button(QDialogButtonBox::Apply), Qt::LeftButton);
    QCOMPARE(catcher.names(), QStringList{QStringLiteral("msgSettingsApplied")});
    QCOMPARE(catcher.messages.first().title, QStringLiteral("Success"));
    QCOMPARE(catcher.messages.first().text, QStringLiteral("Settings applied."));
    QVERIFY(QFile::exists(settings));
    QVERIFY(dialog->isVisible());
    // The selection survives the table reload of Apply.
    QCOMPARE(table()->item(table()->currentRow(), 0)->text(), QStringLiteral("JColor"));
}

void TestJorDialogCups::queueRemovedWhileSelected()
{
    QVERIFY2(bed.addFixtureQueue(QStringLiteral("JGone"), QStringLiteral("jorvane-mono-minimal.ppd")),
             qPrintable(bed.lastError()));
    dialog->printerTabPtr()->reloadPrinterTable();
    select(QStringLiteral("JGone"));
    QVERIFY(currentModel);
    dialog->tabWidgetPtr()->setCurrentWidget(dialog->generalTabPtr());
    QVERIFY(bed.removeQueue(QStringLiteral("JGone")));

    MessageCatcher catcher;
    QTest::mouseClick(button(QDialogButtonBox::Ok), Qt::LeftButton);
    QCOMPARE(catcher.names(),
             (QStringList{QStringLiteral("msgApplyError"), QStringLiteral("msgPrintersChanged")}));
    QCOMPARE(catcher.messages.first().text, QStringLiteral("Error: Printer does not exist or lpoptions failed."));
    QCOMPARE(dialog->tabWidgetPtr()->currentIndex(), 0);
    QVERIFY(currentModel == nullptr);
    QCOMPARE(rowOf(table(), QStringLiteral("JGone")), -1);
    // OK did not close the dialog over an Apply that failed.
    QVERIFY(dialog->isVisible());

    // Cancel closes it.
    QTest::mouseClick(button(QDialogButtonBox::Cancel), Qt::LeftButton);
    QVERIFY(!dialog->isVisible());
}

void TestJorDialogCups::cancelledPasswordPromptKeepsDialogOpen()
{
    select(QStringLiteral("JColor"));
    const QString settings = SettingsStore::printerSettingsFilePath(QStringLiteral("JColor"));
    QVERIFY(QFile::remove(settings));
    PrinterTab *printerTab = dialog->printerTabPtr();
    QCheckBox *installed = nullptr;
    for (QWidget *control : printerTab->controls()) {
        if ((installed = qobject_cast<QCheckBox *>(control)))
            break;
    }
    QVERIFY(installed);
    installed->click();
    QVERIFY(printerTab->installedOptionsChanged());

    // The password prompt opens; the user cancels it.
    QString promptTitle;
    QTimer poll;
    connect(&poll, &QTimer::timeout, [&] {
        for (QWidget *window : QApplication::topLevelWidgets()) {
            auto *prompt = qobject_cast<QDialog *>(window);
            if (prompt && prompt->isVisible() && prompt->objectName() == QLatin1String("dlgPasswordPrompt")) {
                promptTitle = prompt->windowTitle();
                prompt->reject();
            }
        }
    });
    poll.start(10);
    MessageCatcher catcher;
    QTest::mouseClick(button(QDialogButtonBox::Ok), Qt::LeftButton);
    poll.stop();

    QCOMPARE(promptTitle, QStringLiteral("Password Prompt"));
    QVERIFY2(catcher.messages.isEmpty(), qPrintable(catcher.names().join(' ')));
    QVERIFY(!dialog->acceptAllowed);
    QVERIFY(dialog->isVisible());
    QVERIFY(!QFile::exists(settings));
    QVERIFY(printerTab->installedOptionsChanged());
}

QTEST_MAIN(TestJorDialogCups)
#include "tst_jordialog_cups.moc"
