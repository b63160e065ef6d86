#include "tabs/GeneralTab.h"

#include "model/OptionChoice.h"
#include "model/OptionModel.h"
#include "model/ProcessState.h"
#include "model/jOption.h"
#include "ui/ComboBoxEx.h"
#include "ui/JorButtonGroup.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace {

const char *const groupStyle =
    "JorButtonGroup{ none; margin-top: 8px; margin-bottom: 8px } QPushButton { border: none; outline: } ";

QLabel *makeCaption(QWidget *parent, const QString &text, const char *name)
{
    auto *label = new QLabel(text, parent);
    label->setAccessibleName(QString::fromLatin1(name));
    return label;
}

ComboBoxEx *makeBox(const char *name)
{
    auto *box = new ComboBoxEx();
    box->setAccessibleName(QString::fromLatin1(name));
    box->setFixedWidth(215);
    return box;
}

QFrame *makeLine(QWidget *parent, QFrame::Shape shape)
{
    auto *line = new QFrame(parent);
    line->setFrameShape(shape);
    line->setFrameShadow(QFrame::Plain);
    line->setFocusPolicy(Qt::NoFocus);
    return line;
}

} // namespace

GeneralTab::GeneralTab(QWidget *parent) : Tab(parent)
{
    createControls();
    connectControls();

    auto *sizesGrid = new QGridLayout();
    sizesGrid->addWidget(pageSizeLabel, 0, 1, Qt::AlignBottom | Qt::AlignLeft);
    sizesGrid->addWidget(pageSizeCombo, 1, 1, Qt::AlignTop | Qt::AlignLeft);
    sizesGrid->addWidget(mediaTypeLabel, 2, 1, Qt::AlignBottom | Qt::AlignLeft);
    sizesGrid->addWidget(mediaTypeCombo, 3, 1, Qt::AlignTop | Qt::AlignLeft);
    sizesGrid->addWidget(inputSlotLabel, 4, 1, Qt::AlignBottom | Qt::AlignLeft);
    sizesGrid->addWidget(inputSlotCombo, 5, 1, Qt::AlignTop | Qt::AlignLeft);
    sizesGrid->addWidget(outputBinLabel, 7, 1, Qt::AlignBottom | Qt::AlignLeft);
    sizesGrid->addWidget(outputBinCombo, 8, 1, Qt::AlignTop | Qt::AlignLeft);
    sizesGrid->setColumnStretch(2, 1);
    sizesGrid->setRowStretch(12, 1);

    auto *groupsGrid = new QGridLayout();
    groupsGrid->addWidget(collateButtons, 0, 0, 1, 2, Qt::AlignLeft);
    groupsGrid->addWidget(makeLine(this, QFrame::HLine), 1, 0, 1, 4);
    groupsGrid->addWidget(duplexButtons, 2, 0, 1, 3, Qt::AlignLeft);
    groupsGrid->addWidget(makeLine(this, QFrame::HLine), 3, 0, 1, 4);
    groupsGrid->addWidget(colorButtons, 4, 0, 1, 2, Qt::AlignLeft);
    groupsGrid->setColumnStretch(2, 1);
    groupsGrid->setRowStretch(9, 1);
    duplexButtons->setStyleSheet(QString::fromLatin1(groupStyle));
    colorButtons->setStyleSheet(QString::fromLatin1(groupStyle));

    auto *layout = new QHBoxLayout(this);
    layout->addLayout(sizesGrid);
    layout->addWidget(makeLine(this, QFrame::VLine), 1);
    layout->addLayout(groupsGrid);

    setTabOrder(pageSizeCombo, mediaTypeCombo);
    setTabOrder(mediaTypeCombo, inputSlotCombo);
    setTabOrder(inputSlotCombo, outputBinCombo);
    if (QPushButton *off = collateButtons->button(0)) {
        setTabOrder(outputBinCombo, off);
        if (QPushButton *on = collateButtons->button(1))
            setTabOrder(off, on);
    }

    connectToDialog(colorButtons, SIGNAL(buttonClicked(int)), SLOT(toggleColorMode()));
    connectToDialog(mediaTypeCombo, SIGNAL(currentIndexChanged(int)),
                    SLOT(togglePublishingFronAndBackLabel()));
}

void GeneralTab::setTabName()
{
    tabTitle = tr("Basic");
    tabTitle = tabName();
}

QIcon GeneralTab::tabIcon()
{
    return QIcon(QStringLiteral(":/icons/tab-basic"));
}

QIcon GeneralTab::constraintTabIcon()
{
    return QIcon(QStringLiteral(":/icons/tab-basic-constraint"));
}

bool GeneralTab::isAvailable()
{
    return currentModel != nullptr;
}

