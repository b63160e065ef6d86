#pragma once
#include <QByteArray>
#include <QMap>
#include <QMultiHash>
#include <QString>
#include <QStringList>

// Clears the cached print settings of a few desktop applications (a text
// editor, a document viewer, an image viewer and an office suite) so that
// they pick up the queue defaults just applied: their print-settings files
// in the home directory are deleted, the editor's page setup is rewritten
// for the applied page size and the office suite's collation default is
// switched on.
//
// Only regular files below the home directory are touched; symbolic links
// are never followed, neither while searching nor while changing a file.
class AppSettingsReset {
public:
    // The home directory is HOME, else the password database entry of the
    // real user id; without either the process ends with exit status 1.
    AppSettingsReset();
    explicit AppSettingsReset(const QString &home);

    // One complete run for the current user.
    static void resetApplicationPrintSettings(const QString &pageSize);
    // The same below the given home directory.
    static void resetApplicationPrintSettings(const QString &pageSize, const QString &home);

    // HOME, else the passwd home of the real user id; empty when neither.
    static QString findHomeDirectory();
    // The page-setup text for a PPD page-size name; empty when there is no
    // template for the size.
    static QByteArray pageSetupText(const QString &pageSize);
    // The first fragment of targetNames that occurs in the path (taken
    // relative to the home directory, beginning with "/"); empty when none
    // matches or the path contains ".tmp".
    QString matchingFragment(const QByteArray &relativePath) const;
    // Rewrites the office suite's registry file contents: in every line
    // containing name="Collate" each "false" becomes "true".
    static QByteArray switchCollateOn(const QByteArray &contents);

    void search();
    void apply(const QString &pageSize);

    QString homeDirectory;
    QStringList targetNames;
    // path of a found file -> the fragment it matched
    QMultiHash<QString, QString> foundFiles;
    QMap<QString, QByteArray> pageSetupTemplates;

    // Where the passwd lookup comes from; replaceable so that the no-home
    // case can be exercised.
    static QString (*passwdHomeLookup)();

private:
    void init();
    void walk(int dirFd, QByteArray &relativePath, int depth);
    // Replaces the file at path (apply() has found it a regular file) with
    // contents, keeping its mode.
    static bool replaceFileContents(const QString &path, const QByteArray &contents);

    QList<QByteArray> m_fragments;
};
