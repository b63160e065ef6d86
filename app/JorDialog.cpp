#include "app/JorDialog.h"

#include "app/AboutDialog.h"
#include "app/HelpDialog.h"
#include "app/JorTabWidget.h"
#include "app/TelemetryDialog.h"
#include "app/Translation.h"
#include "model/OptionModel.h"
#include "model/ProcessState.h"
#include "printing/LpoptionsWriter.h"
#include "printing/PasswordPrompt.h"
#include "printing/PrinterDiscovery.h"
#include "profiles/SettingsStore.h"
#include "tabs/BookletTab.h"
#include "tabs/GeneralTab.h"
#include "tabs/PrinterTab.h"
#include "ui/JorButtonGroup.h"
#include "ui/JorCheckBoxButton.h"
#include "ui/Tab.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSpacerItem>

#include <cstdlib>
#include <unistd.h>

namespace {

// Conflict passes that keep changing values stop after this many extra passes.
const int kMaxExtraPasses = 10;

void makeButtonPassive(QPushButton *button)
{
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoDefault(false);
    button->setDefault(false);
}

} // namespace

JorDialog::JorDialog(QWidget *parent)
    : QDialog(parent)
{
    computeUserDirectory();
    if (geteuid() == 0) {
        QMessageBox refusal(QMessageBox::Warning, tr("Printdeck"),
                            tr("Please do not run %1 as root.").arg(tr("Printdeck")), QMessageBox::Ok);
        refusal.setObjectName(QStringLiteral("msgRunAsRoot"));
        refusal.exec();
        std::exit(0);
    }
    if (!SettingsStore::consentFileExists()) {
        TelemetryDialog consent(this);
        consent.exec();
    }

    setFixedSize(800, 735);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    auto *grid = new QGridLayout(this);
    QPalette pal = palette();
    pal.setBrush(QPalette::All, QPalette::Window, QBrush(QPixmap(QStringLiteral(":/icons/background"))));
    setPalette(pal);

    // The tab widget comes first so that addTab can place every tab in it
    // as it is created.
    tabWidget = new JorTabWidget(this);
    tabWidget->setAccessibleName(QStringLiteral("tabWidgetMain"));
    tabWidget->setTabPosition(QTabWidget::West);
    tabWidget->setIconSize(QSize(30, 30));
    sharedTabs = new QList<Tab *>;

    printerTab = new PrinterTab(this);
    addTab(printerTab);
    generalTab = new GeneralTab(this);
    addTab(generalTab);
    bookletTab = new BookletTab(this);
    addTab(bookletTab);

    aboutDialog = new AboutDialog(this);
    helpDialog = new HelpDialog(this);

    saveAsButton = new QPushButton(tr("Save As..."), this);
    saveAsButton->setAccessibleName(QStringLiteral("butSaveAs"));
    saveAsButton->setEnabled(false);
    makeButtonPassive(saveAsButton);
    profilesButton = new QPushButton(tr("Profiles") + QStringLiteral("..."), this);
    profilesButton->setAccessibleName(QStringLiteral("butProfiles"));
    profilesButton->setEnabled(false);
    makeButtonPassive(profilesButton);

    buttonBox = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this);
    buttonBox->setAccessibleName(QStringLiteral("butBoxMain"));
    buttonBox->setFocusPolicy(Qt::NoFocus);
    Translation::translateButtons(buttonBox);
    for (QAbstractButton *button : buttonBox->buttons())
        makeButtonPassive(static_cast<QPushButton *>(button));
    buttonBox->button(QDialogButtonBox::Ok)->setEnabled(false);
    buttonBox->button(QDialogButtonBox::Apply)->setEnabled(false);
    connect(buttonBox, &QDialogButtonBox::accepted, this, &JorDialog::accept);
    connect(buttonBox->button(QDialogButtonBox::Apply), &QPushButton::clicked, this, &JorDialog::slotButtonApply);
    connect(buttonBox, &QDialogButtonBox::rejected, this, &JorDialog::reject);

    helpButton = new QPushButton(QStringLiteral("?"), this);
    helpButton->setAccessibleName(QStringLiteral("butHelp"));
    helpButton->setFixedWidth(32);
    makeButtonPassive(helpButton);
    connect(tabWidget, &QTabWidget::currentChanged, this, &JorDialog::tabSelected);
    connect(helpButton, &QPushButton::clicked, helpDialog, &HelpDialog::exec);

    aboutButton = new QPushButton(tr("About"), this);
    aboutButton->setAccessibleName(QStringLiteral("butAbout"));
    aboutButton->setFixedWidth(100);
    makeButtonPassive(aboutButton);
    connect(aboutButton, &QPushButton::clicked, aboutDialog, &AboutDialog::exec);
    setStyleSheet(QStringLiteral("ComboBoxEx { padding-left: 4px } "));

    grid->addWidget(tabWidget, 1, 1, 1, 8);
    grid->addWidget(saveAsButton, 2, 6, 1, 2, Qt::AlignRight);
    grid->addWidget(profilesButton, 2, 8, 1, 1);
    grid->addItem(new QSpacerItem(1, 50), 4, 1, 1, 3);
    grid->addWidget(aboutButton, 4, 1, 1, 1, Qt::AlignBottom);
    grid->addWidget(helpButton, 4, 2, 1, 1, Qt::AlignBottom | Qt::AlignHCenter);
    grid->addWidget(buttonBox, 4, 4, 1, 6, Qt::AlignBottom | Qt::AlignRight);

    setWindowTitle(tr("Printdeck"));

    tabWidget->applyLook();
    buttonBox->button(QDialogButtonBox::Ok)->clearFocus();
    constraintPassDepth = 0;
}

