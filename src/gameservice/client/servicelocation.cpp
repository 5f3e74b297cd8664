#include "servicelocation.h"

#include "game/keyvaluestore.h"
#include "gameservice/network/serveraddress.h"

#include <QDebug>

namespace kestrune {

QString ServiceLocation::choose(KeyValueStore &settings, const QString &requested)
{
    if (!requested.isEmpty())
        return requested;
    const QString stored = QString::fromStdString(settings.string(settingKey).value_or(std::string()));
    if (stored.isEmpty() || stored == local)
        return local;
    QString problem;
    if (const auto address = ServerAddress::normalise(stored, &problem))
        return *address;
    // Edited by hand, perhaps: the game plays on, on this computer.
    qWarning().noquote() << "Game service: the setting" << settingKey << "is no server address (" + problem
                                                                                + "); using this computer";
    return local;
}

void ServiceLocation::remember(KeyValueStore &settings, const QString &location)
{
    settings.setString(settingKey, location.toStdString());
}

} // namespace kestrune
