#pragma once
#include <QTabBar>

// The vertical tab bar of the main dialog: each tab is a flat block with
// its icon and a horizontal caption, painted by paintEvent.
class JorTabBar : public QTabBar {
    Q_OBJECT
public:
    explicit JorTabBar(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