void GeneralTab::createControls()
{
    const QString colon = QStringLiteral(":");
    pageSizeLabel = makeCaption(this, tr("Media size") + colon, "lblPageSize");
    pageSizeCombo = makeBox("cmbBxPageSize");
    mediaTypeLabel = makeCaption(this, tr("Media type") + colon, "lblMediaType");
    mediaTypeCombo = makeBox("cmbBxMediaType");
    inputSlotLabel = makeCaption(this, tr("Source") + colon, "lblInputSlot");
    inputSlotCombo = makeBox("cmbBxInputSlot");
    outputBinLabel = makeCaption(this, tr("Destination") + colon, "lblOutputBin");
    outputBinCombo = makeBox("cmbBxOutputBin");

    collateButtons = new JorButtonGroup(this, tr("Collate") + QStringLiteral(": "));
    collateButtons->setAccessibleName(QStringLiteral("butGroupCol"));
    collateButtons->addButton(tr("Off"), QStringLiteral(":/icons/collate-off"));
    collateButtons->addButton(tr("On"), QStringLiteral(":/icons/collate-on"));

    duplexButtons = new JorButtonGroup(this, tr("Duplex") + QStringLiteral(": "));
    duplexButtons->setAccessibleName(QStringLiteral("butGroupDuplex"));
    duplexButtons->addButton(tr("Off"), QStringLiteral(":/icons/duplex-off"));
    duplexButtons->addButton(tr("Long edge"), QStringLiteral(":/icons/duplex-long"));
    duplexButtons->addButton(tr("Short edge"), QStringLiteral(":/icons/duplex-short"));

    colorButtons = new JorButtonGroup(this, tr("Color") + QStringLiteral(": "));
    colorButtons->setAccessibleName(QStringLiteral("butGroupColorModelGeneral"));
    colorButtons->addButton(tr("Full color"), QStringLiteral(":/icons/color"));
    colorButtons->addButton(tr("Black & white"), QStringLiteral(":/icons/monochrome"));
    colorButtons->setFixedWidth(200);
    colorButtons->setTitleActive(true);

    optionControls.insert(QStringLiteral("PageSize"), pageSizeCombo);
    optionControls.insert(QStringLiteral("MediaType"), mediaTypeCombo);
    optionControls.insert(QStringLiteral("InputSlot"), inputSlotCombo);
    optionControls.insert(QStringLiteral("OutputBin"), outputBinCombo);
    optionControls.insert(QStringLiteral("Coll"), collateButtons);
    optionControls.insert(QStringLiteral("Duplex"), duplexButtons);
    optionControls.insert(QStringLiteral("ColorModel"), colorButtons);

    optionLabels.insert(QStringLiteral("PageSize"), pageSizeLabel);
    optionLabels.insert(QStringLiteral("MediaType"), mediaTypeLabel);
    optionLabels.insert(QStringLiteral("InputSlot"), inputSlotLabel);
    optionLabels.insert(QStringLiteral("OutputBin"), outputBinLabel);
    optionLabels.insert(QStringLiteral("Coll"), collateButtons);
    optionLabels.insert(QStringLiteral("Duplex"), duplexButtons);
}

void GeneralTab::refreshCaptions()
{
    updateOptionLabels();
    const QString colon = QStringLiteral(":");
    outputBinLabel->setText(tr("Destination") + colon);
    inputSlotLabel->setText(tr("Source") + colon);
    pageSizeLabel->setText(tr("Print size") + colon);
}

void GeneralTab::reload()
{
    blockControlSignals(true);
    setTabName();
    clearConflictTable();
    clearConstraintMarks();
    refreshCaptions();
    loadControls();
    markAllOptions();
    enableOptions();
    adjustColorGroup();
    adjustDuplexGroup();
    colorButtons->repaint();
    blockControlSignals(false);
}

void GeneralTab::showMonochromeOnly()
{
    colorButtons->selectByText(tr("Black & white"));
    colorButtons->setGroupEnabled(false);
    colorButtons->setTitleActive(true);
}

void GeneralTab::adjustColorGroup()
{
    jOption *option = currentModel ? currentModel->findOption(QStringLiteral("ColorModel")) : nullptr;
    if (!option) {
        // loadControls has disabled the group already
        colorButtons->selectByText(tr("Black & white"));
        colorButtons->setTitleActive(true);
    } else if (option->choiceCount() == 1) {
        showMonochromeOnly();
    }
}

void GeneralTab::adjustDuplexGroup()
{
    if (currentModel && currentModel->findOption(QStringLiteral("Duplex")))
        return;
    duplexButtons->selectByText(tr("Off"));
    duplexButtons->setTitleActive(true);
}

void GeneralTab::clearConstraintMarks()
{
    Tab::clearConstraintMarks();
    colorButtons->markTitle(false);
}

void GeneralTab::addComboBoxItems(ComboBoxEx *comboBox, jOption *option)
{
    if (!comboBox || !option)
        return;
    const QList<OptionChoice *> choices = option->choices();
    for (OptionChoice *choice : choices) {
        if (choice->key() == QLatin1String("Custom"))
            continue;
        comboBox->addItem(choice->text());
    }
}

bool GeneralTab::enableOptionsForButtonGroup(JorButtonGroup *button_group, jOption *option)
{
    const bool changed = Tab::enableOptionsForButtonGroup(button_group, option);
    if (button_group == colorButtons && option && option->key() == QLatin1String("ColorModel")
        && option->choiceCount() == 1)
        showMonochromeOnly();
    return changed;
}

QHash<QString, QString> GeneralTab::collectOptionValues()
{
    Tab::collectOptionValues();
    // The media size also goes out under the keys that follow it.
    const QString pageSize = optionValues.value(QStringLiteral("PageSize"));
    if (!pageSize.isEmpty()) {
        optionValues.insert(QStringLiteral("PageRegion"), pageSize);
        optionValues.insert(QStringLiteral("ImageableArea"), pageSize);
        optionValues.insert(QStringLiteral("PaperDimension"), pageSize);
        optionValues.insert(QStringLiteral("MediaSize"), pageSize);
    }
    return optionValues;
}
