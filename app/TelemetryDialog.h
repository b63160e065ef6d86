#pragma once
#include <QDialog>

class QDialogButtonBox;
class QLabel;
class QRadioButton;
class QTextEdit;

// Asks whether usage information may be collected and records the answer
// as the line "Telemetry=True" or "Telemetry=False" of the per-user
// "Settings" file. Shown on the first start and from the About dialog.
class TelemetryDialog : public QDialog {
    Q_OBJECT
public:
    explicit TelemetryDialog(QWidget *parent);

    // Preselects the stored answer ("Yes" when none is stored), then runs
    // the dialog modally.
    int exec() override;
    // Replaces "Settings" with the chosen line and closes the dialog.
    void accept() override;

    // Checks "Yes" or "No" by the stored answer (the first step of exec).
    void preselectStoredAnswer();

    QRadioButton *yesButtonPtr() const { return yesButton; }
    QRadioButton *noButtonPtr() const { return noButton; }
    QTextEdit *policyTextPtr() const { return policyText; }
    QDialogButtonBox *buttons() const { return buttonBox; }

private:
    QLabel *introLabel = nullptr;
    QLabel *noPersonalDataLabel = nullptr;
    QLabel *policyHeadingLabel = nullptr;
    QTextEdit *policyText = nullptr;
    QRadioButton *yesButton = nullptr;
    QRadioButton *noButton = nullptr;
    QDialogButtonBox *buttonBox = nullptr;
};
