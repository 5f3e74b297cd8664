#include "apppaths.h"

#include <QDebug>
#include <QDir>
#include <QMutex>
#include <QStandardPaths>

namespace kestrune {

namespace {
QMutex mutex;
QString overridden;
} // namespace

QString AppPaths::dataFolder()
{
    QMutexLocker lock(&mutex);
    if (!overridden.isEmpty())
        return overridden;
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

void AppPaths::setDataFolder(const QString &folder)
{
    QMutexLocker lock(&mutex);
    overridden = folder.isEmpty() ? QString() : QDir(folder).absolutePath();
}

bool AppPaths::isDataFolderOverridden()
{
    QMutexLocker lock(&mutex);
    return !overridden.isEmpty();
}

QString AppPaths::ensureDataFolder()
{
    const QString folder = dataFolder();
    if (!QDir().mkpath(folder)) {
        qWarning().noquote() << "Cannot create the data folder" << folder;
        return {};
    }
    return folder;
}

} // namespace kestrune
