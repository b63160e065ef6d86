#pragma once
#include <QHash>
#include <QList>
#include <QString>

class OptionChoice;

// One printer option: a PPD main keyword or one of the panel's own options.
// Owns its choices. A default-constructed option is the "JNULL" sentinel.
class jOption {
public:
    jOption();
    jOption(const QString &key, const QString &text);
    ~jOption();
    jOption(const jOption &) = delete;
    jOption &operator=(const jOption &) = delete;

    QString key() const { return m_key; }
    QString text() const { return m_text; }
    bool isFromPpd() const { return m_fromPpd; }
    void setFromPpd(bool fromPpd) { m_fromPpd = fromPpd; }
    int priority() const { return m_priority; }
    void setPriority(int priority) { m_priority = priority; }
    bool isNotNull() const;

    OptionChoice *addChoice(const QString &key, const QString &text);
    QList<OptionChoice *> choices() const { return m_choices; }
    int choiceCount() const { return m_choices.size(); }
    // The choice at `index` in list order, or null when out of range.
    OptionChoice *choiceAt(int index) const
    {
        return index >= 0 && index < m_choices.size() ? m_choices.at(index) : nullptr;
    }
    bool hasChoice(const QString &key) const;
    OptionChoice *findChoice(const QString &key) const;
    OptionChoice *findChoiceByText(const QString &text) const;

    OptionChoice *markedChoice() const { return m_markedChoice; }
    OptionChoice *defaultChoice() const { return m_defaultChoice; }
    void setDefaultChoice(OptionChoice *choice);
    // The default choice's key, or the option key followed by "NULL".
    QString defaultKey() const;

    // Withdraws the marked choice's effects, then marks `choice` when it
    // belongs to this option (a null or foreign choice only withdraws).
    void markChoice(OptionChoice *choice);

private:
    bool m_fromPpd = false;
    QString m_key;
    QString m_text;
    QList<OptionChoice *> m_choices;
    // first choice of each key, built once an option has many choices, so
    // lookups by key stay O(1) on large PPDs
    QHash<QString, OptionChoice *> m_choiceByKey;
    static constexpr int kIndexThreshold = 16;
    OptionChoice *m_markedChoice = nullptr;
    OptionChoice *m_defaultChoice = nullptr;
    int m_priority = 99;
};
