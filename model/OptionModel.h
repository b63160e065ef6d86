#pragma once
#include "model/ChoiceRef.h"
#include "model/CupsPpd.h"
#include <QHash>
#include <QList>
#include <QPair>
#include <QString>
#include <QVector>

class jOption;
class OptionChoice;

// All options of one printer: those of its PPD and the panel's own, with
// their defaults and constraint rules. Owns every option.
class OptionModel {
public:
    OptionModel() = default;
    ~OptionModel();
    OptionModel(const OptionModel &) = delete;
    OptionModel &operator=(const OptionModel &) = delete;

    // Builds everything from an open PPD; the caller opens and closes it.
    // Whatever the model held before is dropped first.
    void loadFromPpd(ppd_file_t *ppd);

    jOption *findOption(const QString &key) const;
    // The option of `key` and its first choice of `choiceKey`; a null ref
    // when either is missing.
    ChoiceRef findChoiceRef(const QString &key, const QString &choiceKey) const;
    void markChoiceByKey(const QString &key, const QString &choiceKey);
    // Every option, in the order the options were added (PPD order, then
    // the panel's own), so that passes over all options are reproducible.
    QList<jOption *> allOptions() const;
    QList<jOption *> installableOptions() const;
    // Inserts by key, taking ownership. An option of the same key is replaced
    // and freed: the rules that named its choices and its PPD default go
    // with it.
    void addOption(jOption *option);
    void setPriority(const QString &key, int priority);
    void addConflict(const QString &keyA, const QString &choiceA,
                     const QString &keyB, const QString &choiceB);
    // The same for two resolved refs (both must belong to this model).
    void addConflict(const ChoiceRef &a, const ChoiceRef &b);
    void addGroup(const QList<QPair<QString, QString>> &entries);
    // The same for resolved refs; dropped unless there are three and each
    // names an option and a choice.
    void addGroupRefs(QVector<ChoiceRef> refs);
    void unmarkAll();
    // Deletes every option and resets names, flags and defaults.
    void clear();

    // While loading: the model's option and choice for an option and choice
    // keyword. Keywords of the PPD being read are found without building
    // strings; other keys (the panel's own) by name. A null ref when either
    // is missing.
    ChoiceRef findPpdChoice(ppd_file_t *ppd, const char *option, const char *choice) const;

    QHash<QString, QString> ppdDefaults() const { return m_ppdDefaults; }
    QString printerName() const { return m_printerName; }
    void setPrinterName(const QString &name) { m_printerName = name; }
    QString modelName() const { return m_modelName; }
    bool hasRasterOrPdfFilter() const { return m_rasterOrPdfFilter; }
    bool hasJpslFilter() const { return m_jpslFilter; }

private:
    void readFilters(ppd_file_t *ppd);
    void readPpdOptions(ppd_file_t *ppd);
    void markDefaults();

    bool m_rasterOrPdfFilter = false;
    bool m_jpslFilter = false;
    QString m_printerName;
    QString m_modelName;
    QHash<QString, jOption *> m_options;
    QList<jOption *> m_optionOrder;
    // while loading: PPD keyword (pointing into the open PPD) -> the PPD
    // option read and its jOption
    QHash<QLatin1String, QPair<const ppd_option_t *, jOption *>> m_ppdOptionIndex;
    QHash<QString, QString> m_ppdDefaults;
};
