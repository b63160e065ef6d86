#include "printing/RootCommand.h"

#include <QElapsedTimer>
#include <QProcess>

#include <unistd.h>

namespace {

// Time a killed child gets to be reaped.
const int killGraceMs = 3000;
const char securePath[] = "/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin";

// Starts the child in a session of its own, without a controlling
// terminal: neither tool can then turn to the terminal the panel was
// started from and wait there for a password; the pipe is all they have.
class DetachedProcess : public QProcess {
protected:
    void setupChildProcess() override { ::setsid(); }
};

} // namespace

bool RootCommand::methodFromText(const QString &text, Method *method)
{
    if (text == QLatin1String("sudo")) {
        *method = Sudo;
        return true;
    }
    if (text == QLatin1String("su")) {
        *method = Su;
        return true;
    }
    return false;
}

QString RootCommand::writerName()
{
    return QStringLiteral("jorPPDWrite_H");
}

QString RootCommand::program(Method method)
{
    return method == Sudo ? QStringLiteral("sudo") : QStringLiteral("su");
}

QString RootCommand::shellQuote(const QString &text)
{
    QString quoted = text;
    quoted.replace(QLatin1Char('\''), QLatin1String("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

QString RootCommand::suCommandText(const QString &queue, const QStringList &items)
{
    // su keeps the user's PATH; root's shell looks the writer up where
    // sudo's secure_path would, never in a directory the user controls.
    QStringList words;
    words << QStringLiteral("PATH=%1; export PATH;").arg(QLatin1String(securePath))
          << writerName() << shellQuote(queue);
    for (const QString &item : items)
        words << shellQuote(item);
    return words.join(QLatin1Char(' '));
}

QStringList RootCommand::arguments(Method method, const QString &queue, const QStringList &items)
{
    QStringList args;
    if (method == Sudo) {
        // -S: the password comes from standard input; -p "": no prompt text.
        args << QStringLiteral("-S") << QStringLiteral("-p") << QString()
             << QStringLiteral("--") << writerName() << queue << items;
    } else {
        args << QStringLiteral("-c") << suCommandText(queue, items) << QStringLiteral("root");
    }
    return args;
}

void RootCommand::forgetSudoCredentials()
{
    DetachedProcess process;
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(QStringLiteral("sudo"), {QStringLiteral("-k")});
    if (!process.waitForStarted(30000))
        return;
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished(killGraceMs);
    }
}

bool RootCommand::run(Method method, const QByteArray &password, const QString &queue,
                      const QStringList &items)
{
    m_errorOutput.clear();
    m_timedOut = false;

    QElapsedTimer clock;
    clock.start();
    auto remaining = [&]() { return qMax(0, m_timeout - int(clock.elapsed())); };

    DetachedProcess process;
    process.setProgram(m_programOverride.isEmpty() ? program(method) : m_programOverride);
    process.setArguments(arguments(method, queue, items));
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.start(QIODevice::ReadWrite);
    if (!process.waitForStarted(qMax(1, remaining())))
        return false;

    // The password and a line feed, then end of input: a tool that asks
    // again after a wrong password reads end of file and gives up.
    QByteArray line = password;
    line.append('\n');
    process.write(line);
    line.fill('\0');
    process.closeWriteChannel();

    bool finished = process.waitForFinished(qMax(1, remaining()));
    if (!finished) {
        m_timedOut = true;
        process.kill();
        process.waitForFinished(killGraceMs);
    }
    m_errorOutput = process.readAllStandardError();
    if (!finished)
        return false;
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}
