#pragma once
#include <QList>
#include <QString>
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
