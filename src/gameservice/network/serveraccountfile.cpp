#include "serveraccountfile.h"

#include "platform/safefilewriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kestrune {

namespace {
const QString serverKey = QStringLiteral("server");
const QString playerKey = QStringLiteral("playerId");
const QString nameKey = QStringLiteral("displayName");
const QString tokenKey = QStringLiteral("token");

// Creates the file empty with the owner's permissions alone unless it
// exists: the atomic writer keeps the permissions of the file it replaces,
// so the token is never readable by others, not even for a moment.
bool createPrivately(const QString &fileName, QString *error)
{
    QDir().mkpath(QFileInfo(fileName).absolutePath());
    const QByteArray path = QFile::encodeName(fileName);
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_CLOEXEC, S_IRUSR | S_IWUSR);
    if (fd < 0) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(fileName, QString::fromLocal8Bit(strerror(errno)));
        return false;
    }
    // An older file may have been made with wider permissions.
    const bool narrowed = ::fchmod(fd, S_IRUSR | S_IWUSR) == 0;
    ::close(fd);
    if (!narrowed && error)
        *error = QStringLiteral("%1: its permissions could not be narrowed to the owner's").arg(fileName);
    return narrowed;
}
} // namespace

ServerAccountFile::ServerAccountFile(QString fileName)
    : m_fileName(std::move(fileName))
{
}

std::optional<ServerAccount> ServerAccountFile::load(QString *problem) const
{
    std::lock_guard lock(m_mutex);
    QFile file(m_fileName);
    if (!file.exists())
        return std::nullopt;
    auto fail = [&](const QString &why) -> std::optional<ServerAccount> {
        if (problem)
            *problem = QStringLiteral("%1: %2").arg(m_fileName, why);
        return std::nullopt;
    };
    if (!file.open(QIODevice::ReadOnly))
        return fail(file.errorString());
    const QByteArray bytes = file.readAll();
    if (bytes.isEmpty())
        return std::nullopt; // created, never written: a write was cut short
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
    if (!document.isObject())
        return fail(QStringLiteral("not an account (%1)").arg(parseError.errorString()));
    const QJsonObject object = document.object();
    ServerAccount account{object.value(serverKey).toString(), object.value(playerKey).toString(),
                          object.value(nameKey).toString(), object.value(tokenKey).toString()};
    if (account.server.isEmpty() || account.playerID.isEmpty() || account.token.isEmpty())
        return fail(QStringLiteral("the account lacks its server, player or token"));
    return account;
}

bool ServerAccountFile::save(const ServerAccount &account, QString *error)
{
    std::lock_guard lock(m_mutex);
    if (!createPrivately(m_fileName, error))
        return false;
    const QJsonObject object{{serverKey, account.server},
                             {playerKey, account.playerID},
                             {nameKey, account.displayName},
                             {tokenKey, account.token}};
    return SafeFileWriter::replaceFile(m_fileName, QJsonDocument(object).toJson(QJsonDocument::Indented), error);
}

bool ServerAccountFile::remove(QString *error)
{
    std::lock_guard lock(m_mutex);
    QFile file(m_fileName);
    if (!file.exists() || file.remove())
        return true;
    if (error)
        *error = QStringLiteral("%1: %2").arg(m_fileName, file.errorString());
    return false;
}

bool ServerAccountFile::setAside(QString *error)
{
    std::lock_guard lock(m_mutex);
    const QString aside = m_fileName + QStringLiteral(".revoked");
    if (!QFile::exists(m_fileName))
        return true;
    QFile::remove(aside);
    if (QFile::rename(m_fileName, aside))
        return true;
    if (error)
        *error = QStringLiteral("%1 could not be set aside").arg(m_fileName);
    return false;
}

} // namespace kestrune
