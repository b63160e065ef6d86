// The printer table with many Jorvane queues, against the floor of what
// building it must fetch anyway: one cupsGetDests, and for every
// destination cupsGetPPD + ppdOpenFile + ppdClose (+ removing the copy).
//
//   bench_printertable [QUEUES=50] [RUNS=7]
//
// Starts a private cupsd (run it as an ordinary user, not root), adds the
// queues from the colour fixture PPD, then alternates floor and table
// builds and prints the medians and their ratio, both in wall-clock time
// and in CPU time. The CPU figure adds up what the work costs in every
// process involved (this one, the lpstat it waits for, and the cupsd that
// serves both), so it stays meaningful on a machine busy with other work,
// where the wall-clock time mostly measures the competition.
#include "model/CupsPpd.h"
#include "model/ProcessState.h"
#include "support/CupsTestBed.h"
#include "tabs/PrinterTab.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTableWidget>
#include <QTextStream>
#include <QThread>
#include <algorithm>
#include <QFile>
#include <cstdio>
#include <sys/resource.h>
#include <unistd.h>

namespace {

double median(QVector<double> values)
{
    std::sort(values.begin(), values.end());
    const int n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

double timevalMs(const timeval &tv)
{
    return tv.tv_sec * 1e3 + tv.tv_usec / 1e3;
}

// CPU time so far of this process, of its reaped children (lpstat), and of
// the scheduler (a running child, read from /proc).
double cpuMs(qint64 cupsdPid)
{
    rusage self{}, children{};
    getrusage(RUSAGE_SELF, &self);
    getrusage(RUSAGE_CHILDREN, &children);
    double ms = timevalMs(self.ru_utime) + timevalMs(self.ru_stime)
                + timevalMs(children.ru_utime) + timevalMs(children.ru_stime);
    QFile stat(QStringLiteral("/proc/%1/stat").arg(cupsdPid));
    if (stat.open(QIODevice::ReadOnly)) {
        const QByteArray line = stat.readAll();
        // Fields after the parenthesised command name; utime and stime are
        // the 14th and 15th fields of the whole line.
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 12)
            ms += (fields.at(11).toDouble() + fields.at(12).toDouble()) * 1e3
                  / sysconf(_SC_CLK_TCK);
    }
    return ms;
}

// What any listing has to do: the destination list, and every
// destination's PPD fetched, parsed and released.
int fetchFloor()
{
    cups_dest_t *dests = nullptr;
    const int count = cupsGetDests(&dests);
    int opened = 0;
    for (int i = 0; i < count; ++i) {
        const char *fetched = cupsGetPPD(dests[i].name);
        if (!fetched)
            continue;
        const QByteArray path(fetched);
        if (ppd_file_t *ppd = ppdOpenFile(path.constData())) {
            ++opened;
            ppdClose(ppd);
        }
        unlink(path.constData());
    }
    cupsFreeDests(count, dests);
    return opened;
}

}  // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int queues = argc > 1 ? std::max(1, atoi(argv[1])) : 50;
    const int runs = argc > 2 ? std::max(1, atoi(argv[2])) : 7;
    QTextStream out(stdout);

    CupsTestBed bed;
    if (!bed.start()) {
        fprintf(stderr, "bench_printertable: %s\n", qPrintable(bed.lastError()));
        return 1;
    }
    const QString ppd = CupsTestBed::fixturePath(QStringLiteral("jorvane-color-finisher.ppd"));
    for (int i = 0; i < queues; ++i) {
        const QString name = QStringLiteral("Jorvane_%1").arg(i, 3, 10, QLatin1Char('0'));
        if (!bed.addQueue(name, ppd)) {
            fprintf(stderr, "bench_printertable: %s\n", qPrintable(bed.lastError()));
            return 1;
        }
    }

    QWidget parent;
    auto *tab = new PrinterTab(&parent);  // construction builds the table once (warm-up)
    if (tab->table()->rowCount() != queues) {
        fprintf(stderr, "bench_printertable: table has %d rows, expected %d\n",
                tab->table()->rowCount(), queues);
        return 1;
    }
    fetchFloor();  // warm-up

    QVector<double> floorMs, buildMs, floorCpu, buildCpu;
    const qint64 cupsd = bed.cupsdPid();
    QElapsedTimer timer;
    for (int run = 0; run < runs; ++run) {
        double cpu = cpuMs(cupsd);
        timer.start();
        const int opened = fetchFloor();
        floorMs.append(timer.nsecsElapsed() / 1e6);
        // cupsd's clock ticks are coarse (10 ms): it is read after a pause
        // in which it has finished answering.
        QThread::msleep(30);
        floorCpu.append(cpuMs(cupsd) - cpu);
        if (opened != queues) {
            fprintf(stderr, "bench_printertable: floor opened %d PPDs\n", opened);
            return 1;
        }
        cpu = cpuMs(cupsd);
        timer.start();
        tab->buildPrinterTable();
        buildMs.append(timer.nsecsElapsed() / 1e6);
        QThread::msleep(30);
        buildCpu.append(cpuMs(cupsd) - cpu);
    }

    const double floor = median(floorMs);
    const double build = median(buildMs);
    double floorCpuSum = 0, buildCpuSum = 0;
    for (int run = 0; run < runs; ++run) {
        floorCpuSum += floorCpu.at(run);
        buildCpuSum += buildCpu.at(run);
    }
    out << "queues: " << queues << ", runs: " << runs << "\n"
        << "floor (cupsGetDests + cupsGetPPD/ppdOpenFile/ppdClose per queue): "
        << QString::number(floor, 'f', 1) << " ms wall (median), "
        << QString::number(floorCpuSum / runs, 'f', 1) << " ms CPU (mean)\n"
        << "buildPrinterTable: " << QString::number(build, 'f', 1) << " ms wall (median), "
        << QString::number(buildCpuSum / runs, 'f', 1) << " ms CPU (mean)\n"
        << "ratio wall: " << QString::number(build / floor, 'f', 2)
        << ", ratio CPU: " << QString::number(buildCpuSum / floorCpuSum, 'f', 2)
        << " (goal: at most 1.50)\n";
    out.flush();
    bed.stop();
    return 0;
}
