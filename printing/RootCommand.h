#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>

// Runs the installable-option writer as root through "sudo" or "su".
//
// No shell ever sees the password, and no command string is built around
// it: the elevation tool is started with an argument list and the password
// is written to its standard input, followed by a line feed, after which
// the input is closed. "su" hands its command text to root's shell, so that
// text quotes the queue name and every item so that no character can break
// out of its argument.
//
// The outcome is the exit status alone: a tool or writer that cannot be
// started, that is killed, that ends through a signal or that does not end
// within the time limit counts as failure. The writer's normal output is
// discarded; its error output is kept in errorOutput() and never shown.
class RootCommand {
public:
    enum Method { Sudo, Su };

    // "sudo" -> Sudo, "su" -> Su; anything else answers false.
    static bool methodFromText(const QString &text, Method *method);
    // The writer started by name; root's PATH and sudo's secure_path find it.
    static QString writerName();
    // The program started for a method: "sudo" or "su".
    static QString program(Method method);
    // The argument vector given to program(method). It never holds the
    // password.
    static QStringList arguments(Method method, const QString &queue, const QStringList &items);
    // One word for a POSIX shell: the text in single quotes, each embedded
    // single quote written as '\''.
    static QString shellQuote(const QString &text);
    // The command text that "su -c" hands to root's shell.
    static QString suCommandText(const QString &queue, const QStringList &items);
    // Forgets cached sudo credentials ("sudo -k"), so that the password is
    // checked on every attempt. Failure to run it is ignored.
    static void forgetSudoCredentials();

    // Runs the writer for the queue with the KEY=VALUE items as root.
    // Answers true exactly when the elevation tool ended normally with
    // exit status 0.
    bool run(Method method, const QByteArray &password, const QString &queue,
             const QStringList &items);

    // The longest wait for the elevation tool and the writer (ms).
    void setTimeout(int milliseconds) { m_timeout = milliseconds; }
    int timeout() const { return m_timeout; }
    // Lets tests start another program in place of "sudo"/"su" (empty:
    // the real one).
    void setProgramOverride(const QString &program) { m_programOverride = program; }

    // The error output of the last run (never shown to the user).
    QByteArray errorOutput() const { return m_errorOutput; }
    // Whether the last run was ended because it took too long.
    bool timedOut() const { return m_timedOut; }

private:
    int m_timeout = 30000;
    QString m_programOverride;
    QByteArray m_errorOutput;
    bool m_timedOut = false;
};
