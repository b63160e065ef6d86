#pragma once
#include <QByteArray>
#include <QString>

// Replaces a file's whole content in one step: the data goes into a
// temporary file beside the target ("<path>-temporary.XXXXXX.tmp"), is
// synced to disk and then renamed over the target, so a crash or a full
// disk never leaves a truncated or empty file. A replaced file keeps its
// permissions; a new one gets 0666 narrowed by the umask. On failure the
// previous file is untouched and no temporary file is left behind.
class AtomicFile {
public:
    static bool write(const QString &path, const QByteArray &data);
};