JorDialog::~JorDialog()
{
    delete sharedTabs;
}

void JorDialog::addTab(Tab *tab)
{
    tabs.append(tab);
    sharedTabs->append(tab);
    // A tab may leave its title to setTabName (which reload calls later).
    tab->setTabName();
    const int index = tabWidget->addTab(tab, tab->tabIcon(), tab->tabName());
    tabWidget->setTabAvailable(index, tab->isAvailable());
}

void JorDialog::enableTabsByAvailability()
{
    for (Tab *tab : qAsConst(tabs))
        tabWidget->setTabAvailable(tabWidget->indexOf(tab), tab->isAvailable());
}

QWidget *JorDialog::widgetInTabs(const QString &name, QWidget **holder) const
{
    for (Tab *tab : tabs) {
        if (QWidget *widget = widgetByAccessibleName(tab, name)) {
            if (holder)
                *holder = tab;
            return widget;
        }
    }
    return nullptr;
}

QWidget *JorDialog::widgetByAccessibleName(QWidget *root, const QString &name)
{
    if (!root)
        return nullptr;
    const QList<QWidget *> children = root->findChildren<QWidget *>();
    for (QWidget *child : children) {
        if (child->accessibleName() == name)
            return child;
    }
    return nullptr;
}

void JorDialog::showMessage(const QString &objectName, const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, this);
    box.setObjectName(objectName);
    box.exec();
}

bool JorDialog::checkPrintersChanged()
{
    const QSet<QString> fresh = PrinterDiscovery::currentPrinterNames();
    if (fresh == knownPrinters)
        return false;
    const QSet<QString> removed = QSet<QString>(knownPrinters).subtract(fresh);
    const bool selectionLost = !currentModel || removed.contains(currentModel->printerName());
    if (printerTab)
        printerTab->reloadPrinterTable();
    else
        knownPrinters = fresh;
    if (selectionLost)
        dropLostSelection();
    return true;
}

void JorDialog::dropLostSelection()
{
    unselectPrinters();
    showMessage(QStringLiteral("msgPrintersChanged"), tr("Error"),
                tr("It looks like your installed printers have changed.\nReloading list now."));
}

