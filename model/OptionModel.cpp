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
    m_rasterOrPdfFilter = false;
    m_jpslFilter = false;
    m_modelName.clear();
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

    for (int i = 0; i < ppd->num_filters; ++i) {
        if (ppd->filters[i] && strstr(ppd->filters[i], "jorfilter_jpsl_H"))
            m_jpslFilter = true;
    }
}

void OptionModel::readFilters(ppd_file_t *ppd)
{
    for (int i = 0; i < ppd->num_filters; ++i) {
        const char *line = ppd->filters[i];
        if (line && (strstr(line, "ras") || strstr(line, "pdf")))
            m_rasterOrPdfFilter = true;
    }
    m_modelName = ppd->modelname ? QString::fromUtf8(ppd->modelname) : QString();
}

void OptionModel::readPpdOptions(ppd_file_t *ppd)
{
    // libcups folds the options of sub-groups into their group, so the
    // group's own option list is all there is to read.
    for (int g = 0; g < ppd->num_groups; ++g) {
        const ppd_group_t &group = ppd->groups[g];
        for (int o = 0; o < group.num_options; ++o) {
            const ppd_option_t &ppdOption = group.options[o];
            const QString key = QString::fromLatin1(ppdOption.keyword);
            auto *option = new jOption(key, QString::fromUtf8(ppdOption.text));
            for (int c = 0; c < ppdOption.num_choices; ++c) {
                const ppd_choice_t &ppdChoice = ppdOption.choices[c];
                option->addChoice(QString::fromLatin1(ppdChoice.choice),
                                  QString::fromUtf8(ppdChoice.text));
            }

            QString defaultKey = QString::fromLatin1(ppdOption.defchoice);
            // A custom page size default ("Custom.8.5x11in" and the like)
            // names no choice; Letter stands in for it.
            if ((key.contains(QLatin1String("PageSize")) || key.contains(QLatin1String("PageRegion")))
                && defaultKey.contains(QLatin1String("Custom"), Qt::CaseInsensitive))
                defaultKey = QStringLiteral("Letter");
            if (OptionChoice *choice = option->findChoice(defaultKey)) {
                option->setDefaultChoice(choice);
                m_ppdDefaults.insert(key, choice->key());
            }

            option->setFromPpd(true);
            addOption(option);
        }
    }
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

void OptionModel::markChoiceByKey(const QString &key, const QString &choiceKey)
{
    jOption *option = findOption(key);
    if (!option)
        return;
    OptionChoice *choice = option->findChoice(choiceKey);
    if (!choice)
        return;
    option->markChoice(choice);
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
    jOption *optionA = findOption(keyA);
    jOption *optionB = findOption(keyB);
    if (!optionA || !optionB)
        return;
    OptionChoice *a = optionA->findChoice(choiceA);
    OptionChoice *b = optionB->findChoice(choiceB);
    if (!a || !b || a == b)
        return;
    a->addConflict(ChoiceRef(optionB, b));
    b->addConflict(ChoiceRef(optionA, a));
}

void OptionModel::addGroup(const QList<QPair<QString, QString>> &entries)
{
    if (entries.size() != 3)
        return;
    QVector<ChoiceRef> refs;
    refs.reserve(entries.size());
    for (const auto &entry : entries) {
        jOption *option = findOption(entry.first);
        OptionChoice *choice = option ? option->findChoice(entry.second) : nullptr;
        if (!choice)
            return;
        refs.append(ChoiceRef(option, choice));
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
