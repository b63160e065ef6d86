// The main dialog without a print system: the conflict passes, the
// enabling of Apply / OK / "Save As...", the tab calls on a profile change,
// the printers-changed check, Apply without a printer or with a vanished
// one, the help page that follows the tabs, and the look of the tab column.
#include "MessageCatcher.h"
#include "support/TestUserDir.h"

#include "app/HelpDialog.h"
#include "app/JorDialog.h"
#include "app/JorTabWidget.h"
#include "model/OptionModel.h"
#include "model/ProcessState.h"
#include "profiles/SettingsStore.h"
#include "model/jOption.h"
#include "tabs/GeneralTab.h"
#include "ui/JorButtonGroup.h"
#include "ui/JorCheckBoxButton.h"
#include "ui/Tab.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QDir>
#include <QPushButton>
#include <QTabBar>
#include <QTextEdit>
#include <QtTest>

#include <memory>

// A tab whose answers the test sets, counting what the dialog asks of it.
class ProbeTab : public Tab {
    Q_OBJECT
public:
    ProbeTab(QWidget *dialog, const QString &title, bool available)
        : Tab(dialog), title(title), available(available)
    {
    }

    void setTabName() override { tabTitle = title; }
    void createControls() override {}
    bool isAvailable() override { return available; }
    bool hasConstraints() override { return conflict; }
    void reload() override { ++reloads; }
    void tabDisabled() override { ++disabledCalls; }
    void prepareConstraints() override { ++prepareCalls; }
    bool enableOptions() override
    {
        ++enableCalls;
        return alwaysChanging;
    }

    QString title;
    bool available;
    bool conflict = false;
    bool alwaysChanging = false;
    int enableCalls = 0;
    int reloads = 0;
    int disabledCalls = 0;
    int prepareCalls = 0;
};

// Holds a colour selector under the Imaging tab's name and records the
// adjustment resets the dialog asks for.
class ColourProbeTab : public ProbeTab {
    Q_OBJECT
public:
    explicit ColourProbeTab(QWidget *dialog)
        : ProbeTab(dialog, QStringLiteral("Imaging"), true)
    {
        selector = new JorButtonGroup(this, QStringLiteral("Color:"));
        selector->setAccessibleName(QStringLiteral("butGroupColorModelImaging"));
        selector->addButton(QStringLiteral("Full color"), QStringLiteral(":/icons/color"));
        selector->addButton(QStringLiteral("Black & white"), QStringLiteral(":/icons/monochrome"));
        connect(selector, SIGNAL(buttonClicked(int)), dialog, SLOT(toggleColorMode()));
    }
    JorButtonGroup *selector;
    QList<int> resets;

public slots:
    void clearDialogSettings(int selection) { resets.append(selection); }
};

// Holds the cover widgets under the Publishing tab's names.
class CoverProbeTab : public ProbeTab {
    Q_OBJECT
public:
    explicit CoverProbeTab(QWidget *dialog)
        : ProbeTab(dialog, QStringLiteral("Publishing"), true)
    {
        cover = new JorCheckBoxButton(this, QStringLiteral("Cover"), QStringLiteral(":/icons/covermode"));
        cover->setAccessibleName(QStringLiteral("chkButCvr"));
        front = makeCombo(QStringLiteral("cmbBxCvrM"));
        back = makeCombo(QStringLiteral("cmbBxBackCvrM"));
        frontLabel = new QLabel(QStringLiteral("Front"), this);
        frontLabel->setAccessibleName(QStringLiteral("lblCvrFront"));
        backLabel = new QLabel(QStringLiteral("Back"), this);
        backLabel->setAccessibleName(QStringLiteral("lblCvrBack"));
    }
    JorCheckBoxButton *cover;
    QComboBox *front;
    QComboBox *back;
    QLabel *frontLabel;
    QLabel *backLabel;

private:
    QComboBox *makeCombo(const QString &name)
    {
        auto *combo = new QComboBox(this);
        combo->setAccessibleName(name);
        combo->addItems({QStringLiteral("Tray 1"), QStringLiteral("Inserter tray 1"),
                         QStringLiteral("Inserter tray 2"), QStringLiteral("inserter tray 1")});
        return combo;
    }
};

// Stands for another sender of toggleColorMode (the NetWarden tab).
class ColourSignalSource : public QObject {
    Q_OBJECT
signals:
    void colorchanged();
};

