#include "model/AtomicFile.h"

#include <QFile>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool writeAll(int fd, const QByteArray &data)
{
    const char *next = data.constData();
    qint64 left = data.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, next, size_t(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        next += written;
        left -= written;
    }
    return true;
}

mode_t modeForNewFile()
{
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

void syncDirectoryOf(const QByteArray &target)
{
    const int slash = target.lastIndexOf('/');
    const QByteArray directory = slash < 0 ? QByteArray(".")
                                 : slash == 0 ? QByteArray("/")
                                              : target.left(slash);
    const int dirFd = open(directory.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        fsync(dirFd);
        close(dirFd);
    }
}

} // namespace

bool AtomicFile::write(const QString &path, const QByteArray &data)
{
    const QByteArray target = QFile::encodeName(path);
    if (target.isEmpty())
        return false;

    // The ".tmp" ending keeps a leftover from ever being taken for a
    // settings file by a later search.
    static const char suffix[] = ".tmp";
    QByteArray temporary = target + "-temporary.XXXXXX" + suffix;
    const int fd = mkstemps(temporary.data(), int(sizeof suffix) - 1);
    if (fd < 0)
        return false;

    struct stat st;
    const mode_t mode = (lstat(target.constData(), &st) == 0 && S_ISREG(st.st_mode))
                            ? (st.st_mode & 07777)
                            : modeForNewFile();
    bool ok = fchmod(fd, mode) == 0;
    ok = ok && writeAll(fd, data);
    // Everything must be on the disk before the new file takes the name.
    ok = ok && fsync(fd) == 0;
    ok = (close(fd) == 0) && ok;
    ok = ok && rename(temporary.constData(), target.constData()) == 0;
    if (!ok) {
        unlink(temporary.constData());
        return false;
    }
    syncDirectoryOf(target);
    return true;
}
