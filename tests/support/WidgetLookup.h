#pragma once
#include <QList>
#include <QString>
#include <QTableWidget>
#include <QWidget>

// The first child of `root` of type T whose accessible name is `name`.
template <typename T>
T *findByName(QWidget *root, const QString &name)
{
    const QList<T *> widgets = root->findChildren<T *>();
    for (T *widget : widgets) {
        if (widget->accessibleName() == name)
            return widget;
    }
    return nullptr;
}

// The row whose first cell reads `text` (a queue of the printer table), or -1.
inline int rowOf(QTableWidget *table, const QString &text)
{
    for (int row = 0; row < table->rowCount(); ++row) {
        if (table->item(row, 0) && table->item(row, 0)->text() == text)
            return row;
    }
    return -1;
}
