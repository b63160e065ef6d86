#include "model/ProcessState.h"
#include "model/OptionModel.h"

QString userDirectory;
QString currentSettingsFile;
QSet<QString> knownPrinters;
OptionModel *currentModel = nullptr;
bool settingsValid = false;

QString perUserDirectoryFor(const QByteArray &user)
{
    return QStringLiteral("/usr/share/jorvane/%1/").arg(QString::fromLocal8Bit(user));
}

QString computeUserDirectory()
{
    userDirectory = perUserDirectoryFor(qgetenv("USER"));
    return userDirectory;
}

void setCurrentModel(OptionModel *model)
{
    if (model == currentModel)
        return;
    OptionModel *previous = currentModel;
    currentModel = model;
    delete previous;
}
