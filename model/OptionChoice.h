#pragma once
#include "model/ChoiceRef.h"
#include "model/ConstraintGroup.h"
#include "model/OrderedSet.h"
#include <QList>
#include <QString>
#include <QVector>

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

    QList<ChoiceRef> conflicts() const { return toList(m_conflicts.items()); }
    QList<ConstraintGroup> groups() const { return toList(m_groups.items()); }
    QList<ChoiceRef> activeConstraints() const { return toList(m_activeConstraints.items()); }
    QList<ConstraintGroup> activeGroups() const { return toList(m_activeGroups.items()); }
    // The same lists without a copy, for the engine's own passes.
    const QVector<ChoiceRef> &conflictRefs() const { return m_conflicts.items(); }
    const QVector<ConstraintGroup> &groupRefs() const { return m_groups.items(); }

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

    template <typename T>
    static QList<T> toList(const QVector<T> &items) { return QList<T>(items.cbegin(), items.cend()); }

    QString m_key;
    QString m_text;
    jOption *m_owner = nullptr;
    // insertion order is kept for the engine; no duplicates
    OrderedSet<ChoiceRef> m_conflicts;
    OrderedSet<ChoiceRef> m_activeConstraints;
    OrderedSet<ConstraintGroup> m_groups;
    OrderedSet<ConstraintGroup> m_activeGroups;
};
