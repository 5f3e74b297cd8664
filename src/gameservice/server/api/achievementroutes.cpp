#include "achievementroutes.h"

#include "bodyreader.h"
#include "requestcontext.h"
#include "validation.h"

#include <algorithm>

namespace kestrune::server {

void AchievementRoutes::addTo(RouteTable &table)
{
    table.add({"GET", "/v1/achievements", Access::OptionalPlayer, false, list});
    table.add({"POST", "/v1/achievements/reset", Access::Player, false, reset});
    table.add({"POST", "/v1/achievements/{id}/progress", Access::Player, true, report});
}

void AchievementRoutes::list(RequestContext &context)
{
    std::vector<AchievementRecord> progress;
    if (const PlayerRecord *caller = context.caller())
        progress = context.store([&](Store &store) { return store.achievements(caller->id); });

    // Stored progress on an achievement the catalogue no longer has is not shown.
    nlohmann::json list = nlohmann::json::array();
    for (const auto &definition : catalogue::achievements()) {
        nlohmann::json item = {
            {"id", definition.identifier}, {"title", definition.title}, {"description", definition.description}};
        if (context.caller()) {
            const auto it = std::find_if(progress.begin(), progress.end(), [&](const auto &record) {
                return record.identifier == definition.identifier;
            });
            const double percent = it == progress.end() ? 0.0 : it->percent;
            item["percent"] = percent;
            item["completed"] = percent >= 100;
            item["updatedAt"] = it == progress.end() ? nlohmann::json(nullptr) : nlohmann::json(it->updatedAt);
        }
        list.push_back(std::move(item));
    }
    context.reply(200, {{"achievements", list}});
}

void AchievementRoutes::report(RequestContext &context)
{
    const auto &definition = validation::achievement(context.argument(0));
    BodyReader body(context.body());
    const double percent = body.number("percent");
    body.finish();
    validation::percent(percent);

    const std::string id(definition.identifier);
    const AchievementOutcome outcome = context.store(
        [&](Store &store) { return store.reportAchievement(context.player().id, id, percent, context.now()); });
    context.reply(200, {{"id", id},
                        {"percent", outcome.percent},
                        {"completed", outcome.percent >= 100},
                        {"completedNow", outcome.completedNow}});
}

void AchievementRoutes::reset(RequestContext &context)
{
    context.store([&](Store &store) { store.resetAchievements(context.player().id); });
    context.reply(200, {{"reset", true}});
}

} // namespace kestrune::server
