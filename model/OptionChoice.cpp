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
    if (m_conflictSet.contains(ref))
        return;
    m_conflictSet.insert(ref);
    m_conflicts.append(ref);
}

void OptionChoice::addGroup(const ConstraintGroup &group)
{
    if (m_groupSet.contains(group))
        return;
    m_groupSet.insert(group);
    m_groups.append(group);
}

bool OptionChoice::hasConflict(const ChoiceRef &ref) const
{
    return m_conflictSet.contains(ref);
}

bool OptionChoice::isConstrained() const
{
    return !m_activeConstraints.isEmpty() || !m_activeGroups.isEmpty();
}

void OptionChoice::addActiveConstraint(const ChoiceRef &ref)
{
    if (m_activeConstraintSet.contains(ref))
        return;
    m_activeConstraintSet.insert(ref);
    m_activeConstraints.append(ref);
}

void OptionChoice::removeActiveConstraint(const ChoiceRef &ref)
{
    if (!m_activeConstraintSet.remove(ref))
        return;
    m_activeConstraints.removeOne(ref);
}

void OptionChoice::addActiveGroup(const ConstraintGroup &group)
{
    if (m_activeGroupSet.contains(group))
        return;
    m_activeGroupSet.insert(group);
    m_activeGroups.append(group);
}

void OptionChoice::removeActiveGroup(const ConstraintGroup &group)
{
    if (!m_activeGroupSet.remove(group))
        return;
    m_activeGroups.removeOne(group);
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
    for (const ChoiceRef &ref : qAsConst(m_conflicts)) {
        if (ref.option && ref.choice && ref.option->priority() >= priority)
            ref.choice->addActiveConstraint(self);
    }

    // A group fires when every condition before its target is marked on
    // the required choice; the target's own mark plays no part.
    for (const ConstraintGroup &group : qAsConst(m_groups)) {
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
    jOption *option = m_owner;
    const ChoiceRef self(option, this);
    for (const ChoiceRef &ref : qAsConst(m_conflicts)) {
        if (ref.choice)
            ref.choice->removeActiveConstraint(self);
    }
    for (const ConstraintGroup &group : qAsConst(m_groups)) {
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

    for (auto it = m_conflicts.begin(); it != m_conflicts.end();) {
        if (namesRef(*it)) {
            m_conflictSet.remove(*it);
            it = m_conflicts.erase(it);
        } else {
            ++it;
        }
    }
    for (auto it = m_activeConstraints.begin(); it != m_activeConstraints.end();) {
        if (namesRef(*it)) {
            m_activeConstraintSet.remove(*it);
            it = m_activeConstraints.erase(it);
        } else {
            ++it;
        }
    }
    for (auto it = m_groups.begin(); it != m_groups.end();) {
        if (namesGroup(*it)) {
            m_groupSet.remove(*it);
            it = m_groups.erase(it);
        } else {
            ++it;
        }
    }
    for (auto it = m_activeGroups.begin(); it != m_activeGroups.end();) {
        if (namesGroup(*it)) {
            m_activeGroupSet.remove(*it);
            it = m_activeGroups.erase(it);
        } else {
            ++it;
        }
    }
}
