#pragma once
#include "ui/Tab.h"

class ComboBoxEx;
class JorButtonGroup;
class QLabel;

// The "Basic" tab: media size, media type, paper source, output
// destination, collation, duplex and colour.
class GeneralTab : public Tab {
    Q_OBJECT
public:
    explicit GeneralTab(QWidget *parent);

    void setTabName() override;
    QIcon tabIcon() override;
    QIcon constraintTabIcon() override;
    bool isAvailable() override;
    void createControls() override;
    void reload() override;
    void clearConstraintMarks() override;
    void addComboBoxItems(ComboBoxEx *comboBox, jOption *option) override;
    QHash<QString, QString> collectOptionValues() override;
    // Captions that keep the panel's wording whatever the PPD calls them.
    virtual void refreshCaptions();

    ComboBoxEx *pageSizeBox() const { return pageSizeCombo; }
    ComboBoxEx *mediaTypeBox() const { return mediaTypeCombo; }
    ComboBoxEx *inputSlotBox() const { return inputSlotCombo; }
    ComboBoxEx *outputBinBox() const { return outputBinCombo; }
    JorButtonGroup *collateGroup() const { return collateButtons; }
    JorButtonGroup *duplexGroup() const { return duplexButtons; }
    JorButtonGroup *colorGroup() const { return colorButtons; }

public slots:
    bool enableOptionsForButtonGroup(JorButtonGroup *button_group, jOption *option) override;

private:
    void adjustColorGroup();
    void adjustDuplexGroup();
    void showMonochromeOnly();

    QLabel *pageSizeLabel = nullptr;
    ComboBoxEx *pageSizeCombo = nullptr;
    QLabel *mediaTypeLabel = nullptr;
    ComboBoxEx *mediaTypeCombo = nullptr;
    QLabel *inputSlotLabel = nullptr;
    ComboBoxEx *inputSlotCombo = nullptr;
    QLabel *outputBinLabel = nullptr;
    ComboBoxEx *outputBinCombo = nullptr;
    JorButtonGroup *collateButtons = nullptr;
    JorButtonGroup *duplexButtons = nullptr;
    JorButtonGroup *colorButtons = nullptr;
};
