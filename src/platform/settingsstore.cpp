#include "settingsstore.h"

#include "apppaths.h"
#include "safefilewriter.h"
#include "settingsformat.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStorageInfo>

#include <cerrno>
#include <charconv>

namespace kestrune {

namespace {

QString qKey(const std::string &key)
{
    return QString::fromStdString(key);
}

std::optional<std::int64_t> parseInteger(const QString &text)
{
    const std::string s = text.trimmed().toStdString();
    std::int64_t value = 0;
    const char *begin = s.data();
    const char *end = s.data() + s.size();
    if (begin != end && *begin == '+')
        ++begin;
    auto [ptr, ec] = std::from_chars(begin, end, value);
    if (ec != std::errc() || ptr != end || begin == end)
        return std::nullopt;
    return value;
}

} // namespace

SettingsStore::SettingsStore()
    : SettingsStore(AppPaths::isDataFolderOverridden()
                        ? Factory([file = QDir(AppPaths::dataFolder()).filePath(QStringLiteral("settings.conf"))] {
                              return std::make_unique<QSettings>(file, SettingsFormat::format());
                          })
                        : Factory([] {
                              return std::make_unique<QSettings>(SettingsFormat::format(), QSettings::UserScope,
                                                                 QCoreApplication::organizationName(),
                                                                 QCoreApplication::applicationName());
                          }))
{
}

SettingsStore::SettingsStore(const QString &fileName)
    : SettingsStore(Factory([fileName] { return std::make_unique<QSettings>(fileName, SettingsFormat::format()); }))
{
}

SettingsStore::SettingsStore(Factory factory)
    : m_factory(std::move(factory))
    , m_settings(m_factory())
{
    // Only this file counts; values from system-wide files would be copied
    // into it when a failed write makes us start over (see synchronize()).
    m_settings->setFallbacksEnabled(false);
    SafeFileWriter::removeStaleTemporaries(m_settings->fileName());
}

bool SettingsStore::contains(const std::string &key) const
{
    return m_settings->contains(qKey(key));
}

std::optional<std::int64_t> SettingsStore::integer(const std::string &key) const
{
    const QVariant v = m_settings->value(qKey(key));
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
        return v.toLongLong();
    case QMetaType::ULongLong:
        if (v.toULongLong() > static_cast<qulonglong>(std::numeric_limits<qint64>::max()))
            return std::nullopt;
        return v.toLongLong();
    case QMetaType::QString:
        return parseInteger(v.toString());
    default:
        return std::nullopt;
    }
}

std::optional<std::string> SettingsStore::string(const std::string &key) const
{
    const QVariant v = m_settings->value(qKey(key));
    if (v.typeId() != QMetaType::QString)
        return std::nullopt;
    return v.toString().toStdString();
}

std::optional<bool> SettingsStore::boolean(const std::string &key) const
{
    const QVariant v = m_settings->value(qKey(key));
    if (v.typeId() == QMetaType::Bool)
        return v.toBool();
    if (v.typeId() == QMetaType::QString) {
        const QString text = v.toString().trimmed().toLower();
        if (text == u"true")
            return true;
        if (text == u"false")
            return false;
    }
    return std::nullopt;
}

std::vector<std::string> SettingsStore::keys() const
{
    const QStringList all = m_settings->allKeys();
    std::vector<std::string> result;
    result.reserve(std::size_t(all.size()));
    for (const QString &key : all)
        result.push_back(key.toStdString());
    return result;
}

void SettingsStore::setInteger(const std::string &key, std::int64_t value)
{
    m_settings->setValue(qKey(key), QVariant::fromValue<qlonglong>(value));
}

void SettingsStore::setString(const std::string &key, const std::string &value)
{
    m_settings->setValue(qKey(key), QString::fromStdString(value));
}

void SettingsStore::setBoolean(const std::string &key, bool value)
{
    m_settings->setValue(qKey(key), value);
}

void SettingsStore::remove(const std::string &key)
{
    m_settings->remove(qKey(key));
}

bool SettingsStore::synchronize()
{
    removeDeadLock();
    const QString before = m_lastError;
    if (!before.isEmpty())
        startOver();
    m_settings->sync();
    // Written now: the automatic write QSettings asked its thread's event
    // loop for has nothing left to do, and a thread without a loop (the
    // writer behind BackgroundSyncStore) would keep the request for good.
    QCoreApplication::removePostedEvents(m_settings.get(), QEvent::UpdateRequest);
    switch (m_settings->status()) {
    case QSettings::NoError:
        m_lastError.clear();
        m_failure = Failure::none;
        if (!before.isEmpty())
            qWarning().noquote() << "Settings: the settings file" << fileName() << "is written again";
        return true;
    case QSettings::AccessError:
        m_failure = failureOfWrite();
        m_lastError =
            QStringLiteral("cannot write the settings file %1%2; the previous file is kept")
                .arg(fileName(), m_failure == Failure::diskFull ? QStringLiteral(" (the disk is full)") : QString());
        break;
    case QSettings::FormatError:
        m_failure = Failure::other;
        m_lastError = QStringLiteral("the settings file %1 is corrupt; it will be rewritten").arg(fileName());
        break;
    }
    // Once when it starts failing, not at every write of a game's statistics.
    if (before != m_lastError)
        qWarning().noquote() << "Settings:" << m_lastError << "- further failures are not reported";
    return false;
}

KeyValueStore::Failure SettingsStore::failureOfWrite() const
{
    switch (SettingsFormat::lastWriteError()) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG: // a file-size limit stops the player's saves just the same
        return Failure::diskFull;
    default:
        break;
    }
    // The write may have failed before a byte was written (no room for the
    // temporary file): the folder's free space tells.
    const QStorageInfo volume(QFileInfo(fileName()).absolutePath());
    if (volume.isValid() && volume.bytesAvailable() == 0)
        return Failure::diskFull;
    return Failure::other;
}

void SettingsStore::startOver()
{
    // QSettings keeps its first error for good, so a later good write could
    // not be told from a bad one. A fresh object takes over, holding the
    // values that are not on disk yet, and writes them at the next sync.
    auto fresh = m_factory();
    fresh->setFallbacksEnabled(false);
    const QStringList keys = m_settings->allKeys();
    for (const QString &key : fresh->allKeys()) {
        if (!keys.contains(key))
            fresh->remove(key);
    }
    for (const QString &key : keys)
        fresh->setValue(key, m_settings->value(key));
    m_settings = std::move(fresh);
}

void SettingsStore::removeDeadLock()
{
    // QSettings waits for its lock file until it is 30 s old. One that names
    // no owner (empty or garbled, left by a crash) has nobody to wait for; a
    // lock of a process that has died is cleared by QLockFile itself.
    const QString lockName = fileName() + QStringLiteral(".lock");
    if (!QFileInfo::exists(lockName))
        return;
    qint64 pid = 0;
    QString host;
    QString application;
    if (QLockFile(lockName).getLockInfo(&pid, &host, &application))
        return;
    if (QFile::remove(lockName))
        qWarning().noquote() << "Settings: removed the lock" << lockName << "that names no owner";
}

QString SettingsStore::fileName() const
{
    return m_settings->fileName();
}

} // namespace kestrune
