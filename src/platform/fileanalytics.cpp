#include "fileanalytics.h"

#include "apppaths.h"

#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

namespace kestrune {

namespace {

QJsonValue toJson(const Analytics::Value &value)
{
    if (const auto *text = std::get_if<std::string>(&value))
        return QString::fromStdString(*text);
    if (const auto *integer = std::get_if<std::int64_t>(&value))
        return QJsonValue(static_cast<qint64>(*integer));
    return QJsonValue(std::get<double>(value));
}

} // namespace

FileAnalytics::FileAnalytics(QString fileName)
    : m_fileName(std::move(fileName))
{
}

void FileAnalytics::configure()
{
    if (m_fileName.isEmpty()) {
        const QString folder = AppPaths::ensureDataFolder();
        if (!folder.isEmpty())
            m_fileName = QDir(folder).filePath(QStringLiteral("analytics.jsonl"));
    } else {
        QDir().mkpath(QFileInfo(m_fileName).absolutePath());
    }
    m_configured = true;
}

void FileAnalytics::logEvent(const std::string &name, const std::optional<Parameters> &parameters)
{
    if (!isValidEventName(name)) {
        qWarning().noquote() << "Analytics: refused an event with the malformed name"
                             << QString::fromStdString(name).left(60);
        return;
    }
    if (!m_configured)
        configure();
    if (m_fileName.isEmpty())
        return;

    QJsonObject event{{"time", QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs)},
                      {"name", QString::fromStdString(name)}};
    if (parameters) {
        QJsonObject params;
        for (const auto &[key, value] : *parameters)
            params.insert(QString::fromStdString(key), toJson(value));
        event.insert("parameters", params);
    }

    if (!m_writer || m_writer->fileName() != m_fileName)
        m_writer.emplace(m_fileName, QStringLiteral("Analytics"));
    m_writer->append(QJsonDocument(event).toJson(QJsonDocument::Compact) + '\n');
}

} // namespace kestrune
