#pragma once
#include <QDialog>

class QTextEdit;

// Shows the help page of the tab in front.
class HelpDialog : public QDialog {
    Q_OBJECT
public:
    explicit HelpDialog(QWidget *parent);

    // The resource of the help page for a tab title (the Printer page for
    // every title without a page of its own).
    static QString pageForTab(const QString &tabTitle);
    // Replaces the shown text by the page of that tab.
    void showPageForTab(const QString &tabTitle);

    QTextEdit *helpTextPtr() const { return helpText; }
    QString currentPage() const { return page; }

private:
    QTextEdit *helpText = nullptr;
    QString page;
};
