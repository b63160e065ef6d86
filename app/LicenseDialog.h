#pragma once
#include <QDialog>

class QPlainTextEdit;

// Shows the licence notices of the open-source components.
class LicenseDialog : public QDialog {
    Q_OBJECT
public:
    explicit LicenseDialog(QWidget *parent);

    QPlainTextEdit *textPtr() const { return licenseText; }

private:
    QPlainTextEdit *licenseText = nullptr;
};
