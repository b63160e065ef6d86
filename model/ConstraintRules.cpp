#include "model/ConstraintRules.h"
#include "model/OptionChoice.h"
#include "model/OptionModel.h"
#include "model/jOption.h"

#include <QRegularExpression>

namespace {

const QString kTrue = QStringLiteral("True");
const QString kFalse = QStringLiteral("False");

QString L(const char *text)
{
    return QString::fromLatin1(text);
}

bool has(const OptionModel &model, const char *key)
{
    return model.findOption(L(key)) != nullptr;
}

struct FoldMode {
    const char *foldChoice;
    const char *modeKey;
    bool needsOption24;
};

const FoldMode kFoldModes[] = {
    {"Bifold", "cBiFld", false},
    {"Trifold", "cTriFld", false},
    {"Zfold", "cTriFldZ", true},
    {"EngrFold", "cEngrFld", true},
};

} // namespace

QString ConstraintRules::foldModeKey(const QString &foldChoice)
{
    for (const FoldMode &mode : kFoldModes) {
        if (foldChoice == QLatin1String(mode.foldChoice))
            return L(mode.modeKey);
    }
    return QString();
}

void ConstraintRules::addPpdPairs(OptionModel &model, ppd_file_t *ppd)
{
    static const char *const mediaOptions[] = {"CvrM", "Tmed", "Pmed", "BackCvrM"};
    const QString coll = L("Coll");
    const QString collate = L("JCCollate1");
    const QString mediaType = L("MediaType");
    const QString duplex = L("Duplex");

    for (int i = 0; i < ppd->num_consts; ++i) {
        const ppd_const_t &c = ppd->consts[i];
        const QString option1 = QString::fromLatin1(c.option1);
        const QString choice1 = QString::fromLatin1(c.choice1);
        const QString option2 = QString::fromLatin1(c.option2);
        const QString choice2 = QString::fromLatin1(c.choice2);

        if ((option1 == coll && option2 == collate) || (option1 == collate && option2 == coll))
            continue;

        // A medium that cannot be printed on both sides cannot be either
        // when it is fed as a cover or an insert.
        QString medium;
        bool expand = false;
        if (option1 == mediaType && option2 == duplex) {
            medium = choice1;
            expand = true;
        } else if (option1 == duplex && option2 == mediaType) {
            medium = choice2;
            expand = true;
        }
        if (expand) {
            for (const char *key : mediaOptions) {
                if (!has(model, key))
                    continue;
                model.addConflict(duplex, L("DuplexNoTumble"), L(key), medium);
                model.addConflict(duplex, L("DuplexTumble"), L(key), medium);
            }
        }

        model.addConflict(option1, choice1, option2, choice2);
    }
}

void ConstraintRules::addFinishingRules(OptionModel &model)
{
    const bool option24 = has(model, "Option24");

    if (jOption *fold = model.findOption(L("FldA"))) {
        for (const FoldMode &mode : kFoldModes) {
            if (mode.needsOption24 && !option24)
                continue;
            const OptionChoice *foldChoice = fold->findChoice(L(mode.foldChoice));
            if (!foldChoice)
                continue;
            const QList<ChoiceRef> conflicts = foldChoice->conflicts();
            for (const ChoiceRef &ref : conflicts)
                model.addConflict(L(mode.modeKey), kTrue, ref.option->key(), ref.choice->key());
        }
    }

    if (option24) {
        static const char *const modes[] = {"cBiFld", "cTriFld", "cTriFldZ", "cEngrFld"};
        for (int i = 0; i < 4; ++i) {
            for (int j = i + 1; j < 4; ++j)
                model.addConflict(L(modes[i]), kTrue, L(modes[j]), kTrue);
        }
    } else {
        model.addConflict(L("cTriFld"), kTrue, L("cBiFld"), kTrue);
    }

    addIntersectionRule(model, "Pnch", "cHole");
    addIntersectionRule(model, "Stpl", "cStpl");
}

