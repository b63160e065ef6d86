#include "app/JorTabWidget.h"

#include "app/JorTabBar.h"

#include <QPainter>

const char *const JorTabWidget::tabBarStyleSheet =
    "QTabBar::tab {    background-color: #A9A9A9;   color: rgba(0,0,0, 1);   width: 180px;   height: 49px;   "
    "padding: 0px;   border: 0px;   margin: 0px;} QTabBar::icon{   margin-top: 10px;   margin-bottom: 10px;   "
    "margin-left: 7px;   margin-right: 7px;}QTabBar::tab:selected{   background-color: rgba(10,155,205,1);   "
    "color: rgba(255,255,255, 1);}QTabBar::tab:disabled{   width: 0;    height: 0;   margin: 0;   padding: 0;   "
    "border: none;}QTabBar::scroller {   width: 0px;   padding: 0px;   border: 0px;   margin: 0px;}";

const char *const JorTabWidget::tabWidgetStyleSheet =
    "QTabWidget::tab-bar {   left: -7px;   border: 0px;   padding: 0px;   margin: 0px;}QTabWidget::pane{   "
    "position: absolute;   left: -7px; ;}";

JorTabWidget::JorTabWidget(QWidget *parent)
    : QTabWidget(parent)
{
    setTabBar(new JorTabBar);
}

JorTabBar *JorTabWidget::jorTabBar() const
{
    return static_cast<JorTabBar *>(tabBar());
}

void JorTabWidget::setTabAvailable(int index, bool available)
{
    if (index < 0 || index >= count() || isTabEnabled(index) == available)
        return;
    setTabEnabled(index, available);
    // The tab bar keeps its layout on a state change; setting the text
    // again makes it measure every tab anew.
    tabBar()->setTabText(index, tabBar()->tabText(index));
}

void JorTabWidget::applyLook()
{
    setIconSize(QSize(30, 30));
    tabBar()->setIconSize(QSize(28, 28));
    QPalette pal = palette();
    pal.setBrush(QPalette::All, QPalette::Window, QColor(245, 245, 245, 229));
    setPalette(pal);
    tabBar()->setStyleSheet(QString::fromLatin1(tabBarStyleSheet));
    setStyleSheet(QString::fromLatin1(tabWidgetStyleSheet));
}

void JorTabWidget::paintEvent(QPaintEvent *event)
{
    QTabWidget::paintEvent(event);
    QPainter painter(this);
    const QWidget *bar = tabBar();
    painter.fillRect(QRect(QPoint(0, bar->height()), QPoint(bar->width() - 1, height() - 1)),
                     QColor(169, 169, 169));
}
