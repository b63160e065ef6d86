#include "ModelJson.h"

#include "model/OptionChoice.h"
#include "model/OptionModel.h"
#include "model/jOption.h"

#include <QJsonArray>

namespace {

QString refName(const ChoiceRef &ref)
{
    const QString key = ref.option ? ref.option->key() : QString();
    const QString choice = ref.choice ? ref.choice->key() : QString();
    return key + QLatin1Char('=') + choice;
}

QJsonArray refList(const QList<ChoiceRef> &refs)
{
    QJsonArray out;
    for (const ChoiceRef &ref : refs)
        out.append(refName(ref));
    return out;
}

QJsonArray groupList(const QList<ConstraintGroup> &groups)
{
    QJsonArray out;
    for (const ConstraintGroup &group : groups) {
        QJsonArray refs;
        for (const ChoiceRef &ref : group.refs())
            refs.append(refName(ref));
        out.append(refs);
    }
    return out;
}

QJsonValue choiceKeyOrNull(const OptionChoice *choice)
{
    return choice ? QJsonValue(choice->key()) : QJsonValue(QJsonValue::Null);
}

QJsonObject optionJson(const jOption &option)
{
    QJsonArray choices;
    for (const OptionChoice *choice : option.choices()) {
        QJsonObject c;
        c.insert(QStringLiteral("key"), choice->key());
        c.insert(QStringLiteral("text"), choice->text());
        c.insert(QStringLiteral("constrained"), choice->isConstrained());
        c.insert(QStringLiteral("conflicts"), refList(choice->conflicts()));
        c.insert(QStringLiteral("activeConstraints"), refList(choice->activeConstraints()));
        c.insert(QStringLiteral("groups"), groupList(choice->groups()));
        c.insert(QStringLiteral("activeGroups"), groupList(choice->activeGroups()));
        choices.append(c);
    }
    QJsonObject o;
    o.insert(QStringLiteral("text"), option.text());
    o.insert(QStringLiteral("fromPpd"), option.isFromPpd());
    o.insert(QStringLiteral("priority"), option.priority());
    o.insert(QStringLiteral("default"), choiceKeyOrNull(option.defaultChoice()));
    o.insert(QStringLiteral("marked"), choiceKeyOrNull(option.markedChoice()));
    o.insert(QStringLiteral("choices"), choices);
    return o;
}

} // namespace

QJsonObject ModelJson::toJson(const OptionModel &model)
{
    QJsonObject defaults;
    const QHash<QString, QString> ppdDefaults = model.ppdDefaults();
    for (auto it = ppdDefaults.cbegin(); it != ppdDefaults.cend(); ++it)
        defaults.insert(it.key(), it.value());

    QJsonArray installable;
    for (const jOption *option : model.installableOptions())
        installable.append(option->key());

    QJsonObject options;
    for (const jOption *option : model.allOptions())
        options.insert(option->key(), optionJson(*option));

    QJsonObject root;
    root.insert(QStringLiteral("modelName"), model.modelName());
    root.insert(QStringLiteral("rasterOrPdfFilter"), model.hasRasterOrPdfFilter());
    root.insert(QStringLiteral("jpslFilter"), model.hasJpslFilter());
    root.insert(QStringLiteral("ppdDefaults"), defaults);
    root.insert(QStringLiteral("installableOptions"), installable);
    root.insert(QStringLiteral("options"), options);
    return root;
}
