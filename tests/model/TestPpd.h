#pragma once
// An open PPD for a test: a fixture file, or a small document made from a
// body of main keywords under a fixed header, written to a temporary
// directory. Closed when the object goes.
#include "model/CupsPpd.h"
#include "model/OptionModel.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <memory>

class TestPpd {
public:
    static QString fixturePath(const QString &name)
    {
        return QStringLiteral(PRINTDECK_FIXTURES_DIR "/") + name;
    }

    static QByteArray document(const QByteArray &body)
    {
        return QByteArrayLiteral(
                   "*PPD-Adobe: \"4.3\"\n"
                   "*FormatVersion: \"4.3\"\n"
                   "*FileVersion: \"1.0\"\n"
                   "*LanguageVersion: English\n"
                   "*LanguageEncoding: ISOLatin1\n"
                   "*PCFileName: \"JVTEST.PPD\"\n"
                   "*Manufacturer: \"Jorvane\"\n"
                   "*Product: \"(VELD Test)\"\n"
                   "*ModelName: \"Jorvane VELD Test\"\n"
                   "*ShortNickName: \"Jorvane VELD Test\"\n"
                   "*NickName: \"Jorvane VELD Test\"\n"
                   "*1284DeviceID: \"MFG:VELD;MDL:VELD Test;\"\n"
                   "*PSVersion: \"(3010.000) 0\"\n")
            + body;
    }

    // A PickOne option "key" with the given choice keys (text = key).
    static QByteArray pickOne(const QByteArray &key, const QByteArray &defaultChoice,
                              const QList<QByteArray> &choices)
    {
        QByteArray out = "*OpenUI *" + key + "/" + key + ": PickOne\n"
                         "*Default" + key + ": " + defaultChoice + "\n";
        for (const QByteArray &choice : choices)
            out += "*" + key + " " + choice + "/" + choice + ": \"\"\n";
        out += "*CloseUI: *" + key + "\n";
        return out;
    }

    static QByteArray group(const QByteArray &name, const QByteArray &options)
    {
        return "*OpenGroup: " + name + "/" + name + "\n" + options + "*CloseGroup: " + name + "\n";
    }

    static TestPpd fromFixture(const QString &name) { return TestPpd(fixturePath(name)); }
    static TestPpd fromBody(const QByteArray &body) { return TestPpd(document(body), true); }

    TestPpd(TestPpd &&other) noexcept
        : m_ppd(other.m_ppd), m_path(other.m_path), m_dir(std::move(other.m_dir))
    {
        other.m_ppd = nullptr;
    }
    ~TestPpd()
    {
        if (m_ppd)
            ppdClose(m_ppd);
    }

    ppd_file_t *ppd() const { return m_ppd; }
    QString path() const { return m_path; }

    // A model loaded from this PPD (owned by the caller).
    OptionModel *load() const
    {
        auto *model = new OptionModel;
        model->loadFromPpd(m_ppd);
        return model;
    }

private:
    explicit TestPpd(const QString &path) : m_path(path) { open(); }
    TestPpd(const QByteArray &content, bool)
        : m_dir(new QTemporaryDir)
    {
        m_path = m_dir->filePath(QStringLiteral("test.ppd"));
        QFile file(m_path);
        if (file.open(QIODevice::WriteOnly))
            file.write(content);
        file.close();
        open();
    }
    void open() { m_ppd = ppdOpenFile(QFile::encodeName(m_path).constData()); }

    ppd_file_t *m_ppd = nullptr;
    QString m_path;
    std::unique_ptr<QTemporaryDir> m_dir;
};
