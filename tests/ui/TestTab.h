#pragma once
#include "ui/Tab.h"

class ComboBoxEx;
class JorButtonGroup;
class JorCheckBoxButton;
class QCheckBox;
class QLabel;
class QSlider;

// Stand-in for the main dialog: counts the conflict passes the controls
// ask for.
class ConstraintsCounter : public QWidget {
    Q_OBJECT
public:
    int calls = 0;
public slots:
    void setConstraints() { ++calls; }
};

// A small tab over tabbase-constraints.ppd with one control of every kind
// the base class handles.
class TestTab : public Tab {
    Q_OBJECT
public:
    explicit TestTab(QWidget *dialog, bool named = true);

    void setTabName() override;
    void createControls() override;
    bool isAvailable() override { return true; }

    bool named;
    QLabel *lblInputSlot = nullptr;
    ComboBoxEx *cmbBxInputSlot = nullptr;
    QLabel *lblTbMedia = nullptr;
    ComboBoxEx *cmbBxTbMedia = nullptr;
    QWidget *mediaCompanion = nullptr;
    QCheckBox *chkBxTbEco = nullptr;
    JorButtonGroup *butGroupTbSide = nullptr;
    QLabel *lblTbStaple = nullptr;
    JorCheckBoxButton *chkButTbStaple = nullptr;
    QLabel *lblTbStplPos = nullptr;
    ComboBoxEx *cmbBxTbStplPos = nullptr;
    QLabel *lblTbNoDef = nullptr;
    ComboBoxEx *cmbBxTbNoDef = nullptr;
    QSlider *sldTbLevel = nullptr;
    QLabel *lblTbGone = nullptr;
    ComboBoxEx *cmbBxTbGone = nullptr;
    QWidget *goneCompanion = nullptr;
};
