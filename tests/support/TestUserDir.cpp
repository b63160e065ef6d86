#include "TestUserDir.h"

#include "model/ProcessState.h"

#include <QRandomGenerator>

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Removes the entry name inside the directory dirFd, descending into real
// directories only (O_NOFOLLOW | O_DIRECTORY on every open).
bool removeAt(int dirFd, const char *name)
{
    struct stat st;
    if (fstatat(dirFd, name, &st, AT_SYMLINK_NOFOLLOW) != 0)
        return errno == ENOENT;
    if (!S_ISDIR(st.st_mode))
        return unlinkat(dirFd, name, 0) == 0 || errno == ENOENT;

    // Tests may leave a directory read-only; its owner may make it writable again.
    fchmodat(dirFd, name, 0700, 0);
    const int fd = openat(dirFd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return false;
    DIR *dir = fdopendir(fd);
    if (!dir) {
        close(fd);
        return false;
    }
    bool ok = true;
    while (dirent *entry = readdir(dir)) {
        const char *child = entry->d_name;
        if ((child[0] == '.' && child[1] == '\0')
            || (child[0] == '.' && child[1] == '.' && child[2] == '\0'))
            continue;
        if (!removeAt(dirfd(dir), child))
            ok = false;
    }
    closedir(dir);
    return unlinkat(dirFd, name, AT_REMOVEDIR) == 0 && ok;
}

} // namespace

bool TestUserDir::removeTree(const QString &path)
{
    QByteArray native = path.toLocal8Bit();
    while (native.size() > 1 && native.endsWith('/'))
        native.chop(1);
    if (native.isEmpty())
        return false;
    return removeAt(AT_FDCWD, native.constData());
}

TestUserDir::TestUserDir()
{
    m_hadUser = qEnvironmentVariableIsSet("USER");
    m_previousUser = qgetenv("USER");
    m_previousUserDirectory = userDirectory;

    for (;;) {
        m_userName = QStringLiteral("pdtest-%1-%2")
                         .arg(qint64(getpid()))
                         .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
        m_path = perUserDirectoryFor(m_userName.toLocal8Bit());
        struct stat st;
        if (lstat(m_path.toLocal8Bit().constData(), &st) != 0 && errno == ENOENT)
            break;
    }
    qputenv("USER", m_userName.toLocal8Bit());
    computeUserDirectory();
}

TestUserDir::~TestUserDir()
{
    removeTree(m_path);
    if (m_hadUser)
        qputenv("USER", m_previousUser);
    else
        qunsetenv("USER");
    userDirectory = m_previousUserDirectory;
}
