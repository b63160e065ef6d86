#include "app/AboutDialog.h"

#include "app/LicenseDialog.h"
#include "app/TelemetryDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

AboutDialog::AboutDialog(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(tr("About"));
    auto *grid = new QGridLayout(this);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(2, 1);

    licenseDialog = new LicenseDialog(this);
    telemetryDialog = new TelemetryDialog(this);

    pictureLabel = new QLabel(this);
    pictureLabel->setMinimumSize(480, 300);
    pictureLabel->setPixmap(aboutPicture());
    pictureLabel->setAccessibleName(QStringLiteral("lblAboutPicture"));

    closeButton = new QPushButton(tr("Close"), this);
    closeButton->setAccessibleName(QStringLiteral("butAboutClose"));
    dataCollectionButton = new QPushButton(tr("Data collection") + QStringLiteral("..."), this);
    dataCollectionButton->setAccessibleName(QStringLiteral("butDataCollection"));
    legalNoticesButton = new QPushButton(tr("Legal notices") + QStringLiteral("..."), this);
    legalNoticesButton->setAccessibleName(QStringLiteral("butLegalNotices"));
    buttonBox = new QDialogButtonBox(this);
    buttonBox->addButton(legalNoticesButton, QDialogButtonBox::HelpRole);
    buttonBox->addButton(dataCollectionButton, QDialogButtonBox::HelpRole);
    buttonBox->addButton(closeButton, QDialogButtonBox::RejectRole);

    grid->addWidget(pictureLabel, 0, 0);
    grid->addWidget(buttonBox, 1, 0);
    setFixedSize(sizeHint());

    connect(closeButton, &QPushButton::clicked, this, &AboutDialog::close);
    connect(dataCollectionButton, &QPushButton::clicked, telemetryDialog, &TelemetryDialog::exec);
    connect(legalNoticesButton, &QPushButton::clicked, licenseDialog, &LicenseDialog::exec);
}

QPixmap AboutDialog::aboutPicture()
{
    QPixmap picture(QStringLiteral(":/icons/about-background-ze"));
    if (picture.isNull())
        return picture;
    QPainter painter(&picture);
    painter.setPen(Qt::black);
    painter.setFont(QFont(QStringLiteral("Tahoma"), 10));
    painter.drawText(QPoint(20, 200), tr("Version") + QStringLiteral(" ") + productVersion());
    painter.setFont(QFont(QStringLiteral("Tahoma"), 7));
    painter.drawText(QPoint(20, 280),
                     QStringLiteral("Copyright \u00a9 Jorvane. All rights reserved."));
    painter.drawText(QPoint(20, 295),
                     QStringLiteral("Jorvane and ZE_VELD are trademarks of Jorvane."));
    return picture;
}
