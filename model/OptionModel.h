#pragma once
#include "model/CupsPpd.h"
#include <QHash>
#include <QList>
#include <QPair>
#include <QString>

class jOption;

// All options of one printer: those of its PPD and the panel's own, with
// their defaults and constraint rules. Owns every option.
class OptionModel {
public:
    OptionModel() = default;
    ~OptionModel();
    OptionModel(const OptionModel &) = delete;
    OptionModel &operator=(const OptionModel &) = delete;

    // Builds everything from an open PPD; the caller opens and closes it.
    void loadFromPpd(ppd_file_t *ppd);

    jOption *findOption(const QString &key) const;
    void markChoiceByKey(const QString &key, const QString &choiceKey);
    QList<jOption *> allOptions() const;
    QList<jOption *> installableOptions() const;
    // Inserts by key, taking ownership (an option of the same key is replaced and freed).
    void addOption(jOption *option);
    void setPriority(const QString &key, int priority);
    void addConflict(const QString &keyA, const QString &choiceA,
                     const QString &keyB, const QString &choiceB);
    void addGroup(const QList<QPair<QString, QString>> &entries);
    void unmarkAll();

    QHash<QString, QString> ppdDefaults() const { return m_ppdDefaults; }
    QString printerName() const { return m_printerName; }
    void setPrinterName(const QString &name) { m_printerName = name; }
    QString modelName() const { return m_modelName; }
    bool hasRasterOrPdfFilter() const { return m_rasterOrPdfFilter; }
    bool hasJpslFilter() const { return m_jpslFilter; }

private:
    bool m_rasterOrPdfFilter = false;
    bool m_jpslFilter = false;
    QString m_printerName;
    QString m_modelName;
    QHash<QString, jOption *> m_options;
    QHash<QString, QString> m_ppdDefaults;
};
