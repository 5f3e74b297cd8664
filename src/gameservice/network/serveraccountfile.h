#pragma once

#include <QString>

#include <mutex>
#include <optional>

namespace kestrune {

// The account this device holds on a server: who, and the token that
// proves it.
struct ServerAccount
{
    QString server; // the server's address, as the player chose it
    QString playerID;
    QString displayName;
    QString token;

    friend bool operator==(const ServerAccount &, const ServerAccount &) = default;
};

// The account kept in a file of the data folder (JSON), readable and
// writable by the user alone: the token is a password. Written whole and
// atomically; a file that cannot be read is left in place for the player
// to look at, and counts as no account. Thread-safe.
class ServerAccountFile
{
public:
    explicit ServerAccountFile(QString fileName);

    QString fileName() const { return m_fileName; }

    // Nothing when there is no file or it cannot be read; `problem` then
    // says why for a file that exists.
    std::optional<ServerAccount> load(QString *problem = nullptr) const;
    bool save(const ServerAccount &account, QString *error);
    // Forgets the account; true when no file is left.
    bool remove(QString *error);
    // Moves the file aside ("<name>.revoked", replacing an older one), for
    // an account the server no longer knows; true when it is no longer in
    // the way.
    bool setAside(QString *error);

private:
    const QString m_fileName;
    mutable std::mutex m_mutex;
};

} // namespace kestrune
