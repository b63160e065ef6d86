#pragma once
#include <QString>

class QDialogButtonBox;

// Which catalogue and which privacy statement belong to a locale, and the
// translated texts of the standard dialog buttons.
class Translation {
public:
    // The language part of a locale name: everything before the first "_"
    // ("pt_BR" -> "pt", "C" -> "C").
    static QString languageCode(const QString &localeName);
    // ":/strings/english", ":/strings/french", ... for the locale's
    // language; English for every language without a catalogue.
    static QString catalogueFor(const QString &localeName);
    // ":/strings/policy" followed by "_fr", "_de", "_it", "_pt" or "_es"
    // for those languages, plain ":/strings/policy" otherwise.
    static QString privacyStatementFor(const QString &localeName);
    // The system locale's name, e.g. "de_DE" (what LANG / LC_ALL select).
    static QString systemLocaleName();
    // Gives the OK, Cancel and Apply buttons of a button box their texts
    // from the panel's own catalogue.
    static void translateButtons(QDialogButtonBox *box);
};
