#include "profiles/SettingsStore.h"
#include "model/AtomicFile.h"

#include "model/OptionModel.h"
#include "model/ProcessState.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QTextStream>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Longest line part one read returns; the rest of a longer line comes with
// the next read.
const int kMaxLineRead = 1024;
// Longest per-user directory path that is created.
const int kMaxUserDirectoryPath = 256;

enum class DirectoryMode {
    CheckOnly,     // create nothing
    CreateLast,    // create only the last level
    CreateAll,     // create every missing level
};

// One level of the per-user directory path: must be a real directory
// (lstat, so a symbolic link is refused), created with mode 0775 when
// missing and allowed. The last level must also belong to the effective
// user and must not be writable by everyone.
bool checkLevel(const QByteArray &level, bool create, bool last)
{
    struct stat st;
    if (lstat(level.constData(), &st) != 0) {
        if (errno != ENOENT || !create)
            return false;
        if (mkdir(level.constData(), 0775) != 0 && errno != EEXIST)
            return false;
        // Whatever is there now (ours, or a racing creator's) is checked.
        if (lstat(level.constData(), &st) != 0)
            return false;
    }
    if (S_ISLNK(st.st_mode) || !S_ISDIR(st.st_mode))
        return false;
    if (last && (st.st_uid != geteuid() || (st.st_mode & S_IWOTH)))
        return false;
    return true;
}

bool prepareUserDirectory(DirectoryMode mode)
{
    const QByteArray raw = userDirectory.toLocal8Bit();
    if (raw.isEmpty() || raw.size() > kMaxUserDirectoryPath)
        return false;
    // Repeated slashes name the same levels; trailing ones are dropped.
    QByteArray path;
    path.reserve(raw.size());
    for (char c : raw) {
        if (c == '/' && path.endsWith('/'))
            continue;
        path.append(c);
    }
    while (path.size() > 1 && path.endsWith('/'))
        path.chop(1);
    if (path == "/")
        return false;

    for (int slash = path.indexOf('/', 1); slash > 0; slash = path.indexOf('/', slash + 1)) {
        if (!checkLevel(path.left(slash), mode == DirectoryMode::CreateAll, false))
            return false;
    }
    return checkLevel(path, mode != DirectoryMode::CheckOnly, true);
}

QHash<QString, QString> currentDefaults()
{
    return currentModel ? currentModel->ppdDefaults() : QHash<QString, QString>();
}

// Text that goes into one line of a settings file: a line break would end
// the entry and start a forged one.
QString oneLine(QString text)
{
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    return text;
}

// "key=value" of one stored entry, without the line end.
QString entryText(const QString &key, const QString &value)
{
    return oneLine(key) + QLatin1Char('=') + oneLine(SettingsStore::escapeForStore(key, value));
}

bool fileExists(const QString &path)
{
    struct stat st;
    return stat(QFile::encodeName(path).constData(), &st) == 0;
}

// The file a reader may open: false when it lies in a per-user directory
// that must not be used.
bool mayRead(const QString &path)
{
    return !SettingsStore::isInUserDirectory(path) || SettingsStore::userDirectoryIsSafe();
}

// A writer may write path: the per-user directory is created and checked
// first; a path inside an unusable per-user directory is skipped.
bool mayWrite(const QString &path)
{
    const bool ready = SettingsStore::makeUserDirectory();
    return ready || !SettingsStore::isInUserDirectory(path);
}

void splitLine(const QString &line, QString *key, QString *raw)
{
    const int equals = line.indexOf(QLatin1Char('='));
    if (equals < 0) {
        *key = line;
        *raw = QString();
    } else {
        *key = line.left(equals);
        *raw = line.mid(equals + 1);
    }
}

// Calls visit(key, raw) for every line of the current settings file, read
// in parts of at most kMaxLineRead characters, until visit returns false.
template <typename Visit>
void scanCurrentSettingsFile(Visit visit)
{
    const QString path = currentSettingsFile;
    if (path.isEmpty() || !mayRead(path))
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    QTextStream in(&file);
    in.setCodec("UTF-8");
    QString key;
    QString raw;
    while (!in.atEnd()) {
        splitLine(in.readLine(kMaxLineRead), &key, &raw);
        if (!visit(key, raw))
            return;
    }
}

bool readWholeLines(const QString &path, QStringList *lines)
{
    if (!mayRead(path))
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    QTextStream in(&file);
    in.setCodec("UTF-8");
    while (!in.atEnd())
        lines->append(in.readLine());
    return true;
}

} // namespace

bool SettingsStore::makeUserDirectory()
{
    return prepareUserDirectory(DirectoryMode::CreateAll);
}

bool SettingsStore::makeUserDirectoryLevel()
{
    return prepareUserDirectory(DirectoryMode::CreateLast);
}

bool SettingsStore::userDirectoryIsSafe()
{
    return prepareUserDirectory(DirectoryMode::CheckOnly);
}

bool SettingsStore::isInUserDirectory(const QString &path)
{
    if (userDirectory.isEmpty() || path.isEmpty())
        return false;
    const QString directory = QDir::cleanPath(userDirectory) + QLatin1Char('/');
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath()).startsWith(directory);
}

QString SettingsStore::printerSettingsFilePath(const QString &queue)
{
    return userDirectory + queue + QStringLiteral(".cfg");
}

