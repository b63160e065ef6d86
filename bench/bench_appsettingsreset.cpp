// The home-directory search of the print-settings reset against
// `find HOME > /dev/null` on the same tree.
//
//   bench_appsettingsreset [FILES] [RUNS]     (defaults: 100000 files, 7 runs)
//
// Builds a temporary home of FILES regular files (nested folders, the
// applications' settings files among them), warms the cache, then times
// both in alternation and prints the medians and their ratio.
#include "printing/AppSettingsReset.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

bool touch(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly);
}

bool buildTree(const QString &home, int files)
{
    const QStringList targets{".config/gedit/gedit-print-settings", ".config/gedit/gedit-page-setup",
                              ".config/evince/print-settings", ".config/eog/eog-print-settings.ini",
                              ".config/libreoffice/4/user/registrymodifications.xcu"};
    for (const QString &target : targets) {
        QDir().mkpath(QFileInfo(home + "/" + target).path());
        if (!touch(home + "/" + target))
            return false;
        --files;
    }
    // 10 top folders, 20 subfolders each, 25 leaf folders each, the files
    // spread over the leaves: a deep, wide tree like a real home.
    int made = 0;
    for (int a = 0; a < 10 && made < files; ++a) {
        for (int b = 0; b < 20 && made < files; ++b) {
            for (int c = 0; c < 25 && made < files; ++c) {
                const QString dir = QStringLiteral("%1/projects-%2/module-%3/src-%4").arg(home).arg(a).arg(b).arg(c);
                if (!QDir().mkpath(dir))
                    return false;
                const int perLeaf = (files + 4999) / 5000;
                for (int f = 0; f < perLeaf && made < files; ++f, ++made) {
                    if (!touch(QStringLiteral("%1/file-%2.txt").arg(dir).arg(f)))
                        return false;
                }
            }
        }
    }
    return made == files;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double timeFind(const QString &home)
{
    QElapsedTimer timer;
    timer.start();
    QProcess find;
    find.setStandardOutputFile(QProcess::nullDevice());
    find.start(QStringLiteral("find"), {home});
    find.waitForFinished(-1);
    return timer.nsecsElapsed() / 1e6;
}

double timeSearch(const QString &home, int *found)
{
    QElapsedTimer timer;
    timer.start();
    AppSettingsReset reset(home);
    reset.search();
    const double ms = timer.nsecsElapsed() / 1e6;
    *found = reset.foundFiles.size();
    return ms;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int files = argc > 1 ? atoi(argv[1]) : 100000;
    const int runs = argc > 2 ? std::max(1, atoi(argv[2])) : 7;

    QTemporaryDir base(QDir::tempPath() + "/bench-home-XXXXXX");
    const QString home = base.path() + "/home";
    if (!base.isValid() || !QDir().mkpath(home) || !buildTree(home, files)) {
        std::fprintf(stderr, "cannot build the home tree\n");
        return 1;
    }
    int found = 0;
    timeFind(home);
    timeSearch(home, &found);

    std::vector<double> findTimes, searchTimes;
    for (int i = 0; i < runs; ++i) {
        findTimes.push_back(timeFind(home));
        searchTimes.push_back(timeSearch(home, &found));
    }
    const double f = median(findTimes);
    const double s = median(searchTimes);
    std::printf("home tree: %d files, %d runs, %d settings files found\n", files, runs, found);
    std::printf("find HOME > /dev/null : %8.2f ms (median)\n", f);
    std::printf("AppSettingsReset search: %8.2f ms (median)\n", s);
    std::printf("ratio search / find    : %8.3f (goal <= 1.1)\n", s / f);
    return 0;
}
