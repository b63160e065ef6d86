#pragma once
#include <QJsonObject>

class OptionModel;

// The inspector's view of a loaded model: names, filter flags, PPD
// defaults, installable options and, for every option, its choices with
// their rules and the current constraint state, lists in the engine's
// own order.
class ModelJson {
public:
    static QJsonObject toJson(const OptionModel &model);
};