class TestJorDialog : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void changingPassesStopAfterTenExtraPasses();
    void buttonsFollowSettingsValid();
    void profileChangeReloadsAvailableTabsOnly();
    void printersChangedReloadsAndTells();
    void applyWithoutPrinterAsksForOne();
    void applyToVanishedPrinterShowsErrorNotSuccess();
    void cancelWithoutPrinterTouchesNoFile();
    void helpPageFollowsCurrentTab();
    void tabColumnLook();
    void colourSelectorsStayInStep();
    void coverSideLabelsFollowInserterTrays();

private:
    QPushButton *button(QDialogButtonBox::StandardButton which) const
    {
        return dialog->buttons()->button(which);
    }
    int indexOf(Tab *tab) const { return dialog->tabWidgetPtr()->indexOf(tab); }

    std::unique_ptr<TestUserDir> userDir;
    std::unique_ptr<JorDialog> dialog;
};

void TestJorDialog::initTestCase()
{
    // No print system: nothing answers on this port, so every destination
    // list is empty and the tests do not depend on the machine's CUPS.
    qputenv("CUPS_SERVER", "localhost:1");
}

void TestJorDialog::init()
{
    userDir.reset(new TestUserDir);
    // A stored answer keeps the first-start question away.
    QVERIFY(SettingsStore::writeConsent(true));
    knownPrinters.clear();
    dialog.reset(new JorDialog);
}

void TestJorDialog::cleanup()
{
    dialog.reset();
    setCurrentModel(nullptr);
    currentSettingsFile.clear();
    userDir.reset();
}

void TestJorDialog::changingPassesStopAfterTenExtraPasses()
{
    auto *probe = new ProbeTab(dialog.get(), QStringLiteral("Probe"), true);
    dialog->addTab(probe);
    auto *model = new OptionModel;
    model->setPrinterName(QStringLiteral("probe-queue"));
    setCurrentModel(model);

    probe->alwaysChanging = true;
    dialog->setConstraints();
    QCOMPARE(probe->enableCalls, 11);
    QCOMPARE(dialog->constraintPassDepth, 0);

    // A change that settles runs one pass only, and the depth counter
    // starts again from zero for the next change.
    probe->alwaysChanging = false;
    probe->enableCalls = 0;
    dialog->setConstraints();
    QCOMPARE(probe->enableCalls, 1);
    QCOMPARE(dialog->constraintPassDepth, 0);

    // Without a model nothing runs.
    setCurrentModel(nullptr);
    probe->enableCalls = 0;
    dialog->setConstraints();
    QCOMPARE(probe->enableCalls, 0);
}

void TestJorDialog::buttonsFollowSettingsValid()
{
    auto *probe = new ProbeTab(dialog.get(), QStringLiteral("Probe"), true);
    auto *hidden = new ProbeTab(dialog.get(), QStringLiteral("Hidden"), false);
    dialog->addTab(probe);
    dialog->addTab(hidden);
    auto *model = new OptionModel;
    model->setPrinterName(QStringLiteral("probe-queue"));
    setCurrentModel(model);

    const QImage normalIcon = QIcon(QStringLiteral(":/icons/tab-basic")).pixmap(28, 28).toImage();
    const QImage conflictIcon = QIcon(QStringLiteral(":/icons/tab-basic-constraint")).pixmap(28, 28).toImage();
    QVERIFY(normalIcon != conflictIcon);
    auto shownIcon = [&](Tab *tab) {
        return dialog->tabWidgetPtr()->tabIcon(indexOf(tab)).pixmap(28, 28).toImage();
    };

    probe->conflict = true;
    dialog->setConstraints();
    QVERIFY(!settingsValid);
    QVERIFY(!button(QDialogButtonBox::Apply)->isEnabled());
    QVERIFY(!button(QDialogButtonBox::Ok)->isEnabled());
    QVERIFY(!dialog->saveAsButtonPtr()->isEnabled());
    QCOMPARE(shownIcon(probe), conflictIcon);
    // Cancel stays usable, and the profiles button is not governed by conflicts.
    QVERIFY(button(QDialogButtonBox::Cancel)->isEnabled());

    probe->conflict = false;
    dialog->setConstraints();
    QVERIFY(settingsValid);
    QVERIFY(button(QDialogButtonBox::Apply)->isEnabled());
    QVERIFY(button(QDialogButtonBox::Ok)->isEnabled());
    QVERIFY(dialog->saveAsButtonPtr()->isEnabled());
    QCOMPARE(shownIcon(probe), normalIcon);
    // Unavailable tabs take part in enableOptions but not in the marking.
    QVERIFY(hidden->enableCalls > 0);
    QCOMPARE(hidden->prepareCalls, 0);

    // A conflict on an unavailable tab still blocks applying.
    hidden->conflict = true;
    dialog->setConstraints();
    QVERIFY(!settingsValid);
    QVERIFY(!button(QDialogButtonBox::Apply)->isEnabled());
}

