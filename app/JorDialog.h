#pragma once
#include <QDialog>
#include <QList>

class AboutDialog;
class BookletTab;
class FinishingTab;
class GeneralTab;
class HelpDialog;
class ImagingTab;
class JobTab;
class JorTabWidget;
class NWDTab;
class PrinterTab;
class PublishingTab;
class QDialogButtonBox;
class QPushButton;
class Tab;
class WatermarkTab;

// The panel's main window. Conducts the tabs: tells them when the printer
// or the profile changes, reruns the conflict passes after every control
// change, and applies the settings on Apply and OK.
class JorDialog : public QDialog {
    Q_OBJECT
public:
    explicit JorDialog(QWidget *parent = nullptr);
    ~JorDialog() override;

    bool acceptAllowed = true;
    int constraintPassDepth = 0;

    JorTabWidget *tabWidgetPtr() const { return tabWidget; }
    QDialogButtonBox *buttons() const { return buttonBox; }
    const QList<Tab *> &allTabs() const { return tabs; }
    PrinterTab *printerTabPtr() const { return printerTab; }
    GeneralTab *generalTabPtr() const { return generalTab; }
    BookletTab *bookletTabPtr() const { return bookletTab; }
    QPushButton *saveAsButtonPtr() const { return saveAsButton; }
    QPushButton *profilesButtonPtr() const { return profilesButton; }
    // Compares the installed destinations with knownPrinters and reloads
    // the printer table when they differ.
    bool checkPrintersChanged();

    HelpDialog *helpDialogPtr() const { return helpDialog; }
    AboutDialog *aboutDialogPtr() const { return aboutDialog; }
    QPushButton *helpButtonPtr() const { return helpButton; }
    QPushButton *aboutButtonPtr() const { return aboutButton; }

    // Appends a tab: to the tab list, the shared list and the tab widget
    // (with its icon and title, enabled by its availability). Every pass
    // of the dialog runs over the tabs added this way, in this order.
    // The constructor adds the panel's tabs; tests add tabs of their own.
    void addTab(Tab *tab);

public slots:
    void writeTolpoptions();
    void setConstraints();
    void toggleColorMode();
    void togglePublishingFronAndBackLabel();
    void accept() override;
    void unselectPrinters();
    void slotButtonApply();
    void printerChanged(int row, int collumn, int previousRow, int previousColumn);
    void profileChanged();
    void reject() override;
    void tabSelected();

private:
    // Runs the writer for the selected queue and reports failures; true
    // when the settings were applied.
    bool applySettings();
    // Writes the Printer tab's installable options as root; true when they
    // were written.
    bool authorizeInstallableOptions(const QString &optionText);
    // A modal message box, child of the dialog, named for tests.
    void showMessage(const QString &objectName, const QString &title, const QString &text);
    // Clears the selection of a printer that is gone and says so.
    void dropLostSelection();
    void enableTabsByAvailability();
    // The widget with that accessible name in one of the tabs, and the tab.
    QWidget *widgetInTabs(const QString &name, QWidget **holder) const;
    static QWidget *widgetByAccessibleName(QWidget *root, const QString &name);

    QPushButton *saveAsButton = nullptr;
    QPushButton *profilesButton = nullptr;
    QDialog *profileDialog = nullptr;
    QDialog *profileSaveDialog = nullptr;
    JorTabWidget *tabWidget = nullptr;
    QDialogButtonBox *buttonBox = nullptr;
    QPushButton *helpButton = nullptr;
    QPushButton *aboutButton = nullptr;
    AboutDialog *aboutDialog = nullptr;
    HelpDialog *helpDialog = nullptr;
    QList<Tab *> tabs;
    PrinterTab *printerTab = nullptr;
    GeneralTab *generalTab = nullptr;
    BookletTab *bookletTab = nullptr;
    FinishingTab *finishingTab = nullptr;
    ImagingTab *imagingTab = nullptr;
    PublishingTab *publishingTab = nullptr;
    JobTab *jobTab = nullptr;
    WatermarkTab *watermarkTab = nullptr;
    NWDTab *nwdTab = nullptr;
    QList<Tab *> *sharedTabs = nullptr;
    bool inPrinterChange = false;
};
