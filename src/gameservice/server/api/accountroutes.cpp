#include "accountroutes.h"

#include "apierror.h"
#include "bodyreader.h"
#include "requestcontext.h"
#include "validation.h"

namespace kestrune::server {

namespace {

nlohmann::json playerJson(const PlayerRecord &player)
{
    return {{"playerId", player.id}, {"displayName", player.displayName}};
}

// The answer that hands out secrets: it must not be kept by any cache.
void replyWithSecrets(RequestContext &context, int status, const PlayerRecord &player, const std::string &token,
                      const std::string &recoveryCode)
{
    nlohmann::json body = playerJson(player);
    body["token"] = token;
    body["recoveryCode"] = recoveryCode;
    context.addHeader("Cache-Control", "no-store");
    context.reply(status, body);
}

} // namespace

AccountRoutes::AccountRoutes(const Secrets &secrets)
    : m_secrets(secrets)
{
}

void AccountRoutes::addTo(RouteTable &table)
{
    table.add({"POST", "/v1/accounts", Access::Anyone, true, [this](RequestContext &c) { create(c); }});
    table.add({"GET", "/v1/accounts/me", Access::Player, false, [this](RequestContext &c) { me(c); }});
    table.add({"PATCH", "/v1/accounts/me", Access::Player, true, [this](RequestContext &c) { rename(c); }});
    table.add({"POST", "/v1/accounts/recover", Access::Anyone, true, [this](RequestContext &c) { recover(c); }});
    table.add({"GET", "/v1/players/{playerId}", Access::Anyone, false, [this](RequestContext &c) { profile(c); }});
}

void AccountRoutes::create(RequestContext &context)
{
    BodyReader body(context.body());
    const std::string name = body.string("displayName");
    body.finish();
    validation::displayName(name);

    const std::string token = m_secrets.newToken();
    const std::string code = m_secrets.newRecoveryCode();
    const PlayerRecord player = context.store([&](Store &store) {
        return store.createPlayer(name, Secrets::hash(token), Secrets::hash(*Secrets::canonicalRecoveryCode(code)),
                                  context.now());
    });
    context.setCaller(player);
    replyWithSecrets(context, 201, player, token, code);
}

void AccountRoutes::me(RequestContext &context)
{
    context.reply(200, playerJson(context.player()));
}

void AccountRoutes::rename(RequestContext &context)
{
    BodyReader body(context.body());
    const std::string name = body.string("displayName");
    body.finish();
    validation::displayName(name);

    const std::string &id = context.player().id;
    if (!context.store([&](Store &store) { return store.renamePlayer(id, name); }))
        throw ApiError(401, errc::invalidToken, "The token does not belong to a player.");
    context.reply(200, playerJson({id, name}));
}

void AccountRoutes::recover(RequestContext &context)
{
    BodyReader body(context.body());
    const std::string typed = body.string("recoveryCode");
    body.finish();
    const auto oldCode = Secrets::canonicalRecoveryCode(typed);
    if (!oldCode) {
        throw ApiError::badRequest(errc::invalidRecoveryCode,
                                   "A recovery code is 28 letters and digits, in groups of four.");
    }

    const std::string token = m_secrets.newToken();
    const std::string code = m_secrets.newRecoveryCode();
    const auto player = context.store([&](Store &store) {
        return store.recoverPlayer(Secrets::hash(*oldCode), Secrets::hash(token),
                                   Secrets::hash(*Secrets::canonicalRecoveryCode(code)));
    });
    if (!player)
        throw ApiError(401, errc::unknownRecoveryCode, "That recovery code does not open any account.");
    context.setCaller(*player);
    replyWithSecrets(context, 200, *player, token, code);
}

void AccountRoutes::profile(RequestContext &context)
{
    const std::string &id = context.argument(0);
    validation::identifier(id, "player id");
    const auto player = context.store([&](Store &store) { return store.player(id); });
    if (!player)
        throw ApiError(404, errc::unknownPlayer, "There is no player \"" + id + "\".");
    context.reply(200, playerJson(*player));
}

} // namespace kestrune::server