void TestJorDialog::profileChangeReloadsAvailableTabsOnly()
{
    auto *shown = new ProbeTab(dialog.get(), QStringLiteral("Shown"), true);
    auto *hidden = new ProbeTab(dialog.get(), QStringLiteral("Hidden"), false);
    dialog->addTab(shown);
    dialog->addTab(hidden);
    QVERIFY(dialog->tabWidgetPtr()->isTabEnabled(indexOf(shown)));
    QVERIFY(!dialog->tabWidgetPtr()->isTabEnabled(indexOf(hidden)));

    dialog->profileChanged();  // no model: nothing happens
    QCOMPARE(shown->reloads, 0);

    auto *model = new OptionModel;
    model->setPrinterName(QStringLiteral("probe-queue"));
    setCurrentModel(model);
    dialog->profileChanged();
    QCOMPARE(shown->reloads, 1);
    QCOMPARE(shown->disabledCalls, 0);
    QCOMPARE(hidden->reloads, 0);
    QCOMPARE(hidden->disabledCalls, 1);
}

void TestJorDialog::printersChangedReloadsAndTells()
{
    // Unchanged destinations: no reload, no message.
    {
        MessageCatcher catcher;
        QVERIFY(!dialog->checkPrintersChanged());
        QVERIFY(catcher.messages.isEmpty());
    }
    // A destination known before is gone while no printer is selected:
    // the list is rebuilt and the user is told.
    knownPrinters = {QStringLiteral("gone-queue")};
    {
        MessageCatcher catcher;
        QVERIFY(dialog->checkPrintersChanged());
        QCOMPARE(catcher.names(), QStringList{QStringLiteral("msgPrintersChanged")});
        QCOMPARE(catcher.messages.first().title, QStringLiteral("Error"));
        QCOMPARE(catcher.messages.first().text,
                 QStringLiteral("It looks like your installed printers have changed.\nReloading list now."));
    }
    QVERIFY(knownPrinters.isEmpty());
    QVERIFY(!dialog->checkPrintersChanged());

    // The selected printer vanished: the selection is cleared as well.
    knownPrinters = {QStringLiteral("gone-queue")};
    auto *model = new OptionModel;
    model->setPrinterName(QStringLiteral("gone-queue"));
    setCurrentModel(model);
    {
        MessageCatcher catcher;
        QVERIFY(dialog->checkPrintersChanged());
        QCOMPARE(catcher.names(), QStringList{QStringLiteral("msgPrintersChanged")});
    }
    QVERIFY(currentModel == nullptr);
}

void TestJorDialog::applyWithoutPrinterAsksForOne()
{
    MessageCatcher catcher;
    dialog->slotButtonApply();
    QCOMPARE(catcher.names(), QStringList{QStringLiteral("msgSelectPrinter")});
    QCOMPARE(catcher.messages.first().text, QStringLiteral("Select a printer."));
    QCOMPARE(QDir(userDir->path()).entryList(QDir::Files), QStringList{QStringLiteral("Settings")});
}

void TestJorDialog::applyToVanishedPrinterShowsErrorNotSuccess()
{
    dialog->show();
    auto *model = new OptionModel;
    model->setPrinterName(QStringLiteral("vanished-queue"));
    setCurrentModel(model);
    currentSettingsFile = SettingsStore::printerSettingsFilePath(QStringLiteral("vanished-queue"));
    auto *probe = new ProbeTab(dialog.get(), QStringLiteral("Probe"), true);
    dialog->addTab(probe);
    dialog->tabWidgetPtr()->setCurrentWidget(probe);
    dialog->setConstraints();
    QVERIFY(button(QDialogButtonBox::Ok)->isEnabled());

    MessageCatcher catcher;
    QTest::mouseClick(button(QDialogButtonBox::Ok), Qt::LeftButton);
    // The error, then the selection of the vanished queue is dropped (the
    // destination list itself did not change since the table was built).
    QCOMPARE(catcher.names(),
             (QStringList{QStringLiteral("msgApplyError"), QStringLiteral("msgPrintersChanged")}));
    QCOMPARE(catcher.messages.first().title, QStringLiteral("Error"));
    QCOMPARE(catcher.messages.first().text, QStringLiteral("Error: Printer does not exist or lpoptions failed."));
    QVERIFY(currentModel == nullptr);
    // The Printer tab comes to the front, nothing is written, and OK does
    // not close the dialog over settings that were not applied.
    QCOMPARE(dialog->tabWidgetPtr()->currentIndex(), 0);
    QVERIFY(!QFile::exists(currentSettingsFile));
    QVERIFY(dialog->isVisible());
}

