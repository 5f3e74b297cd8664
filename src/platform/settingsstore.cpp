#include "settingsstore.h"

#include "apppaths.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>

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
    : m_settings(AppPaths::isDataFolderOverridden()
                     ? std::make_unique<QSettings>(QDir(AppPaths::dataFolder()).filePath(QStringLiteral("settings.conf")),
                                                   QSettings::NativeFormat)
                     : std::make_unique<QSettings>())
{
}

SettingsStore::SettingsStore(const QString &fileName)
    : m_settings(std::make_unique<QSettings>(fileName, QSettings::NativeFormat))
{
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
    m_settings->sync();
    switch (m_settings->status()) {
    case QSettings::NoError:
        m_lastError.clear();
        return true;
    case QSettings::AccessError:
        m_lastError = QStringLiteral("cannot write the settings file %1").arg(fileName());
        break;
    case QSettings::FormatError:
        m_lastError = QStringLiteral("the settings file %1 is corrupt; it will be rewritten").arg(fileName());
        break;
    }
    qWarning().noquote() << "Settings:" << m_lastError;
    return false;
}

QString SettingsStore::fileName() const
{
    return m_settings->fileName();
}

} // namespace kestrune
