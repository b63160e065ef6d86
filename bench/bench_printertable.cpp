// The printer table with many Jorvane queues, against the floor of what
// building it must fetch anyway: one cupsGetDests, and for every
// destination cupsGetPPD + ppdOpenFile + ppdClose (+ removing the copy).
//
//   bench_printertable [QUEUES=50] [RUNS=7]
//
// Starts a private cupsd (run it as an ordinary user, not root), adds the
// queues from the colour fixture PPD, then alternates floor and table
// builds and prints the medians and their ratio.
#include "model/CupsPpd.h"
#include "model/ProcessState.h"
#include "support/CupsTestBed.h"
#include "tabs/PrinterTab.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTableWidget>
#include <QTextStream>
#include <algorithm>
#include <cstdio>
#include <unistd.h>

namespace {

double median(QVector<double> values)
{
    std::sort(values.begin(), values.end());
    const int n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
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

    QVector<double> floorMs, buildMs;
    QElapsedTimer timer;
    for (int run = 0; run < runs; ++run) {
        timer.start();
        const int opened = fetchFloor();
        floorMs.append(timer.nsecsElapsed() / 1e6);
        if (opened != queues) {
            fprintf(stderr, "bench_printertable: floor opened %d PPDs\n", opened);
            return 1;
        }
        timer.start();
        tab->buildPrinterTable();
        buildMs.append(timer.nsecsElapsed() / 1e6);
    }

    const double floor = median(floorMs);
    const double build = median(buildMs);
    out << "queues: " << queues << ", runs: " << runs << "\n"
        << "floor (cupsGetDests + cupsGetPPD/ppdOpenFile/ppdClose per queue): "
        << QString::number(floor, 'f', 1) << " ms (median)\n"
        << "buildPrinterTable: " << QString::number(build, 'f', 1) << " ms (median)\n"
        << "ratio: " << QString::number(build / floor, 'f', 2) << " (goal: at most 1.50)\n";
    out.flush();
    bed.stop();
    return 0;
}
