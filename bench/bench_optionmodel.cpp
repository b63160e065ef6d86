// Option-model load benchmark, run on demand:
//
//   bench_optionmodel [RUNS]
//
// For the largest fixture, every hp-ppd PPD and a generated stress PPD at
// 1x, 4x and 16x: the time of ppdOpenFile + ppdLocalize alone (the part
// libcups does), the time of ppdOpenFile + loadFromPpd (which localises
// itself), and their ratio; then how the stress loads grow with size, and
// the mean time of one markChoice when every choice of every option is
// marked in turn. Times are the thread's CPU time (so that other processes
// on the machine do not count), each the minimum over RUNS runs (default
// 15); the three measurements of a file take turns within each run.
#include "model/CupsPpd.h"
#include "model/OptionChoice.h"
#include "model/OptionModel.h"
#include "model/jOption.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <clocale>
#include <ctime>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

struct Timing {
    double min = 0;
    double median = 0;
};

// CPU time of the calling thread, in milliseconds.
double cpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

Timing summarize(std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    return {samples.front(), samples[samples.size() / 2]};
}

Timing measure(int runs, const std::function<double()> &once)
{
    std::vector<double> samples;
    once(); // warm the page cache and the allocator
    for (int i = 0; i < runs; ++i)
        samples.push_back(once());
    return summarize(samples);
}

double openOnly(const QByteArray &path)
{
    const double start = cpuMs();
    ppd_file_t *ppd = ppdOpenFile(path.constData());
    if (ppd)
        ppdLocalize(ppd);
    const double ms = cpuMs() - start;
    if (ppd)
        ppdClose(ppd);
    return ms;
}

double openAndLoad(const QByteArray &path)
{
    const double start = cpuMs();
    ppd_file_t *ppd = ppdOpenFile(path.constData());
    auto *model = new OptionModel;
    if (ppd)
        model->loadFromPpd(ppd);
    const double ms = cpuMs() - start;
    delete model;
    if (ppd)
        ppdClose(ppd);
    return ms;
}

double loadOnly(const QByteArray &path)
{
    ppd_file_t *ppd = ppdOpenFile(path.constData());
    if (!ppd)
        return 0;
    ppdLocalize(ppd);
    auto *model = new OptionModel;
    const double start = cpuMs();
    model->loadFromPpd(ppd);
    const double ms = cpuMs() - start;
    delete model;
    ppdClose(ppd);
    return ms;
}

struct Row {
    QString name;
    Timing open;
    Timing full;
    Timing load;
    int options = 0;
    bool real = true;
};

Row benchFile(const QString &name, const QString &path, int runs, bool real)
{
    const QByteArray p = QFile::encodeName(path);
    Row row;
    row.name = name;
    row.real = real;
    std::vector<double> open, full, load;
    openOnly(p);
    openAndLoad(p);
    for (int i = 0; i < runs; ++i) {
        open.push_back(openOnly(p));
        full.push_back(openAndLoad(p));
        load.push_back(loadOnly(p));
    }
    row.open = summarize(open);
    row.full = summarize(full);
    row.load = summarize(load);
    if (ppd_file_t *ppd = ppdOpenFile(p.constData())) {
        OptionModel model;
        model.loadFromPpd(ppd);
        row.options = model.allOptions().size();
        ppdClose(ppd);
    }
    return row;
}

// Mean time of one markChoice over a pass that marks every choice of every
// option in turn.
Timing benchMarking(const QString &path, int runs, long *marksPerPass)
{
    ppd_file_t *ppd = ppdOpenFile(QFile::encodeName(path).constData());
    OptionModel model;
    model.loadFromPpd(ppd);
    const QList<jOption *> options = model.allOptions();
    long marks = 0;
    for (jOption *option : options)
        marks += option->choiceCount();
    *marksPerPass = marks;
    const Timing t = measure(runs, [&] {
        const double start = cpuMs();
        for (jOption *option : options) {
            const QList<OptionChoice *> choices = option->choices();
            for (OptionChoice *choice : choices)
                option->markChoice(choice);
        }
        return (cpuMs() - start) * 1e3 / double(marks);
    });
    ppdClose(ppd);
    return t;
}

