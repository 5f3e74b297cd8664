#pragma once

#include <QString>

namespace kestrune {

class KeyValueStore;

// Where the player keeps the game service: "local" (this computer, the
// default) or a server's normalised address. The player's choice (made as
// they sign in) is a setting; the command line picks a place for one run
// and leaves the setting alone, so a start without it plays as before.
class ServiceLocation
{
public:
    static inline const char *const settingKey = "gameServiceLocation";
    static inline const QString local = QStringLiteral("local");

    // The place to use now: `requested` when given, otherwise the
    // setting; a setting that is no address is local.
    static QString choose(KeyValueStore &settings, const QString &requested);
    static void remember(KeyValueStore &settings, const QString &location);

    ServiceLocation() = delete;
};

} // namespace kestrune
