#include "CupsTestBed.h"
#include "model/CupsPpd.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

const int kToolTimeoutMs = 30000;

bool portAnswers(int port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0)
        return false;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<quint16>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const bool ok = ::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0;
    ::close(fd);
    return ok;
}

}  // namespace

CupsTestBed::CupsTestBed() = default;

CupsTestBed::~CupsTestBed()
{
    stop();
}

QString CupsTestBed::scriptPath()
{
    return QStringLiteral(PRINTDECK_SOURCE_DIR "/scripts/private-cups.sh");
}

QString CupsTestBed::fixturePath(const QString &fixtureFile)
{
    return QStringLiteral(PRINTDECK_FIXTURES_DIR "/") + fixtureFile;
}

int CupsTestBed::freeLoopbackPort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0)
        return 0;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = 0;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int port = 0;
    socklen_t length = sizeof address;
    if (::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0
        && ::getsockname(fd, reinterpret_cast<sockaddr *>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    ::close(fd);
    return port;
}

bool CupsTestBed::start()
{
    if (isRunning())
        return true;
    m_lastError.clear();
    if (::geteuid() == 0) {
        // cupsd run by root drops to the "lp" user and refuses files in a
        // private directory; the suite runs as an ordinary user.
        m_lastError = QStringLiteral("CupsTestBed must not run as root");
        return false;
    }
    m_dir = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/cupsbed-XXXXXX"));
    if (!m_dir->isValid()) {
        m_lastError = QStringLiteral("cannot create a temporary directory");
        return false;
    }

    // A port taken by someone else between the probe and cupsd's bind
    // only costs another attempt.
    for (int attempt = 0; attempt < 5; ++attempt) {
        m_port = freeLoopbackPort();
        if (m_port == 0)
            continue;
        m_cupsd.setProcessChannelMode(QProcess::MergedChannels);
        m_cupsd.setStandardInputFile(QProcess::nullDevice());
        m_cupsd.start(QStringLiteral("bash"),
                      {scriptPath(), m_dir->path(), QString::number(m_port)});
        if (!m_cupsd.waitForStarted(10000)) {
            m_lastError = QStringLiteral("cannot start bash: ") + m_cupsd.errorString();
            return false;
        }
        m_pid = m_cupsd.processId();
        if (waitUntilReady(10000))
            break;
        m_lastError = QStringLiteral("cupsd did not come up on port %1: %2 %3")
                          .arg(m_port)
                          .arg(QString::fromLocal8Bit(m_cupsd.readAll()), errorLog());
        m_cupsd.kill();
        m_cupsd.waitForFinished(5000);
        m_pid = 0;
    }
    if (!m_pid)
        return false;

    if (!m_envSaved) {
        m_hadServer = qEnvironmentVariableIsSet("CUPS_SERVER");
        m_previousServer = qgetenv("CUPS_SERVER");
        m_hadServerRoot = qEnvironmentVariableIsSet("CUPS_SERVERROOT");
        m_previousServerRoot = qgetenv("CUPS_SERVERROOT");
        m_envSaved = true;
    }
    qputenv("CUPS_SERVER", serverName().toLocal8Bit());
    qputenv("CUPS_SERVERROOT", QFile::encodeName(m_dir->path()));
    // libcups caches the server name and its connection.
    cupsSetServer(nullptr);
    return true;
}

bool CupsTestBed::waitUntilReady(int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < timeoutMs) {
        if (m_cupsd.state() == QProcess::NotRunning)
            return false;
        if (portAnswers(m_port))
            return true;
        QThread::msleep(20);
    }
    return false;
}

bool CupsTestBed::isRunning() const
{
    return m_pid != 0 && m_cupsd.state() != QProcess::NotRunning;
}

void CupsTestBed::stop()
{
    if (m_pid) {
        // terminate()/kill() signal exactly the PID started above.
        m_cupsd.terminate();
        if (!m_cupsd.waitForFinished(5000)) {
            m_cupsd.kill();
            m_cupsd.waitForFinished(5000);
        }
        m_pid = 0;
    }
    restoreEnvironment();
    m_dir.reset();
}

void CupsTestBed::restoreEnvironment()
{
    if (!m_envSaved)
        return;
    if (m_hadServer)
        qputenv("CUPS_SERVER", m_previousServer);
    else
        qunsetenv("CUPS_SERVER");
    if (m_hadServerRoot)
        qputenv("CUPS_SERVERROOT", m_previousServerRoot);
    else
        qunsetenv("CUPS_SERVERROOT");
    m_envSaved = false;
    cupsSetServer(nullptr);
}

QString CupsTestBed::serverName() const
{
    return QStringLiteral("localhost:%1").arg(m_port);
}

QString CupsTestBed::directory() const
{
    return m_dir ? m_dir->path() : QString();
}

QString CupsTestBed::errorLog() const
{
    if (!m_dir)
        return QString();
    QFile log(m_dir->path() + QStringLiteral("/log/error_log"));
    if (!log.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromLocal8Bit(log.readAll());
}

bool CupsTestBed::runTool(const QString &program, const QStringList &arguments, QString *output)
{
    if (!isRunning()) {
        m_lastError = QStringLiteral("the CUPS test bed is not running");
        return false;
    }
    QProcess tool;
    tool.setProcessChannelMode(QProcess::MergedChannels);
    tool.setStandardInputFile(QProcess::nullDevice());
    tool.start(program, arguments);
    if (!tool.waitForStarted(kToolTimeoutMs)) {
        m_lastError = program + QStringLiteral(": ") + tool.errorString();
        return false;
    }
    if (!tool.waitForFinished(kToolTimeoutMs)) {
        tool.kill();
        tool.waitForFinished(5000);
        m_lastError = program + QStringLiteral(": timed out");
        return false;
    }
    const QString text = QString::fromLocal8Bit(tool.readAll());
    if (output)
        *output = text;
    const bool ok = tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
    if (!ok)
        m_lastError = program + QLatin1Char(' ') + arguments.join(QLatin1Char(' '))
                      + QStringLiteral(": ") + text;
    return ok;
}

bool CupsTestBed::addQueue(const QString &name, const QString &ppdPath)
{
    return runTool(QStringLiteral("lpadmin"),
                   {QStringLiteral("-p"), name, QStringLiteral("-E"), QStringLiteral("-v"),
                    QStringLiteral("file:/dev/null"), QStringLiteral("-P"), ppdPath});
}

bool CupsTestBed::addFixtureQueue(const QString &name, const QString &fixtureFile)
{
    return addQueue(name, fixturePath(fixtureFile));
}

bool CupsTestBed::removeQueue(const QString &name)
{
    return runTool(QStringLiteral("lpadmin"), {QStringLiteral("-x"), name});
}

bool CupsTestBed::pauseQueue(const QString &name)
{
    return runTool(QStringLiteral("cupsdisable"), {name});
}

bool CupsTestBed::resumeQueue(const QString &name)
{
    return runTool(QStringLiteral("cupsenable"), {name});
}
