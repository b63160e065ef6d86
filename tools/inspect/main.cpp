// printdeck-inspect: loads a PPD into an OptionModel, marks the given
// choices in order and prints the model as one JSON document.
//
//   printdeck-inspect [--mark KEY=CHOICE]... PPD-FILE
#include "ModelJson.h"

#include "model/CupsPpd.h"
#include "model/OptionModel.h"
#include "model/jOption.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>
#include <QPair>
#include <QStringList>

#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstring>

namespace {

const char kUsage[] = "usage: printdeck-inspect [--mark KEY=CHOICE]... PPD-FILE\n";

int usage(const QString &problem)
{
    if (!problem.isEmpty())
        std::fprintf(stderr, "printdeck-inspect: %s\n", problem.toLocal8Bit().constData());
    std::fputs(kUsage, stderr);
    return 2;
}

bool parseMark(const QString &text, QPair<QString, QString> *mark)
{
    const int eq = text.indexOf(QLatin1Char('='));
    if (eq <= 0)
        return false;
    *mark = qMakePair(text.left(eq), text.mid(eq + 1));
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    std::setlocale(LC_ALL, "");
    QCoreApplication app(argc, argv);

    QList<QPair<QString, QString>> marks;
    QString ppdPath;
    const QStringList args = app.arguments().mid(1);
    bool onlyFiles = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        if (!onlyFiles && (arg == QLatin1String("--help") || arg == QLatin1String("-h"))) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (!onlyFiles && arg == QLatin1String("--")) {
            onlyFiles = true;
            continue;
        }
        if (!onlyFiles && (arg == QLatin1String("--mark") || arg.startsWith(QLatin1String("--mark=")))) {
            QString value;
            if (arg == QLatin1String("--mark")) {
                if (i + 1 >= args.size())
                    return usage(QStringLiteral("--mark needs KEY=CHOICE"));
                value = args.at(++i);
            } else {
                value = arg.mid(7);
            }
            QPair<QString, QString> mark;
            if (!parseMark(value, &mark))
                return usage(QStringLiteral("malformed mark '%1' (expected KEY=CHOICE)").arg(value));
            marks.append(mark);
            continue;
        }
        if (!onlyFiles && arg.startsWith(QLatin1Char('-')) && arg.size() > 1)
            return usage(QStringLiteral("unknown option '%1'").arg(arg));
        if (!ppdPath.isNull())
            return usage(QStringLiteral("only one PPD file may be given"));
        ppdPath = arg;
    }
    if (ppdPath.isEmpty())
        return usage(QStringLiteral("no PPD file given"));

    errno = 0;
    ppd_file_t *ppd = ppdOpenFile(QFile::encodeName(ppdPath).constData());
    const int openErrno = errno;
    if (!ppd) {
        int line = 0;
        const ppd_status_t status = ppdLastError(&line);
        QByteArray reason;
        if (status == PPD_FILE_OPEN_ERROR && openErrno != 0)
            reason = std::strerror(openErrno);
        else if (status == PPD_FILE_OPEN_ERROR || line <= 0)
            reason = ppdErrorString(status);
        else
            reason = QByteArray(ppdErrorString(status)) + " on line " + QByteArray::number(line);
        std::fprintf(stderr, "printdeck-inspect: cannot open PPD: %s: %s\n",
                     QFile::encodeName(ppdPath).constData(), reason.constData());
        return 2;
    }

    OptionModel model;
    model.loadFromPpd(ppd);
    for (const auto &mark : qAsConst(marks)) {
        const jOption *option = model.findOption(mark.first);
        if (!option) {
            std::fprintf(stderr, "printdeck-inspect: warning: no option %s; mark ignored\n",
                         mark.first.toLocal8Bit().constData());
        } else if (!option->hasChoice(mark.second)) {
            std::fprintf(stderr, "printdeck-inspect: warning: option %s has no choice %s; mark ignored\n",
                         mark.first.toLocal8Bit().constData(), mark.second.toLocal8Bit().constData());
        }
        model.markChoiceByKey(mark.first, mark.second);
    }

    const QByteArray json = QJsonDocument(ModelJson::toJson(model)).toJson(QJsonDocument::Indented);
    ppdClose(ppd);
    std::fwrite(json.constData(), 1, size_t(json.size()), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