void printRow(const Row &row)
{
    std::printf("%-44s %5d %9.3f %9.3f %9.3f %7.3f%s\n", qPrintable(row.name), row.options, row.open.min,
                row.full.min, row.load.min, row.full.min / row.open.min,
                (row.real && row.full.min / row.open.min > 1.3) ? "  over 1.3" : "");
}

} // namespace

int main(int argc, char **argv)
{
    std::setlocale(LC_ALL, "");
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(3, atoi(argv[1])) : 15;
    const QString source = QStringLiteral(PRINTDECK_SOURCE_DIR);

    std::printf("option-model load, minimum of %d runs, times in ms\n", runs);
    std::printf("open = ppdOpenFile + ppdLocalize; full = ppdOpenFile + loadFromPpd; load = loadFromPpd alone\n\n");
    std::printf("%-44s %5s %9s %9s %9s %7s\n", "PPD", "opts", "open", "full", "load", "ratio");

    const QString fixture = source + QStringLiteral("/tests/fixtures/jorvane-color-finisher.ppd");
    printRow(benchFile(QStringLiteral("fixture jorvane-color-finisher.ppd"), fixture, runs, true));

    QStringList hp;
    QDirIterator it(QStringLiteral("/usr/share/ppd/hp-ppd"), {QStringLiteral("*.ppd"), QStringLiteral("*.ppd.gz")},
                    QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        hp << it.next();
    hp.sort();
    double worst = 0;
    for (const QString &path : qAsConst(hp)) {
        const Row row = benchFile(QStringLiteral("hp-ppd ") + QFileInfo(path).fileName(), path, runs, true);
        worst = std::max(worst, row.full.min / row.open.min);
        printRow(row);
    }

    QTemporaryDir dir;
    const QString script = source + QStringLiteral("/bench/make-stress-ppd.sh");
    QList<Row> stress;
    for (int scale : {1, 4, 16}) {
        const QString out = dir.filePath(QStringLiteral("stress-%1x.ppd").arg(scale));
        QProcess gen;
        gen.start(QStringLiteral("bash"), {script, QString::number(scale), out});
        if (!gen.waitForFinished(120000) || gen.exitCode() != 0) {
            std::fprintf(stderr, "bench: cannot generate %s\n", qPrintable(out));
            return 1;
        }
        stress << benchFile(QStringLiteral("stress %1x").arg(scale), out, runs, false);
        printRow(stress.last());
    }

    std::printf("\nworst real-file ratio full/open: %.3f (goal <= 1.3)\n", worst);
    std::printf("stress growth, full load: 4x/1x = %.2f, 16x/1x = %.2f (goal 16x/1x <= 20)\n",
                stress[1].full.min / stress[0].full.min, stress[2].full.min / stress[0].full.min);
    std::printf("stress growth, loadFromPpd alone: 4x/1x = %.2f, 16x/1x = %.2f\n",
                stress[1].load.min / stress[0].load.min, stress[2].load.min / stress[0].load.min);

    std::printf("\nmarkChoice, every choice of every option in turn (mean per call, us):\n");
    for (const auto &target : {qMakePair(QStringLiteral("fixture jorvane-color-finisher.ppd"), fixture),
                               qMakePair(QStringLiteral("stress 16x"), dir.filePath(QStringLiteral("stress-16x.ppd")))}) {
        long marks = 0;
        const Timing t = benchMarking(target.second, runs, &marks);
        std::printf("%-44s %6ld marks/pass  min %.3f  median %.3f\n", qPrintable(target.first), marks, t.min, t.median);
    }
    return 0;
}
