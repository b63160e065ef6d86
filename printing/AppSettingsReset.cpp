#include "printing/AppSettingsReset.h"
#include "model/AtomicFile.h"

#include <QFile>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct PageSetupRow {
    const char *ppdName;
    const char *displayName;
    const char *width;
    const char *height;
    const char *marginTop;
    const char *marginBottom;
    const char *marginLeft;
    const char *marginRight;
};

// Millimetres, kept as the exact decimal texts the applications write.
const PageSetupRow pageSetupRows[] = {
    {"A3", "A3", "297", "420", "3.5277777777777777", "3.5277777777777777", "4.2333333333333325", "4.2333333333333325"},
    {"SRA3", "SRA3", "319.96944444444443", "449.79166666666663", "3.5277777777777777", "3.5277777777777777", "4.2333333333333325", "4.2333333333333325"},
    {"A4", "A4", "210", "297", "3.5277777777777777", "3.5277777777777777", "4.2333333333333325", "4.2333333333333325"},
    {"A5", "A5", "148", "210", "3.5277777777777777", "3.5277777777777777", "4.2333333333333325", "4.2333333333333325"},
    {"A6", "A6", "105", "148", "3.5277777777777777", "3.5277777777777777", "4.2333333333333325", "4.2333333333333325"},
    {"B4", "JB4", "257", "364", "3.5277777777777777", "3.5277777777777777", "4.2333333333333325", "4.2333333333333325"},
    {"B5", "JB5", "182", "257", "3.5277777777777777", "3.5277777777777777", "7.4083333333333323", "7.4083333333333323"},
    {"ISOB5", "B5", "176", "250", "4.2333333333333325", "4.2333333333333325", "4.2333333333333325", "4.2333333333333325"},
    {"B6", "JB6", "128", "182", "3.5277777777777777", "3.5277777777777777", "4.2333333333333325", "4.2333333333333325"},
    {"OficioII", "Oficio II", "215.89999999999998", "330.19999999999999", "4.2333333333333325", "4.2333333333333325", "4.2333333333333325", "4.2333333333333325"},
    {"Folio", "Folio", "210", "330", "4.2333333333333325", "4.2333333333333325", "4.2333333333333325", "4.2333333333333325"},
    {"Statement", "Invoice", "139.69999694824219", "215.89999389648438", "4.2333333333333325", "4.2333333333333325", "4.2333333333333325", "4.2333333333333325"},
    {"P8K", "8K", "273.04999999999995", "393.69999999999999", "3.8805555555555551", "4.2333333333333325", "4.2333333333333325", "3.8805555555555551"},
    {"P16K", "16K", "196.84999999999999", "273.04999999999995", "3.8805555555555551", "4.2333333333333325", "4.2333333333333325", "3.8805555555555551"},
    {"OficioMX", "216 x 340 mm", "215.89999999999998", "340.07777777777773", "4.2333333333333325", "4.2333333333333325", "4.2333333333333325", "4.2333333333333325"},
    {"P12X18", "12 x 18", "304.79999999999995", "457.19999999999993", "12.699999999999999", "12.699999999999999", "3.8805555555555551", "3.8805555555555551"},
    {"Letter", "US Letter", "215.89999389648438", "279.39999389648438", "2.822222222222222", "2.822222222222222", "4.2333333333333325", "4.2333333333333325"},
    {"Legal", "US Legal", "215.89999389648438", "355.60000610351562", "2.822222222222222", "2.822222222222222", "4.2333333333333325", "4.2333333333333325"},
    {"Executive", "Executive", "184.14999389648438", "266.70001220703125", "2.822222222222222", "2.822222222222222", "4.2333333333333325", "4.2333333333333325"},
    {"Tabloid", "Ledger 11x17", "279.39999999999998", "431.79999999999995", "2.822222222222222", "2.822222222222222", "4.2333333333333325", "4.2333333333333325"},
    {"EnvPersonal", "Personal Envelope", "92.074996948242188", "165.10000610351562", "2.822222222222222", "2.822222222222222", "4.2333333333333325", "4.2333333333333325"},
    {"Env9", "#9 Envelope", "98.425003051757812", "225.42500305175781", "2.822222222222222", "2.822222222222222", "4.2333333333333325", "4.2333333333333325"},
    {"Env10", "#10 Envelope", "104.77500152587891", "241.30000305175781", "2.822222222222222", "2.822222222222222", "4.2333333333333325", "4.2333333333333325"},
    {"EnvMonarch", "Monarch Envelope", "98.425003051757812", "190.5", "2.822222222222222", "2.822222222222222", "4.2333333333333325", "4.2333333333333325"},
    {"EnvDL", "DL Envelope", "110", "220", "3.5277777777777777", "3.5277777777777777", "4.2333333333333325", "4.2333333333333325"},
    {"EnvC5", "C5", "162", "229", "3.5277777777777777", "3.5277777777777777", "4.2333333333333325", "4.2333333333333325"},
    {"EnvC4", "C4", "229", "324", "3.5277777777777777", "3.5277777777777777", "4.2333333333333325", "4.2333333333333325"},
    {"OficioI", "8.5x13.5", "215.89999999999998", "342.89999999999998", "4.2333333333333325", "4.2333333333333325", "4.2333333333333325", "4.2333333333333325"},
};

