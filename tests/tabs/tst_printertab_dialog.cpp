// The Printer tab inside the real main dialog on a private cupsd: a
// selection reloads the other tabs from the new model, the root warning
// follows installable-option changes through the dialog's conflict pass,
// and changes of the installed queues while the panel is open.
#include "app/MessageCatcher.h"
#include "support/CupsTestBed.h"
#include "support/TestUserDir.h"
#include "support/WidgetLookup.h"

#include "app/JorDialog.h"
#include "model/OptionChoice.h"
#include "model/OptionModel.h"
#include "model/ProcessState.h"
#include "model/jOption.h"
#include "profiles/SettingsStore.h"
#include "tabs/GeneralTab.h"
#include "tabs/PrinterTab.h"
#include "ui/ComboBoxEx.h"

#include <QCheckBox>
#include <QLabel>
#include <QTableWidget>
#include <QtTest>
#include <memory>

namespace {

QStringList itemTexts(QComboBox *combo)
{
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts.append(combo->itemText(i));
    return texts;
}

const char *const kChangedText = "It looks like your installed printers have changed.\nReloading list now.";

}  // namespace

class TestPrinterTabDialog : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void selectionReloadsTabsFromNewModel();
    void rootWarningThroughDialog();
    void otherQueueAddedKeepsSelectionSilently();
    void selectedQueueRemovedClearsSelection();
    void changeWithoutSelectionIsReported();

private:
    QTableWidget *table() const { return dialog->printerTabPtr()->table(); }
    bool select(const QString &queue)
    {
        const int row = rowOf(table(), queue);
        if (row < 0)
            return false;
        table()->setCurrentCell(row, 0);
        return currentModel && currentModel->printerName() == queue;
    }

    CupsTestBed bed;
    std::unique_ptr<TestUserDir> userDir;
    std::unique_ptr<JorDialog> dialog;
};

void TestPrinterTabDialog::initTestCase()
{
    QVERIFY2(bed.start(), qPrintable(bed.lastError()));
    QVERIFY2(bed.addFixtureQueue("JColor", "jorvane-color-finisher.ppd"), qPrintable(bed.lastError()));
    QVERIFY2(bed.addFixtureQueue("JMono", "jorvane-mono-minimal.ppd"), qPrintable(bed.lastError()));
}

void TestPrinterTabDialog::cleanupTestCase()
{
    bed.stop();
}

void TestPrinterTabDialog::init()
{
    userDir = std::make_unique<TestUserDir>();
    QVERIFY(SettingsStore::writeConsent(true));
    dialog = std::make_unique<JorDialog>();
    dialog->show();
    QVERIFY(rowOf(table(), "JColor") >= 0);
}

void TestPrinterTabDialog::cleanup()
{
    dialog.reset();
    setCurrentModel(nullptr);
    currentSettingsFile.clear();
    userDir.reset();
}

void TestPrinterTabDialog::selectionReloadsTabsFromNewModel()
{
    MessageCatcher catcher;
    QVERIFY(select("JColor"));
    GeneralTab *general = dialog->generalTabPtr();
    auto *pageSize = qobject_cast<ComboBoxEx *>(general->controls().value("PageSize"));
    QVERIFY(pageSize);
    const QStringList colourSizes = itemTexts(pageSize);
    QVERIFY(colourSizes.contains(currentModel->findOption("PageSize")->defaultChoice()->text()));
    QVERIFY(findByName<QCheckBox>(dialog->printerTabPtr(), "chkBxOption01"));

    QVERIFY(select("JMono"));
    pageSize = qobject_cast<ComboBoxEx *>(general->controls().value("PageSize"));
    QVERIFY(pageSize);
    // The mono fixture offers A4, Letter and A5 only.
    QCOMPARE(itemTexts(pageSize), QStringList({"A4", "Letter", "A5"}));
    QVERIFY(colourSizes != itemTexts(pageSize));
    QCOMPARE(pageSize->currentText(), currentModel->findOption("PageSize")->defaultChoice()->text());
    QVERIFY(dialog->printerTabPtr()->controls().isEmpty());
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Printdeck - JMono"));
    QVERIFY2(catcher.messages.isEmpty(), qPrintable(catcher.names().join(' ')));
}

