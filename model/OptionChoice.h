#pragma once
#include "model/ChoiceRef.h"
#include "model/ConstraintGroup.h"
#include <QList>
#include <QSet>
#include <QString>

class jOption;

// One choice of a jOption, with the constraint bookkeeping of the engine.
// A default-constructed choice is the "JNULL" sentinel.
class OptionChoice {
public:
    OptionChoice();
    OptionChoice(const QString &key, const QString &text, jOption *owner);

    QString key() const { return m_key; }
    QString text() const { return m_text; }
    jOption *owner() const { return m_owner; }
    void setOwner(jOption *option) { m_owner = option; }

    QList<ChoiceRef> conflicts() const { return m_conflicts; }
    QList<ConstraintGroup> groups() const { return m_groups; }
    QList<ChoiceRef> activeConstraints() const { return m_activeConstraints; }
    QList<ConstraintGroup> activeGroups() const { return m_activeGroups; }

    // Appends unless an equal ref / group is present.
    void addConflict(const ChoiceRef &ref);
    void addGroup(const ConstraintGroup &group);
    bool hasConflict(const ChoiceRef &ref) const;

    // True while a marked choice forbids this one (pairwise or group rule).
    bool isConstrained() const;

    // Propagation steps of jOption::markChoice.
    void applyMark();
    void withdrawMark();

    // Drops every ref and group that names `option` from all four lists.
    // Used when an option is replaced and freed, so that no dangling
    // pointer to its choices stays behind.
    void removeReferencesTo(const jOption *option);

private:
    void addActiveConstraint(const ChoiceRef &ref);
    void removeActiveConstraint(const ChoiceRef &ref);
    void addActiveGroup(const ConstraintGroup &group);
    void removeActiveGroup(const ConstraintGroup &group);

    QString m_key;
    QString m_text;
    jOption *m_owner = nullptr;
    // list order is kept for the engine; the sets make "unless present" O(1)
    QList<ChoiceRef> m_conflicts;
    QList<ChoiceRef> m_activeConstraints;
    QList<ConstraintGroup> m_groups;
    QList<ConstraintGroup> m_activeGroups;
    QSet<ChoiceRef> m_conflictSet;
    QSet<ConstraintGroup> m_groupSet;
    QSet<ChoiceRef> m_activeConstraintSet;
    QSet<ConstraintGroup> m_activeGroupSet;
};