QString passwdHomeOfRealUser()
{
    const struct passwd *pw = getpwuid(getuid());
    if (!pw || !pw->pw_dir)
        return QString();
    return QFile::decodeName(pw->pw_dir);
}

// Deep enough for any real home tree; keeps the walk within the process's
// descriptor limit.
constexpr int maxDepth = 256;

bool readAllNoFollow(const QString &path, QByteArray *contents)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return false;
    }
    contents->clear();
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            ::close(fd);
            return false;
        }
        if (n == 0)
            break;
        contents->append(buffer, int(n));
    }
    ::close(fd);
    return true;
}

bool isRegularFile(const QString &path)
{
    struct stat st;
    return lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISREG(st.st_mode);
}

} // namespace

QString (*AppSettingsReset::passwdHomeLookup)() = passwdHomeOfRealUser;

AppSettingsReset::AppSettingsReset() : AppSettingsReset(findHomeDirectory())
{
    if (homeDirectory.isEmpty())
        std::exit(1);
}

AppSettingsReset::AppSettingsReset(const QString &home)
{
    init();
    homeDirectory = home;
    while (homeDirectory.size() > 1 && homeDirectory.endsWith(QLatin1Char('/')))
        homeDirectory.chop(1);
}

void AppSettingsReset::init()
{
    for (const PageSetupRow &row : pageSetupRows)
        pageSetupTemplates.insert(QString::fromLatin1(row.ppdName),
                                  pageSetupText(QString::fromLatin1(row.ppdName)));
    targetNames = QStringList{QStringLiteral("gedit-print-settings"), QStringLiteral("gedit-page-setup"),
                   QStringLiteral("evince/print-settings"), QStringLiteral("eog-print-settings.ini"),
                   QStringLiteral("/user/registrymodifications.xcu")};
    for (const QString &name : qAsConst(targetNames))
        m_fragments.append(name.toLatin1());
}

QString AppSettingsReset::findHomeDirectory()
{
    const QByteArray env = qgetenv("HOME");
    if (!env.isEmpty())
        return QFile::decodeName(env);
    return passwdHomeLookup ? passwdHomeLookup() : QString();
}

QByteArray AppSettingsReset::pageSetupText(const QString &pageSize)
{
    for (const PageSetupRow &row : pageSetupRows) {
        if (pageSize != QLatin1String(row.ppdName))
            continue;
        QByteArray text("[Page Setup]\n");
        text += QByteArray("PPDName=") + row.ppdName + '\n';
        text += QByteArray("DisplayName=") + row.displayName + '\n';
        text += QByteArray("Width=") + row.width + '\n';
        text += QByteArray("Height=") + row.height + '\n';
        text += QByteArray("MarginTop=") + row.marginTop + '\n';
        text += QByteArray("MarginBottom=") + row.marginBottom + '\n';
        text += QByteArray("MarginLeft=") + row.marginLeft + '\n';
        text += QByteArray("MarginRight=") + row.marginRight + '\n';
        text += "Orientation=portrait\n";
        return text;
    }
    return QByteArray();
}

