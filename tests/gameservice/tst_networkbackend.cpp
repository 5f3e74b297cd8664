// NetworkServiceBackend against a scripted transport: what it sends, how it
// reads answers and refusals, the account file, and the quiet time a busy
// server asks for. The real server and transport meet it in tst_serverplay.
#include "gameservice/client/gameserviceenvironment.h"
#include "gameservice/client/servicelocation.h"
#include "gameservice/kit/servicekit.h"
#include "gameservice/network/networkservicebackend.h"
#include "gameservice/network/serveraddress.h"
#include "fakes/scriptedtransport.h"

#include "memorystore.h"

#include <QFile>
#include <atomic>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

#include <deque>
#include <mutex>

#include <sys/stat.h>

using namespace kestrune;
using net::HttpRequest;
using net::HttpResponse;
using test::answer;
using test::refusal;
using test::ScriptedTransport;

namespace {

const QString server = QStringLiteral("http://127.0.0.1:9");

struct Fixture
{
    QTemporaryDir folder;
    std::shared_ptr<ScriptedTransport> transport = std::make_shared<ScriptedTransport>();
    std::chrono::steady_clock::time_point now{std::chrono::hours(1)};
    int transportLoads = 0;
    NetworkServiceBackend backend{server, folder.filePath("GameService/account.json"),
                                  GameServiceEnvironment::catalogue(),
                                  [this](QString *) {
                                      ++transportLoads;
                                      return transport;
                                  },
                                  [this] { return now; }};

    QString accountFile() const { return folder.filePath("GameService/account.json"); }

    void signIn()
    {
        transport->answers.push_back(answer(201, {{"playerId", "K1"},
                                                  {"displayName", "Zoë"},
                                                  {"token", "secret-token"},
                                                  {"recoveryCode", "AAAA-BBBB"}}));
        OptionalError error;
        backend.signIn(QStringLiteral("Zoë"), error);
        QVERIFY(!error);
    }
};

} // namespace

class TestNetworkBackend : public QObject
{
    Q_OBJECT
private slots:
    // Signing in creates the account under the name and keeps it in a file
    // the user alone can read; the recovery code is handed out once.
    void signingInKeepsTheAccountPrivately()
    {
        Fixture f;
        OptionalError error;
        QVERIFY(!f.backend.signedInPlayer(error));
        f.signIn();
        QCOMPARE(f.transport->requests[0].method, std::string("POST"));
        QCOMPARE(f.transport->requests[0].url, server.toStdString() + "/v1/accounts");
        QCOMPARE(f.transport->body(0).value("displayName").toString(), QStringLiteral("Zoë"));
        QVERIFY(f.transport->header(0, "authorization").empty());

        const auto player = f.backend.signedInPlayer(error);
        QVERIFY(player && !error);
        QCOMPARE(player->playerID, QStringLiteral("K1"));
        QCOMPARE(f.backend.takeRecoveryCode(), QStringLiteral("AAAA-BBBB"));
        QVERIFY(f.backend.takeRecoveryCode().isEmpty());

        struct stat info{};
        QCOMPARE(::stat(QFile::encodeName(f.accountFile()).constData(), &info), 0);
        QCOMPARE(info.st_mode & 0777, mode_t(0600));
        // Signed in, every call for the player carries the token.
        f.transport->answers.push_back(answer(200, {{"challenges", QJsonArray{}}}));
        f.backend.loadReceivedChallenges(QStringLiteral("K1"), error);
        QVERIFY(!error);
        QCOMPARE(f.transport->header(1, "authorization"), std::string("Bearer secret-token"));

        f.backend.signOut(error);
        QVERIFY(!error && !QFile::exists(f.accountFile()));
        QVERIFY(!f.backend.signedInPlayer(error));
        f.backend.loadReceivedChallenges(QStringLiteral("K1"), error);
        QCOMPARE(error->code, ServiceErrorCode::notAuthenticated);
        QCOMPARE(f.transport->requests.size(), 2u); // nothing sent without a token
    }

