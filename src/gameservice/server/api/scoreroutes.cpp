#include "scoreroutes.h"

#include "bodyreader.h"
#include "requestcontext.h"
#include "validation.h"

namespace kestrune::server {

namespace {

nlohmann::json rowJson(const RankedScore &row)
{
    return {{"rank", row.rank},
            {"playerId", row.playerId},
            {"displayName", row.displayName},
            {"score", row.value},
            {"reportedAt", row.reportedAt}};
}

nlohmann::json rowsJson(const std::vector<RankedScore> &rows)
{
    nlohmann::json list = nlohmann::json::array();
    for (const RankedScore &row : rows)
        list.push_back(rowJson(row));
    return list;
}

} // namespace

void ScoreRoutes::addTo(RouteTable &table)
{
    table.add({"GET", "/v1/leaderboards", Access::Anyone, false, list});
    table.add({"POST", reportPattern, Access::Player, true, report});
    table.add({"GET", topPattern, Access::OptionalPlayer, false, top, true});
    table.add({"GET", "/v1/leaderboards/{id}/around-me", Access::Player, false, aroundMe, true});
}

void ScoreRoutes::list(RequestContext &context)
{
    nlohmann::json boards = nlohmann::json::array();
    for (const auto &board : catalogue::leaderboards()) {
        boards.push_back({{"id", board.identifier},
                          {"title", board.title},
                          {"minScore", board.minScore},
                          {"maxScore", board.maxScore},
                          {"higherIsBetter", board.higherIsBetter}});
    }
    context.reply(200, {{"leaderboards", boards}});
}

void ScoreRoutes::report(RequestContext &context)
{
    const auto &board = validation::leaderboard(context.argument(0));
    BodyReader body(context.body());
    const std::int64_t value = body.integer("score");
    const auto reportId = body.optionalString("reportId");
    body.finish();
    validation::score(board, value);
    if (reportId)
        validation::reportId(*reportId);

    const ScoreReport report{context.player().id, std::string(board.identifier), value, context.now(),
                             reportId.value_or(std::string())};
    const ScoreOutcome outcome = context.store([&](Store &store) { return store.reportScore(report); });
    nlohmann::json answer = {{"leaderboard", board.identifier}, {"score", value}, {"duplicate", outcome.duplicate}};
    if (reportId)
        answer["reportId"] = *reportId;
    context.reply(outcome.duplicate ? 200 : 201, answer);
}

TopCache::Key ScoreRoutes::topKey(RequestContext &context)
{
    const auto &board = validation::leaderboard(context.argument(0));
    const Scope scope = context.query().scope();
    const int limit = context.query().integer("limit", defaultLimit, 1, maxLimit);
    context.query().finish();
    return TopCache::Key{std::string(board.identifier), scope, periodOf(scope, context.now()), limit};
}

void ScoreRoutes::top(RequestContext &context)
{
    const TopCache::Key key = topKey(context);
    const std::string &id = key.leaderboard;
    const Scope scope = key.scope;
    const int limit = key.limit;
    // The caller's own row makes an answer personal: only anonymous ones are kept.
    TopCache *const cache = context.caller() ? nullptr : context.topCache();
    if (cache) {
        if (const auto body = cache->find(key))
            return context.replyText(200, *body);
    }
    const TopCache::Stamp stamp = cache ? cache->stamp(id) : TopCache::Stamp{};

    const auto rows = context.store([&](Store &store) { return store.topScores(id, scope, context.now(), limit); });
    const auto count = context.store([&](Store &store) { return store.entryCount(id, scope, context.now()); });
    nlohmann::json answer = {
        {"leaderboard", id}, {"scope", scopeName(scope)}, {"entryCount", count}, {"entries", rowsJson(rows)}};
    if (const PlayerRecord *caller = context.caller()) {
        const auto mine =
            context.store([&](Store &store) { return store.playerScore(id, scope, context.now(), caller->id); });
        answer["me"] = mine ? rowJson(*mine) : nlohmann::json(nullptr);
    }
    std::string body = toJsonText(answer);
    if (cache)
        cache->put(key, stamp, body);
    context.replyText(200, std::move(body));
}

void ScoreRoutes::aroundMe(RequestContext &context)
{
    const auto &board = validation::leaderboard(context.argument(0));
    const Scope scope = context.query().scope();
    const int radius = context.query().integer("radius", defaultRadius, 0, maxRadius);
    context.query().finish();

    const std::string id(board.identifier);
    const std::string &me = context.player().id;
    const auto rows =
        context.store([&](Store &store) { return store.aroundPlayer(id, scope, context.now(), me, radius); });
    const auto count = context.store([&](Store &store) { return store.entryCount(id, scope, context.now()); });
    context.reply(
        200, {{"leaderboard", id}, {"scope", scopeName(scope)}, {"entryCount", count}, {"entries", rowsJson(rows)}});
}

} // namespace kestrune::server
