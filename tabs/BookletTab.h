#pragma once
#include "ui/Tab.h"

class JorButtonGroup;
class QCheckBox;

// The "Layout" tab: booklet printing and the booklet fold.
class BookletTab : public Tab {
    Q_OBJECT
public:
    explicit BookletTab(QWidget *parent);

    void setTabName() override;
    QIcon tabIcon() override;
    QIcon constraintTabIcon() override;
    bool isAvailable() override;
    void createControls() override;
    void beforeReload() override;
    // Connects the registered controls (unique connections).
    virtual void connectTabControls();

    JorButtonGroup *bookletGroup() const { return bookletButtons; }
    QCheckBox *foldBox() const { return foldCheck; }

private:
    JorButtonGroup *bookletButtons = nullptr;
    QCheckBox *foldCheck = nullptr;
};