bool SettingsStore::printerSettingsFileExists(const QString &queue)
{
    const QString path = printerSettingsFilePath(queue);
    return mayRead(path) && fileExists(path);
}

QString SettingsStore::escapeForStore(const QString &key, const QString &value)
{
    if (key == QLatin1String("CustomJobName") || key == QLatin1String("CustomWatermarkStore")
        || key == QLatin1String("CustomWatermarkSet")) {
        QString escaped = value;
        escaped.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
        return escaped;
    }
    return value;
}

bool SettingsStore::writePrinterSettingsFile(const QString &path, const OptionValueMap &map)
{
    if (!mayWrite(path))
        return false;
    const QHash<QString, QString> defaults = currentDefaults();
    QString content;
    for (auto it = map.constBegin(); it != map.constEnd(); ++it) {
        content += entryText(it.key(), it.value());
        const QString fallback = defaults.value(it.key());
        if (!fallback.isEmpty())
            content += QLatin1Char(';') + oneLine(fallback);
        content += QLatin1Char('\n');
    }
    return AtomicFile::write(path, content.toUtf8());
}

bool SettingsStore::writeProfileFile(const QString &path, const OptionValueMap &map,
                                     const QString &description)
{
    if (!mayWrite(path))
        return false;
    const QString modelName = currentModel ? currentModel->modelName() : QString();
    QString content = QStringLiteral("[Profile]\n[") + oneLine(modelName)
                      + QStringLiteral("]\nProfileDescription=") + oneLine(description)
                      + QLatin1Char('\n');
    for (auto it = map.constBegin(); it != map.constEnd(); ++it)
        content += entryText(it.key(), it.value()) + QLatin1Char('\n');
    return AtomicFile::write(path, content.toUtf8());
}

QString SettingsStore::storedValueFor(const QString &key, const QString &raw)
{
    const QString fallback = currentDefaults().value(key);
    QString value;
    QString recorded;
    if (!fallback.isEmpty()) {
        const int semicolon = raw.indexOf(QLatin1Char(';'));
        if (semicolon < 0) {
            value = raw;
        } else {
            value = raw.left(semicolon);
            recorded = raw.mid(semicolon + 1);
        }
    } else {
        value = raw;
        value.replace(QLatin1String("\\\\"), QLatin1String("\\"));
    }
    // The PPD's default changed since the value was stored: the new default wins.
    if (!recorded.isEmpty() && recorded != fallback)
        return fallback;
    return value.isEmpty() ? QString() : value;
}

QString SettingsStore::readStoredValue(const QString &key)
{
    QString result;
    scanCurrentSettingsFile([&](const QString &lineKey, const QString &raw) {
        if (lineKey != key)
            return true;
        result = storedValueFor(key, raw);
        return false;
    });
    return result;
}

QStringList SettingsStore::readStoredValues(const QString &key)
{
    QStringList values;
    scanCurrentSettingsFile([&](const QString &lineKey, const QString &raw) {
        if (lineKey == key)
            values.append(raw);
        return true;
    });
    return values;
}

void SettingsStore::refreshRecordedDefaults(const QString &path)
{
    // Whole lines: a long line is copied as one line, never split.
    QStringList lines;
    if (!readWholeLines(path, &lines))
        return;
    const QHash<QString, QString> defaults = currentDefaults();
    QString content;
    QString key;
    QString raw;
    for (const QString &line : qAsConst(lines)) {
        splitLine(line, &key, &raw);
        const QString fallback = defaults.value(key);
        const int semicolon = line.indexOf(QLatin1Char(';'));
        // Only a key with a PPD default carries a recorded default; a ";"
        // in any other value (a profile description, a job name) is text.
        if (semicolon < 0 || fallback.isEmpty() || line.mid(semicolon + 1) == fallback)
            content += line;
        else
            content += key + QLatin1Char('=') + fallback + QLatin1Char(';') + fallback;
        content += QLatin1Char('\n');
    }
    AtomicFile::write(path, content.toUtf8());
}

QStringList SettingsStore::readProfileKeys(const QString &path)
{
    QStringList lines;
    QStringList keys;
    if (!readWholeLines(path, &lines))
        return keys;
    for (const QString &line : qAsConst(lines)) {
        if (line.contains(QLatin1String("[Profile]"))) {
            keys.append(line);
            continue;
        }
        const QStringList parts = line.split(QLatin1Char('='));
        if (parts.size() == 2)
            keys.append(parts.first());
    }
    return keys;
}

QString SettingsStore::consentFilePath()
{
    return userDirectory + QStringLiteral("Settings");
}

bool SettingsStore::writeConsent(bool yes)
{
    if (!makeUserDirectoryLevel())
        return false;
    return AtomicFile::write(consentFilePath(),
                               yes ? QByteArrayLiteral("Telemetry=True\n")
                                   : QByteArrayLiteral("Telemetry=False\n"));
}

bool SettingsStore::consentFileExists()
{
    return userDirectoryIsSafe() && fileExists(consentFilePath());
}

bool SettingsStore::readConsent()
{
    if (!userDirectoryIsSafe())
        return true;
    QFile file(consentFilePath());
    if (!file.open(QIODevice::ReadOnly))
        return true;
    return file.readAll().contains("Telemetry=True");
}
