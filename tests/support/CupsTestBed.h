#pragma once
#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

// A private CUPS scheduler for one test (or test case): a `cupsd` run as
// the current, unprivileged user with its own directories in a temporary
// directory, listening on a free loopback TCP port. While it runs, the
// process environment points every libcups call and every child process
// (lpstat, lpoptions, lpadmin) at it:
//   CUPS_SERVER=localhost:PORT, CUPS_SERVERROOT=<its directory>
// The scheduler is started through scripts/private-cups.sh (the demo uses
// the same script) and stopped by its PID in stop() and the destructor;
// it also dies with the test process (parent-death signal). The machine's
// own cupsd is never touched.
//
// Typical use, as a member of the test object:
//   void initTestCase() { QVERIFY2(bed.start(), qPrintable(bed.lastError())); }
//   void cleanupTestCase() { bed.stop(); }
//   ... QVERIFY(bed.addFixtureQueue("J1", "listing-jorvane.ppd"));
class CupsTestBed {
public:
    CupsTestBed();
    ~CupsTestBed();
    CupsTestBed(const CupsTestBed &) = delete;
    CupsTestBed &operator=(const CupsTestBed &) = delete;

    // Starts the scheduler and waits until its port answers (at most 10 s).
    // Sets CUPS_SERVER and CUPS_SERVERROOT and resets libcups' cached
    // server. False (with lastError()) when cupsd cannot be started.
    bool start();
    // Stops the scheduler by its PID and restores the previous environment.
    void stop();
    bool isRunning() const;

    int port() const { return m_port; }
    qint64 cupsdPid() const { return m_pid; }
    QString serverName() const;   // "localhost:PORT"
    QString directory() const;    // the scheduler's ServerRoot
    QString errorLog() const;     // contents of its error_log
    QString lastError() const { return m_lastError; }

    // "lpadmin -p NAME -E -v file:/dev/null -P PPD" (argument list, no shell).
    bool addQueue(const QString &name, const QString &ppdPath);
    // The same with a PPD of tests/fixtures/.
    bool addFixtureQueue(const QString &name, const QString &fixtureFile);
    bool removeQueue(const QString &name);
    // cupsdisable / cupsenable.
    bool pauseQueue(const QString &name);
    bool resumeQueue(const QString &name);
    // Runs one CUPS command-line tool against the bed (argument list);
    // answers whether it exited with status 0. Output goes to *output.
    bool runTool(const QString &program, const QStringList &arguments,
                 QString *output = nullptr);

    static QString fixturePath(const QString &fixtureFile);
    static QString scriptPath();

private:
    static int freeLoopbackPort();
    bool waitUntilReady(int timeoutMs);
    void restoreEnvironment();

    std::unique_ptr<QTemporaryDir> m_dir;
    QProcess m_cupsd;
    qint64 m_pid = 0;
    int m_port = 0;
    QString m_lastError;
    bool m_envSaved = false;
    bool m_hadServer = false;
    bool m_hadServerRoot = false;
    QByteArray m_previousServer;
    QByteArray m_previousServerRoot;
};
