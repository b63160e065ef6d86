#pragma once
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>

// Which CUPS destinations the panel lists, and their state.
class PrinterDiscovery {
public:
    struct Row {
        QString name;
        QString deviceUri;
        QString status;
    };

    // Runs the listing test over every destination (in the order CUPS
    // returns them), fills `allNames` with every destination's name, and
    // answers the listed queues with their device URI and status word.
    static QList<Row> listPrinters(QSet<QString> *allNames);
    // Names of all destinations CUPS reports now.
    static QSet<QString> currentPrinterNames();
    // The status word of one queue (what `lpstat -p NAME` says, mapped
    // through the word table); no shell is involved.
    static QString printerStatusText(const QString &queue);
    // The same for many queues with one lpstat run.
    static QHash<QString, QString> printerStatusTexts(const QStringList &queues);
    // Maps lpstat output to the translated status word (output unchanged
    // when no word of the table occurs).
    static QString statusWordFor(const QString &lpstatOutput);
};
