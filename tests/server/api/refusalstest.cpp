#include "apifixture.h"

#include <QTest>

namespace kestrune::server::test {

namespace {

// In the tables: "{token}" becomes the caller's token, "{bob}" another
// player's id, "{self}" the caller's.
std::string filled(QByteArray text, const Account &caller, const Account &other)
{
    text.replace("{token}", QByteArray::fromStdString(caller.token));
    text.replace("{bob}", QByteArray::fromStdString(other.id));
    text.replace("{self}", QByteArray::fromStdString(caller.id));
    return text.toStdString();
}

const QByteArray bearer = "Bearer {token}";
const QByteArray scores = "/v1/leaderboards/sp_leaderboard/scores";
const QByteArray top = "/v1/leaderboards/sp_leaderboard/top";
const QByteArray progress = "/v1/achievements/50won/progress";

void row(const char *name, const QByteArray &method, const QByteArray &target, const QByteArray &body,
         const QByteArray &authorization, int status, const char *code,
         const QByteArray &contentType = "application/json")
{
    QTest::newRow(name) << method << target << body << authorization << contentType << status << QString(code);
}
void scoreOn(const char *name, const QByteArray &board, int status, const char *code)
{
    row(name, "POST", "/v1/leaderboards/" + board + "/scores", R"({"score":5})", bearer, status, code);
}
QByteArray challenge(const QByteArray &fields)
{
    return R"({"to":"{bob}","leaderboard":"sp_leaderboard","score":500)" + fields + "}";
}

} // namespace

// Every refusal: status, stable code, error body, and nothing written.
class RefusalsTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<ApiFixture> m_api;
    Account m_ada;
    Account m_bob;

private slots:
    void init()
    {
        m_api = std::make_unique<ApiFixture>();
        m_ada = m_api->createAccount("Ada");
        m_bob = m_api->createAccount("Bob");
    }

