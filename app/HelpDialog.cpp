#include "app/HelpDialog.h"

#include "app/Translation.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QTextEdit>
#include <QVBoxLayout>

HelpDialog::HelpDialog(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(tr("Help"));
    helpText = new QTextEdit(this);
    helpText->setReadOnly(true);
    helpText->setFixedSize(650, 500);
    helpText->setAccessibleName(QStringLiteral("txtHelp"));
    auto *buttonBox = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    Translation::translateButtons(buttonBox);
    connect(buttonBox, &QDialogButtonBox::accepted, this, &HelpDialog::accept);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(helpText);
    layout->addWidget(buttonBox);
    showPageForTab(QStringLiteral("Printer"));
}

QString HelpDialog::pageForTab(const QString &tabTitle)
{
    // The tab titles are translated in the context of their tab class; a
    // translated title finds the same (English) page as the source title.
    static const struct {
        const char *title;
        const char *context;
        const char *page;
    } table[] = {
        {"Basic", "GeneralTab", ":/strings/help_basic"},
        {"Job", "JobTab", ":/strings/help_job"},
        {"Finishing", "FinishingTab", ":/strings/help_finishing"},
        {"Imaging", "ImagingTab", ":/strings/help_imaging"},
        {"Layout", "BookletTab", ":/strings/help_layout"},
        {"NetWarden", "NWDTab", ":/strings/help_netwrdn"},
        {"Tallix", "NWDTab", ":/strings/help_netwrdn-ze"},
        {"Publishing", "PublishingTab", ":/strings/help_publishing"},
        {"Watermark", "WatermarkTab", ":/strings/help_watermark"},
    };
    for (const auto &entry : table) {
        if (tabTitle == QLatin1String(entry.title))
            return QString::fromLatin1(entry.page);
    }
    for (const auto &entry : table) {
        if (tabTitle == QCoreApplication::translate(entry.context, entry.title))
            return QString::fromLatin1(entry.page);
    }
    return QStringLiteral(":/strings/help_printer");
}

void HelpDialog::showPageForTab(const QString &tabTitle)
{
    page = pageForTab(tabTitle);
    QString text;
    QFile file(page);
    if (file.open(QIODevice::ReadOnly | QIODevice::Text))
        text = QString::fromUtf8(file.readAll());
    helpText->setHtml(text);
}
