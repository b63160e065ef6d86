#include "app/Translation.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QLocale>
#include <QPushButton>

QString Translation::languageCode(const QString &localeName)
{
    return localeName.section(QLatin1Char('_'), 0, 0);
}

QString Translation::catalogueFor(const QString &localeName)
{
    static const struct {
        const char *code;
        const char *catalogue;
    } table[] = {
        {"en", ":/strings/english"},    {"fr", ":/strings/french"},  {"de", ":/strings/german"},
        {"it", ":/strings/italian"},    {"pt", ":/strings/portuguese"}, {"es", ":/strings/spanish"},
    };
    const QString code = languageCode(localeName);
    for (const auto &entry : table) {
        if (code == QLatin1String(entry.code))
            return QString::fromLatin1(entry.catalogue);
    }
    return QStringLiteral(":/strings/english");
}

QString Translation::privacyStatementFor(const QString &localeName)
{
    const QString code = languageCode(localeName);
    for (const char *known : {"fr", "de", "it", "pt", "es"}) {
        if (code == QLatin1String(known))
            return QStringLiteral(":/strings/policy_") + code;
    }
    return QStringLiteral(":/strings/policy");
}

QString Translation::systemLocaleName()
{
    return QLocale::system().name();
}

void Translation::translateButtons(QDialogButtonBox *box)
{
    if (QPushButton *ok = box->button(QDialogButtonBox::Ok))
        ok->setText(QCoreApplication::translate("QDialogButtonBox", "&OK"));
    if (QPushButton *cancel = box->button(QDialogButtonBox::Cancel))
        cancel->setText(QCoreApplication::translate("QDialogButtonBox", "&Cancel"));
    if (QPushButton *apply = box->button(QDialogButtonBox::Apply))
        apply->setText(QCoreApplication::translate("QDialogButtonBox", "Apply"));
}