    // An older account file with wider permissions is narrowed when written.
    void anOpenAccountFileIsNarrowed()
    {
        Fixture f;
        QDir().mkpath(f.folder.filePath("GameService"));
        QFile file(f.accountFile());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther | QFile::ReadGroup));
        f.signIn();
        struct stat info{};
        QCOMPARE(::stat(QFile::encodeName(f.accountFile()).constData(), &info), 0);
        QCOMPARE(info.st_mode & 0777, mode_t(0600));
    }

    // An account on another server, or a file that is not an account, is
    // nobody signed in here; the damaged file stays for the player.
    void foreignOrDamagedAccountsAreNobody()
    {
        Fixture f;
        f.signIn();
        NetworkServiceBackend other(QStringLiteral("https://elsewhere.example"), f.accountFile(),
                                    GameServiceEnvironment::catalogue(), [](QString *) { return nullptr; });
        OptionalError error;
        QVERIFY(!other.signedInPlayer(error) && !error);

        QFile file(f.accountFile());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("{ not json");
        file.close();
        QVERIFY(!f.backend.signedInPlayer(error) && !error);
        QVERIFY(QFile::exists(f.accountFile()));
    }

    // A recovery code brings the account and a fresh code to show.
    void recoveringTakesTheAccount()
    {
        Fixture f;
        f.transport->answers.push_back(
            answer(200, {{"playerId", "K7"}, {"displayName", "Bob"}, {"token", "t2"}, {"recoveryCode", "NEW"}}));
        OptionalError error;
        const auto player = f.backend.recoverAccount(QStringLiteral("aaaa bbbb"), error);
        QVERIFY(!error);
        QCOMPARE(player.displayName, QStringLiteral("Bob"));
        QCOMPARE(f.transport->body(0).value("recoveryCode").toString(), QStringLiteral("aaaa bbbb"));
        QCOMPARE(f.backend.takeRecoveryCode(), QStringLiteral("NEW"));

        f.transport->answers.push_back(refusal(401, "unknown_recovery_code"));
        f.backend.recoverAccount(QStringLiteral("zzzz"), error);
        QCOMPARE(error->code, ServiceErrorCode::notAuthenticated);
        QCOMPARE(f.backend.signedInPlayer(error)->playerID, QStringLiteral("K7")); // the old one stays
    }

    // A token the server no longer holds (the account moved to another
    // computer) cannot work again: the account is set aside, not deleted,
    // and nobody is signed in; a kit over it lets the player go.
    void aRevokedTokenSignsThePlayerOut()
    {
        Fixture f;
        f.signIn();
        f.transport->answers.push_back(refusal(401, "invalid_token"));
        OptionalError error;
        f.backend.loadAchievements(QStringLiteral("K1"), error);
        QCOMPARE(error->code, ServiceErrorCode::notAuthenticated);
        QVERIFY(error->message.contains("Sign in again"));
        QVERIFY(!f.backend.signedInPlayer(error));
        QVERIFY(!QFile::exists(f.accountFile()));
        QVERIFY(QFile::exists(f.accountFile() + ".revoked"));

        auto transport = std::make_shared<ScriptedTransport>();
        auto backend = std::make_shared<NetworkServiceBackend>(server, f.folder.filePath("second.json"),
                                                               GameServiceEnvironment::catalogue(),
                                                               [transport](QString *) { return transport; });
        transport->push(answer(201, {{"playerId", "K2"}, {"displayName", "Bo"}, {"token", "t"}}));
        auto kit = ServiceKit::create(backend);
        std::atomic<int> offered{0};
        kit->localPlayer().setAuthenticateHandler([&](auto screen, auto) { offered += screen ? 1 : 0; });
        kit->waitForIdle();
        QCOMPARE(offered.load(), 1); // nobody yet
        kit->localPlayer().signIn(QStringLiteral("Bo"));
        kit->waitForIdle();
        QVERIFY(kit->localPlayer().isAuthenticated());
        transport->push(refusal(401, "invalid_token"));
        kit->loadAchievements([](auto, auto) {});
        kit->waitForIdle();
        QVERIFY(!kit->localPlayer().isAuthenticated());
        QCOMPARE(offered.load(), 2); // asked again at once
    }

    // What a later try may mend is a communications failure; a refusal of
    // the request itself is an invalid parameter; an unknown token is
    // nobody signed in.
    void answersBecomeErrors_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("failure");
        QTest::addColumn<int>("code");
        const int none = int(HttpResponse::Failure::none);
        QTest::newRow("no answer") << 0 << int(HttpResponse::Failure::timeout) << ServiceErrorCode::communicationsFailure;
        QTest::newRow("wrong certificate") << 0 << int(HttpResponse::Failure::tls) << ServiceErrorCode::communicationsFailure;
        QTest::newRow("cancelled") << 0 << int(HttpResponse::Failure::cancelled) << ServiceErrorCode::cancelled;
        QTest::newRow("500") << 500 << none << ServiceErrorCode::communicationsFailure;
        QTest::newRow("503") << 503 << none << ServiceErrorCode::communicationsFailure;
        QTest::newRow("400") << 400 << none << ServiceErrorCode::invalidParameter;
        QTest::newRow("404") << 404 << none << ServiceErrorCode::invalidParameter;
        QTest::newRow("401") << 401 << none << ServiceErrorCode::notAuthenticated;
        QTest::newRow("200 not json") << 200 << none << ServiceErrorCode::communicationsFailure;
    }
    void answersBecomeErrors()
    {
        QFETCH(int, status);
        QFETCH(int, failure);
        QFETCH(int, code);
        Fixture f;
        f.signIn();
        HttpResponse r = status == 200 ? HttpResponse{} : refusal(status, "some_code");
        r.status = status;
        r.failure = HttpResponse::Failure(failure);
        if (status == 200)
            r.body = "<html>";
        f.transport->answers.push_back(r);
        Score score(QStringLiteral("sp_leaderboard"));
        score.setValue(10);
        OptionalError error;
        f.backend.reportScore(QStringLiteral("K1"), score, error);
        QVERIFY(error);
        QCOMPARE(error->code, code);
        QVERIFY(!error->message.isEmpty());
        QVERIFY(!error->message.contains("secret-token"));
    }

    // 429 and 503 with Retry-After: nothing is sent until that time has
    // passed; a Retry-After that is not seconds is not obeyed.
    void aBusyServerIsLeftAloneAsLongAsItAsks()
    {
        Fixture f;
        f.signIn();
        f.transport->answers.push_back(refusal(429, "rate_limited", {{"retry-after", "30"}}));
        OptionalError error;
        f.backend.resetAchievements(QStringLiteral("K1"), error);
        QCOMPARE(error->code, ServiceErrorCode::communicationsFailure);
        const std::size_t sent = f.transport->requests.size();
        f.now += std::chrono::seconds(29);
        f.backend.loadAchievements(QStringLiteral("K1"), error);
        QCOMPARE(error->code, ServiceErrorCode::communicationsFailure);
        QVERIFY(error->message.contains("1 s"));
        QCOMPARE(f.transport->requests.size(), sent);

        f.now += std::chrono::seconds(1);
        f.transport->answers.push_back(refusal(503, "store_unavailable", {{"retry-after", "Wed, 21 Oct 2015"}}));
        f.backend.resetAchievements(QStringLiteral("K1"), error);
        QCOMPARE(f.transport->requests.size(), sent + 1);
        f.transport->answers.push_back(answer(200, {{"reset", true}}));
        f.backend.resetAchievements(QStringLiteral("K1"), error);
        QVERIFY(!error);
        QCOMPARE(f.transport->requests.size(), sent + 2);
    }

    // A report carries its id; the top list reads ranks, names and the
    // player's own row; achievements and challenges read as the kit wants.
    void callsAndAnswersMapOntoTheKit()
    {
        Fixture f;
        f.signIn();
        OptionalError error;
        Score score(QStringLiteral("sp_leaderboard"));
        score.setValue(940);
        score.setReportID(QStringLiteral("r-1"));
        f.transport->answers.push_back(answer(201, {{"duplicate", false}}));
        f.backend.reportScore(QStringLiteral("K1"), score, error);
        QVERIFY(!error);
        QCOMPARE(f.transport->requests.back().url, server.toStdString() + "/v1/leaderboards/sp_leaderboard/scores");
        QCOMPARE(f.transport->body(1), (QJsonObject{{"score", 940}, {"reportId", "r-1"}}));

        const QJsonObject zoe{{"rank", 1}, {"playerId", "K1"}, {"displayName", "Zoë"}, {"score", 940},
                              {"reportedAt", 1765188000000.0}};
        const QJsonObject bob{{"rank", 2}, {"playerId", "K2"}, {"displayName", "Bob"}, {"score", 610},
                              {"reportedAt", 1765188000001.0}};
        f.transport->answers.push_back(answer(200, {{"entries", QJsonArray{zoe, bob}}, {"me", zoe}}));
        const auto scores = f.backend.loadScores(QStringLiteral("K1"), QStringLiteral("sp_leaderboard"), error);
        QVERIFY(!error);
        QCOMPARE(scores.scores.size(), 2u);
        QCOMPARE(scores.scores[1].displayName(), QStringLiteral("Bob"));
        QCOMPARE(scores.scores[1].rank(), 2);
        QCOMPARE(scores.localPlayerScore->value(), 940);
        QCOMPARE(scores.localPlayerScore->date().toMSecsSinceEpoch(), 1765188000000);

        f.transport->answers.push_back(answer(
            200, {{"achievements", QJsonArray{QJsonObject{{"id", "1won"}, {"percent", 100.0}, {"updatedAt", 5.0}},
                                              QJsonObject{{"id", "50won"}, {"percent", 0.0}, {"updatedAt", QJsonValue()}}}}}));
        const auto achievements = f.backend.loadAchievements(QStringLiteral("K1"), error);
        QCOMPARE(achievements.size(), 1u); // only those the player has moved
        QVERIFY(achievements[0].isCompleted());

        f.transport->answers.push_back(answer(200, {{"completedNow", true}}));
        auto fifty = *Achievement::withIdentifier(QStringLiteral("50won"));
        fifty.setPercentComplete(100);
        QVERIFY(f.backend.reportAchievement(QStringLiteral("K1"), fifty, error));

        f.transport->answers.push_back(
            answer(200, {{"challenges", QJsonArray{QJsonObject{{"id", "C1"},
                                                               {"from", QJsonObject{{"playerId", "K2"}, {"displayName", "Bob"}}},
                                                               {"leaderboard", "sp_leaderboard"},
                                                               {"score", 610},
                                                               {"message", "Beat that!"},
                                                               {"sentAt", 7.0}}}}}));
        const auto challenges = f.backend.loadReceivedChallenges(QStringLiteral("K1"), error);
        QCOMPARE(challenges.size(), 1u);
        QCOMPARE(challenges[0].issuingPlayerName, QStringLiteral("Bob"));
        QCOMPARE(challenges[0].score, 610);
        QCOMPARE(challenges[0].identifier, QStringLiteral("C1"));
    }

    // One spelling per server, so that the account file's server matches
    // whatever way the player typed it; anything that is not a bare server
    // is refused with a reason.
    void serverAddressesAreNormalised_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("normal"); // empty: refused
        QTest::newRow("bare host") << "scores.example.org" << "https://scores.example.org";
        QTest::newRow("host and port") << "scores.example.org:8443" << "https://scores.example.org:8443";
        QTest::newRow("http loopback") << " http://127.0.0.1:8080/ " << "http://127.0.0.1:8080";
        QTest::newRow("default port dropped") << "HTTPS://Scores.Example.org:443" << "https://scores.example.org";
        QTest::newRow("ipv6") << "http://[::1]:9000" << "http://[::1]:9000";
        QTest::newRow("empty") << "  " << "";
        QTest::newRow("ftp") << "ftp://scores.example.org" << "";
        QTest::newRow("file") << "file:///etc/passwd" << "";
        QTest::newRow("credentials") << "https://me:pw@scores.example.org" << "";
        QTest::newRow("path") << "https://scores.example.org/v1" << "";
        QTest::newRow("query") << "https://scores.example.org?x=1" << "";
        QTest::newRow("space") << "https://sco res.example.org" << "";
    }
    void serverAddressesAreNormalised()
    {
        QFETCH(QString, typed);
        QFETCH(QString, normal);
        QString problem;
        const auto address = ServerAddress::normalise(typed, &problem);
        if (normal.isEmpty()) {
            QVERIFY(!address);
            QVERIFY(!problem.isEmpty());
        } else {
            QCOMPARE(address.value_or(problem), normal);
        }
    }

    // The command line picks a place for one run and leaves the player's
    // choice alone; a setting that is no address (edited by hand) plays on
    // this computer.
    void theServiceLocationIsRemembered()
    {
        test::MemoryStore settings;
        QCOMPARE(ServiceLocation::choose(settings, {}), ServiceLocation::local);
        QCOMPARE(ServiceLocation::choose(settings, QStringLiteral("http://127.0.0.1:8080")),
                 QStringLiteral("http://127.0.0.1:8080"));
        QCOMPARE(ServiceLocation::choose(settings, {}), ServiceLocation::local);
        ServiceLocation::remember(settings, QStringLiteral("https://scores.example.org"));
        QCOMPARE(ServiceLocation::choose(settings, {}), QStringLiteral("https://scores.example.org"));
        QCOMPARE(ServiceLocation::choose(settings, ServiceLocation::local), ServiceLocation::local);
        QCOMPARE(ServiceLocation::choose(settings, {}), QStringLiteral("https://scores.example.org"));
        settings.setString(ServiceLocation::settingKey, "ftp://nowhere");
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("no server address"));
        QCOMPARE(ServiceLocation::choose(settings, {}), ServiceLocation::local);
    }

    // Scopes and "around me" name the server's routes; a dismissal deletes
    // the challenge by its id.
    void scopesWindowsAndDismissals()
    {
        Fixture f;
        f.signIn();
        OptionalError error;
        const QJsonObject me{{"rank", 12}, {"playerId", "K1"}, {"displayName", "Zoë"}, {"score", 500}};
        const QJsonObject above{{"rank", 11}, {"playerId", "K9"}, {"displayName", "Eve"}, {"score", 510}};
        f.transport->answers.push_back(answer(200, {{"entries", QJsonArray{above, me}}, {"entryCount", 40}}));
        const auto around = f.backend.loadScores(
            QStringLiteral("K1"), QStringLiteral("sp_leaderboard"),
            Leaderboard::Query{Leaderboard::Scope::week, Leaderboard::Window::aroundMe}, error);
        QVERIFY(!error);
        QCOMPARE(f.transport->requests.back().url,
                 server.toStdString() + "/v1/leaderboards/sp_leaderboard/around-me?scope=week&radius=10");
        QCOMPARE(around.playerCount, 40);
        QCOMPARE(around.localPlayerScore->rank(), 12); // the player's own row, found in the window

        f.transport->answers.push_back(answer(200, {{"entries", QJsonArray{}}, {"me", QJsonValue()}}));
        const auto today = f.backend.loadScores(QStringLiteral("K1"), QStringLiteral("sp_leaderboard"),
                                                Leaderboard::Query{Leaderboard::Scope::today}, error);
        QVERIFY(!error && today.scores.empty() && !today.localPlayerScore);
        QCOMPARE(f.transport->requests.back().url,
                 server.toStdString() + "/v1/leaderboards/sp_leaderboard/top?scope=today&limit=50");

        f.transport->answers.push_back(answer(200, {{"dismissed", true}}));
        f.backend.dismissChallenge(QStringLiteral("K1"), QStringLiteral("C/../x"), error);
        QVERIFY(!error);
        QCOMPARE(f.transport->requests.back().method, std::string("DELETE"));
        QCOMPARE(f.transport->requests.back().url, server.toStdString() + "/v1/challenges/C%2F..%2Fx");

        f.transport->answers.push_back(answer(201, {{"id", "C2"}}));
        f.backend.sendChallenge(QStringLiteral("K1"), QStringLiteral("K9"), QStringLiteral("sp_leaderboard"), 500, {},
                                error);
        QVERIFY(!error);
        QCOMPARE(f.transport->body(f.transport->requests.size() - 1),
                 (QJsonObject{{"to", "K9"}, {"leaderboard", "sp_leaderboard"}, {"score", 500}}));
    }

    // The module is loaded once, on the first call, and a module that is
    // missing is an error of every call, not a crash.
    void theTransportLoadsOnceOnFirstUse()
    {
        Fixture f;
        QCOMPARE(f.transportLoads, 0);
        f.signIn();
        OptionalError error;
        f.backend.loadAchievements(QStringLiteral("K1"), error);
        QCOMPARE(f.transportLoads, 1);

        NetworkServiceBackend missing(server, f.accountFile(), GameServiceEnvironment::catalogue(), [](QString *why) {
            *why = QStringLiteral("module not found");
            return nullptr;
        });
        missing.signIn(QStringLiteral("Ann"), error);
        QCOMPARE(error->code, ServiceErrorCode::communicationsFailure);
        QCOMPARE(error->message, QStringLiteral("module not found"));
    }
};

QTEST_GUILESS_MAIN(TestNetworkBackend)
#include "tst_networkbackend.moc"
