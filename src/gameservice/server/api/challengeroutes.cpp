#include "challengeroutes.h"

#include "apierror.h"
#include "bodyreader.h"
#include "requestcontext.h"
#include "validation.h"

namespace kestrune::server {

namespace {

nlohmann::json challengeJson(const ChallengeRecord &challenge)
{
    return {{"id", challenge.id},
            {"from", {{"playerId", challenge.fromPlayerId}, {"displayName", challenge.fromDisplayName}}},
            {"to", challenge.toPlayerId},
            {"leaderboard", challenge.leaderboard},
            {"score", challenge.value},
            {"message", challenge.message},
            {"sentAt", challenge.sentAt}};
}

} // namespace

void ChallengeRoutes::addTo(RouteTable &table)
{
    table.add({"POST", "/v1/challenges", Access::Player, true, send});
    table.add({"GET", "/v1/challenges", Access::Player, false, received});
    table.add({"DELETE", "/v1/challenges/{id}", Access::Player, false, dismiss});
}

void ChallengeRoutes::send(RequestContext &context)
{
    BodyReader body(context.body());
    ChallengeRecord challenge;
    challenge.toPlayerId = body.string("to");
    const std::string leaderboard = body.string("leaderboard");
    challenge.value = body.integer("score");
    challenge.message = body.optionalString("message").value_or(std::string());
    body.finish();
    validation::identifier(challenge.toPlayerId, "receiver's player id");
    const auto &board = validation::leaderboard(leaderboard);
    validation::score(board, challenge.value);
    validation::message(challenge.message);

    const PlayerRecord &me = context.player();
    if (challenge.toPlayerId == me.id)
        throw ApiError::badRequest(errc::invalidRecipient, "A challenge goes to another player, not to oneself.");
    const auto receiver = context.store([&](Store &store) { return store.player(challenge.toPlayerId); });
    if (!receiver)
        throw ApiError(404, errc::unknownPlayer, "There is no player \"" + challenge.toPlayerId + "\".");

    challenge.fromPlayerId = me.id;
    challenge.leaderboard = board.identifier;
    challenge.sentAt = context.now();
    ChallengeRecord sent = context.store([&](Store &store) { return store.sendChallenge(challenge); });
    sent.fromDisplayName = me.displayName;
    context.reply(201, challengeJson(sent));
}

void ChallengeRoutes::received(RequestContext &context)
{
    const auto challenges = context.store([&](Store &store) { return store.receivedChallenges(context.player().id); });
    nlohmann::json list = nlohmann::json::array();
    for (const ChallengeRecord &challenge : challenges)
        list.push_back(challengeJson(challenge));
    context.reply(200, {{"challenges", list}});
}

void ChallengeRoutes::dismiss(RequestContext &context)
{
    const std::string &id = context.argument(0);
    validation::identifier(id, "challenge id");
    if (!context.store([&](Store &store) { return store.dismissChallenge(context.player().id, id); }))
        throw ApiError(404, errc::unknownChallenge, "You have no challenge \"" + id + "\".");
    context.reply(200, {{"id", id}, {"dismissed", true}});
}

} // namespace kestrune::server