bool JorDialog::applySettings()
{
    if (!currentModel)
        return false;
    const LpoptionsWriter::Result result =
        LpoptionsWriter::writeTolpoptions(currentModel->printerName(), *sharedTabs);
    if (result == LpoptionsWriter::Result::Applied)
        return true;
    showMessage(QStringLiteral("msgApplyError"), tr("Error"),
                tr("Error: Printer does not exist or lpoptions failed."));
    tabWidget->setCurrentIndex(0);
    if (!checkPrintersChanged() && currentModel
        && !knownPrinters.contains(currentModel->printerName())) {
        // Apply reloads the printer table before writing, so the check
        // finds the list unchanged although the selected queue is gone;
        // knownPrinters then holds the names the check has just fetched.
        dropLostSelection();
    }
    return false;
}

void JorDialog::writeTolpoptions()
{
    applySettings();
}

void JorDialog::setConstraints()
{
    if (!currentModel)
        return;
    for (Tab *tab : qAsConst(tabs))
        tab->setConstraintsShown(false);

    bool changed = false;
    for (Tab *tab : qAsConst(tabs)) {
        if (tab->enableOptions())
            changed = true;
    }

    bool ok = true;
    for (Tab *tab : qAsConst(tabs)) {
        if (!tab->isAvailable())
            continue;
        const int index = tabWidget->indexOf(tab);
        tab->prepareConstraints();
        tab->clearConstraintMarks();
        tabWidget->setTabIcon(index, tab->tabIcon());
        tab->showConstraintMarks();
        if (tab->hasConstraints())
            tabWidget->setTabIcon(index, tab->constraintTabIcon());
    }
    for (Tab *tab : qAsConst(tabs)) {
        if (tab->hasConstraints())
            ok = false;
    }

    buttonBox->button(QDialogButtonBox::Apply)->setEnabled(ok);
    buttonBox->button(QDialogButtonBox::Ok)->setEnabled(ok);
    saveAsButton->setEnabled(ok);
    settingsValid = ok;

    if (changed && constraintPassDepth < kMaxExtraPasses) {
        ++constraintPassDepth;
        setConstraints();
    } else {
        constraintPassDepth = 0;
    }
    checkPrintersChanged();
}

void JorDialog::toggleColorMode()
{
    // The selectors are found by their accessible names, so that the
    // dialog needs no knowledge of the tab classes that hold them.
    QWidget *generalHolder = nullptr;
    QWidget *imaging = nullptr;
    auto *generalSelector = qobject_cast<JorButtonGroup *>(
        widgetInTabs(QStringLiteral("butGroupColorModelGeneral"), &generalHolder));
    auto *imagingSelector =
        qobject_cast<JorButtonGroup *>(widgetInTabs(QStringLiteral("butGroupColorModelImaging"), &imaging));
    QObject *source = sender();

    if (source && source == generalSelector) {
        const int index = generalSelector->checkedIndex();
        if (imagingSelector && index >= 0)
            imagingSelector->setButton(index);
        if (imaging)
            QMetaObject::invokeMethod(imaging, "clearDialogSettings", Q_ARG(int, index));
    } else if (source && source == imagingSelector) {
        const int index = imagingSelector->checkedIndex();
        if (generalSelector && index >= 0)
            generalSelector->setButton(index);
    } else if (imaging) {
        QMetaObject::invokeMethod(imaging, "clearDialogSettings", Q_ARG(int, 1));
    }
}

void JorDialog::togglePublishingFronAndBackLabel()
{
    if (!currentModel || !currentModel->findOption(QStringLiteral("BackCvrM")))
        return;
    QWidget *publishing = nullptr;
    auto *coverButton =
        qobject_cast<JorCheckBoxButton *>(widgetInTabs(QStringLiteral("chkButCvr"), &publishing));
    if (!coverButton || !coverButton->isChecked())
        return;
    const struct {
        const char *combo;
        const char *label;
    } sides[] = {{"cmbBxCvrM", "lblCvrFront"}, {"cmbBxBackCvrM", "lblCvrBack"}};
    for (const auto &side : sides) {
        auto *combo = qobject_cast<QComboBox *>(widgetByAccessibleName(publishing, QLatin1String(side.combo)));
        QWidget *label = widgetByAccessibleName(publishing, QLatin1String(side.label));
        if (!combo || !label || !combo->isEnabled())
            continue;
        const QString text = combo->currentText();
        label->setEnabled(text != QLatin1String("Inserter tray 1") && text != QLatin1String("Inserter tray 2"));
    }
}

