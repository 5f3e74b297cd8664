#pragma once

#include <QCoreApplication>
#include <QString>

#include <optional>

namespace kestrune {

// The address of a Kestrune server as a player types it: "http://host:port"
// or "https://host", without path, query, fragment or credentials; a bare
// "host:port" means https. normalise() gives the one spelling both the
// settings and the account file use, or nothing with a reason for people.
class ServerAddress
{
    Q_DECLARE_TR_FUNCTIONS(ServerAddress)

public:
    static std::optional<QString> normalise(const QString &text, QString *problem);

    ServerAddress() = delete;
};

} // namespace kestrune
