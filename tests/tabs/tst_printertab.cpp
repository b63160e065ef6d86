// The Printer tab on a private cupsd: the printer table, the model switch
// on selection, the installable options and the root warning, and the
// table reload that keeps the selection.
#include "model/OptionChoice.h"
#include "model/OptionModel.h"
#include "model/ProcessState.h"
#include "model/jOption.h"
#include "support/CupsTestBed.h"
#include "support/EnvOverride.h"
#include "support/TestUserDir.h"
#include "support/WidgetLookup.h"
#include "tabs/PrinterTab.h"
#include "ui/ComboBoxEx.h"

#include <QCheckBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

// Stands in for the main dialog: records what reaches its slots and does
// what the real dialog does on a printer change (reload the tab).
class RecordingDialog : public QWidget {
    Q_OBJECT
public:
    struct Call {
        int row;
        int previousRow;
        OptionModel *model;  // currentModel when the dialog was reached
    };
    QList<Call> printerChanges;
    int constraintPasses = 0;
    PrinterTab *tab = nullptr;

public slots:
    void printerChanged(int row, int, int previousRow, int)
    {
        if (row == previousRow)  // as the real dialog: nothing to switch
            return;
        printerChanges.append({row, previousRow, currentModel});
        if (tab && currentModel) {
            tab->printerChanging();
            tab->reload();
        }
    }
    void setConstraints() { ++constraintPasses; }
};

namespace {

QStringList columnTexts(QTableWidget *table, int column)
{
    QStringList texts;
    for (int row = 0; row < table->rowCount(); ++row)
        texts.append(table->item(row, column) ? table->item(row, column)->text() : QString());
    return texts;
}

void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace

class TestPrinterTab : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void emptyDestinationList();
    void tableListsMakerQueues();
    void selectingQueueBuildsModelFirst();
    void installableOptionsAsCheckBoxOrCombo();
    void rootWarningFollowsChanges_data();
    void rootWarningFollowsChanges();
    void queueWithoutInstallableOptions();
    void reselectingSameRowReloadsNothing();
    void reloadKeepsSelectionAndWidthsSilently();
    void vanishedQueueLeavesNoModel();
    void clearInstalledOptionsEmptiesSection();
    void printerChangingRefreshesStatus();

private:
    void makeTab();

    CupsTestBed bed;
    QTemporaryDir tmp;
    std::unique_ptr<EnvOverride> tmpDirOverride;
    std::unique_ptr<TestUserDir> userDir;
    std::unique_ptr<RecordingDialog> dialog;
    PrinterTab *tab = nullptr;
};

void TestPrinterTab::initTestCase()
{
    QVERIFY(tmp.isValid());
    QVERIFY2(bed.start(), qPrintable(bed.lastError()));
    tmpDirOverride = std::make_unique<EnvOverride>();
    tmpDirOverride->set("TMPDIR", QFile::encodeName(tmp.path()));
}

void TestPrinterTab::cleanupTestCase()
{
    bed.stop();
    tmpDirOverride.reset();
}

void TestPrinterTab::init()
{
    userDir = std::make_unique<TestUserDir>();
    setCurrentModel(nullptr);
    currentSettingsFile.clear();
    knownPrinters.clear();
}

void TestPrinterTab::cleanup()
{
    dialog.reset();
    tab = nullptr;
    setCurrentModel(nullptr);
    currentSettingsFile.clear();
    userDir.reset();
}

void TestPrinterTab::makeTab()
{
    dialog = std::make_unique<RecordingDialog>();
    tab = new PrinterTab(dialog.get());
    dialog->tab = tab;
}

// Runs first, while the bed has no queue at all.
void TestPrinterTab::emptyDestinationList()
{
    makeTab();
    QTableWidget *table = findByName<QTableWidget>(tab, "tblPrinters");
    QVERIFY(table);
    QCOMPARE(table, tab->table());
    QCOMPARE(table->rowCount(), 0);
    QCOMPARE(table->columnCount(), 3);
    for (int column = 0; column < 3; ++column)
        QCOMPARE(table->columnWidth(column), 186);
    QCOMPARE(table->horizontalHeaderItem(0)->text(), QStringLiteral("Printers"));
    QCOMPARE(table->horizontalHeaderItem(1)->text(), QStringLiteral("Destination"));
    QCOMPARE(table->horizontalHeaderItem(2)->text(), QStringLiteral("Status"));
    QVERIFY(knownPrinters.isEmpty());

    // The queues of the remaining tests.
    QVERIFY2(bed.addFixtureQueue("JColor", "jorvane-color-finisher.ppd"), qPrintable(bed.lastError()));
    QVERIFY2(bed.addFixtureQueue("JMono", "jorvane-mono-minimal.ppd"), qPrintable(bed.lastError()));
    QVERIFY2(bed.addFixtureQueue("Tallix_T10", "listing-other-maker.ppd"), qPrintable(bed.lastError()));
}

