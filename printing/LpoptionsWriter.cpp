#include "printing/LpoptionsWriter.h"

#include "printing/AppSettingsReset.h"
#include "printing/PrinterDiscovery.h"
#include "printing/QueuePpd.h"
#include "profiles/SettingsStore.h"
#include "ui/Tab.h"

#include <QProcess>
#include <QSet>

#include <signal.h>
#include <unistd.h>

int LpoptionsWriter::timeoutMs = 30000;

namespace {

bool isPrinterTab(const Tab *tab)
{
    return qstrcmp(tab->metaObject()->className(), "PrinterTab") == 0;
}

// lpoptions reads each "-o" argument with cupsParseOptions, which splits
// at blanks and takes quotes and backslashes as syntax. A value that holds
// any of them is sent quoted, so it arrives as the one value it is.
QString optionArgument(const QString &key, const QString &value)
{
    bool plain = !value.startsWith(QLatin1Char('{'));
    for (const QChar c : value) {
        if (c.isSpace() || c == QLatin1Char('"') || c == QLatin1Char('\'')
            || c == QLatin1Char('\\')) {
            plain = false;
            break;
        }
    }
    if (plain)
        return key + QLatin1Char('=') + value;
    QString quoted = value;
    quoted.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    quoted.replace(QLatin1Char('"'), QLatin1String("\\\""));
    return key + QLatin1String("=\"") + quoted + QLatin1Char('"');
}

// Runs the child in a process group of its own, so that a hung lpoptions
// is stopped together with anything it started.
class GroupProcess : public QProcess {
protected:
    void setupChildProcess() override { ::setpgid(0, 0); }
};

// Runs lpoptions with the arguments; true when it ran to completion within
// the limit with exit status 0.
bool runLpoptions(const QStringList &arguments)
{
    GroupProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(QStringLiteral("lpoptions"), arguments);
    if (!process.waitForStarted(LpoptionsWriter::timeoutMs))
        return false;
    const qint64 pid = process.processId();
    if (!process.waitForFinished(LpoptionsWriter::timeoutMs)) {
        if (pid > 0)
            ::kill(-pid_t(pid), SIGKILL);
        process.kill();
        process.waitForFinished(5000);
        return false;
    }
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

// The options sent, as "-o" pairs of the argument list.
QList<QPair<QString, QString>> sentOptions(const QStringList &arguments, const OptionValueMap &map)
{
    QList<QPair<QString, QString>> sent;
    for (int i = 2; i + 1 < arguments.size(); i += 2) {
        const QString &pair = arguments.at(i + 1);
        const QString key = pair.left(pair.indexOf(QLatin1Char('=')));
        sent.append(qMakePair(key, map.value(key)));
    }
    return sent;
}

// Whether the destination as libcups now sees it (the user's lpoptions
// merged in) carries every option sent.
bool destinationHasOptions(const QString &queue, const QList<QPair<QString, QString>> &sent)
{
    cups_dest_t *dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.toUtf8().constData(), nullptr);
    if (!dest)
        return false;
    bool ok = true;
    for (const auto &option : sent) {
        const char *value = cupsGetOption(option.first.toUtf8().constData(), dest->num_options,
                                          dest->options);
        if (!value || QString::fromUtf8(value) != option.second) {
            ok = false;
            break;
        }
    }
    cupsFreeDests(1, dest);
    return ok;
}

} // namespace

OptionValueMap LpoptionsWriter::collectAllOptionValues(const QList<Tab *> &tabs)
{
    OptionValueMap map;
    for (Tab *tab : tabs) {
        if (!tab || isPrinterTab(tab))
            continue;
        const QHash<QString, QString> values = tab->collectOptionValues();
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            map.replace(it.key(), it.value());
    }
    for (Tab *tab : tabs) {
        if (!tab || isPrinterTab(tab))
            continue;
        const QHash<QString, QString> extra = tab->extraOptionValues();
        for (auto it = extra.cbegin(); it != extra.cend(); ++it)
            map.insert(it.key(), it.value());
    }
    return map;
}

QStringList LpoptionsWriter::lpoptionsArguments(ppd_file_t *ppd, const QString &queue,
                                                const OptionValueMap &map)
{
    QStringList arguments{QStringLiteral("-p"), queue};
    if (!ppd)
        return arguments;
    QSet<QString> sent;
    for (int g = 0; g < ppd->num_groups; ++g) {
        const ppd_group_t &group = ppd->groups[g];
        for (int o = 0; o < group.num_options; ++o) {
            const QString key = QString::fromLatin1(group.options[o].keyword);
            // value() answers the value inserted last: an extra value wins
            const QString value = map.value(key);
            if (value.isEmpty() || sent.contains(key))
                continue;
            sent.insert(key);
            arguments << QStringLiteral("-o") << optionArgument(key, value);
        }
    }
    return arguments;
}

LpoptionsWriter::Result LpoptionsWriter::writeTolpoptions(const QString &queue,
                                                          const QList<Tab *> &tabs)
{
    if (queue.isEmpty() || !PrinterDiscovery::currentPrinterNames().contains(queue))
        return Result::PrinterMissing;

    const OptionValueMap map = collectAllOptionValues(tabs);
    SettingsStore::writePrinterSettingsFile(SettingsStore::printerSettingsFilePath(queue), map);

    const QStringList arguments =
        lpoptionsArguments(QueuePpd(queue.toUtf8().constData()).get(), queue, map);

    if (!runLpoptions(arguments))
        return Result::Failed;
    // lpoptions says nothing when it could not reach the server or save
    // the file: only what the destination now carries counts.
    if (!destinationHasOptions(queue, sentOptions(arguments, map)))
        return Result::Failed;

    AppSettingsReset::resetApplicationPrintSettings(map.value(QStringLiteral("PageSize")));
    return Result::Applied;
}