// The mode is forbidden by whatever forbids every one of the PPD option's
// real choices ("None" aside).
void ConstraintRules::addIntersectionRule(OptionModel &model, const char *ppdKey, const char *modeKey)
{
    jOption *option = model.findOption(L(ppdKey));
    if (!option)
        return;
    QList<ChoiceRef> common;
    bool started = false;
    const QList<OptionChoice *> choices = option->choices();
    for (const OptionChoice *choice : choices) {
        if (choice->key() == QLatin1String("None"))
            continue;
        if (!started) {
            common = choice->conflicts();
            started = true;
            continue;
        }
        for (auto it = common.begin(); it != common.end();) {
            if (choice->hasConflict(*it))
                ++it;
            else
                it = common.erase(it);
        }
    }
    for (const ChoiceRef &ref : qAsConst(common))
        model.addConflict(L(modeKey), kTrue, ref.option->key(), ref.choice->key());
}

void ConstraintRules::addCoverRules(OptionModel &model)
{
    if (!has(model, "CvrM"))
        return;
    static const char *const pairs[][4] = {
        {"cCovBut", "False", "cCovPOFI", "True"},
        {"cCovBut", "False", "cCovPOFO", "True"},
        {"cCovBut", "False", "cCovPOBI", "True"},
        {"cCovBut", "False", "cCovPOBO", "True"},
        {"cCovBRad", "False", "cCovPOBI", "True"},
        {"cCovBRad", "False", "cCovPOBO", "True"},
        {"cInsBut", "False", "cInsPrnF", "True"},
        {"cInsBut", "False", "cInsPrnB", "True"},
        {"cIntBut", "False", "cIntPrn", "True"},
        {"cCovBut", "True", "cIntBut", "True"},
        {"cInsBut", "True", "cIntBut", "True"},
    };
    for (const auto &p : pairs)
        model.addConflict(L(p[0]), L(p[1]), L(p[2]), L(p[3]));

    if (!has(model, "Option28"))
        return;
    // Media fed from the inserter cannot be printed on.
    static const char *const inserterRules[][2] = {
        {"CvrM", "cCovPOFI"}, {"CvrM", "cCovPOFO"},
        {"BackCvrM", "cCovPOBI"}, {"BackCvrM", "cCovPOBO"},
        {"Pmed", "cInsPrnF"}, {"Pmed", "cInsPrnB"},
        {"Tmed", "cIntPrn"},
    };
    for (const char *inserter : {"Inserter1", "Inserter2"}) {
        for (const auto &rule : inserterRules)
            model.addConflict(L(rule[0]), L(inserter), L(rule[1]), kTrue);
    }
}

void ConstraintRules::addJobRule(OptionModel &model)
{
    model.addConflict(L("cJobAccount"), kTrue, L("cUserLogin"), kTrue);
}

