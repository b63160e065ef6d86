#pragma once
#include "ui/Tab.h"
#include <QHash>
#include <QList>
#include <QPointer>

class QGridLayout;
class QLabel;
class QScrollArea;
class QTableWidget;

// The "Printer" tab: the table of Jorvane queues, the model switch on
// selection, and the installable options of the selected queue.
class PrinterTab : public Tab {
    Q_OBJECT
public:
    explicit PrinterTab(QWidget *parent);
    ~PrinterTab() override;

    void setTabName() override;
    QIcon tabIcon() override;
    QIcon constraintTabIcon() override;
    bool isAvailable() override;
    void createControls() override;
    void connectComboBox(QComboBox *comboBox) override;
    void connectCheckBox(QCheckBox *checkBox) override;
    void printerChanging() override;
    void reload() override;
    virtual void refreshMarks();

    bool installedOptionsChanged() const { return m_installedOptionsChanged; }
    void rememberInstalledValues();
    void clearInstalledOptions();
    // First fill of the table (construction) and later rebuilds that keep
    // the selection and the column widths.
    void buildPrinterTable();
    void reloadPrinterTable();
    QTableWidget *table() const { return printerTable; }
    QLabel *rootWarningLabel() const { return rootWarning; }

public slots:
    void changePrinter(int row, int collumn, int prev_row, int prev_collumn);
    void checkForChanges(int value);

private:
    void buildInstalledOptions();
    void removeInstalledControls();
    void freeRetiredControls();
    QString installedValueOf(QWidget *control) const;

    QTableWidget *printerTable = nullptr;
    QLabel *installedCaption = nullptr;
    QLabel *rootWarning = nullptr;
    QScrollArea *optionsArea = nullptr;
    QGridLayout *optionsGrid = nullptr;
    int optionRow = 0;
    QHash<QString, QString> savedInstalledValues;
    bool m_installedOptionsChanged = false;
    // Controls taken out of the section, freed on the next rebuild.
    QList<QPointer<QWidget>> retiredControls;
};
