#pragma once
#include <QDialog>
#include <QPixmap>

class LicenseDialog;
class QDialogButtonBox;
class QLabel;
class QPushButton;
class TelemetryDialog;

// The product picture with the version; leads to the legal notices and to
// the data-collection question.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget *parent);

    static QString productVersion() { return QStringLiteral("9.1.0"); }
    // The About background with the version and the maker's notice drawn on it.
    static QPixmap aboutPicture();

    QLabel *pictureLabelPtr() const { return pictureLabel; }
    QPushButton *dataCollectionButtonPtr() const { return dataCollectionButton; }
    QPushButton *legalNoticesButtonPtr() const { return legalNoticesButton; }
    QPushButton *closeButtonPtr() const { return closeButton; }
    LicenseDialog *licenseDialogPtr() const { return licenseDialog; }
    TelemetryDialog *telemetryDialogPtr() const { return telemetryDialog; }

private:
    QLabel *pictureLabel = nullptr;
    QDialogButtonBox *buttonBox = nullptr;
    QPushButton *closeButton = nullptr;
    QPushButton *dataCollectionButton = nullptr;
    QPushButton *legalNoticesButton = nullptr;
    LicenseDialog *licenseDialog = nullptr;
    TelemetryDialog *telemetryDialog = nullptr;
};