void ConstraintRules::addBuiltInPairs(OptionModel &model)
{
    model.addConflict(L("cCovPOFI"), kTrue, L("Duplex"), L("None"));
    model.addConflict(L("cCovPOBO"), kTrue, L("Duplex"), L("None"));
    model.addConflict(L("cInsPrnB"), kTrue, L("Duplex"), L("None"));
    if (jOption *mediaType = model.findOption(L("MediaType"))) {
        const QList<OptionChoice *> choices = mediaType->choices();
        for (const OptionChoice *choice : choices) {
            if (choice->key() != QLatin1String("Transparency"))
                model.addConflict(mediaType->key(), choice->key(), L("cIntBut"), kTrue);
        }
    }
    static const char *const pairs[][4] = {
        {"cCovBut", "True", "Coll", "False"},
        {"cInsBut", "True", "Coll", "False"},
        {"cIntBut", "True", "Coll", "False"},
        {"cJobStore", "True", "Coll", "False"},
        {"cSuper", "True", "Coll", "False"},
        {"NWDToggle", "Off", "NWDDuplex", "On"},
        {"NWDToggle", "Off", "NWDSparline", "On"},
        {"NWDToggle", "Off", "NWDColorMode", "On"},
        {"NWDDuplex", "On", "Duplex", "None"},
        {"NWDSparline", "On", "Sprl", "Off"},
        {"NWDColorMode", "On", "ColorModel", "CMYK"},
        {"NWDColorMode", "On", "ColorModel", "RGB"},
        {"NWDToggle", "On", "cJobAccount", "True"},
        {"NWDToggle", "On", "cUserLogin", "True"},
        {"NWDToggle", "On", "cJobStore", "True"},
        {"NWDToggle", "On", "cCovBut", "True"},
        {"NWDToggle", "On", "cInsBut", "True"},
        {"NWDToggle", "On", "cIntBut", "True"},
        {"Wren", "False", "Wflg", "True"},
        {"ColorModel", "Gray", "Wclr", "Red"},
        {"ColorModel", "Gray", "Wclr", "Green"},
        {"ColorModel", "Gray", "Wclr", "Blue"},
    };
    for (const auto &p : pairs)
        model.addConflict(L(p[0]), L(p[1]), L(p[2]), L(p[3]));
}

void ConstraintRules::applyPriorities(OptionModel &model)
{
    struct Level {
        int priority;
        QList<const char *> keys;
    };
    // "Wtyp" is the watermark fill option the Watermark tab edits.
    static const Level levels[] = {
        {0, {"Option17", "NWDToggle"}},
        {1, {"NWDSparline", "NWDColorMode", "Option8", "Option18", "Option19", "Option20",
             "Option21", "Option22", "Option23", "Option24", "Option25", "Option26",
             "Option27", "Option28", "Option01"}},
        {2, {"InputSlot", "ColorModel", "Wren"}},
        {3, {"PageSize", "MediaType", "Crep", "Wclr", "Wang"}},
        {4, {"NWDDuplex", "JCBooklet"}},
        {5, {"Wflg", "Wtrans", "Cadj", "Duplex", "Sprl", "Resolution", "RCM"}},
        {6, {"cBiFld", "cTriFld", "cTriFldZ", "cEngrFld", "cHole", "JIR", "GBTn",
             "JMoirePrevention", "JCGlossmode", "CaHueMaster", "CaHr", "CaHy", "CaHg",
             "CaHc", "CaHb", "CaHm", "Cast", "Cabt", "Cact", "CaCR", "CaMG", "CaYB",
             "Fold", "FldA", "Sep", "Stpl", "cStpl", "Pnch", "cPnch", "Rotate", "Wtyp"}},
        {7, {"cCovBut", "cIntBut", "cInsBut", "JCCollate1", "cJobAccount", "cUserLogin",
             "cJobStore"}},
        {8, {"cCovTRad", "cCovBRad", "cCovPOFO", "cCovPOFI", "cCovPOBO", "cCovPOBI",
             "cInsPrnF", "cInsPrnB", "cIntPrn", "CvrM", "BackCvrM", "Pmed", "Tmed", "cSuper"}},
        {9, {"OutputBin", "JCSuperWatermark"}},
        {10, {"Coll"}},
    };
    for (const Level &level : levels) {
        for (const char *key : level.keys)
            model.setPriority(L(key), level.priority);
    }
}

QList<ConstraintRules::Entry> ConstraintRules::parseGroupValue(const QString &value)
{
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    QList<Entry> entries;
    const QStringList parts = value.split(QLatin1Char('*'), Qt::SkipEmptyParts);
    for (const QString &part : parts) {
        const QStringList words = part.split(blanks, Qt::SkipEmptyParts);
        if (words.size() < 2)
            continue;
        const QString &option = words.at(0);
        const QString &choice = words.at(1);
        const QString fold = foldModeKey(choice);
        if (!fold.isNull())
            entries.append(Entry(fold, kTrue));
        else if (option == QLatin1String("Stpl"))
            entries.append(Entry(L("cStpl"), kTrue));
        else if (option == QLatin1String("Pnch"))
            entries.append(Entry(L("cHole"), kTrue));
        else
            entries.append(Entry(option, choice));
    }
    return entries;
}

