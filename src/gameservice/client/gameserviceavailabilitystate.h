#pragma once

#include <QVariantMap>

namespace kestrune {

// Whether the game service can be used, as last announced by the manager.
enum class GameServiceAvailabilityState : int {
    unavailable = 0,         // the framework is not there
    internetUnavailable = 1, // no network path
    noPlayer = 2,            // the service handed over its sign-in screen
    notAuthenticated = 3,    // network, but nobody signed in
    available = 4,
};

// The notification the delegate receives on entering a state: "title" and
// "message" for states 0 to 3, only "status" for state 4.
QVariantMap availabilityDictionary(GameServiceAvailabilityState state);

} // namespace kestrune
