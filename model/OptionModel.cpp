#include "model/OptionModel.h"
#include "model/ConstraintRules.h"
#include "model/OptionChoice.h"
#include "model/PanelOptions.h"
#include "model/jOption.h"

#include <algorithm>
#include <cstring>

OptionModel::~OptionModel()
{
    clear();
}

void OptionModel::clear()
{
    qDeleteAll(m_optionOrder);
    m_optionOrder.clear();
    m_options.clear();
    m_ppdDefaults.clear();
    m_ppdOptionIndex.clear();
    m_rasterOrPdfFilter = false;
    m_jpslFilter = false;
    m_modelName.clear();
    m_printerName.clear();
}

void OptionModel::loadFromPpd(ppd_file_t *ppd)
{
    clear();
    if (!ppd)
        return;

    ppdLocalize(ppd);
    readFilters(ppd);
    readPpdOptions(ppd);
    ConstraintRules::addPpdPairs(*this, ppd);
    markDefaults();

    PanelOptions::addFinishingModes(*this);
    ConstraintRules::addFinishingRules(*this);
    PanelOptions::addCoverModes(*this);
    ConstraintRules::addCoverRules(*this);
    PanelOptions::addJobFeatures(*this, ppd);
    ConstraintRules::addJobRule(*this);
    PanelOptions::addSuperWatermark(*this);
    PanelOptions::addNetWarden(*this);

    ConstraintRules::addBuiltInPairs(*this);
    ConstraintRules::applyPriorities(*this);
    ConstraintRules::addPpdGroups(*this, ppd);
    ConstraintRules::addBuiltInGroups(*this);
    ConstraintRules::addDerivedPairs(*this);
    m_ppdOptionIndex.clear();
}

void OptionModel::readFilters(ppd_file_t *ppd)
{
    for (int i = 0; i < ppd->num_filters; ++i) {
        const char *line = ppd->filters[i];
        if (!line)
            continue;
        if (strstr(line, "ras") || strstr(line, "pdf"))
            m_rasterOrPdfFilter = true;
        if (strstr(line, "jorfilter_jpsl_H"))
            m_jpslFilter = true;
    }
    m_modelName = ppd->modelname ? QString::fromUtf8(ppd->modelname) : QString();
}

namespace {

// The UTF-8 text of a keyword / text pair; shares the key's string when
// both are the same (as in "A4/A4"), which saves a copy for most choices.
QString textOf(const char *text, const char *keyword, const QString &key)
{
    return strcmp(text, keyword) == 0 ? key : QString::fromUtf8(text);
}

} // namespace

void OptionModel::readPpdOptions(ppd_file_t *ppd)
{
    // libcups folds the options of sub-groups into their group, so the
    // group's own option list is all there is to read.
    for (int g = 0; g < ppd->num_groups; ++g) {
        const ppd_group_t &group = ppd->groups[g];
        for (int o = 0; o < group.num_options; ++o) {
            const ppd_option_t &ppdOption = group.options[o];
            const QString key = QString::fromLatin1(ppdOption.keyword);
            auto *option = new jOption(key, textOf(ppdOption.text, ppdOption.keyword, key));
            for (int c = 0; c < ppdOption.num_choices; ++c) {
                const ppd_choice_t &ppdChoice = ppdOption.choices[c];
                const QString choiceKey = QString::fromLatin1(ppdChoice.choice);
                option->addChoice(choiceKey, textOf(ppdChoice.text, ppdChoice.choice, choiceKey));
            }

            // A custom page size default ("Custom.8.5x11in" and the like)
            // names no choice; Letter stands in for it.
            const char *defaultKey = ppdOption.defchoice;
            if ((strstr(ppdOption.keyword, "PageSize") || strstr(ppdOption.keyword, "PageRegion"))
                && QByteArray::fromRawData(defaultKey, int(strlen(defaultKey))).toLower().contains("custom"))
                defaultKey = "Letter";
            for (int c = 0; c < ppdOption.num_choices; ++c) {
                if (strcmp(ppdOption.choices[c].choice, defaultKey) == 0) {
                    option->setDefaultChoice(option->choiceAt(c));
                    break;
                }
            }

            option->setFromPpd(true);
            // The same keyword in two groups: the later option replaces the
            // earlier one, in the model, its defaults and the index.
            addOption(option);
            if (const OptionChoice *choice = option->defaultChoice())
                m_ppdDefaults.insert(key, choice->key());
            m_ppdOptionIndex.insert(QLatin1String(ppdOption.keyword), qMakePair(&ppdOption, option));
        }
    }
}

