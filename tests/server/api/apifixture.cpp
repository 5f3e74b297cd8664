#include "apifixture.h"

#include "gameservice/server/store/sqlitestore.h"

#include <QTest>

namespace kestrune::server::test {

ApiFixture::ApiFixture()
    : m_store(std::make_unique<SqliteStore>(m_folder.filePath(QStringLiteral("api.db")).toStdString()))
    , m_checked(*m_store)
    , m_api(m_checked, [this] { return now; })
{
    m_api.cacheTopAnswers();
}

ApiResponse ApiFixture::send(const std::string &method, const std::string &target, const std::string &body,
                             const std::string &token, const std::string &contentType)
{
    ApiRequest request;
    request.method = method;
    request.target = target;
    request.authorization = token.empty() ? std::string() : "Bearer " + token;
    request.contentType = body.empty() ? std::string() : contentType;
    request.body = body;
    request.remoteAddress = "127.0.0.1";
    return m_api.handle(request);
}

Account ApiFixture::createAccount(const std::string &name)
{
    const ApiResponse response = post("/v1/accounts", {{"displayName", name}});
    if (response.status != 201) {
        QTest::qFail(qPrintable("creating an account answered " + QString::number(response.status)), __FILE__,
                     __LINE__);
        return {};
    }
    const nlohmann::json body = jsonOf(response);
    return {body["playerId"], body["token"], body["recoveryCode"]};
}

void ApiFixture::reportScore(const Account &account, std::int64_t score)
{
    const ApiResponse response = post("/v1/leaderboards/sp_leaderboard/scores", {{"score", score}}, account.token);
    if (response.status != 201)
        QTest::qFail(qPrintable("reporting a score answered " + QString::number(response.status)), __FILE__, __LINE__);
}

nlohmann::json jsonOf(const ApiResponse &response)
{
    return nlohmann::json::parse(response.body, nullptr, false);
}

QString errorCodeOf(const ApiResponse &response)
{
    const nlohmann::json body = jsonOf(response);
    if (!body.is_object() || !body.contains("error"))
        return {};
    return QString::fromStdString(body["error"].value("code", std::string()));
}

QString qs(const std::string &text)
{
    return QString::fromStdString(text);
}

} // namespace kestrune::server::test
