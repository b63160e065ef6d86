#include "model/jOption.h"
#include "model/OptionChoice.h"

jOption::jOption()
    : m_key(QStringLiteral("JNULL")), m_text(QStringLiteral("JNULL"))
{
}

jOption::jOption(const QString &key, const QString &text)
    : m_key(key), m_text(text)
{
}

jOption::~jOption()
{
    qDeleteAll(m_choices);
}

bool jOption::isNotNull() const
{
    return !(m_key == QLatin1String("JNULL") && m_text == QLatin1String("JNULL"));
}

OptionChoice *jOption::addChoice(const QString &key, const QString &text)
{
    auto *choice = new OptionChoice(key, text, this);
    m_choices.append(choice);
    if (!m_choiceByKey.isEmpty()) {
        if (!m_choiceByKey.contains(key))
            m_choiceByKey.insert(key, choice);
    } else if (m_choices.size() > kIndexThreshold) {
        m_choiceByKey.reserve(m_choices.size() * 2);
        for (OptionChoice *c : qAsConst(m_choices)) {
            if (!m_choiceByKey.contains(c->key()))
                m_choiceByKey.insert(c->key(), c);
        }
    }
    return choice;
}

bool jOption::hasChoice(const QString &key) const
{
    return findChoice(key) != nullptr;
}

OptionChoice *jOption::findChoice(const QString &key) const
{
    if (!m_choiceByKey.isEmpty())
        return m_choiceByKey.value(key, nullptr);
    for (OptionChoice *choice : m_choices) {
        if (choice->key() == key)
            return choice;
    }
    return nullptr;
}

OptionChoice *jOption::findChoiceByText(const QString &text) const
{
    for (OptionChoice *choice : m_choices) {
        if (choice->text() == text)
            return choice;
    }
    return nullptr;
}

void jOption::setDefaultChoice(OptionChoice *choice)
{
    if (choice && m_choices.contains(choice))
        m_defaultChoice = choice;
}

QString jOption::defaultKey() const
{
    if (m_defaultChoice)
        return m_defaultChoice->key();
    return m_key + QLatin1String("NULL");
}

void jOption::markChoice(OptionChoice *choice)
{
    if (m_markedChoice)
        m_markedChoice->withdrawMark();
    if (!choice || !m_choices.contains(choice))
        return;
    m_markedChoice = choice;
    choice->applyMark();
}
