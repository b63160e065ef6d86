#include "tabs/PrinterTab.h"

#include "model/CupsPpd.h"
#include "model/OptionModel.h"
#include "model/ProcessState.h"
#include "model/jOption.h"
#include "printing/PrinterDiscovery.h"
#include "printing/QueuePpd.h"
#include "ui/ComboBoxEx.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>


namespace {

const int kEmptyColumnWidth = 186;

}  // namespace

PrinterTab::PrinterTab(QWidget *parent)
    : Tab(parent)
{
    tabTitle = tr("Printer");
    createControls();
    connectControls();
    buildPrinterTable();

    // The model switch comes first, so that the dialog finds the new model.
    connect(printerTable, &QTableWidget::currentCellChanged, this, &PrinterTab::changePrinter);
    connectToDialog(printerTable, SIGNAL(currentCellChanged(int, int, int, int)),
                    SLOT(printerChanged(int, int, int, int)));
}

PrinterTab::~PrinterTab()
{
    for (const QPointer<QWidget> &w : qAsConst(retiredControls))
        delete w.data();
}

void PrinterTab::freeRetiredControls()
{
    for (const QPointer<QWidget> &w : qAsConst(retiredControls))
        if (w)
            w->deleteLater();
    retiredControls.clear();
}

void PrinterTab::setTabName()
{
    // The title was set at construction and stays.
    if (tabTitle.isEmpty())
        tabTitle = tr("Printer");
    tabTitle = tabName();
}

QIcon PrinterTab::tabIcon()
{
    return QIcon(QStringLiteral(":/icons/tab-printer"));
}

QIcon PrinterTab::constraintTabIcon()
{
    return QIcon(QStringLiteral(":/icons/tab-printer-constraint"));
}

bool PrinterTab::isAvailable()
{
    return true;
}

void PrinterTab::createControls()
{
    setContentsMargins(3, 3, 3, 3);
    tabTitle = tr("Printer");

    auto *layout = new QVBoxLayout(this);

    printerTable = new QTableWidget(0, 3, this);
    printerTable->setAccessibleName(QStringLiteral("tblPrinters"));
    printerTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    printerTable->setSelectionMode(QAbstractItemView::SingleSelection);
    printerTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    printerTable->verticalHeader()->hide();
    printerTable->horizontalHeader()->setStretchLastSection(true);
    printerTable->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    printerTable->setTabKeyNavigation(false);
    printerTable->setHorizontalHeaderLabels({tr("Printers"), tr("Destination"), tr("Status")});
    layout->addWidget(printerTable);

    auto *captionGrid = new QGridLayout;
    installedCaption = new QLabel(tr("Installed options"), this);
    installedCaption->setEnabled(false);
    rootWarning = new QLabel(tr("Root access is required to make changes to installable options"),
                             this);
    rootWarning->setAccessibleName(QStringLiteral("lblRootWarning"));
    rootWarning->setStyleSheet(
        QStringLiteral("QLabel{color: red; font-family: Sans; font-size: 10px; border-width: 1px; "
                       "border-color: %1; border-style: solid}")
            .arg(QApplication::palette().color(rootWarning->backgroundRole()).name()));
    rootWarning->hide();
    captionGrid->addWidget(installedCaption, 0, 0);
    captionGrid->addWidget(rootWarning, 0, 3);
    layout->addLayout(captionGrid);

    optionsArea = new QScrollArea(this);
    optionsArea->setWidgetResizable(true);
    auto *optionsWidget = new QWidget(optionsArea);
    optionsGrid = new QGridLayout(optionsWidget);
    optionsGrid->setColumnStretch(2, 1);
    optionsGrid->setRowStretch(999, 1);
    optionsGrid->setSizeConstraint(QLayout::SetFixedSize);
    optionsArea->setWidget(optionsWidget);
    layout->addWidget(optionsArea);
}

void PrinterTab::connectComboBox(QComboBox *comboBox)
{
    comboBox->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    connect(comboBox, SIGNAL(currentIndexChanged(int)), this, SLOT(markOption(int)),
            Qt::UniqueConnection);
    connect(comboBox, SIGNAL(currentIndexChanged(int)), this, SLOT(checkForChanges(int)),
            Qt::UniqueConnection);
    connect(comboBox, SIGNAL(currentIndexChanged(int)), this, SLOT(enableOptions()),
            Qt::UniqueConnection);
    connectToDialog(comboBox, SIGNAL(currentIndexChanged(int)));
}