ChoiceRef OptionModel::findPpdChoice(ppd_file_t *ppd, const char *optionKey, const char *choiceKey) const
{
    if (!ppd || !optionKey || !choiceKey || !*choiceKey)
        return ChoiceRef();
    const auto found = m_ppdOptionIndex.constFind(QLatin1String(optionKey));
    if (found == m_ppdOptionIndex.constEnd()) {
        // Not a PPD option read by this load: look it up the plain way.
        return findChoiceRef(QString::fromLatin1(optionKey), QString::fromLatin1(choiceKey));
    }
    const ppd_option_t *ppdOption = found.value().first;
    jOption *option = found.value().second;
    // Choices are read one for one in PPD order; the first exact match wins.
    for (int c = 0; c < ppdOption->num_choices; ++c) {
        if (strcmp(ppdOption->choices[c].choice, choiceKey) == 0) {
            OptionChoice *choice = option->choiceAt(c);
            return choice ? ChoiceRef(option, choice) : ChoiceRef();
        }
    }
    return ChoiceRef();
}

void OptionModel::markDefaults()
{
    for (jOption *option : qAsConst(m_optionOrder)) {
        if (OptionChoice *choice = option->defaultChoice())
            option->markChoice(choice);
    }
}

jOption *OptionModel::findOption(const QString &key) const
{
    return m_options.value(key, nullptr);
}

ChoiceRef OptionModel::findChoiceRef(const QString &key, const QString &choiceKey) const
{
    jOption *option = findOption(key);
    OptionChoice *choice = option ? option->findChoice(choiceKey) : nullptr;
    return choice ? ChoiceRef(option, choice) : ChoiceRef();
}

void OptionModel::markChoiceByKey(const QString &key, const QString &choiceKey)
{
    const ChoiceRef ref = findChoiceRef(key, choiceKey);
    if (ref.choice)
        ref.option->markChoice(ref.choice);
}

QList<jOption *> OptionModel::allOptions() const
{
    return m_optionOrder;
}

QList<jOption *> OptionModel::installableOptions() const
{
    static const char *const keys[] = {
        "Option17", "Option8", "Option18", "Option19", "Option20", "Option01", "Option21",
        "Option22", "Option23", "Option24", "Option25", "Option26", "Option27", "Option28",
    };
    QList<jOption *> result;
    for (const char *key : keys) {
        if (jOption *option = findOption(QLatin1String(key)))
            result.append(option);
    }
    return result;
}

void OptionModel::addOption(jOption *option)
{
    if (!option)
        return;
    jOption *previous = m_options.value(option->key(), nullptr);
    if (previous == option)
        return;
    if (previous) {
        // Rules of other choices may still point at the old option's
        // choices; they go with it.
        for (jOption *other : qAsConst(m_optionOrder)) {
            if (other == previous)
                continue;
            const QList<OptionChoice *> choices = other->choices();
            for (OptionChoice *choice : choices)
                choice->removeReferencesTo(previous);
        }
        m_optionOrder.removeOne(previous);
        // The PPD default belonged to the option that goes.
        m_ppdDefaults.remove(previous->key());
        for (auto it = m_ppdOptionIndex.begin(); it != m_ppdOptionIndex.end();) {
            if (it.value().second == previous)
                it = m_ppdOptionIndex.erase(it);
            else
                ++it;
        }
        delete previous;
    }
    m_options.insert(option->key(), option);
    m_optionOrder.append(option);
}

void OptionModel::setPriority(const QString &key, int priority)
{
    if (jOption *option = findOption(key))
        option->setPriority(priority);
}

void OptionModel::addConflict(const QString &keyA, const QString &choiceA,
                              const QString &keyB, const QString &choiceB)
{
    addConflict(findChoiceRef(keyA, choiceA), findChoiceRef(keyB, choiceB));
}

void OptionModel::addConflict(const ChoiceRef &a, const ChoiceRef &b)
{
    if (!a.option || !a.choice || !b.option || !b.choice || a.choice == b.choice)
        return;
    a.choice->addConflict(b);
    b.choice->addConflict(a);
}

void OptionModel::addGroup(const QList<QPair<QString, QString>> &entries)
{
    if (entries.size() != 3)
        return;
    QVector<ChoiceRef> refs;
    refs.reserve(entries.size());
    for (const auto &entry : entries) {
        const ChoiceRef ref = findChoiceRef(entry.first, entry.second);
        if (!ref.choice)
            return;
        refs.append(ref);
    }
    addGroupRefs(refs);
}

void OptionModel::addGroupRefs(QVector<ChoiceRef> refs)
{
    if (refs.size() != 3)
        return;
    for (const ChoiceRef &ref : qAsConst(refs)) {
        if (!ref.option || !ref.choice)
            return;
    }
    std::stable_sort(refs.begin(), refs.end(), [](const ChoiceRef &x, const ChoiceRef &y) {
        return x.option->priority() < y.option->priority();
    });
    const ConstraintGroup group(refs);
    for (const ChoiceRef &ref : qAsConst(refs))
        ref.choice->addGroup(group);
}

void OptionModel::unmarkAll()
{
    for (jOption *option : qAsConst(m_optionOrder)) {
        const QList<OptionChoice *> choices = option->choices();
        for (OptionChoice *choice : choices)
            choice->withdrawMark();
    }
}
