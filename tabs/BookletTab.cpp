#include "tabs/BookletTab.h"

#include "model/OptionModel.h"
#include "model/ProcessState.h"
#include "ui/JorButtonGroup.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>

BookletTab::BookletTab(QWidget *parent) : Tab(parent)
{
    createControls();
    connectTabControls();

    auto *grid = new QGridLayout();
    grid->addWidget(bookletButtons, 0, 1, Qt::AlignLeft);
    grid->addWidget(foldCheck, 1, 1, Qt::AlignLeft);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(3, 1);
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(grid);
}

void BookletTab::setTabName()
{
    tabTitle = tr("Layout");
    tabTitle = tabName();
}

QIcon BookletTab::tabIcon()
{
    return QIcon(QStringLiteral(":/icons/tab-layout"));
}

QIcon BookletTab::constraintTabIcon()
{
    return QIcon(QStringLiteral(":/icons/tab-layout-constraint"));
}

bool BookletTab::isAvailable()
{
    if (!currentModel)
        return false;
    for (auto it = optionControls.cbegin(); it != optionControls.cend(); ++it) {
        if (currentModel->findOption(it.key()))
            return true;
    }
    return false;
}

void BookletTab::createControls()
{
    bookletButtons = new JorButtonGroup(this, tr("Booklet") + QStringLiteral(":"));
    bookletButtons->setAccessibleName(QStringLiteral("butGroupJCBooklet"));
    bookletButtons->addButton(tr("Off"), QStringLiteral(":/icons/booklet-off"));
    bookletButtons->addButton(tr("Left edge binding"), QStringLiteral(":/icons/booklet-left"));
    bookletButtons->addButton(tr("Right edge binding"), QStringLiteral(":/icons/booklet-right"));

    foldCheck = new QCheckBox(tr("Booklet fold"), this);
    foldCheck->setAccessibleName(QStringLiteral("chkBxFold"));

    optionControls.insert(QStringLiteral("JCBooklet"), bookletButtons);
    optionControls.insert(QStringLiteral("Fold"), foldCheck);
    optionLabels.insert(QStringLiteral("JCBooklet"), bookletButtons);
    optionLabels.insert(QStringLiteral("Fold"), foldCheck);
}

void BookletTab::beforeReload() {}

void BookletTab::connectTabControls()
{
    connectControls();
}
