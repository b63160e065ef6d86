#pragma once
#include "model/CupsPpd.h"
#include <QList>
#include <QPair>
#include <QString>

class OptionModel;

// The rule sources of the constraint engine: the PPD's *UIConstraints and
// *cupsUIConstraints, the built-in rule tables that tie the panel's own
// options to the printer's, the priority table and the derived pairs.
// Each function is one stage of OptionModel::loadFromPpd and relies on the
// stages before it.
class ConstraintRules {
public:
    using Entry = QPair<QString, QString>;

    // *UIConstraints, with the Coll/JCCollate1 skip and the MediaType/Duplex
    // expansion onto the cover and insert media options.
    static void addPpdPairs(OptionModel &model, ppd_file_t *ppd);
    // Fold inheritance, fold exclusion, punch and staple intersections.
    static void addFinishingRules(OptionModel &model);
    // Cover, insert and interleaving rules, with the inserter rules.
    static void addCoverRules(OptionModel &model);
    static void addJobRule(OptionModel &model);
    static void addBuiltInPairs(OptionModel &model);
    static void applyPriorities(OptionModel &model);
    // *cupsUIConstraints, rewritten onto the panel's fold, staple and punch modes.
    static void addPpdGroups(OptionModel &model, ppd_file_t *ppd);
    static void addBuiltInGroups(OptionModel &model);
    static void addDerivedPairs(OptionModel &model);

    // The (option, choice) entries of one *cupsUIConstraints value, after
    // rewriting.
    static QList<Entry> parseGroupValue(const QString &value);
    // The panel mode of a FldA choice ("Bifold" -> "cBiFld" ...), or a null
    // string.
    static QString foldModeKey(const QString &foldChoice);

private:
    static void addIntersectionRule(OptionModel &model, const char *ppdKey, const char *modeKey);
    static void derivePairs(OptionModel &model, const char *sourceKey, const char *sourceChoice,
                            const char *targetKey, const char *targetChoice);
};
