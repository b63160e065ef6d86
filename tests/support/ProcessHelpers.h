#pragma once
#include <QByteArray>
#include <QFile>
#include <QString>

#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

// Whether the process is gone: no such process, or only its zombie is
// left (an orphan in a container without an init is never reaped).
inline bool processGone(qint64 pid)
{
    if (pid <= 0)
        return false;
    if (::kill(pid_t(pid), 0) != 0 && errno == ESRCH)
        return true;
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return true;
    const QByteArray line = stat.readAll();
    const int close = line.lastIndexOf(')');
    return close > 0 && line.mid(close + 2, 1) == "Z";
}

// A loopback TCP port that was free a moment ago and has no listener, so
// that a connection to it is refused at once.
inline int closedLoopbackPort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 9;
    if (fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0
        && ::getsockname(fd, reinterpret_cast<sockaddr *>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    if (fd >= 0)
        ::close(fd);
    return port;
}

// Writes an executable /bin/sh script (a stand-in for a program on PATH):
// "#!/bin/sh" and then body. False when it cannot be written.
inline bool writeShellScript(const QString &path, const QByteArray &body)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    file.write("#!/bin/sh\n" + body);
    file.close();
    return file.error() == QFileDevice::NoError
        && file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}
