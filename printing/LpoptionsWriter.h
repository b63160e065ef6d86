#pragma once
#include "model/CupsPpd.h"
#include "model/OptionValueMap.h"
#include <QList>
#include <QStringList>

class Tab;

// Turns the tabs' values into the user's lpoptions defaults for a queue.
class LpoptionsWriter {
public:
    enum class Result { Applied, PrinterMissing, Failed };

    // Regular values of every tab but the Printer tab, then their extra
    // values as additional values of the same keys.
    static OptionValueMap collectAllOptionValues(const QList<Tab *> &tabs);
    // "-p", queue, then "-o", "KEY=VALUE" for each PPD option (group and
    // option order of the PPD) that has a non-empty value in the map.
    static QStringList lpoptionsArguments(ppd_file_t *ppd, const QString &queue,
                                          const OptionValueMap &map);
    // Steps of Apply except the messages: checks the queue, writes the
    // settings file, runs lpoptions (bounded by timeoutMs), checks the
    // result through libcups and resets other applications' settings.
    static Result writeTolpoptions(const QString &queue, const QList<Tab *> &tabs);

    static int timeoutMs;
};
