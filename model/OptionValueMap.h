#pragma once
#include <QMultiHash>
#include <QString>

// Option key -> value text, as collected from the tabs. A key may hold a
// second (extra) value; the one inserted last is the one lookups return.
using OptionValueMap = QMultiHash<QString, QString>;
