#include "printing/PrinterDiscovery.h"
#include "model/CupsPpd.h"
#include "printing/QueuePpd.h"

#include <QCoreApplication>
#include <QObject>
#include <QProcess>
#include <QStringList>

namespace {

// lpstat is read until its output ends; a hung lpstat must not freeze the
// panel for ever, so it gets this long before it is stopped.
const int kLpstatTimeoutMs = 30000;
// Status texts keep at most this many characters of lpstat's output.
const int kStatusTextLimit = 1022;

const char *const kMakerFilters[] = {"jorfilter_H", "jorfilter_ras_H", "jorfilter_pdf_H",
                                     "jorfilter_jpsl_H"};

bool namesMakerFilter(const char *filterLine)
{
    if (!filterLine)
        return false;
    for (const char *filter : kMakerFilters)
        if (strstr(filterLine, filter))
            return true;
    return false;
}

bool isListedPpd(ppd_file_t *ppd)
{
    const QByteArray maker(ppd->manufacturer ? ppd->manufacturer : "");
    if (maker != "Jorvane" && maker != "ZE_VELD")
        return false;
    for (int i = 0; i < ppd->num_filters; ++i) {
        if (!namesMakerFilter(ppd->filters[i]))
            continue;
        ppd_attr_t *deviceId = ppdFindAttr(ppd, "1284DeviceID", nullptr);
        // One row per queue: the answer is the same for every filter line.
        return deviceId && deviceId->value && strstr(deviceId->value, "MFG:VELD");
    }
    return false;
}

// Runs the PPD part of the listing test on the destination's PPD.
bool queueIsListed(const char *name)
{
    const QueuePpd ppd(name);
    return ppd.get() && isListedPpd(ppd.get());
}

QString joinedLines(const QByteArray &output)
{
    QString text = QString::fromLocal8Bit(output);
    text.remove(QLatin1Char('\n'));
    return text.left(kStatusTextLimit);
}

// One lpstat run (no shell). start() returns at once; finish() waits for
// the output, so other work can go on while lpstat talks to the server.
class LpstatRun {
public:
    void start(const QStringList &arguments)
    {
        process.start(QStringLiteral("lpstat"), arguments, QIODevice::ReadOnly);
    }
    // Answers false when lpstat could not be started.
    bool finish(QByteArray *out, QByteArray *err)
    {
        if (!process.waitForStarted(kLpstatTimeoutMs))
            return false;
        if (!process.waitForFinished(kLpstatTimeoutMs)) {
            process.kill();
            process.waitForFinished(1000);
        }
        *out = process.readAllStandardOutput();
        if (err)
            *err = process.readAllStandardError();
        return true;
    }

private:
    QProcess process;
};

bool runLpstat(const QStringList &arguments, QByteArray *out, QByteArray *err)
{
    LpstatRun run;
    run.start(arguments);
    return run.finish(out, err);
}

QString errorText()
{
    return QObject::tr("Error: Printer does not exist or lpstat failed.");
}

// The status of each queue from one "lpstat -p" run over all queues.
QHash<QString, QString> statusTextsFromRun(LpstatRun *run, const QStringList &queues)
{
    QHash<QString, QString> result;
    QByteArray out;
    if (!run->finish(&out, nullptr)) {
        for (const QString &queue : queues)
            result.insert(queue, errorText());
        return result;
    }

    // "printer NAME is idle.  enabled since ..." (translated: the first word
    // changes, the name stays second) followed by indented continuation
    // lines. Queue names never contain blanks.
    QHash<QByteArray, QByteArray> blocks;
    QByteArray currentName;
    const QList<QByteArray> lines = out.split('\n');
    for (const QByteArray &line : lines) {
        if (line.isEmpty())
            continue;
        if (line.at(0) != ' ' && line.at(0) != '\t') {
            const QList<QByteArray> words = line.split(' ');
            currentName = words.size() > 1 ? words.at(1) : QByteArray();
            if (!currentName.isEmpty())
                blocks[currentName].append(line);
        } else if (!currentName.isEmpty()) {
            blocks[currentName].append(line);
        }
    }

    for (const QString &queue : queues) {
        // Queue names are UTF-8 in CUPS; lpstat prints them as they are.
        const QByteArray key = queue.toUtf8();
        if (blocks.contains(key))
            result.insert(queue, PrinterDiscovery::statusWordFor(joinedLines(blocks.value(key))));
        else  // not in the list (gone meanwhile): what lpstat says about it
            result.insert(queue, PrinterDiscovery::printerStatusText(queue));
    }
    return result;
}

}  // namespace

