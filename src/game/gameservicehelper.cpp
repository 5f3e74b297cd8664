#include "gameservicehelper.h"

#include "gameservicereporting.h"

#include <array>
#include <utility>

namespace kestrune {

namespace {

struct Step
{
    const char *identifier;
    double step; // 0: straight to 100
};

void stepAll(GameServiceReporting &service, std::initializer_list<Step> steps)
{
    // Read every progress before reporting any, so no report sees another's effect.
    std::array<double, 3> progress{};
    std::size_t i = 0;
    for (const Step &s : steps)
        progress[i++] = service.progressForAchievement(s.identifier);
    i = 0;
    for (const Step &s : steps) {
        const double current = progress[i++];
        if (current < 100.0)
            service.saveAndReportAchievement(s.identifier, s.step == 0 ? 100.0 : current + s.step, true);
    }
}

} // namespace

void GameServiceHelper::report(GameServiceReporting &service, AchievementEvent event)
{
    switch (event) {
    case AchievementEvent::gameWon:
        stepAll(service, {{"1won", 0}, {"50won", 2}, {"100won", 1}});
        break;
    case AchievementEvent::gamePlayed:
        stepAll(service, {{"50games", 2}, {"100games", 1}});
        break;
    case AchievementEvent::reallyStubborn:
        stepAll(service, {{"really_stubborn", 0}});
        break;
    case AchievementEvent::reallyFast:
        stepAll(service, {{"really_fast", 0}});
        break;
    case AchievementEvent::luckyBeggar:
        stepAll(service, {{"lucky_beggar", 0}});
        break;
    }
}

} // namespace kestrune