    void refusals_data()
    {
        QTest::addColumn<QByteArray>("method");
        QTest::addColumn<QByteArray>("target");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QByteArray>("authorization");
        QTest::addColumn<QByteArray>("contentType");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("code");

        // Routing and targets.
        row("unknown route", "GET", "/v1/nothing", "", "", 404, "not_found");
        row("root", "GET", "/", "", "", 404, "not_found");
        row("another version", "GET", "/v2/leaderboards", "", "", 404, "not_found");
        row("trailing slash", "GET", "/v1/leaderboards/", "", "", 404, "not_found");
        row("dot segments are not resolved", "GET", "/v1/achievements/../leaderboards", "", "", 404, "not_found");
        row("wrong method", "DELETE", "/v1/leaderboards", "", "", 405, "method_not_allowed");
        row("wrong method on me", "PUT", "/v1/accounts/me", "", bearer, 405, "method_not_allowed");
        row("absolute-form target", "GET", "http://example.org/v1/leaderboards", "", "", 400, "invalid_target");
        row("bad percent escape", "GET", "/v1/leaderboards/%zz/top", "", "", 400, "invalid_target");
        row("raw space", "GET", "/v1/leader boards", "", "", 400, "invalid_target");
        row("raw invalid UTF-8 in target", "GET", "/v1/leaderboards/\xc3\x28/top", "", "", 400, "invalid_utf8");
        // Credentials.
        row("no token", "POST", scores, R"({"score":5})", "", 401, "missing_token");
        row("token too short", "POST", scores, R"({"score":5})", "Bearer abc", 401, "invalid_token");
        row("unknown token", "POST", scores, R"({"score":5})", "Bearer " + QByteArray(43, 'A'), 401, "invalid_token");
        row("other scheme", "POST", scores, R"({"score":5})", "Basic {token}", 401, "invalid_token");
        row("scheme only", "POST", scores, R"({"score":5})", "Bearer ", 401, "invalid_token");
        row("token with a NUL", "POST", scores, R"({"score":5})",
            QByteArray("Bearer ", 7) + QByteArray(42, 'A') + QByteArray(1, '\0'), 401, "invalid_token");
        row("no token before a bad body", "POST", scores, "{", "", 401, "missing_token");
        row("bad token before a bad body", "POST", scores, "{", "Bearer " + QByteArray(43, 'A'), 401, "invalid_token");
        row("bad token where optional", "GET", top, "", "Bearer nope", 401, "invalid_token");
        row("who-am-i needs a token", "GET", "/v1/accounts/me", "", "", 401, "missing_token");
        row("around-me needs a token", "GET", "/v1/leaderboards/sp_leaderboard/around-me", "", "", 401,
            "missing_token");
        row("reset needs a token", "POST", "/v1/achievements/reset", "", "", 401, "missing_token");
        row("challenges need a token", "GET", "/v1/challenges", "", "", 401, "missing_token");
        // Bodies.
        row("text/plain", "POST", "/v1/accounts", R"({"displayName":"A"})", "", 415, "unsupported_media_type",
            "text/plain");
        row("latin-1 JSON", "POST", "/v1/accounts", R"({"displayName":"A"})", "", 415, "unsupported_media_type",
            "application/json; charset=latin1");
        row("no content type", "POST", "/v1/accounts", R"({"displayName":"A"})", "", 415, "unsupported_media_type", "");
        row("empty body", "POST", "/v1/accounts", "", "", 400, "malformed_json");
        row("unclosed object", "POST", "/v1/accounts", "{", "", 400, "malformed_json");
        row("trailing garbage", "POST", "/v1/accounts", R"({"displayName":"A"} x)", "", 400, "malformed_json");
        row("comment", "POST", "/v1/accounts", R"({"displayName":"A"/*x*/})", "", 400, "malformed_json");
        row("single quotes", "POST", "/v1/accounts", "{'displayName':'A'}", "", 400, "malformed_json");
        row("raw NUL in a string", "POST", "/v1/accounts", QByteArray("{\"displayName\":\"A\0B\"}", 21), "", 400,
            "malformed_json");
        row("lone surrogate escape", "POST", "/v1/accounts", R"({"displayName":"\ud800"})", "", 400, "malformed_json");
        row("array body", "POST", "/v1/accounts", "[]", "", 400, "wrong_type");
        row("string body", "POST", "/v1/accounts", R"("Ada")", "", 400, "wrong_type");
        row("null body", "POST", "/v1/accounts", "null", "", 400, "wrong_type");
        row("name is a number", "POST", "/v1/accounts", R"({"displayName":5})", "", 400, "wrong_type");
        row("name is null", "POST", "/v1/accounts", R"({"displayName":null})", "", 400, "wrong_type");
        row("name missing", "POST", "/v1/accounts", "{}", "", 400, "missing_field");
        row("unknown field", "POST", "/v1/accounts", R"({"displayName":"A","admin":true})", "", 400, "unknown_field");
        row("duplicate key", "POST", "/v1/accounts", R"({"displayName":"A","displayName":"B"})", "", 400,
            "duplicate_key");
        row("deep nesting", "POST", "/v1/accounts", R"({"displayName":"A","x":[[[[[[[[[]]]]]]]]]})", "", 400,
            "nesting_too_deep");
        row("invalid UTF-8 byte", "POST", "/v1/accounts", "{\"displayName\":\"\xff\"}", "", 400, "invalid_utf8");
        // Names.
        row("empty name", "POST", "/v1/accounts", R"({"displayName":""})", "", 400, "invalid_name");
        row("only spaces", "POST", "/v1/accounts", R"({"displayName":"   "})", "", 400, "invalid_name");
        row("33 characters", "POST", "/v1/accounts",
            "{\"displayName\":\"" + QByteArray("\xc3\xa9").repeated(33) + "\"}", "", 400, "invalid_name");
        row("newline", "POST", "/v1/accounts", R"({"displayName":"A\nB"})", "", 400, "invalid_name");
        row("escaped NUL", "POST", "/v1/accounts", R"({"displayName":"A\u0000"})", "", 400, "invalid_name");
        row("C1 control", "POST", "/v1/accounts", R"({"displayName":"A\u0085"})", "", 400, "invalid_name");
        row("line separator", "POST", "/v1/accounts", R"({"displayName":"A\u2028B"})", "", 400, "invalid_name");
        row("rename to nothing", "PATCH", "/v1/accounts/me", R"({"displayName":""})", bearer, 400, "invalid_name");
        row("rename with tab", "PATCH", "/v1/accounts/me", R"({"displayName":"A\tB"})", bearer, 400, "invalid_name");
        // Recovery.
        row("recovery code too short", "POST", "/v1/accounts/recover", R"({"recoveryCode":"ABCD-EFGH"})", "", 400,
            "invalid_recovery_code");
        row("recovery code with U", "POST", "/v1/accounts/recover",
            "{\"recoveryCode\":\"" + QByteArray(28, 'U') + "\"}", "", 400, "invalid_recovery_code");
        row("recovery code unknown", "POST", "/v1/accounts/recover",
            "{\"recoveryCode\":\"" + QByteArray(28, '7') + "\"}", "", 401, "unknown_recovery_code");
        row("recovery code a number", "POST", "/v1/accounts/recover", R"({"recoveryCode":7})", "", 400, "wrong_type");
        // Scores.
        row("score below range", "POST", scores, R"({"score":-1})", bearer, 400, "score_out_of_range");
        row("score above range", "POST", scores, R"({"score":1001})", bearer, 400, "score_out_of_range");
        row("score at 2^53+1", "POST", scores, R"({"score":9007199254740993})", bearer, 400, "number_out_of_range");
        row("score 1e300", "POST", scores, R"({"score":1e300})", bearer, 400, "number_out_of_range");
        row("fractional score", "POST", scores, R"({"score":12.5})", bearer, 400, "not_an_integer");
        row("score written 500.0", "POST", scores, R"({"score":500.0})", bearer, 400, "not_an_integer");
        row("score as text", "POST", scores, R"({"score":"500"})", bearer, 400, "wrong_type");
        row("score true", "POST", scores, R"({"score":true})", bearer, 400, "wrong_type");
        row("score missing", "POST", scores, R"({"reportId":"r1"})", bearer, 400, "missing_field");
        row("empty report id", "POST", scores, R"({"score":5,"reportId":""})", bearer, 400, "invalid_report_id");
        row("path-like report id", "POST", scores, R"({"score":5,"reportId":"../r1"})", bearer, 400,
            "invalid_report_id");
        row("overlong report id", "POST", scores, "{\"score\":5,\"reportId\":\"" + QByteArray(65, 'r') + "\"}", bearer,
            400, "invalid_report_id");
        row("report id a number", "POST", scores, R"({"score":5,"reportId":5})", bearer, 400, "wrong_type");
        row("query on a write", "POST", scores + "?score=5", R"({"score":5})", bearer, 400, "unknown_parameter");
        scoreOn("unknown leaderboard", "mp_leaderboard", 404, "unknown_leaderboard");
        scoreOn("dot-dot leaderboard", "..", 400, "invalid_identifier");
        scoreOn("encoded dot-dot", "%2e%2e", 400, "invalid_identifier");
        scoreOn("encoded slash", "..%2Fetc%2Fpasswd", 400, "invalid_identifier");
        scoreOn("encoded NUL", "sp_leaderboard%00", 400, "invalid_identifier");
        scoreOn("SQL in leaderboard", "sp_leaderboard'%20OR%201=1--", 400, "invalid_identifier");
        scoreOn("empty leaderboard", "", 400, "invalid_identifier");
        scoreOn("overlong leaderboard", "" + QByteArray(65, 'x') + "", 400, "invalid_identifier");
        row("bad scope", "GET", top + "?scope=year", "", "", 400, "invalid_scope");
        row("scope in capitals", "GET", top + "?scope=WEEK", "", "", 400, "invalid_scope");
        row("limit 0", "GET", top + "?limit=0", "", "", 400, "invalid_parameter");
        row("limit 101", "GET", top + "?limit=101", "", "", 400, "invalid_parameter");
        row("limit negative", "GET", top + "?limit=-1", "", "", 400, "invalid_parameter");
        row("limit fractional", "GET", top + "?limit=1.5", "", "", 400, "invalid_parameter");
        row("limit empty", "GET", top + "?limit=", "", "", 400, "invalid_parameter");
        row("limit huge", "GET", top + "?limit=99999999999999999999", "", "", 400, "invalid_parameter");
        row("limit twice", "GET", top + "?limit=5&limit=6", "", "", 400, "invalid_parameter");
        row("unknown parameter", "GET", top + "?page=2", "", "", 400, "unknown_parameter");
        row("parameter on a list", "GET", "/v1/leaderboards?x=1", "", "", 400, "unknown_parameter");
        row("unknown leaderboard top", "GET", "/v1/leaderboards/nope/top", "", "", 404, "unknown_leaderboard");
        row("radius 26", "GET", "/v1/leaderboards/sp_leaderboard/around-me?radius=26", "", bearer, 400,
            "invalid_parameter");
        // Achievements.
        row("unknown achievement", "POST", "/v1/achievements/200won/progress", R"({"percent":5})", bearer, 404,
            "unknown_achievement");
        row("path-like achievement", "POST", "/v1/achievements/%2e%2e%2f1won/progress", R"({"percent":5})", bearer, 400,
            "invalid_identifier");
        row("percent 101", "POST", progress, R"({"percent":101})", bearer, 400, "invalid_percent");
        row("percent just above", "POST", progress, R"({"percent":100.0001})", bearer, 400, "invalid_percent");
        row("percent negative", "POST", progress, R"({"percent":-0.5})", bearer, 400, "invalid_percent");
        row("percent 1e400", "POST", progress, R"({"percent":1e400})", bearer, 400, "number_out_of_range");
        row("percent NaN literal", "POST", progress, R"({"percent":NaN})", bearer, 400, "malformed_json");
        row("percent as text", "POST", progress, R"({"percent":"50"})", bearer, 400, "wrong_type");
        row("percent missing", "POST", progress, "{}", bearer, 400, "missing_field");
        // Challenges.
        row("challenge to oneself", "POST", "/v1/challenges",
            R"({"to":"{self}","leaderboard":"sp_leaderboard","score":5})", bearer, 400, "invalid_recipient");
        row("challenge to nobody", "POST", "/v1/challenges",
            R"({"to":"K00000000deadbeef","leaderboard":"sp_leaderboard","score":5})", bearer, 404, "unknown_player");
        row("challenge to a path", "POST", "/v1/challenges",
            R"({"to":"../K1","leaderboard":"sp_leaderboard","score":5})", bearer, 400, "invalid_identifier");
        row("challenge on unknown board", "POST", "/v1/challenges", R"({"to":"{bob}","leaderboard":"x","score":5})",
            bearer, 404, "unknown_leaderboard");
        row("challenge score above range", "POST", "/v1/challenges",
            R"({"to":"{bob}","leaderboard":"sp_leaderboard","score":1001})", bearer, 400, "score_out_of_range");
        row("challenge score fractional", "POST", "/v1/challenges", challenge("").replace("500", "5.5"), bearer, 400,
            "not_an_integer");
        row("challenge message too long", "POST", "/v1/challenges",
            challenge(",\"message\":\"" + QByteArray(141, 'm') + "\""), bearer, 400, "invalid_message");
        row("challenge message with bell", "POST", "/v1/challenges", challenge(R"(,"message":"hi\u0007")"), bearer, 400,
            "invalid_message");
        row("challenge message a number", "POST", "/v1/challenges", challenge(R"(,"message":1)"), bearer, 400,
            "wrong_type");
        row("challenge without receiver", "POST", "/v1/challenges", R"({"leaderboard":"sp_leaderboard","score":5})",
            bearer, 400, "missing_field");
        row("challenge with sender field", "POST", "/v1/challenges", challenge(R"(,"from":"{bob}")"), bearer, 400,
            "unknown_field");
        row("dismiss unknown challenge", "DELETE", "/v1/challenges/C0000000000000404", "", bearer, 404,
            "unknown_challenge");
        row("dismiss path-like challenge", "DELETE", "/v1/challenges/..%2F..", "", bearer, 400, "invalid_identifier");
        // Players.
        row("unknown player", "GET", "/v1/players/K00000000deadbeef", "", "", 404, "unknown_player");
        row("SQL as player id", "GET", "/v1/players/K1'%3B%20DROP%20TABLE%20players%3B--", "", "", 400,
            "invalid_identifier");
    }
    void refusals()
    {
        QFETCH(QByteArray, method);
        QFETCH(QByteArray, target);
        QFETCH(QByteArray, body);
        QFETCH(QByteArray, authorization);
        QFETCH(QByteArray, contentType);
        QFETCH(int, status);
        QFETCH(QString, code);
        ApiRequest request;
        request.method = method.toStdString();
        request.target = filled(target, m_ada, m_bob);
        request.body = filled(body, m_ada, m_bob);
        request.authorization = filled(authorization, m_ada, m_bob);
        request.contentType = contentType.toStdString();
        const int writes = m_api->store().writes();

        const ApiResponse response = m_api->handle(request);

        QCOMPARE(response.status, status);
        QCOMPARE(qs(response.errorCode), code);
        const auto json = jsonOf(response);
        QVERIFY2(json.is_object() && json.size() == 1 && json["error"].size() == 2, response.body.c_str());
        QCOMPARE(errorCodeOf(response), code);
        QVERIFY(!json["error"]["message"].get<std::string>().empty());
        QVERIFY(response.body.find(m_ada.token) == std::string::npos);
        QCOMPARE(m_api->store().writes(), writes);
        // Only a token fault asks for a Bearer token.
        const bool tokenFault = code == "missing_token" || code == "invalid_token";
        const bool challenged = !response.headers.empty() && response.headers[0].first == "WWW-Authenticate";
        QCOMPARE(challenged, tokenFault);
    }

