#include "app/JorDialog.h"
#include "app/Translation.h"
#include "model/ProcessState.h"
#include "profiles/SettingsStore.h"

#include <QApplication>
#include <QIcon>
#include <QStyleFactory>
#include <QTranslator>

#include <cstring>

namespace {

// "--telemetry VALUE" / "-t VALUE": records the consent answer without any
// window. Returns true when the switch was found (the process then ends).
bool handleTelemetrySwitch(int argc, char **argv)
{
    int found = -1;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--telemetry") == 0 || std::strcmp(argv[i], "-t") == 0) {
            found = i;
            break;
        }
    }
    if (found < 0)
        return false;
    if (found + 1 >= argc)
        return true;
    computeUserDirectory();
    SettingsStore::makeUserDirectoryLevel();
    const char *value = argv[found + 1];
    if (std::strcmp(value, "True") == 0 || std::strcmp(value, "true") == 0)
        SettingsStore::writeConsent(true);
    else if (std::strcmp(value, "False") == 0 || std::strcmp(value, "false") == 0)
        SettingsStore::writeConsent(false);
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    if (handleTelemetrySwitch(argc, argv))
        return 0;

    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/appicon_ze")));

    QTranslator translator;
    if (translator.load(Translation::catalogueFor(Translation::systemLocaleName())))
        QApplication::installTranslator(&translator);

    int status = 0;
    {
        JorDialog dialog;
        dialog.show();
        status = app.exec();
    }
    QApplication::removeTranslator(&translator);
    return status;
}
