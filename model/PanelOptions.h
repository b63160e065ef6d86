#pragma once
#include "model/CupsPpd.h"
#include <QString>

class OptionModel;
class jOption;

// The options the panel adds to a printer's own: folding, punching and
// stapling modes, cover / insert / interleave modes, job features, the
// super watermark and the NetWarden restrictions. Each is created only
// when the printer offers what it stands for (NetWarden: always).
class PanelOptions {
public:
    // An option with the choices "False" and "True" (key and text equal).
    static jOption *addSwitch(OptionModel &model, const QString &key, const QString &text);
    // A NetWarden option: choices "Off" and "On" with translated texts.
    static jOption *addNetWardenSwitch(OptionModel &model, const QString &key, const QString &text);

    static void addFinishingModes(OptionModel &model);
    static void addCoverModes(OptionModel &model);
    static void addJobFeatures(OptionModel &model, ppd_file_t *ppd);
    static void addSuperWatermark(OptionModel &model);
    static void addNetWarden(OptionModel &model);
};
