#pragma once
#include <QSet>
#include <QVector>

// A list without duplicates that keeps insertion order. Small lists (the
// usual case: a choice has a handful of rules) are searched in place; a
// hash index is built once a list grows past a few entries, so that
// "append unless present" stays O(1) on large PPDs.
template <typename T>
class OrderedSet {
public:
    const QVector<T> &items() const { return m_items; }
    int size() const { return m_items.size(); }
    bool isEmpty() const { return m_items.isEmpty(); }

    bool contains(const T &value) const
    {
        if (!m_index.isEmpty())
            return m_index.contains(value);
        return m_items.contains(value);
    }

    // Appends unless present; true when appended.
    bool insert(const T &value)
    {
        if (contains(value))
            return false;
        m_items.append(value);
        if (!m_index.isEmpty()) {
            m_index.insert(value);
        } else if (m_items.size() > kIndexThreshold) {
            m_index.reserve(m_items.size() * 2);
            for (const T &item : qAsConst(m_items))
                m_index.insert(item);
        }
        return true;
    }

    bool remove(const T &value)
    {
        if (!m_index.isEmpty() && !m_index.remove(value))
            return false;
        const int at = m_items.indexOf(value);
        if (at < 0)
            return false;
        m_items.remove(at);
        return true;
    }

    template <typename Predicate>
    void removeIf(Predicate predicate)
    {
        QVector<T> kept;
        kept.reserve(m_items.size());
        for (const T &item : qAsConst(m_items)) {
            if (predicate(item))
                m_index.remove(item);
            else
                kept.append(item);
        }
        m_items = kept;
    }

private:
    static constexpr int kIndexThreshold = 12;
    QVector<T> m_items;
    QSet<T> m_index;
};