    void adversarialInputIsKeptVerbatim_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("quote") << QByteArray("O'Brien");
        QTest::newRow("SQL") << QByteArray("'); DROP TABLE players;--");
        QTest::newRow("SQL comment") << QByteArray("x\" OR 1=1 /*");
        QTest::newRow("path") << QByteArray("../../etc/passwd");
        QTest::newRow("escaped dots") << QByteArray("%2e%2e%2f");
        QTest::newRow("backslashes") << QByteArray("..\\..\\boot.ini");
        QTest::newRow("markup") << QByteArray("<script>alert(1)</script>");
        QTest::newRow("32 four-byte characters") << QByteArray("\xf0\x9f\xa6\x8a").repeated(32);
        QTest::newRow("combining marks") << QByteArray("Zoe\xcc\x88");
    }

    void adversarialInputIsKeptVerbatim()
    {
        QFETCH(QByteArray, text);
        const std::string name = text.toStdString();
        const Account carol = m_api->createAccount(name);
        QCOMPARE(jsonOf(m_api->get("/v1/accounts/me", carol.token))["displayName"].get<std::string>(), name);

        const std::string message = "beat " + name;
        ApiResponse response = m_api->post(
            "/v1/challenges", {{"to", m_bob.id}, {"leaderboard", "sp_leaderboard"}, {"score", 1}, {"message", message}},
            carol.token);
        QCOMPARE(response.status, 201);
        const auto received = jsonOf(m_api->get("/v1/challenges", m_bob.token))["challenges"];
        QCOMPARE(received[0]["message"].get<std::string>(), message);
        QCOMPARE(received[0]["from"]["displayName"].get<std::string>(), name);
    }

    void wrongMethodAndUnmatchedRoutes()
    {
        const ApiResponse response = m_api->send("PUT", "/v1/challenges", "{}", m_ada.token);
        QCOMPARE(response.status, 405);
        QCOMPARE(qs(response.route), QStringLiteral("/v1/challenges"));
        QVERIFY(response.headers == (std::vector<std::pair<std::string, std::string>>{{"Allow", "POST, GET"}}));
        // Unmatched paths share one label, so clients cannot grow the metrics.
        const ApiResponse first = m_api->get("/v1/nothing/K123");
        QCOMPARE(first.status, 404);
        QCOMPARE(qs(first.route), qs(m_api->get("/wp-admin/setup.php").route));
        QVERIFY(first.route.find("K123") == std::string::npos);
    }

    void messagesDoNotEchoLongInput()
    {
        const std::string key(1000, 'k');
        ApiResponse response = m_api->post("/v1/accounts", {{"displayName", "A"}, {key, 1}});
        QCOMPARE(errorCodeOf(response), QStringLiteral("unknown_field"));
        QVERIFY(response.body.size() < 200);
        response = m_api->get("/v1/leaderboards/sp_leaderboard/top?" + key + "=1");
        QCOMPARE(errorCodeOf(response), QStringLiteral("unknown_parameter"));
        QVERIFY(response.body.size() < 200);
        // A short plain name is quoted, so the client sees which one.
        response = m_api->post("/v1/accounts", {{"displayName", "A"}, {"admin", true}});
        QVERIFY(jsonOf(response)["error"]["message"].get<std::string>().find("\"admin\"") != std::string::npos);
    }
};

std::unique_ptr<QObject> makeRefusalsTests()
{
    return std::make_unique<RefusalsTest>();
}

} // namespace kestrune::server::test

#include "refusalstest.moc"
