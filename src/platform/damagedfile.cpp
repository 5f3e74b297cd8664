#include "damagedfile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace kestrune {

namespace {

// The plain ".corrupt" came first; the others carry the time they were made.
qint64 ageOrder(const QString &name, const QString &plain)
{
    if (name == plain)
        return -1;
    return name.mid(plain.size() + 1).toLongLong();
}

// Oldest first.
QStringList sortedCopies(const QDir &folder, const QString &plain)
{
    QStringList copies = folder.entryList({plain, plain + QStringLiteral("-*")}, QDir::Files | QDir::Hidden);
    std::sort(copies.begin(), copies.end(),
              [&](const QString &a, const QString &b) { return ageOrder(a, plain) < ageOrder(b, plain); });
    return copies;
}

} // namespace

QString DamagedFile::setAside(const QString &fileName)
{
    const QFileInfo target(fileName);
    const QString plain = target.fileName() + QStringLiteral(".corrupt");
    QDir folder = target.absoluteDir();

    const QStringList copies = sortedCopies(folder, plain);
    // Each new name sorts after every existing one, even when the clock went back.
    QString name = plain;
    if (!copies.isEmpty())
        name += QLatin1Char('-')
                + QString::number(std::max(QDateTime::currentMSecsSinceEpoch(), ageOrder(copies.last(), plain) + 1));
    const QString aside = folder.filePath(name);
    if (!QFile::rename(fileName, aside))
        return {};
    return aside;
}

void DamagedFile::removeOldCopies(const QString &fileName)
{
    const QFileInfo target(fileName);
    const QString plain = target.fileName() + QStringLiteral(".corrupt");
    QDir folder = target.absoluteDir();
    const QStringList copies = sortedCopies(folder, plain);
    for (qsizetype i = 0; i + kept < copies.size(); ++i)
        folder.remove(copies[i]);
}

} // namespace kestrune