void PrinterTab::connectCheckBox(QCheckBox *checkBox)
{
    connect(checkBox, SIGNAL(stateChanged(int)), this, SLOT(markOption(int)),
            Qt::UniqueConnection);
    connect(checkBox, SIGNAL(stateChanged(int)), this, SLOT(checkForChanges(int)),
            Qt::UniqueConnection);
    connect(checkBox, SIGNAL(stateChanged(int)), this, SLOT(enableOptions()),
            Qt::UniqueConnection);
    connectToDialog(checkBox, SIGNAL(stateChanged(int)));
}

void PrinterTab::printerChanging()
{
    printerTable->setHorizontalHeaderLabels({tr("Printers"), tr("Destination"), tr("Status")});
    tabTitle = tr("Printer");

    QStringList queues;
    for (int row = 0; row < printerTable->rowCount(); ++row)
        if (QTableWidgetItem *item = printerTable->item(row, 0))
            queues.append(item->text());
    const QHash<QString, QString> status = PrinterDiscovery::printerStatusTexts(queues);
    for (int row = 0; row < printerTable->rowCount(); ++row) {
        QTableWidgetItem *item = printerTable->item(row, 0);
        if (!item)
            continue;
        const QString text = status.value(item->text());
        if (QTableWidgetItem *cell = printerTable->item(row, 2))
            cell->setText(text);
        else
            printerTable->setItem(row, 2, new QTableWidgetItem(text));
    }

    rootWarning->setText(tr("Root access is required to make changes to installable options"));
    installedCaption->setText(tr("Installed options"));
}

void PrinterTab::reload()
{
    blockControlSignals(true);
    buildInstalledOptions();
    setTabName();
    clearConflictTable();
    clearConstraintMarks();
    updateOptionLabels();
    installedCaption->setEnabled(true);
    installedCaption->setText(tr("Installed options"));
    loadControls();
    markAllOptions();
    connectControls();
    rememberInstalledValues();
    enableOptions();
    blockControlSignals(false);
}

void PrinterTab::refreshMarks()
{
    blockControlSignals(true);
    clearConflictTable();
    clearConstraintMarks();
    markAllOptions();
    blockControlSignals(false);
}

QString PrinterTab::installedValueOf(QWidget *control) const
{
    if (auto *checkBox = qobject_cast<QCheckBox *>(control))
        return checkBox->isChecked() ? QStringLiteral("True") : QStringLiteral("False");
    if (auto *comboBox = qobject_cast<QComboBox *>(control))
        return comboBox->currentText();
    return QString();
}

void PrinterTab::rememberInstalledValues()
{
    savedInstalledValues.clear();
    for (auto it = optionControls.cbegin(); it != optionControls.cend(); ++it)
        savedInstalledValues.insert(it.key(), installedValueOf(it.value()));
    m_installedOptionsChanged = false;
    rootWarning->hide();
}

void PrinterTab::checkForChanges(int value)
{
    Q_UNUSED(value);
    m_installedOptionsChanged = false;
    for (auto it = optionControls.cbegin(); it != optionControls.cend(); ++it) {
        if (installedValueOf(it.value()) != savedInstalledValues.value(it.key())) {
            m_installedOptionsChanged = true;
            break;
        }
    }
    rootWarning->setVisible(m_installedOptionsChanged);
}

void PrinterTab::removeInstalledControls()
{
    // The controls may be removed from inside one of their own signals (a
    // change runs the dialog's conflict pass, which may find the queue gone
    // and clear the selection), and a message box's event loop may run
    // before that signal returns. So they are only taken out of the tab
    // here and freed on the next removal.
    freeRetiredControls();

    QSet<QWidget *> widgets;
    for (QWidget *w : qAsConst(optionControls))
        widgets.insert(w);
    for (QWidget *w : qAsConst(optionLabels))
        widgets.insert(w);
    for (QWidget *w : qAsConst(widgets)) {
        removeConflictMark(w);
        w->hide();
        optionsGrid->removeWidget(w);
        w->disconnect();
        w->setParent(nullptr);
        retiredControls.append(w);
    }
    optionControls.clear();
    optionLabels.clear();
    savedInstalledValues.clear();
    optionRow = 0;
}

void PrinterTab::clearInstalledOptions()
{
    printerTable->clearSelection();
    removeInstalledControls();
    printerTable->verticalScrollBar()->setValue(0);
    installedCaption->setEnabled(false);
    m_installedOptionsChanged = false;
    rootWarning->hide();
}