void ConstraintRules::addPpdGroups(OptionModel &model, ppd_file_t *ppd)
{
    for (ppd_attr_t *attr = ppdFindAttr(ppd, "cupsUIConstraints", nullptr); attr;
         attr = ppdFindNextAttr(ppd, "cupsUIConstraints", nullptr)) {
        if (!attr->value)
            continue;
        model.addGroup(parseGroupValue(QString::fromLatin1(attr->value)));
    }
}

void ConstraintRules::addBuiltInGroups(OptionModel &model)
{
    const auto group = [&model](const char *k1, const char *c1, const char *k2, const char *c2,
                                const char *k3, const char *c3) {
        model.addGroup({Entry(L(k1), L(c1)), Entry(L(k2), L(c2)), Entry(L(k3), L(c3))});
    };
    group("JCBooklet", "Left", "Option22", "False", "cStpl", "True");
    group("JCBooklet", "Right", "Option22", "False", "cStpl", "True");
    group("JCBooklet", "None", "PageSize", "Statement", "cStpl", "True");
    group("JCBooklet", "None", "PageSize", "A5", "cStpl", "True");

    if (!has(model, "Option24"))
        return;
    // Sizes that the folding tray cannot take for each fold.
    for (const char *size : {"B4", "P12X18", "P8K", "A3", "SRA3", "Tabloid", "Legal", "OficioII"})
        group("FldA", "Bifold", "PageSize", size, "OutputBin", "FLDTRAY");
    for (const char *size : {"A3", "Tabloid"})
        group("FldA", "Trifold", "PageSize", size, "OutputBin", "FLDTRAY");
    for (const char *size : {"A3", "Tabloid"})
        group("FldA", "Zfold", "PageSize", size, "OutputBin", "FLDTRAY");
    group("FldA", "Bifold", "Option24", "False", "OutputBin", "FDStackerA");
    group("FldA", "Bifold", "Option24", "False", "OutputBin", "FDStackerB");
    group("FldA", "Trifold", "Option24", "False", "OutputBin", "FDStackerB");
}

// The derived choice takes over those conflicts of the source choice whose
// option is weaker than the derived choice's own.
void ConstraintRules::derivePairs(OptionModel &model, const char *sourceKey, const char *sourceChoice,
                                  const char *targetKey, const char *targetChoice)
{
    const jOption *source = model.findOption(L(sourceKey));
    const jOption *target = model.findOption(L(targetKey));
    if (!source || !target)
        return;
    const OptionChoice *s = source->findChoice(L(sourceChoice));
    if (!s || !target->hasChoice(L(targetChoice)))
        return;
    const QList<ChoiceRef> conflicts = s->conflicts();
    for (const ChoiceRef &ref : conflicts) {
        if (ref.option->priority() > target->priority())
            model.addConflict(L(targetKey), L(targetChoice), ref.option->key(), ref.choice->key());
    }
}

void ConstraintRules::addDerivedPairs(OptionModel &model)
{
    derivePairs(model, "Coll", "False", "Option18", "None");
    derivePairs(model, "Duplex", "DuplexTumble", "NWDDuplex", "On");
    derivePairs(model, "Duplex", "DuplexNoTumble", "NWDDuplex", "On");

    if (jOption *collate = model.findOption(L("JCCollate1"))) {
        const QList<OptionChoice *> choices = collate->choices();
        for (const OptionChoice *choice : choices) {
            if (choice->key() != QLatin1String("None"))
                model.addConflict(L("Option18"), L("None"), collate->key(), choice->key());
        }
    }
    model.addConflict(L("Option18"), L("None"), L("cPrivatePrint"), kTrue);
    model.addConflict(L("Option18"), L("None"), L("cCustomBox"), kTrue);
}
