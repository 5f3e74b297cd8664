#include "gameserviceavailabilitystate.h"

namespace kestrune {

namespace {
QVariantMap titled(const char *title, const char *message)
{
    return {{QStringLiteral("title"), QString::fromUtf8(title)},
            {QStringLiteral("message"), QString::fromUtf8(message)}};
}
} // namespace

QVariantMap availabilityDictionary(GameServiceAvailabilityState state)
{
    switch (state) {
    case GameServiceAvailabilityState::unavailable:
        return titled("GameService Unavailable",
                      "Game service framework not available on this device. The game service needs a system that "
                      "provides it, and some devices may have it turned off.");
    case GameServiceAvailabilityState::internetUnavailable:
        return titled("Internet Unavailable",
                      "Cannot connect to the internet. Connect to the internet to establish a connection with "
                      "GameService. Achievements and scores will still be saved locally and then uploaded later.");
    case GameServiceAvailabilityState::noPlayer:
        return titled("No Player", "Player is not yet signed into GameService. Please prompt the player using the "
                                   "authenticateUser delegate method.");
    case GameServiceAvailabilityState::notAuthenticated:
        return titled("Player not Authenticated",
                      "Player is not signed into GameService, has declined to sign into GameService, or the game "
                      "service had an issue validating this game / app.");
    case GameServiceAvailabilityState::available:
        return {{QStringLiteral("status"), QStringLiteral("GameService Available")}};
    }
    return {};
}

} // namespace kestrune
