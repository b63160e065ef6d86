#include "printing/LpoptionsWriter.h"
#include "ui/Tab.h"

int LpoptionsWriter::timeoutMs = 30000;

OptionValueMap LpoptionsWriter::collectAllOptionValues(const QList<Tab *> &tabs)
{
    OptionValueMap map;
    for (Tab *tab : tabs) {
        if (!tab || qstrcmp(tab->metaObject()->className(), "PrinterTab") == 0)
            continue;
        const QHash<QString, QString> values = tab->collectOptionValues();
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            map.replace(it.key(), it.value());
    }
    for (Tab *tab : tabs) {
        if (!tab || qstrcmp(tab->metaObject()->className(), "PrinterTab") == 0)
            continue;
        const QHash<QString, QString> extra = tab->extraOptionValues();
        for (auto it = extra.cbegin(); it != extra.cend(); ++it)
            map.insert(it.key(), it.value());
    }
    return map;
}

QStringList LpoptionsWriter::lpoptionsArguments(ppd_file_t *, const QString &queue,
                                                const OptionValueMap &)
{
    return {QStringLiteral("-p"), queue};
}

LpoptionsWriter::Result LpoptionsWriter::writeTolpoptions(const QString &, const QList<Tab *> &)
{
    return Result::Failed;
}