void JorDialog::accept()
{
    slotButtonApply();
    if (acceptAllowed)
        QDialog::accept();
}

void JorDialog::unselectPrinters()
{
    setCurrentModel(nullptr);
    if (printerTab)
        printerTab->clearInstalledOptions();
    enableTabsByAvailability();
}

bool JorDialog::authorizeInstallableOptions(const QString &optionText)
{
    // The prompt clears acceptAllowed while it is open and sets it again,
    // with the Printer tab's saved values, only when the options were written.
    PasswordPrompt prompt(this, optionText);
    prompt.setObjectName(QStringLiteral("dlgPasswordPrompt"));
    prompt.exec();
    return prompt.authorized();
}

void JorDialog::slotButtonApply()
{
    acceptAllowed = true;
    if (printerTab)
        printerTab->reloadPrinterTable();
    if (!currentModel) {
        showMessage(QStringLiteral("msgSelectPrinter"), QString(), tr("Select a printer."));
        acceptAllowed = false;
        return;
    }
    if (printerTab && printerTab->installedOptionsChanged()) {
        QString optionText;
        const QHash<QString, QString> installed = printerTab->collectOptionValues();
        for (auto it = installed.constBegin(); it != installed.constEnd(); ++it)
            optionText += it.key() + QLatin1Char('=') + it.value() + QLatin1Char(' ');
        if (!authorizeInstallableOptions(optionText))
            return;
    }
    if (!applySettings()) {
        // The error has been shown; OK keeps the dialog open so that the
        // settings are not lost.
        acceptAllowed = false;
        return;
    }
    QMessageBox success(QMessageBox::NoIcon, tr("Success"), tr("Settings applied."), QMessageBox::Ok, this);
    success.setObjectName(QStringLiteral("msgSettingsApplied"));
    success.setMinimumSize(100, 100);
    success.exec();
}

void JorDialog::printerChanged(int row, int collumn, int previousRow, int previousColumn)
{
    Q_UNUSED(collumn);
    Q_UNUSED(previousColumn);
    if (row == previousRow)
        return;
    saveAsButton->setEnabled(false);
    profilesButton->setEnabled(false);
    buttonBox->button(QDialogButtonBox::Ok)->setEnabled(false);
    buttonBox->button(QDialogButtonBox::Apply)->setEnabled(false);

    if (!currentModel) {
        if (printerTab)
            printerTab->clearConstraintMarks();
        setWindowTitle(tr("Printdeck"));
        checkPrintersChanged();
        return;
    }

    for (Tab *tab : qAsConst(tabs))
        tab->printerChanging();
    setWindowTitle(tr("Printdeck") + QStringLiteral(" - ") + currentModel->printerName());
    enableTabsByAvailability();

    inPrinterChange = true;
    profileChanged();
    inPrinterChange = false;

    if (!SettingsStore::printerSettingsFileExists(currentModel->printerName()))
        writeTolpoptions();
    setConstraints();

    saveAsButton->setEnabled(true);
    profilesButton->setEnabled(true);
    buttonBox->button(QDialogButtonBox::Ok)->setEnabled(true);
    buttonBox->button(QDialogButtonBox::Apply)->setEnabled(true);
}

void JorDialog::profileChanged()
{
    if (!currentModel)
        return;
    currentModel->unmarkAll();
    for (Tab *tab : qAsConst(tabs)) {
        const bool enabled = tabWidget->isTabEnabled(tabWidget->indexOf(tab));
        if (tab == printerTab) {
            if (inPrinterChange)
                tab->reload();
            else
                printerTab->refreshMarks();
        } else if (enabled) {
            tab->reload();
        } else {
            tab->tabDisabled();
        }
    }
}

void JorDialog::reject()
{
    if (!currentSettingsFile.isEmpty() && currentModel)
        SettingsStore::refreshRecordedDefaults(currentSettingsFile);
    QDialog::reject();
}

void JorDialog::tabSelected()
{
    auto *tab = qobject_cast<Tab *>(tabWidget->currentWidget());
    if (tab && helpDialog)
        helpDialog->showPageForTab(tab->tabName());
}
