#pragma once
#include "model/OptionValueMap.h"
#include <QString>
#include <QStringList>

// The per-user files: queue settings files, profile files and the consent
// file "Settings". Every writer replaces its file atomically.
class SettingsStore {
public:
    // Creates the per-user directory level by level (mode 0775). Refuses a
    // directory that is a symbolic link or that another user owns.
    static bool makeUserDirectory();
    static bool printerSettingsFileExists(const QString &queue);
    static QString printerSettingsFilePath(const QString &queue);
    static bool writePrinterSettingsFile(const QString &path, const OptionValueMap &map);
    static bool writeProfileFile(const QString &path, const OptionValueMap &map,
                                 const QString &description);
    static QString escapeForStore(const QString &key, const QString &value);
    static QString readStoredValue(const QString &key);
    static QString storedValueFor(const QString &key, const QString &raw);
    static QStringList readStoredValues(const QString &key);
    static void refreshRecordedDefaults(const QString &path);
    static QStringList readProfileKeys(const QString &path);

    // Consent file: "Settings" in the per-user directory.
    static QString consentFilePath();
    // Replaces the consent file with "Telemetry=True\n" / "Telemetry=False\n".
    static bool writeConsent(bool yes);
};
