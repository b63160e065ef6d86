#include "app/LicenseDialog.h"

#include "app/Translation.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QPlainTextEdit>
#include <QVBoxLayout>

LicenseDialog::LicenseDialog(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(tr("Legal Notices"));
    licenseText = new QPlainTextEdit(this);
    licenseText->setReadOnly(true);
    licenseText->setFixedSize(650, 500);
    licenseText->setAccessibleName(QStringLiteral("txtLegalNotices"));
    QFile file(QStringLiteral(":/strings/license"));
    if (file.open(QIODevice::ReadOnly | QIODevice::Text))
        licenseText->setPlainText(QString::fromUtf8(file.readAll()));
    auto *buttonBox = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    Translation::translateButtons(buttonBox);
    connect(buttonBox, &QDialogButtonBox::accepted, this, &LicenseDialog::accept);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(licenseText);
    layout->addWidget(buttonBox);
}