void TestJorDialog::cancelWithoutPrinterTouchesNoFile()
{
    dialog->show();
    const QStringList before = QDir(userDir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    const QByteArray consentBefore = [&] {
        QFile f(SettingsStore::consentFilePath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    QTest::mouseClick(button(QDialogButtonBox::Cancel), Qt::LeftButton);
    QVERIFY(!dialog->isVisible());
    QCOMPARE(dialog->result(), int(QDialog::Rejected));
    QCOMPARE(QDir(userDir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    QFile consent(SettingsStore::consentFilePath());
    QVERIFY(consent.open(QIODevice::ReadOnly));
    QCOMPARE(consent.readAll(), consentBefore);
}

void TestJorDialog::helpPageFollowsCurrentTab()
{
    auto *job = new ProbeTab(dialog.get(), QStringLiteral("Job"), true);
    auto *other = new ProbeTab(dialog.get(), QStringLiteral("Something else"), true);
    dialog->addTab(job);
    dialog->addTab(other);
    HelpDialog *help = dialog->helpDialogPtr();
    QCOMPARE(help->currentPage(), QStringLiteral(":/strings/help_printer"));

    dialog->tabWidgetPtr()->setCurrentWidget(job);
    QCOMPARE(help->currentPage(), QStringLiteral(":/strings/help_job"));
    QVERIFY(help->helpTextPtr()->toPlainText().contains(QStringLiteral("Job")));
    dialog->tabWidgetPtr()->setCurrentWidget(other);
    QCOMPARE(help->currentPage(), QStringLiteral(":/strings/help_printer"));
    dialog->tabWidgetPtr()->setCurrentIndex(0);
    QCOMPARE(help->currentPage(), QStringLiteral(":/strings/help_printer"));
}

void TestJorDialog::tabColumnLook()
{
    auto *first = new ProbeTab(dialog.get(), QStringLiteral("First"), true);
    auto *hidden = new ProbeTab(dialog.get(), QStringLiteral("Hidden"), false);
    auto *last = new ProbeTab(dialog.get(), QStringLiteral("Last"), true);
    dialog->addTab(first);
    dialog->addTab(hidden);
    dialog->addTab(last);
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    QCOMPARE(dialog->size(), QSize(800, 735));

    JorTabWidget *tabs = dialog->tabWidgetPtr();
    QTabBar *bar = tabs->tabBar();
    QCOMPARE(tabs->tabPosition(), QTabWidget::West);
    QCOMPARE(bar->styleSheet(), QString::fromLatin1(JorTabWidget::tabBarStyleSheet));
    QCOMPARE(tabs->styleSheet(), QString::fromLatin1(JorTabWidget::tabWidgetStyleSheet));

    // Available tabs are 180 x 49 blocks; an unavailable one takes no
    // space, and its neighbours close up.
    const QRect firstRect = bar->tabRect(indexOf(first));
    const QRect lastRect = bar->tabRect(indexOf(last));
    QCOMPARE(firstRect.size(), QSize(180, 49));
    QCOMPARE(lastRect.size(), QSize(180, 49));
    QVERIFY(bar->tabRect(indexOf(hidden)).isEmpty());
    QCOMPARE(lastRect.top(), firstRect.bottom() + 1);

    tabs->setCurrentWidget(first);
    QImage shot = tabs->grab().toImage();
    const QPoint barOrigin = bar->mapTo(tabs, QPoint(0, 0));
    auto pixelIn = [&](const QRect &tabRect) {
        // A point right of the caption, inside the visible part of the tab.
        const int x = qMin(tabRect.right(), bar->width() - 1) - 4;
        return QColor(shot.pixel(barOrigin + QPoint(x, tabRect.center().y())));
    };
    QCOMPARE(pixelIn(firstRect), QColor(10, 155, 205));
    QCOMPARE(pixelIn(lastRect), QColor(169, 169, 169));
    // Below the last tab the column is grey, not the dialog's background.
    QCOMPARE(QColor(shot.pixel(5, bar->height() + 20)), QColor(169, 169, 169));
    QCOMPARE(QColor(shot.pixel(5, tabs->height() - 3)), QColor(169, 169, 169));

    // Switching tabs swaps the colours.
    tabs->setCurrentWidget(last);
    shot = tabs->grab().toImage();
    QCOMPARE(pixelIn(firstRect), QColor(169, 169, 169));
    QCOMPARE(pixelIn(lastRect), QColor(10, 155, 205));

    // A tab that becomes available takes its place in the column, and
    // takes it back out when it is unavailable again.
    hidden->available = true;
    dialog->unselectPrinters();
    QCoreApplication::processEvents();  // the column grows on the layout request
    QCOMPARE(bar->tabRect(indexOf(hidden)).size(), QSize(180, 49));
    QCOMPARE(bar->tabRect(indexOf(hidden)).top(), firstRect.bottom() + 1);
    QCOMPARE(bar->tabRect(indexOf(last)).top(), firstRect.bottom() + 50);
    hidden->available = false;
    dialog->unselectPrinters();
    QCoreApplication::processEvents();
    QVERIFY(bar->tabRect(indexOf(hidden)).isEmpty());
    QCOMPARE(bar->tabRect(indexOf(last)).top(), firstRect.bottom() + 1);
}

void TestJorDialog::colourSelectorsStayInStep()
{
    JorButtonGroup *general = dialog->generalTabPtr()->colorGroup();
    QVERIFY(general);
    QCOMPARE(general->accessibleName(), QStringLiteral("butGroupColorModelGeneral"));
    QCOMPARE(general->count(), 2);

    // Without an Imaging tab the General selector's signal reaches nothing
    // but must not fail.
    general->setButton(1);
    emit general->buttonClicked(1);

    auto *imaging = new ColourProbeTab(dialog.get());
    dialog->addTab(imaging);
    imaging->selector->setButton(0);

    general->setButton(1);
    emit general->buttonClicked(1);
    QCOMPARE(imaging->selector->checkedIndex(), 1);
    QCOMPARE(imaging->resets, QList<int>{1});

    general->setButton(0);
    emit general->buttonClicked(0);
    QCOMPARE(imaging->selector->checkedIndex(), 0);
    QCOMPARE(imaging->resets, (QList<int>{1, 0}));

    // The Imaging selector sets the General one, and resets nothing.
    imaging->selector->setButton(1);
    emit imaging->selector->buttonClicked(1);
    QCOMPARE(general->checkedIndex(), 1);
    QCOMPARE(imaging->resets, (QList<int>{1, 0}));

    // Any other sender resets the colour adjustment.
    ColourSignalSource other;
    connect(&other, SIGNAL(colorchanged()), dialog.get(), SLOT(toggleColorMode()));
    emit other.colorchanged();
    QCOMPARE(imaging->resets, (QList<int>{1, 0, 1}));
    QCOMPARE(general->checkedIndex(), 1);
}

void TestJorDialog::coverSideLabelsFollowInserterTrays()
{
    auto *publishing = new CoverProbeTab(dialog.get());
    dialog->addTab(publishing);
    auto *model = new OptionModel;
    model->setPrinterName(QStringLiteral("probe-queue"));
    setCurrentModel(model);

    // Without the back-cover option nothing is touched.
    publishing->cover->setChecked(true);
    publishing->front->setCurrentIndex(1);
    dialog->togglePublishingFronAndBackLabel();
    QVERIFY(publishing->frontLabel->isEnabled());

    auto *backCover = new jOption(QStringLiteral("BackCvrM"), QStringLiteral("Back cover"));
    backCover->addChoice(QStringLiteral("Tray1"), QStringLiteral("Tray 1"));
    model->addOption(backCover);

    dialog->togglePublishingFronAndBackLabel();
    QVERIFY(!publishing->frontLabel->isEnabled());
    QVERIFY(publishing->backLabel->isEnabled());

    publishing->front->setCurrentIndex(0);
    publishing->back->setCurrentIndex(2);
    dialog->togglePublishingFronAndBackLabel();
    QVERIFY(publishing->frontLabel->isEnabled());
    QVERIFY(!publishing->backLabel->isEnabled());

    // The comparison is exact and case-sensitive.
    publishing->back->setCurrentIndex(3);
    dialog->togglePublishingFronAndBackLabel();
    QVERIFY(publishing->backLabel->isEnabled());

    // A disabled combo leaves its label alone.
    publishing->back->setCurrentIndex(1);
    publishing->back->setEnabled(false);
    dialog->togglePublishingFronAndBackLabel();
    QVERIFY(publishing->backLabel->isEnabled());

    // Nothing happens while the cover button is off.
    publishing->back->setEnabled(true);
    publishing->cover->setChecked(false);
    dialog->togglePublishingFronAndBackLabel();
    QVERIFY(publishing->backLabel->isEnabled());
}

QTEST_MAIN(TestJorDialog)
#include "tst_jordialog.moc"
