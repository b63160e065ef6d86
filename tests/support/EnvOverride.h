#pragma once
#include "model/CupsPpd.h"
#include <QByteArray>
#include <QList>

// Sets environment variables for one scope and restores them afterwards.
// libcups caches the server name, so it is told to read it again.
class EnvOverride {
public:
    EnvOverride() = default;
    EnvOverride(const EnvOverride &) = delete;
    EnvOverride &operator=(const EnvOverride &) = delete;

    void set(const char *name, const QByteArray &value)
    {
        saved.append({name, qEnvironmentVariableIsSet(name), qgetenv(name)});
        qputenv(name, value);
    }
    ~EnvOverride()
    {
        for (auto it = saved.crbegin(); it != saved.crend(); ++it) {
            if (it->wasSet)
                qputenv(it->name, it->value);
            else
                qunsetenv(it->name);
        }
        cupsSetServer(nullptr);
    }

private:
    struct Entry {
        const char *name;
        bool wasSet;
        QByteArray value;
    };
    QList<Entry> saved;
};
