#pragma once

#include "leaderboard.h"

#include <QString>

#include <vector>

namespace kestrune {

// What a game has registered with the service: its leaderboards and the
// titles and descriptions of its achievements, in display order.
struct ServiceCatalogue
{
    struct AchievementDescription
    {
        QString identifier;
        QString title;
        QString description;
    };

    std::vector<Leaderboard> leaderboards;
    std::vector<AchievementDescription> achievements;

    // A description for any identifier: the identifier itself when unknown.
    AchievementDescription achievement(const QString &identifier) const
    {
        for (const AchievementDescription &a : achievements) {
            if (a.identifier == identifier)
                return a;
        }
        return {identifier, identifier, {}};
    }
};

} // namespace kestrune
