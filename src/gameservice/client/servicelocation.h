#pragma once

#include <QString>

namespace kestrune {

class KeyValueStore;

// Where the player keeps the game service: "local" (this computer, the
// default) or a server's normalised address. The choice is a setting; a
// choice made for one start (the command line) becomes the setting, so the
// next start goes to the same place.
class ServiceLocation
{
public:
    static inline const char *const settingKey = "gameServiceLocation";
    static inline const QString local = QStringLiteral("local");

    // The place to use now: `requested` when given (and then kept),
    // otherwise the setting; a setting that is no address is local.
    static QString choose(KeyValueStore &settings, const QString &requested);
    static void remember(KeyValueStore &settings, const QString &location);

    ServiceLocation() = delete;
};

} // namespace kestrune
