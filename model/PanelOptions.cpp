#include "model/PanelOptions.h"
#include "model/OptionModel.h"
#include "model/jOption.h"

#include <QObject>

namespace {

bool has(const OptionModel &model, const QString &key)
{
    return model.findOption(key) != nullptr;
}

ppd_attr_t *attribute(ppd_file_t *ppd, const char *name)
{
    return ppdFindAttr(ppd, name, nullptr);
}

} // namespace

jOption *PanelOptions::addSwitch(OptionModel &model, const QString &key, const QString &text)
{
    auto *option = new jOption(key, text);
    option->addChoice(QStringLiteral("False"), QStringLiteral("False"));
    option->addChoice(QStringLiteral("True"), QStringLiteral("True"));
    model.addOption(option);
    return option;
}

jOption *PanelOptions::addNetWardenSwitch(OptionModel &model, const QString &key, const QString &text)
{
    auto *option = new jOption(key, text);
    option->addChoice(QStringLiteral("Off"), QObject::tr("Off"));
    option->addChoice(QStringLiteral("On"), QObject::tr("On"));
    model.addOption(option);
    return option;
}

void PanelOptions::addFinishingModes(OptionModel &model)
{
    if (has(model, QStringLiteral("FldA"))) {
        addSwitch(model, QStringLiteral("cBiFld"), QStringLiteral("Bi-fold Mode"));
        addSwitch(model, QStringLiteral("cTriFld"), QStringLiteral("Tri-fold Mode"));
        if (has(model, QStringLiteral("Option24"))) {
            addSwitch(model, QStringLiteral("cTriFldZ"), QStringLiteral("Z-fold Mode"));
            addSwitch(model, QStringLiteral("cEngrFld"), QStringLiteral("Engineering-fold Mode"));
        }
    }
    if (has(model, QStringLiteral("Pnch")))
        addSwitch(model, QStringLiteral("cHole"), QStringLiteral("Punch Mode"));
    if (has(model, QStringLiteral("Stpl")))
        addSwitch(model, QStringLiteral("cStpl"), QStringLiteral("Staple Mode"));
}

void PanelOptions::addCoverModes(OptionModel &model)
{
    if (!has(model, QStringLiteral("CvrM")))
        return;
    static const char *const options[][2] = {
        {"cCovBut", "Cover mode"},
        {"cCovTRad", "Cover mode front"},
        {"cCovBRad", "Cover mode front and back"},
        {"cCovPOFO", "Cover mode front outside"},
        {"cCovPOFI", "Cover mode front inside"},
        {"cCovPOBO", "Cover mode back outside"},
        {"cCovPOBI", "Cover mode back inside"},
        {"cInsBut", "Page insert mode"},
        {"cInsPrnF", "Page insert print onto front"},
        {"cInsPrnB", "Page insert print onto back"},
        {"cIntBut", "Transparency interleaving mode"},
        {"cIntPrn", "Transparency print onto backing"},
    };
    for (const auto &entry : options)
        addSwitch(model, QLatin1String(entry[0]), QLatin1String(entry[1]));
}

void PanelOptions::addJobFeatures(OptionModel &model, ppd_file_t *ppd)
{
    if (has(model, QStringLiteral("JCCollate1")))
        addSwitch(model, QStringLiteral("cJobStore"), QStringLiteral("Job storage"));
    if (has(model, QStringLiteral("JmManagment")))
        addSwitch(model, QStringLiteral("cJobAccount"), QStringLiteral("Job accounting"));
    if (attribute(ppd, "SupportsUserLogin"))
        addSwitch(model, QStringLiteral("cUserLogin"), QStringLiteral("User login"));
    if (attribute(ppd, "JobFinishNotice"))
        addSwitch(model, QStringLiteral("cEmail"), QStringLiteral("Email notification"));
    if (attribute(ppd, "SupportsCustomJobName"))
        addSwitch(model, QStringLiteral("cJobName"), QStringLiteral("Custom job name"));
    if (ppd_attr_t *privatePrint = attribute(ppd, "SupportsPrivatePrint")) {
        const QString value = QString::fromLatin1(privatePrint->value ? privatePrint->value : "");
        if (value == QLatin1String("True"))
            addSwitch(model, QStringLiteral("cPrivatePrint"), QStringLiteral("Private print"));
        else if (value != QLatin1String("False"))
            addSwitch(model, QStringLiteral("ePrivatePrint"), QStringLiteral("Private print"));
    }
    if (attribute(ppd, "SupportsCustomBox"))
        addSwitch(model, QStringLiteral("cCustomBox"), QStringLiteral("Custom box"));
}

void PanelOptions::addSuperWatermark(OptionModel &model)
{
    if (has(model, QStringLiteral("JCSuperWatermark")))
        addSwitch(model, QStringLiteral("cSuper"), QStringLiteral("Super Watermark"));
}

void PanelOptions::addNetWarden(OptionModel &model)
{
    addNetWardenSwitch(model, QStringLiteral("NWDToggle"), QStringLiteral("Netwarden"));
    addNetWardenSwitch(model, QStringLiteral("NWDDuplex"), QStringLiteral("Net Duplex"));
    addNetWardenSwitch(model, QStringLiteral("NWDSparline"), QStringLiteral("Net Sparlyne"));
    addNetWardenSwitch(model, QStringLiteral("NWDColorMode"), QStringLiteral("Net Color Mode"));
}
