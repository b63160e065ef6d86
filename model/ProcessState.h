#pragma once
#include <QSet>
#include <QString>

class OptionModel;

// Process-wide values shared by the whole panel.

// "/usr/share/jorvane/" + $USER + "/", filled by computeUserDirectory().
extern QString userDirectory;
// The file stored values are read from: the selected queue's settings
// file, a loaded profile, or empty when no printer is selected.
extern QString currentSettingsFile;
// Names of all destinations seen at the last build of the printer table.
extern QSet<QString> knownPrinters;
// The model of the selected printer; null while none is selected.
extern OptionModel *currentModel;
// Whether no tab shows a conflict (written by the conflict passes).
extern bool settingsValid;

// The per-user directory for the current value of USER.
QString perUserDirectoryFor(const QByteArray &user);
// Sets userDirectory from the environment variable USER and returns it.
QString computeUserDirectory();
// Replaces currentModel, freeing the previous model.
void setCurrentModel(OptionModel *model);
