#pragma once
#include "model/ChoiceRef.h"
#include <QVector>

// A three-option rule: conditions first, the target (the ref of the
// weakest option) last. Equal when the same refs stand at every position.
class ConstraintGroup {
public:
    ConstraintGroup() = default;
    explicit ConstraintGroup(const QVector<ChoiceRef> &refs) : m_refs(refs) {}

    const QVector<ChoiceRef> &refs() const { return m_refs; }
    int size() const { return m_refs.size(); }
    bool isEmpty() const { return m_refs.isEmpty(); }
    const ChoiceRef &at(int i) const { return m_refs.at(i); }
    // The last ref; only meaningful for a non-empty group.
    const ChoiceRef &target() const { return m_refs.last(); }

    bool operator==(const ConstraintGroup &other) const { return m_refs == other.m_refs; }
    bool operator!=(const ConstraintGroup &other) const { return !(*this == other); }

private:
    QVector<ChoiceRef> m_refs;
};

inline uint qHash(const ConstraintGroup &group, uint seed = 0) noexcept
{
    return qHashRange(group.refs().cbegin(), group.refs().cend(), seed);
}
