#pragma once
#include <QTabWidget>

class JorTabBar;

// The main dialog's tab widget: a JorTabBar as its tab bar, and the part
// of the tab column below the last tab filled with the tabs' grey.
class JorTabWidget : public QTabWidget {
    Q_OBJECT
public:
    explicit JorTabWidget(QWidget *parent = nullptr);

    JorTabBar *jorTabBar() const;

    // Enables or disables a tab and lays the column out again: a disabled
    // tab takes no space, so the sizes change with the state.
    void setTabAvailable(int index, bool available);

    // Palette, icon sizes and the two style sheets of the tab column.
    void applyLook();

    static const char *const tabBarStyleSheet;
    static const char *const tabWidgetStyleSheet;

protected:
    void paintEvent(QPaintEvent *event) override;
};
