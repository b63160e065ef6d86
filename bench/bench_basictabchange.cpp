// One user change on the Basic tab of the real main dialog with 50 queues
// installed (the whole conflict cascade of setConstraints, the
// printers-changed check included) against one cupsGetDests.
//
//   bench_basictabchange [QUEUES] [RUNS]      (defaults: 50 queues, 21 runs)
//
// Runs as an ordinary user (the panel and the private cupsd refuse root):
//   runuser -u printdeck-test -- bench/bench_basictabchange
#include "app/JorDialog.h"
#include "model/CupsPpd.h"
#include "model/ProcessState.h"
#include "profiles/SettingsStore.h"
#include "support/CupsTestBed.h"
#include "support/TestUserDir.h"
#include "support/WidgetLookup.h"
#include "tabs/GeneralTab.h"
#include "tabs/PrinterTab.h"
#include "ui/ComboBoxEx.h"
#include "ui/JorButtonGroup.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <unistd.h>
#include <vector>

namespace {

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double timeGetDests()
{
    QElapsedTimer timer;
    timer.start();
    cups_dest_t *dests = nullptr;
    const int count = cupsGetDests(&dests);
    cupsFreeDests(count, dests);
    return timer.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int queues = argc > 1 ? std::max(1, atoi(argv[1])) : 50;
    const int runs = argc > 2 ? std::max(1, atoi(argv[2])) : 21;
    if (geteuid() == 0) {
        std::fprintf(stderr, "run as an ordinary user (runuser -u printdeck-test -- ...)\n");
        return 1;
    }

    // Apply (the first selection of a queue writes its defaults) searches
    // HOME: a private one keeps the user's own files out of it.
    QTemporaryDir home;
    qputenv("HOME", QFile::encodeName(home.path()));
    TestUserDir userDir;
    SettingsStore::writeConsent(false);

    CupsTestBed bed;
    if (!bed.start()) {
        std::fprintf(stderr, "cupsd: %s\n", qPrintable(bed.lastError()));
        return 1;
    }
    const QStringList fixtures{"jorvane-color-finisher.ppd", "jorvane-mono-minimal.ppd", "listing-other-maker.ppd"};
    for (int i = 0; i < queues; ++i) {
        const QString name = QStringLiteral("Q%1").arg(i, 2, 10, QLatin1Char('0'));
        if (!bed.addFixtureQueue(name, fixtures.at(i % fixtures.size()))) {
            std::fprintf(stderr, "cannot add queue %s\n", qPrintable(name));
            return 1;
        }
    }

    JorDialog dialog;
    QTableWidget *table = dialog.printerTabPtr()->table();
    int row = -1;
    for (int r = 0; r < table->rowCount(); ++r) {
        if (table->item(r, 0) && table->item(r, 0)->text() == QLatin1String("Q00"))
            row = r;
    }
    if (row < 0) {
        std::fprintf(stderr, "queue Q00 not listed\n");
        return 1;
    }
    table->setCurrentCell(row, 0);
    GeneralTab *general = dialog.generalTabPtr();
    JorButtonGroup *duplex = findByName<JorButtonGroup>(general, "butGroupDuplex");
    ComboBoxEx *size = findByName<ComboBoxEx>(general, "cmbBxPageSize");
    if (!currentModel || !duplex || !size) {
        std::fprintf(stderr, "no printer selected\n");
        return 1;
    }
    const int a4 = size->findText("A4");
    const int letter = size->findText("Letter");

    // warm-up
    timeGetDests();
    duplex->button(1)->click();
    duplex->button(0)->click();

    std::vector<double> dests, clicks, sizes;
    for (int i = 0; i < runs; ++i) {
        dests.push_back(timeGetDests());
        QElapsedTimer timer;
        timer.start();
        duplex->button(i % 2 ? 0 : 1)->click();
        clicks.push_back(timer.nsecsElapsed() / 1e6);
        timer.restart();
        size->setCurrentIndex(i % 2 ? letter : a4);
        sizes.push_back(timer.nsecsElapsed() / 1e6);
    }
    const double d = median(dests);
    const double c = median(clicks);
    const double s = median(sizes);
    std::printf("%d queues installed, %d runs (medians)\n", queues, runs);
    std::printf("one cupsGetDests                 : %8.2f ms\n", d);
    std::printf("Basic tab: duplex button click   : %8.2f ms  ratio %6.2f (goal <= 3)\n", c, c / d);
    std::printf("Basic tab: media size change     : %8.2f ms  ratio %6.2f (goal <= 3)\n", s, s / d);
    return 0;
}