void TestPrinterTab::tableListsMakerQueues()
{
    makeTab();
    QTableWidget *table = tab->table();
    QCOMPARE(columnTexts(table, 0), QStringList({"JColor", "JMono"}));
    QCOMPARE(columnTexts(table, 1), QStringList({"file:/dev/null", "file:/dev/null"}));
    QCOMPARE(columnTexts(table, 2), QStringList({"Idle", "Idle"}));
    QCOMPARE(knownPrinters, QSet<QString>({"JColor", "JMono", "Tallix_T10"}));

    QCOMPARE(table->selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(table->selectionMode(), QAbstractItemView::SingleSelection);
    QCOMPARE(table->editTriggers(), QAbstractItemView::NoEditTriggers);
    QVERIFY(table->verticalHeader()->isHidden());
    QVERIFY(table->horizontalHeader()->stretchLastSection());
    QVERIFY(!table->tabKeyNavigation());
    QVERIFY(table->currentRow() < 0);
    QVERIFY(!currentModel);

    // Sized to contents: the URI column is not the empty table's 186 px.
    QVERIFY(table->columnWidth(0) != 186 || table->columnWidth(1) != 186);
}

void TestPrinterTab::selectingQueueBuildsModelFirst()
{
    makeTab();
    QTableWidget *table = tab->table();
    table->setCurrentCell(rowOf(table, "JColor"), 0);

    QVERIFY(currentModel);
    QCOMPARE(currentModel->printerName(), QStringLiteral("JColor"));
    QCOMPARE(currentModel->modelName(), QStringLiteral("Jorvane VELD C7150"));
    QVERIFY(currentModel->findOption("PageSize"));
    QCOMPARE(currentSettingsFile, userDirectory + "JColor.cfg");
    QVERIFY(currentSettingsFile.startsWith(userDir->path()));

    // The dialog was reached once, after the model had been switched.
    QCOMPARE(dialog->printerChanges.size(), 1);
    QCOMPARE(dialog->printerChanges.at(0).row, rowOf(table, "JColor"));
    QCOMPARE(dialog->printerChanges.at(0).model, currentModel);

    // The temporary PPD copy is gone.
    QCOMPARE(QDir(tmp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System),
             QStringList());

    // Another queue: a new model replaces the first.
    table->setCurrentCell(rowOf(table, "JMono"), 0);
    QVERIFY(currentModel);
    QCOMPARE(currentModel->printerName(), QStringLiteral("JMono"));
    QCOMPARE(currentSettingsFile, userDirectory + "JMono.cfg");
    QCOMPARE(dialog->printerChanges.size(), 2);
    QCOMPARE(dialog->printerChanges.at(1).model, currentModel);
}

void TestPrinterTab::installableOptionsAsCheckBoxOrCombo()
{
    makeTab();
    tab->table()->setCurrentCell(rowOf(tab->table(), "JColor"), 0);
    QVERIFY(currentModel);

    const QList<jOption *> installable = currentModel->installableOptions();
    QVERIFY(!installable.isEmpty());
    QCOMPARE(tab->controls().size(), installable.size());
    bool sawCheckBox = false, sawCombo = false;
    for (jOption *option : installable) {
        const QString key = option->key();
        if (option->hasChoice("True") && option->hasChoice("False")) {
            auto *box = findByName<QCheckBox>(tab, "chkBx" + key);
            QVERIFY2(box, qPrintable(key));
            QCOMPARE(tab->controls().value(key), box);
            QCOMPARE(tab->labels().value(key), box);
            QCOMPARE(box->text(), option->text());
            QCOMPARE(box->isChecked(), option->defaultChoice()->key() == "True");
            QVERIFY(!findByName<QLabel>(tab, "lbl" + key));
            sawCheckBox = true;
        } else {
            auto *combo = findByName<ComboBoxEx>(tab, "cmbBx" + key);
            auto *label = findByName<QLabel>(tab, "lbl" + key);
            QVERIFY2(combo && label, qPrintable(key));
            QCOMPARE(tab->controls().value(key), combo);
            QCOMPARE(tab->labels().value(key), label);
            QCOMPARE(label->text(), option->text() + ":");
            QCOMPARE(combo->count(), option->choiceCount());
            QCOMPARE(combo->currentText(), option->defaultChoice()->text());
            sawCombo = true;
        }
    }
    // The colour fixture has both kinds (Option01 Boolean, Option18 PickOne).
    QVERIFY(sawCheckBox);
    QVERIFY(sawCombo);
    QVERIFY(findByName<QLabel>(tab, "lblRootWarning"));
    QVERIFY(!tab->rootWarningLabel()->isVisibleTo(tab));
    QVERIFY(!tab->installedOptionsChanged());
}

void TestPrinterTab::rootWarningFollowsChanges_data()
{
    QTest::addColumn<QString>("control");
    QTest::newRow("check box") << "chkBxOption01";
    QTest::newRow("combo box") << "cmbBxOption18";
}

void TestPrinterTab::rootWarningFollowsChanges()
{
    QFETCH(QString, control);
    makeTab();
    tab->table()->setCurrentCell(rowOf(tab->table(), "JColor"), 0);
    QVERIFY(currentModel);
    QLabel *warning = tab->rootWarningLabel();
    const int passesBefore = dialog->constraintPasses;

    if (auto *box = findByName<QCheckBox>(tab, control)) {
        const QString key = control.mid(5);
        const bool was = box->isChecked();
        box->setChecked(!was);
        QVERIFY(tab->installedOptionsChanged());
        QVERIFY(warning->isVisibleTo(tab));
        // The model follows the control.
        QCOMPARE(currentModel->findOption(key)->markedChoice()->key(),
                 QString(was ? "False" : "True"));
        box->setChecked(was);
    } else {
        auto *combo = findByName<ComboBoxEx>(tab, control);
        QVERIFY(combo);
        const int was = combo->currentIndex();
        combo->setCurrentIndex((was + 1) % combo->count());
        QVERIFY(tab->installedOptionsChanged());
        QVERIFY(warning->isVisibleTo(tab));
        combo->setCurrentIndex(was);
    }
    QVERIFY(!tab->installedOptionsChanged());
    QVERIFY(!warning->isVisibleTo(tab));
    QCOMPARE(dialog->constraintPasses, passesBefore + 2);

    // After an accepted write the shown values are the saved ones.
    if (auto *box = findByName<QCheckBox>(tab, control))
        box->setChecked(!box->isChecked());
    else if (auto *combo = findByName<ComboBoxEx>(tab, control))
        combo->setCurrentIndex((combo->currentIndex() + 1) % combo->count());
    QVERIFY(warning->isVisibleTo(tab));
    tab->rememberInstalledValues();
    QVERIFY(!tab->installedOptionsChanged());
    QVERIFY(!warning->isVisibleTo(tab));
    tab->checkForChanges(0);
    QVERIFY(!tab->installedOptionsChanged());
}

void TestPrinterTab::queueWithoutInstallableOptions()
{
    makeTab();
    tab->table()->setCurrentCell(rowOf(tab->table(), "JColor"), 0);
    QVERIFY(!tab->controls().isEmpty());
    tab->table()->setCurrentCell(rowOf(tab->table(), "JMono"), 0);
    QVERIFY(currentModel);
    QVERIFY(currentModel->installableOptions().isEmpty());
    flushDeletes();
    QVERIFY(tab->controls().isEmpty());
    QVERIFY(tab->labels().isEmpty());
    for (QWidget *w : tab->findChildren<QWidget *>()) {
        const QString name = w->accessibleName();
        QVERIFY2(!name.startsWith("chkBx") && !name.startsWith("cmbBx")
                     && (!name.startsWith("lbl") || name == "lblRootWarning"),
                 qPrintable(name));
    }
}

void TestPrinterTab::reselectingSameRowReloadsNothing()
{
    makeTab();
    QTableWidget *table = tab->table();
    const int row = rowOf(table, "JColor");
    table->setCurrentCell(row, 0);
    OptionModel *model = currentModel;
    QVERIFY(model);
    QCheckBox *box = findByName<QCheckBox>(tab, "chkBxOption01");
    QVERIFY(box);
    box->setChecked(!box->isChecked());  // a pending change a reload would drop

    table->setCurrentCell(row, 1);  // another cell of the same row
    tab->changePrinter(row, 0, row, 0);
    QCOMPARE(currentModel, model);
    QCOMPARE(dialog->printerChanges.size(), 1);
    QCOMPARE(findByName<QCheckBox>(tab, "chkBxOption01"), box);
    QVERIFY(tab->installedOptionsChanged());
}

void TestPrinterTab::reloadKeepsSelectionAndWidthsSilently()
{
    makeTab();
    QTableWidget *table = tab->table();
    table->setCurrentCell(rowOf(table, "JMono"), 0);
    OptionModel *model = currentModel;
    QVERIFY(model);
    table->setColumnWidth(0, 150);
    table->setColumnWidth(1, 222);
    const int width2 = table->columnWidth(2);
    const int changes = dialog->printerChanges.size();

    // A queue that sorts first moves the selected queue down one row.
    QVERIFY2(bed.addFixtureQueue("AAA_First", "listing-jorvane.ppd"), qPrintable(bed.lastError()));
    tab->reloadPrinterTable();

    QCOMPARE(columnTexts(table, 0), QStringList({"AAA_First", "JColor", "JMono"}));
    QCOMPARE(table->currentRow(), rowOf(table, "JMono"));
    const QList<QTableWidgetItem *> selected = table->selectedItems();
    QVERIFY(!selected.isEmpty());
    for (QTableWidgetItem *item : selected)
        QCOMPARE(item->row(), rowOf(table, "JMono"));
    QCOMPARE(table->columnWidth(0), 150);
    QCOMPARE(table->columnWidth(1), 222);
    QCOMPARE(table->columnWidth(2), width2);
    QCOMPARE(dialog->printerChanges.size(), changes);
    QCOMPARE(currentModel, model);
    QCOMPARE(knownPrinters, QSet<QString>({"AAA_First", "JColor", "JMono", "Tallix_T10"}));
    QVERIFY(!table->signalsBlocked());

    // The selected queue removed: no row is selected any more.
    QVERIFY(bed.removeQueue("AAA_First"));
    QVERIFY(bed.addFixtureQueue("JMono_Spare", "jorvane-mono-minimal.ppd"));
    QVERIFY(bed.removeQueue("JMono"));
    tab->reloadPrinterTable();
    QCOMPARE(columnTexts(table, 0), QStringList({"JColor", "JMono_Spare"}));
    QCOMPARE(table->currentRow(), -1);
    QVERIFY(table->selectedItems().isEmpty());
    QCOMPARE(dialog->printerChanges.size(), changes);

    QVERIFY(bed.removeQueue("JMono_Spare"));
    QVERIFY(bed.addFixtureQueue("JMono", "jorvane-mono-minimal.ppd"));
}

void TestPrinterTab::vanishedQueueLeavesNoModel()
{
    makeTab();
    QTableWidget *table = tab->table();
    table->setCurrentCell(rowOf(table, "JColor"), 0);
    QVERIFY(currentModel);
    QVERIFY(bed.addFixtureQueue("JGone", "jorvane-mono-minimal.ppd"));
    tab->reloadPrinterTable();
    QVERIFY(bed.removeQueue("JGone"));

    table->setCurrentCell(rowOf(table, "JGone"), 0);
    QVERIFY(!currentModel);
    QVERIFY(currentSettingsFile.isEmpty());
    QCOMPARE(dialog->printerChanges.last().model, static_cast<OptionModel *>(nullptr));
}

void TestPrinterTab::clearInstalledOptionsEmptiesSection()
{
    makeTab();
    QTableWidget *table = tab->table();
    table->setCurrentCell(rowOf(table, "JColor"), 0);
    QVERIFY(!tab->controls().isEmpty());
    findByName<QCheckBox>(tab, "chkBxOption01")->toggle();
    QVERIFY(tab->rootWarningLabel()->isVisibleTo(tab));

    setCurrentModel(nullptr);
    tab->clearInstalledOptions();
    flushDeletes();
    QVERIFY(table->selectedItems().isEmpty());
    QVERIFY(tab->controls().isEmpty());
    QVERIFY(tab->labels().isEmpty());
    QVERIFY(!findByName<QCheckBox>(tab, "chkBxOption01"));
    QVERIFY(!tab->installedOptionsChanged());
    QVERIFY(!tab->rootWarningLabel()->isVisibleTo(tab));
}

void TestPrinterTab::printerChangingRefreshesStatus()
{
    makeTab();
    QTableWidget *table = tab->table();
    QCOMPARE(table->item(rowOf(table, "JMono"), 2)->text(), QStringLiteral("Idle"));
    QVERIFY(bed.pauseQueue("JMono"));
    tab->printerChanging();
    QCOMPARE(table->item(rowOf(table, "JMono"), 2)->text(), QStringLiteral("Paused"));
    QCOMPARE(table->item(rowOf(table, "JColor"), 2)->text(), QStringLiteral("Idle"));
    QVERIFY(bed.resumeQueue("JMono"));
}

QTEST_MAIN(TestPrinterTab)
#include "tst_printertab.moc"
