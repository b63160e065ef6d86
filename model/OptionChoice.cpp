#include "model/OptionChoice.h"
#include "model/jOption.h"

#include <algorithm>

OptionChoice::OptionChoice()
    : m_key(QStringLiteral("JNULL")), m_text(QStringLiteral("JNULL"))
{
}

OptionChoice::OptionChoice(const QString &key, const QString &text, jOption *owner)
    : m_key(key), m_text(text), m_owner(owner)
{
}

void OptionChoice::addConflict(const ChoiceRef &ref)
{
    m_conflicts.insert(ref);
}

void OptionChoice::addGroup(const ConstraintGroup &group)
{
    m_groups.insert(group);
}

bool OptionChoice::hasConflict(const ChoiceRef &ref) const
{
    return m_conflicts.contains(ref);
}

bool OptionChoice::isConstrained() const
{
    return !m_activeConstraints.isEmpty() || !m_activeGroups.isEmpty();
}

void OptionChoice::addActiveConstraint(const ChoiceRef &ref)
{
    m_activeConstraints.insert(ref);
}

void OptionChoice::removeActiveConstraint(const ChoiceRef &ref)
{
    m_activeConstraints.remove(ref);
}

void OptionChoice::addActiveGroup(const ConstraintGroup &group)
{
    m_activeGroups.insert(group);
}

void OptionChoice::removeActiveGroup(const ConstraintGroup &group)
{
    m_activeGroups.remove(group);
}

void OptionChoice::applyMark()
{
    jOption *option = m_owner;
    if (!option)
        return;
    const ChoiceRef self(option, this);
    const int priority = option->priority();

    // A marked choice forbids its partners unless the partner's option is
    // stronger (a smaller number); equal priorities forbid each other.
    for (const ChoiceRef &ref : m_conflicts.items()) {
        if (ref.option && ref.choice && ref.option->priority() >= priority)
            ref.choice->addActiveConstraint(self);
    }

    // A group fires when every condition before its target is marked on
    // the required choice; the target's own mark plays no part.
    for (const ConstraintGroup &group : m_groups.items()) {
        if (group.isEmpty())
            continue;
        const ChoiceRef &target = group.target();
        for (const ChoiceRef &ref : group.refs()) {
            if (ref == target) {
                if (target.choice)
                    target.choice->addActiveGroup(group);
                break;
            }
            const OptionChoice *marked = ref.option ? ref.option->markedChoice() : nullptr;
            if (!marked || !ref.choice || marked->key() != ref.choice->key())
                break;
        }
    }
}

void OptionChoice::withdrawMark()
{
    const ChoiceRef self(m_owner, this);
    for (const ChoiceRef &ref : m_conflicts.items()) {
        if (ref.choice)
            ref.choice->removeActiveConstraint(self);
    }
    for (const ConstraintGroup &group : m_groups.items()) {
        if (group.isEmpty())
            continue;
        OptionChoice *targetChoice = group.target().choice;
        if (targetChoice && targetChoice != this)
            targetChoice->removeActiveGroup(group);
    }
}

void OptionChoice::removeReferencesTo(const jOption *option)
{
    const auto namesRef = [option](const ChoiceRef &ref) { return ref.option == option; };
    const auto namesGroup = [option](const ConstraintGroup &group) {
        const QVector<ChoiceRef> &refs = group.refs();
        return std::any_of(refs.cbegin(), refs.cend(),
                           [option](const ChoiceRef &ref) { return ref.option == option; });
    };
    m_conflicts.removeIf(namesRef);
    m_activeConstraints.removeIf(namesRef);
    m_groups.removeIf(namesGroup);
    m_activeGroups.removeIf(namesGroup);
}
