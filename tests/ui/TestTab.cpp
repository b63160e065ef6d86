#include "TestTab.h"

#include "ui/ComboBoxEx.h"
#include "ui/JorButtonGroup.h"
#include "ui/JorCheckBoxButton.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QSlider>

TestTab::TestTab(QWidget *dialog, bool named_)
    : Tab(dialog)
    , named(named_)
{
    createControls();
    connectControls();
}

void TestTab::setTabName()
{
    tabTitle = named ? QStringLiteral("Test") : QString();
}

void TestTab::createControls()
{
    auto *grid = new QGridLayout(this);
    auto addCombo = [&](const QString &key, QLabel *&label, ComboBoxEx *&combo, int row) {
        label = new QLabel(this);
        label->setAccessibleName(QStringLiteral("lbl") + key);
        combo = new ComboBoxEx(this);
        combo->setAccessibleName(QStringLiteral("cmbBx") + key);
        grid->addWidget(label, row, 0);
        grid->addWidget(combo, row, 1);
        optionControls.insert(key, combo);
        optionLabels.insert(key, label);
    };

    addCombo(QStringLiteral("InputSlot"), lblInputSlot, cmbBxInputSlot, 0);
    addCombo(QStringLiteral("TbMedia"), lblTbMedia, cmbBxTbMedia, 1);
    mediaCompanion = new QWidget(this);
    mediaCompanion->setAccessibleName(QStringLiteral("wdgTbMedia"));
    companionWidgets.insert(QStringLiteral("TbMedia"), mediaCompanion);

    chkBxTbEco = new QCheckBox(this);
    chkBxTbEco->setAccessibleName(QStringLiteral("chkBxTbEco"));
    grid->addWidget(chkBxTbEco, 2, 0, 1, 2);
    optionControls.insert(QStringLiteral("TbEco"), chkBxTbEco);
    optionLabels.insert(QStringLiteral("TbEco"), chkBxTbEco);

    butGroupTbSide = new JorButtonGroup(this, QStringLiteral("Sides"));
    butGroupTbSide->setAccessibleName(QStringLiteral("butGroupTbSide"));
    butGroupTbSide->addButton(QStringLiteral("One-sided"), QStringLiteral(":/icons/duplex-off"));
    butGroupTbSide->addButton(QStringLiteral("Long edge"), QStringLiteral(":/icons/duplex-long"));
    butGroupTbSide->addButton(QStringLiteral("Short edge"), QStringLiteral(":/icons/duplex-short"));
    grid->addWidget(butGroupTbSide, 3, 0, 1, 2);
    optionControls.insert(QStringLiteral("TbSide"), butGroupTbSide);
    optionLabels.insert(QStringLiteral("TbSide"), butGroupTbSide);

    lblTbStaple = new QLabel(this);
    lblTbStaple->setAccessibleName(QStringLiteral("lblTbStaple"));
    chkButTbStaple = new JorCheckBoxButton(this, QStringLiteral("Staple"), QStringLiteral(":/icons/staple"));
    chkButTbStaple->setAccessibleName(QStringLiteral("chkButTbStaple"));
    grid->addWidget(lblTbStaple, 4, 0);
    grid->addWidget(chkButTbStaple, 4, 1);
    optionControls.insert(QStringLiteral("TbStaple"), chkButTbStaple);
    optionLabels.insert(QStringLiteral("TbStaple"), lblTbStaple);
    checkBoxButtons.append(chkButTbStaple);

    addCombo(QStringLiteral("TbStplPos"), lblTbStplPos, cmbBxTbStplPos, 5);
    addCombo(QStringLiteral("TbNoDef"), lblTbNoDef, cmbBxTbNoDef, 6);
    chkButTbStaple->attach(lblTbStplPos, QStringLiteral("no_default"));
    chkButTbStaple->attach(cmbBxTbStplPos, QStringLiteral("Off"));
    // A detail whose value stays while the feature is off.
    chkButTbStaple->attach(cmbBxTbNoDef, QStringLiteral("no_default"));

    sldTbLevel = new QSlider(Qt::Horizontal, this);
    sldTbLevel->setAccessibleName(QStringLiteral("sldTbLevel"));
    sldTbLevel->setRange(0, 2);
    grid->addWidget(sldTbLevel, 7, 1);
    optionControls.insert(QStringLiteral("TbLevel"), sldTbLevel);

    // An option this printer does not have.
    addCombo(QStringLiteral("TbGone"), lblTbGone, cmbBxTbGone, 8);
    goneCompanion = new QWidget(this);
    goneCompanion->setAccessibleName(QStringLiteral("wdgTbGone"));
    companionWidgets.insert(QStringLiteral("TbGone"), goneCompanion);
}
