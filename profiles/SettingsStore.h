#pragma once
#include "model/OptionValueMap.h"
#include <QString>
#include <QStringList>

// The per-user files: queue settings files, profile files and the consent
// file "Settings". Every writer replaces its file atomically: the new
// content goes to a temporary file in the same directory, which then takes
// the file's name, so a crash or a full disk leaves the previous file whole.
//
// The per-user directory is only used while it is a real directory (no
// symbolic link on any level of its path) owned by the effective user and
// not writable by everyone. Otherwise nothing is written into it, and the
// readers see no file in it.
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

    // Creates only the last level of the per-user directory (its parent must
    // exist), with the same checks as makeUserDirectory.
    static bool makeUserDirectoryLevel();
    // Whether the per-user directory exists and may be used (nothing is created).
    static bool userDirectoryIsSafe();
    // Whether path names a file inside the per-user directory.
    static bool isInUserDirectory(const QString &path);
    // Whether the consent file exists in a usable per-user directory.
    static bool consentFileExists();
    // The recorded answer: true when the consent file contains
    // "Telemetry=True", and also when it cannot be read (first start).
    static bool readConsent();
};
