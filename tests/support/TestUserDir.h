#pragma once
#include <QByteArray>
#include <QString>

// A fresh per-user directory for one test: picks an unused user name
// "pdtest-<pid>-<random>", sets the environment variable USER and the
// process-wide userDirectory to it, and on destruction removes
// "/usr/share/jorvane/<name>/" recursively (links are removed, never
// followed) and restores the previous USER and userDirectory.
class TestUserDir {
public:
    TestUserDir();
    ~TestUserDir();
    TestUserDir(const TestUserDir &) = delete;
    TestUserDir &operator=(const TestUserDir &) = delete;

    QString userName() const { return m_userName; }
    // "/usr/share/jorvane/<name>/", with the trailing slash.
    QString path() const { return m_path; }
    // path() + fileName.
    QString filePath(const QString &fileName) const { return m_path + fileName; }

    // Removes path recursively without following symbolic links; a link
    // itself is unlinked. Missing paths are fine. Returns false on errors.
    static bool removeTree(const QString &path);

private:
    QString m_userName;
    QString m_path;
    QByteArray m_previousUser;
    bool m_hadUser = false;
    QString m_previousUserDirectory;
};