QString AppSettingsReset::matchingFragment(const QByteArray &relativePath) const
{
    if (relativePath.contains(".tmp"))
        return QString();
    for (int i = 0; i < m_fragments.size(); ++i) {
        if (relativePath.contains(m_fragments.at(i)))
            return targetNames.at(i);
    }
    return QString();
}

QByteArray AppSettingsReset::switchCollateOn(const QByteArray &contents)
{
    QByteArray out;
    out.reserve(contents.size() + 64);
    int start = 0;
    while (start < contents.size()) {
        int end = contents.indexOf('\n', start);
        end = end < 0 ? contents.size() : end + 1;
        QByteArray line = contents.mid(start, end - start);
        if (line.contains("name=\"Collate\""))
            line.replace("false", "true");
        out += line;
        start = end;
    }
    return out;
}

void AppSettingsReset::search()
{
    foundFiles.clear();
    if (homeDirectory.isEmpty())
        return;
    const int fd = ::open(QFile::encodeName(homeDirectory).constData(),
                          O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    QByteArray relative;
    relative.reserve(4096);
    walk(fd, relative, 0);
}

// Lists one directory (the descriptor is consumed). Directories are opened
// relative to their parent with O_NOFOLLOW, so a symbolic link never leads
// the search out of the tree, whatever it is swapped for meanwhile.
void AppSettingsReset::walk(int dirFd, QByteArray &relativePath, int depth)
{
    DIR *dir = fdopendir(dirFd);
    if (!dir) {
        ::close(dirFd);
        return;
    }
    const int baseLength = relativePath.size();
    while (const struct dirent *entry = readdir(dir)) {
        const char *name = entry->d_name;
        if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0')))
            continue;
        unsigned char type = entry->d_type;
        if (type == DT_UNKNOWN) {
            struct stat st;
            if (fstatat(dirfd(dir), name, &st, AT_SYMLINK_NOFOLLOW) != 0)
                continue;
            type = S_ISDIR(st.st_mode) ? DT_DIR : S_ISREG(st.st_mode) ? DT_REG : DT_LNK;
        }
        relativePath.truncate(baseLength);
        relativePath += '/';
        relativePath += name;
        if (type == DT_REG) {
            const QString fragment = matchingFragment(relativePath);
            if (!fragment.isEmpty())
                foundFiles.insert(homeDirectory + QFile::decodeName(relativePath), fragment);
        } else if (type == DT_DIR && depth < maxDepth) {
            const int child = openat(dirfd(dir), name,
                                     O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            if (child >= 0)
                walk(child, relativePath, depth + 1);
        }
    }
    relativePath.truncate(baseLength);
    closedir(dir);
}

bool AppSettingsReset::replaceFileContents(const QString &path, const QByteArray &contents)
{
    // A file the user may not write stays as it is.
    if (access(QFile::encodeName(path).constData(), W_OK) != 0)
        return false;
    return AtomicFile::write(path, contents);
}

void AppSettingsReset::apply(const QString &pageSize)
{
    const QByteArray pageSetup = pageSetupTemplates.value(pageSize);
    for (auto it = foundFiles.cbegin(); it != foundFiles.cend(); ++it) {
        const QString &path = it.key();
        const QString &fragment = it.value();
        if (!isRegularFile(path))
            continue;
        if (fragment == QLatin1String("gedit-page-setup")) {
            replaceFileContents(path, pageSetup);
        } else if (fragment == QLatin1String("/user/registrymodifications.xcu")) {
            QByteArray contents;
            if (!readAllNoFollow(path, &contents))
                continue;
            const QByteArray rewritten = switchCollateOn(contents);
            if (rewritten != contents)
                replaceFileContents(path, rewritten);
        } else {
            ::unlink(QFile::encodeName(path).constData());
        }
    }
}

void AppSettingsReset::resetApplicationPrintSettings(const QString &pageSize)
{
    AppSettingsReset reset;
    reset.search();
    reset.apply(pageSize);
}

void AppSettingsReset::resetApplicationPrintSettings(const QString &pageSize, const QString &home)
{
    AppSettingsReset reset(home);
    reset.search();
    reset.apply(pageSize);
}