void TestPrinterTabDialog::rootWarningThroughDialog()
{
    MessageCatcher catcher;
    QVERIFY(select("JColor"));
    PrinterTab *tab = dialog->printerTabPtr();
    auto *hardDisk = findByName<QCheckBox>(tab, "chkBxOption8");
    auto *finisher = findByName<ComboBoxEx>(tab, "cmbBxOption18");
    QVERIFY(hardDisk && finisher);
    QLabel *warning = findByName<QLabel>(tab, "lblRootWarning");
    QVERIFY(warning);
    QVERIFY(!warning->isVisible());

    hardDisk->click();
    QVERIFY(warning->isVisible());
    QVERIFY(tab->installedOptionsChanged());
    const int finisherWas = finisher->currentIndex();
    finisher->setCurrentIndex((finisherWas + 1) % finisher->count());
    hardDisk->click();
    QVERIFY(warning->isVisible());  // the finisher still differs
    finisher->setCurrentIndex(finisherWas);
    QVERIFY(!warning->isVisible());
    QVERIFY(!tab->installedOptionsChanged());
    QVERIFY2(catcher.messages.isEmpty(), qPrintable(catcher.names().join(' ')));
}

void TestPrinterTabDialog::otherQueueAddedKeepsSelectionSilently()
{
    MessageCatcher catcher;
    QVERIFY(select("JMono"));
    OptionModel *model = currentModel;
    // Sorts before the selected queue and is of another maker: not listed,
    // but a change of the installed queues.
    QVERIFY(bed.addFixtureQueue("AAA_Tallix", "listing-other-maker.ppd"));
    QVERIFY(bed.addFixtureQueue("AAA_Jorvane", "listing-jorvane.ppd"));
    QVERIFY(dialog->checkPrintersChanged());
    QCOMPARE(currentModel, model);
    QCOMPARE(table()->item(table()->currentRow(), 0)->text(), QStringLiteral("JMono"));
    QVERIFY(knownPrinters.contains("AAA_Tallix"));
    QVERIFY(rowOf(table(), "AAA_Jorvane") >= 0);
    QVERIFY(!dialog->checkPrintersChanged());
    QVERIFY2(catcher.messages.isEmpty(), qPrintable(catcher.names().join(' ')));
    QVERIFY(bed.removeQueue("AAA_Tallix"));
    QVERIFY(bed.removeQueue("AAA_Jorvane"));
}

void TestPrinterTabDialog::selectedQueueRemovedClearsSelection()
{
    QVERIFY(bed.addFixtureQueue("JGone", "jorvane-color-finisher.ppd"));
    dialog->printerTabPtr()->reloadPrinterTable();
    QVERIFY(select("JGone"));
    QVERIFY(!dialog->printerTabPtr()->controls().isEmpty());
    QVERIFY(bed.removeQueue("JGone"));

    // Any control change runs the conflict pass, which ends in the check.
    MessageCatcher catcher;
    findByName<QCheckBox>(dialog->printerTabPtr(), "chkBxOption8")->click();
    QTRY_COMPARE(catcher.messages.size(), 1);
    QCOMPARE(catcher.messages.first().title, QStringLiteral("Error"));
    QCOMPARE(catcher.messages.first().text, QString::fromUtf8(kChangedText));
    QVERIFY(!currentModel);
    QVERIFY(table()->selectedItems().isEmpty());
    QCOMPARE(rowOf(table(), "JGone"), -1);
    QVERIFY(dialog->printerTabPtr()->controls().isEmpty());
    QVERIFY(!dialog->printerTabPtr()->rootWarningLabel()->isVisible());
}

void TestPrinterTabDialog::changeWithoutSelectionIsReported()
{
    MessageCatcher catcher;
    QVERIFY(!currentModel);
    QVERIFY(bed.addFixtureQueue("Tallix_T30", "listing-other-maker.ppd"));
    QVERIFY(dialog->checkPrintersChanged());
    QTRY_COMPARE(catcher.messages.size(), 1);
    QCOMPARE(catcher.messages.first().text, QString::fromUtf8(kChangedText));
    QVERIFY(bed.removeQueue("Tallix_T30"));
}

QTEST_MAIN(TestPrinterTabDialog)
#include "tst_printertab_dialog.moc"
