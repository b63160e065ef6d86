#include "tabs/BookletTab.h"
#include "model/ProcessState.h"

BookletTab::BookletTab(QWidget *parent) : Tab(parent)
{
    createControls();
}

void BookletTab::setTabName()
{
    tabTitle = tr("Layout");
    tabTitle = tabName();
}

QIcon BookletTab::tabIcon() { return QIcon(QStringLiteral(":/icons/tab-layout")); }
QIcon BookletTab::constraintTabIcon() { return QIcon(QStringLiteral(":/icons/tab-layout-constraint")); }
bool BookletTab::isAvailable() { return currentModel != nullptr; }
void BookletTab::createControls() {}
void BookletTab::beforeReload() {}
void BookletTab::connectTabControls() { connectControls(); }