QList<PrinterDiscovery::Row> PrinterDiscovery::listPrinters(QSet<QString> *allNames)
{
    // lpstat runs while the PPDs are fetched: both mostly wait for the
    // server, so the status column costs little on top of the listing.
    LpstatRun status;
    status.start({QStringLiteral("-p")});

    QList<Row> rows;
    cups_dest_t *dests = nullptr;
    const int count = cupsGetDests(&dests);
    QStringList names;
    for (int i = 0; i < count; ++i) {
        const cups_dest_t &dest = dests[i];
        if (!dest.name)
            continue;
        const QString name = QString::fromUtf8(dest.name);
        if (allNames)
            allNames->insert(name);
        // An instance ("queue/instance") shares its queue's PPD and row.
        if (dest.instance)
            continue;
        if (!queueIsListed(dest.name))
            continue;
        Row row;
        row.name = name;
        // The destination list was fetched a moment ago; its options are
        // what a second lookup of the named destination would give.
        row.deviceUri = QString::fromUtf8(
            cupsGetOption("device-uri", dest.num_options, dest.options));
        rows.append(row);
        names.append(name);
    }
    cupsFreeDests(count, dests);

    const QHash<QString, QString> texts = statusTextsFromRun(&status, names);
    for (Row &row : rows)
        row.status = texts.value(row.name);
    return rows;
}

QSet<QString> PrinterDiscovery::currentPrinterNames()
{
    QSet<QString> names;
    cups_dest_t *dests = nullptr;
    const int count = cupsGetDests(&dests);
    for (int i = 0; i < count; ++i)
        if (dests[i].name)
            names.insert(QString::fromUtf8(dests[i].name));
    cupsFreeDests(count, dests);
    return names;
}

QString PrinterDiscovery::printerStatusText(const QString &queue)
{
    QByteArray out, err;
    if (!runLpstat({QStringLiteral("-p"), queue}, &out, &err))
        return errorText();
    // A queue lpstat does not know prints nothing on its standard output;
    // its complaint on the error output is what the cell then shows.
    if (out.trimmed().isEmpty())
        out = err;
    return statusWordFor(joinedLines(out));
}

QHash<QString, QString> PrinterDiscovery::printerStatusTexts(const QStringList &queues)
{
    if (queues.isEmpty())
        return QHash<QString, QString>();
    LpstatRun run;
    run.start({QStringLiteral("-p")});
    return statusTextsFromRun(&run, queues);
}

QString PrinterDiscovery::statusWordFor(const QString &lpstatOutput)
{
    struct Group {
        const char *result;
        QStringList words;
    };
    static const Group groups[] = {
        {QT_TRANSLATE_NOOP("QObject", "Idle"),
         {QStringLiteral("idle"), QStringLiteral("inactiva"), QStringLiteral("inattiva"),
          QStringLiteral("inativa"), QStringLiteral("inactive"), QStringLiteral("inaktiv"),
          QStringLiteral("in attesa"), QStringLiteral("Leerlauf"), QStringLiteral("leerlauf"),
          QStringLiteral("ociosa")}},
        {QT_TRANSLATE_NOOP("QObject", "Paused"),
         {QStringLiteral("Paused"), QString::fromUtf8("d\u00e9sactiv\u00e9e"),
          QStringLiteral("deaktiviert"), QStringLiteral("disabilitata"),
          QStringLiteral("desativada")}},
        {QT_TRANSLATE_NOOP("QObject", "Printing"),
         {QStringLiteral("printing"), QStringLiteral("stampando "),
          QStringLiteral("imprimiendo "), QStringLiteral("impression "),
          QStringLiteral("druckt "), QStringLiteral("imprimindo ")}},
    };
    for (const Group &group : groups)
        for (const QString &word : group.words)
            if (lpstatOutput.contains(word, Qt::CaseSensitive))
                return QCoreApplication::translate("QObject", group.result);
    return lpstatOutput;
}
