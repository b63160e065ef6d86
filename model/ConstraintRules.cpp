#include "model/ConstraintRules.h"
#include "model/OptionChoice.h"
#include "model/OptionModel.h"
#include "model/jOption.h"

#include <QHash>

#include <cctype>
#include <cstring>

namespace {

const QString kTrue = QStringLiteral("True");

// The rule tables name options and choices by string literals; each
// literal becomes a QString once per thread, so that loading a model builds
// no strings for its built-in rules. Only for literals and static tables.
const QString &L(const char *literal)
{
    static thread_local QHash<const char *, QString> cache;
    auto it = cache.find(literal);
    if (it == cache.end())
        it = cache.insert(literal, QString::fromLatin1(literal));
    return it.value();
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

    for (int i = 0; i < ppd->num_consts; ++i) {
        const ppd_const_t &c = ppd->consts[i];
        if ((!strcmp(c.option1, "Coll") && !strcmp(c.option2, "JCCollate1"))
            || (!strcmp(c.option1, "JCCollate1") && !strcmp(c.option2, "Coll")))
            continue;

        // A medium that cannot be printed on both sides cannot be either
        // when it is fed as a cover or an insert.
        const char *medium = nullptr;
        if (!strcmp(c.option1, "MediaType") && !strcmp(c.option2, "Duplex"))
            medium = c.choice1;
        else if (!strcmp(c.option1, "Duplex") && !strcmp(c.option2, "MediaType"))
            medium = c.choice2;
        if (medium) {
            const ChoiceRef noTumble = model.findPpdChoice(ppd, "Duplex", "DuplexNoTumble");
            const ChoiceRef tumble = model.findPpdChoice(ppd, "Duplex", "DuplexTumble");
            for (const char *key : mediaOptions) {
                const ChoiceRef media = model.findPpdChoice(ppd, key, medium);
                model.addConflict(noTumble, media);
                model.addConflict(tumble, media);
            }
        }

        model.addConflict(model.findPpdChoice(ppd, c.option1, c.choice1),
                          model.findPpdChoice(ppd, c.option2, c.choice2));
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
            const ChoiceRef modeOn = model.findChoiceRef(L(mode.modeKey), kTrue);
            const QVector<ChoiceRef> conflicts = foldChoice->conflictRefs();
            for (const ChoiceRef &ref : conflicts)
                model.addConflict(modeOn, ref);
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
    QVector<ChoiceRef> common;
    bool started = false;
    const QList<OptionChoice *> choices = option->choices();
    for (const OptionChoice *choice : choices) {
        if (choice->key() == QLatin1String("None"))
            continue;
        if (!started) {
            common = choice->conflictRefs();
            started = true;
            continue;
        }
        QVector<ChoiceRef> kept;
        kept.reserve(common.size());
        for (const ChoiceRef &ref : qAsConst(common)) {
            if (choice->hasConflict(ref))
                kept.append(ref);
        }
        common = kept;
    }
    const ChoiceRef modeOn = model.findChoiceRef(L(modeKey), kTrue);
    for (const ChoiceRef &ref : qAsConst(common))
        model.addConflict(modeOn, ref);
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
        const ChoiceRef interleave = model.findChoiceRef(L("cIntBut"), kTrue);
        const QList<OptionChoice *> choices = mediaType->choices();
        for (OptionChoice *choice : choices) {
            if (choice->key() != QLatin1String("Transparency"))
                model.addConflict(ChoiceRef(mediaType, choice), interleave);
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

namespace {

QHash<QString, int> priorityTable()
{
    struct Level {
        int priority;
        QList<const char *> keys;
    };
    // "Wtyp" is the watermark fill option the Watermark tab edits.
    const Level levels[] = {
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
    QHash<QString, int> table;
    for (const Level &level : levels) {
        for (const char *key : level.keys)
            table.insert(QString::fromLatin1(key), level.priority);
    }
    return table;
}

} // namespace

void ConstraintRules::applyPriorities(OptionModel &model)
{
    static const QHash<QString, int> table = priorityTable();
    // One lookup per option of the model rather than one per table entry.
    const QList<jOption *> options = model.allOptions();
    for (jOption *option : options) {
        const auto it = table.constFind(option->key());
        if (it != table.constEnd())
            option->setPriority(it.value());
    }
}

namespace {

// One entry of a *cupsUIConstraints value after rewriting: either a word
// pair of the value, or a panel mode (key, "True").
struct GroupEntry {
    QByteArray option;
    QByteArray choice;
    const char *modeKey = nullptr;
};

// Splits at "*" (empty parts dropped) and each part at blanks; a part with
// fewer than two words is ignored. Fold choices become their fold mode,
// any Stpl entry "cStpl" and any Pnch entry "cHole".
int parseGroupEntries(const char *value, GroupEntry *entries, int capacity)
{
    int count = 0;
    const char *p = value;
    while (*p) {
        while (*p == '*')
            ++p;
        const char *end = p;
        while (*end && *end != '*')
            ++end;
        const char *words[2][2] = {};
        int found = 0;
        for (const char *q = p; q < end && found < 2;) {
            while (q < end && isspace(static_cast<unsigned char>(*q)))
                ++q;
            const char *start = q;
            while (q < end && !isspace(static_cast<unsigned char>(*q)))
                ++q;
            if (q > start) {
                words[found][0] = start;
                words[found][1] = q;
                ++found;
            }
        }
        p = end;
        if (found < 2)
            continue;
        if (count < capacity) {
            GroupEntry &entry = entries[count];
            entry.option = QByteArray::fromRawData(words[0][0], int(words[0][1] - words[0][0]));
            entry.choice = QByteArray::fromRawData(words[1][0], int(words[1][1] - words[1][0]));
            entry.modeKey = nullptr;
            for (const FoldMode &mode : kFoldModes) {
                if (entry.choice == mode.foldChoice) {
                    entry.modeKey = mode.modeKey;
                    break;
                }
            }
            if (!entry.modeKey && entry.option == "Stpl")
                entry.modeKey = "cStpl";
            else if (!entry.modeKey && entry.option == "Pnch")
                entry.modeKey = "cHole";
        }
        ++count;
    }
    return count;
}

} // namespace

QList<ConstraintRules::Entry> ConstraintRules::parseGroupValue(const QString &value)
{
    const QByteArray latin1 = value.toLatin1();
    GroupEntry entries[16];
    const int count = parseGroupEntries(latin1.constData(), entries, 16);
    QList<Entry> out;
    for (int i = 0; i < count && i < 16; ++i) {
        if (entries[i].modeKey)
            out.append(Entry(L(entries[i].modeKey), kTrue));
        else
            out.append(Entry(QString::fromLatin1(entries[i].option), QString::fromLatin1(entries[i].choice)));
    }
    return out;
}

void ConstraintRules::addPpdGroups(OptionModel &model, ppd_file_t *ppd)
{
    for (ppd_attr_t *attr = ppdFindAttr(ppd, "cupsUIConstraints", nullptr); attr;
         attr = ppdFindNextAttr(ppd, "cupsUIConstraints", nullptr)) {
        if (!attr->value)
            continue;
        GroupEntry entries[3];
        if (parseGroupEntries(attr->value, entries, 3) != 3)
            continue;
        QVector<ChoiceRef> refs;
        refs.reserve(3);
        for (const GroupEntry &entry : entries) {
            if (entry.modeKey) {
                refs.append(model.findChoiceRef(L(entry.modeKey), kTrue));
            } else if (entry.option.size() < PPD_MAX_NAME && entry.choice.size() < PPD_MAX_NAME) {
                // The words are not NUL-terminated inside the value.
                char option[PPD_MAX_NAME];
                char choice[PPD_MAX_NAME];
                memcpy(option, entry.option.constData(), size_t(entry.option.size()));
                option[entry.option.size()] = '\0';
                memcpy(choice, entry.choice.constData(), size_t(entry.choice.size()));
                choice[entry.choice.size()] = '\0';
                refs.append(model.findPpdChoice(ppd, option, choice));
            } else {
                refs.append(ChoiceRef()); // longer than any keyword: names nothing
            }
        }
        model.addGroupRefs(refs);
    }
}

void ConstraintRules::addBuiltInGroups(OptionModel &model)
{
    const auto group = [&model](const char *k1, const char *c1, const char *k2, const char *c2,
                                const char *k3, const char *c3) {
        model.addGroupRefs(QVector<ChoiceRef>{model.findChoiceRef(L(k1), L(c1)),
                                              model.findChoiceRef(L(k2), L(c2)),
                                              model.findChoiceRef(L(k3), L(c3))});
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
    const ChoiceRef source = model.findChoiceRef(L(sourceKey), L(sourceChoice));
    const ChoiceRef derived = model.findChoiceRef(L(targetKey), L(targetChoice));
    if (!source.choice || !derived.choice)
        return;
    const QVector<ChoiceRef> conflicts = source.choice->conflictRefs();
    for (const ChoiceRef &ref : conflicts) {
        if (ref.option->priority() > derived.option->priority())
            model.addConflict(derived, ref);
    }
}

void ConstraintRules::addDerivedPairs(OptionModel &model)
{
    derivePairs(model, "Coll", "False", "Option18", "None");
    derivePairs(model, "Duplex", "DuplexTumble", "NWDDuplex", "On");
    derivePairs(model, "Duplex", "DuplexNoTumble", "NWDDuplex", "On");

    const ChoiceRef noFinisher = model.findChoiceRef(L("Option18"), L("None"));
    if (jOption *collate = model.findOption(L("JCCollate1"))) {
        const QList<OptionChoice *> choices = collate->choices();
        for (OptionChoice *choice : choices) {
            if (choice->key() != QLatin1String("None"))
                model.addConflict(noFinisher, ChoiceRef(collate, choice));
        }
    }
    model.addConflict(L("Option18"), L("None"), L("cPrivatePrint"), kTrue);
    model.addConflict(L("Option18"), L("None"), L("cCustomBox"), kTrue);
}
