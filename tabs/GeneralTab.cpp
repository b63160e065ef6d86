#include "tabs/GeneralTab.h"
#include "model/ProcessState.h"

GeneralTab::GeneralTab(QWidget *parent) : Tab(parent)
{
    createControls();
}

void GeneralTab::setTabName()
{
    tabTitle = tr("Basic");
    tabTitle = tabName();
}

QIcon GeneralTab::tabIcon() { return QIcon(QStringLiteral(":/icons/tab-basic")); }
QIcon GeneralTab::constraintTabIcon() { return QIcon(QStringLiteral(":/icons/tab-basic-constraint")); }
bool GeneralTab::isAvailable() { return currentModel != nullptr; }
void GeneralTab::createControls() {}
void GeneralTab::reload() { Tab::reload(); }
void GeneralTab::clearConstraintMarks() { Tab::clearConstraintMarks(); }
void GeneralTab::addComboBoxItems(ComboBoxEx *comboBox, jOption *option) { Tab::addComboBoxItems(comboBox, option); }
QHash<QString, QString> GeneralTab::collectOptionValues() { return Tab::collectOptionValues(); }
void GeneralTab::refreshCaptions() { updateOptionLabels(); }
bool GeneralTab::enableOptionsForButtonGroup(JorButtonGroup *button_group, jOption *option)
{
    return Tab::enableOptionsForButtonGroup(button_group, option);
}
void GeneralTab::adjustColorGroup() {}
void GeneralTab::adjustDuplexGroup() {}
void GeneralTab::showMonochromeOnly() {}