void PrinterTab::buildInstalledOptions()
{
    if (!currentModel)
        return;
    removeInstalledControls();
    optionsArea->setFrameShape(QFrame::StyledPanel);

    QWidget *holder = optionsGrid->parentWidget();
    const QList<jOption *> options = currentModel->installableOptions();
    for (jOption *option : options) {
        const QString key = option->key();
        if (option->hasChoice(QStringLiteral("False")) && option->hasChoice(QStringLiteral("True"))) {
            auto *checkBox = new QCheckBox(option->text(), holder);
            checkBox->setAccessibleName(QStringLiteral("chkBx") + key);
            checkBox->setStyleSheet(QStringLiteral("margin-bottom: 8px"));
            optionControls.insert(key, checkBox);
            optionLabels.insert(key, checkBox);
            optionsGrid->addWidget(checkBox, optionRow++, 0, Qt::AlignLeft);
        } else {
            auto *comboBox = new ComboBoxEx(holder);
            comboBox->setStyleSheet(QStringLiteral("margin-bottom: 8px"));
            comboBox->setAccessibleName(QStringLiteral("cmbBx") + key);
            auto *label = new QLabel(option->text() + QLatin1Char(':'), holder);
            label->setAccessibleName(QStringLiteral("lbl") + key);
            optionControls.insert(key, comboBox);
            optionLabels.insert(key, label);
            optionsGrid->addWidget(label, optionRow++, 0, Qt::AlignBottom | Qt::AlignLeft);
            optionsGrid->addWidget(comboBox, optionRow++, 0, Qt::AlignTop | Qt::AlignLeft);
        }
    }
}

void PrinterTab::buildPrinterTable()
{
    QSet<QString> names;
    const QList<PrinterDiscovery::Row> rows = PrinterDiscovery::listPrinters(&names);
    knownPrinters = names;

    printerTable->clearContents();
    printerTable->setRowCount(rows.size());
    for (int row = 0; row < rows.size(); ++row) {
        const PrinterDiscovery::Row &r = rows.at(row);
        printerTable->setItem(row, 0, new QTableWidgetItem(r.name));
        printerTable->setItem(row, 1, new QTableWidgetItem(r.deviceUri));
        printerTable->setItem(row, 2, new QTableWidgetItem(r.status));
    }
    if (rows.isEmpty()) {
        for (int column = 0; column < 3; ++column)
            printerTable->setColumnWidth(column, kEmptyColumnWidth);
    } else {
        printerTable->resizeColumnsToContents();
        printerTable->resizeRowsToContents();
    }
}

void PrinterTab::reloadPrinterTable()
{
    const bool tableWasBlocked = printerTable->blockSignals(true);
    blockControlSignals(true);

    const int previousRow = printerTable->currentRow();
    QString selectedName;
    if (previousRow >= 0)
        if (QTableWidgetItem *item = printerTable->item(previousRow, 0))
            selectedName = item->text();
    int widths[3];
    for (int column = 0; column < 3; ++column)
        widths[column] = printerTable->columnWidth(column);

    printerTable->setRowCount(0);
    buildPrinterTable();

    for (int column = 0; column < 3; ++column)
        printerTable->setColumnWidth(column, widths[column]);

    // The selection follows the queue, not the row number: queues added or
    // removed above it must not move the selection onto another queue
    // while the model still belongs to the first one.
    int row = -1;
    if (!selectedName.isEmpty()) {
        for (int r = 0; r < printerTable->rowCount(); ++r) {
            QTableWidgetItem *item = printerTable->item(r, 0);
            if (item && item->text() == selectedName) {
                row = r;
                break;
            }
        }
    }
    if (row >= 0) {
        printerTable->setCurrentCell(row, 0);
        printerTable->selectRow(row);
    } else {
        printerTable->setCurrentCell(-1, -1);
        printerTable->clearSelection();
    }

    blockControlSignals(false);
    printerTable->blockSignals(tableWasBlocked);
}

void PrinterTab::changePrinter(int row, int collumn, int prev_row, int prev_collumn)
{
    Q_UNUSED(collumn);
    Q_UNUSED(prev_collumn);
    if (row == prev_row)
        return;

    QString name;
    if (row >= 0)
        if (QTableWidgetItem *item = printerTable->item(row, 0))
            name = item->text();

    cups_dest_t *dest = nullptr;
    if (!name.isEmpty())
        dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.toUtf8().constData(), nullptr);

    if (dest) {
        setCurrentModel(nullptr);
        const QueuePpd ppd(name.toUtf8().constData());
        if (ppd.get()) {
            auto *model = new OptionModel;
            model->loadFromPpd(ppd.get());
            model->setPrinterName(name);
            setCurrentModel(model);
        }
        cupsFreeDests(1, dest);
    } else {
        setCurrentModel(nullptr);
        optionsArea->setFrameShape(QFrame::NoFrame);
    }

    currentSettingsFile =
        currentModel ? userDirectory + name + QStringLiteral(".cfg") : QString();
}
