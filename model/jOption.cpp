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
    if (!m_choiceByKey.contains(key))
        m_choiceByKey.insert(key, choice);
    return choice;
}

bool jOption::hasChoice(const QString &key) const
{
    return m_choiceByKey.contains(key);
}

OptionChoice *jOption::findChoice(const QString &key) const
{
    return m_choiceByKey.value(key, nullptr);
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
