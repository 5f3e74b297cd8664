// The game's service client on the real kestrune-server: two devices (two
// data folders) sign in, report and see each other; challenges cross; a
// server killed and restarted under the clients loses and doubles nothing.
#include "fakes/managerfixture.h"
#include "serverprocess.h"

#include "gameservice/client/gameserviceenvironment.h"
#include "gameservice/network/networkservicebackend.h"
#include "gameservice/network/transport/httptransportloader.h"

#include <QElapsedTimer>

#include <sqlite3.h>

#include <atomic>
#include <future>
#include <map>
#include <random>

using namespace kestrune;
using namespace kestrune::test;
using namespace std::chrono_literals;
using kestrune::server::test::ServerProcess;

namespace {

const QString board = QStringLiteral("sp_leaderboard");

// Waits at most 60 s for a kit call's answer.
template<typename T> std::pair<T, OptionalError> await(std::function<void(ServiceKit::Completion<T>)> call)
{
    auto promise = std::make_shared<std::promise<std::pair<T, OptionalError>>>();
    auto future = promise->get_future();
    call([promise](T value, OptionalError error) { promise->set_value({std::move(value), std::move(error)}); });
    if (future.wait_for(60s) != std::future_status::ready)
        return {T{}, serviceKitError(ServiceErrorCode::unknown, QStringLiteral("no answer within 60 s"))};
    return future.get();
}

// The real transport, which loses every `period`-th answer after the
// server has handled its request: what a connection cut on the way back
// does, on demand.
class LossyTransport final : public net::HttpTransport
{
public:
    LossyTransport(std::shared_ptr<net::HttpTransport> real, int period)
        : m_real(std::move(real))
        , m_period(period)
    {
    }
    net::HttpResponse send(const net::HttpRequest &request) override
    {
        net::HttpResponse response = m_real->send(request);
        if (m_period > 0 && response.failure == net::HttpResponse::Failure::none && ++m_count % m_period == 0) {
            net::HttpResponse lost;
            lost.failure = net::HttpResponse::Failure::timeout;
            lost.error = "the answer was lost on the way back";
            return lost;
        }
        return response;
    }
    void cancelAll() override { m_real->cancelAll(); }

private:
    std::shared_ptr<net::HttpTransport> m_real;
    const int m_period;
    std::atomic<int> m_count{0};
};

// One device: its own data folder, the real transport, a network that is up.
struct Device : ManagerFixture
{
    explicit Device(const QString &address, int losePeriod = 0)
        : ManagerFixture(Options{.framework = false, .network = true})
    {
        net::HttpTransportOptions options;
        options.connectTimeoutMs = 2000;
        options.totalTimeoutMs = 5000;
        network = std::make_shared<NetworkServiceBackend>(
            address, GameServiceEnvironment::accountFileName(dir.path()), GameServiceEnvironment::catalogue(),
            [options, losePeriod](QString *error) -> std::shared_ptr<net::HttpTransport> {
                auto real = net::HttpTransportLoader::load(options, error);
                return real ? std::make_shared<LossyTransport>(real, losePeriod) : nullptr;
            });
        kit = ServiceKit::create(network);
        start().setupManager();
    }
    ~Device() { network->cancelCalls(); }

    bool signIn(const QString &name)
    {
        auto done = std::make_shared<std::promise<OptionalError>>();
        auto future = done->get_future();
        kit->localPlayer().signIn(name, [done](OptionalError error, QString) { done->set_value(error); });
        if (future.wait_for(60s) != std::future_status::ready || future.get())
            return false;
        manager->checkGameServiceAvailability(false);
        return QTest::qWaitFor([&] { return manager->isGameServiceAvailable(); }, 30000);
    }
    QString playerID() const { return kit->localPlayer().playerID().value_or(QString()); }
    // Sends what waits until nothing does, within the bound.
    bool drain(std::chrono::milliseconds bound = 60s)
    {
        const auto end = std::chrono::steady_clock::now() + bound;
        while (std::chrono::steady_clock::now() < end) {
            settle();
            if (savedScores().isEmpty())
                return true;
            manager->reportSavedScoresAndAchievements();
            QTest::qWait(50);
        }
        return false;
    }
    Leaderboard::Scores top()
    {
        return await<Leaderboard::Scores>(
                   [this](auto done) { kit->loadScores(board, Leaderboard::Query{}, std::move(done)); })
            .first;
    }

    std::shared_ptr<NetworkServiceBackend> network;
};

// Every stored report of the database: (player, value) -> how many times.
std::map<std::pair<QString, qint64>, int> storedReports(const QString &file)
{
    std::map<std::pair<QString, qint64>, int> reports;
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(file).constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt *statement = nullptr;
        if (sqlite3_prepare_v2(db, "SELECT player_id, value FROM scores", -1, &statement, nullptr) == SQLITE_OK) {
            while (sqlite3_step(statement) == SQLITE_ROW) {
                const auto *player = reinterpret_cast<const char *>(sqlite3_column_text(statement, 0));
                ++reports[{QString::fromUtf8(player), sqlite3_column_int64(statement, 1)}];
            }
        }
        sqlite3_finalize(statement);
    }
    sqlite3_close(db);
    return reports;
}

} // namespace

class TestServerPlay : public QObject
{
    Q_OBJECT

    QTemporaryDir m_folder;

    QString database() const { return QStringLiteral("sqlite:") + m_folder.filePath(QStringLiteral("scores.db")); }

private slots:
    // Two devices sign in and report; each sees the other on the
    // leaderboard; what one earned before signing in goes to its account;
    // a challenge sent by one arrives at the other.
    void twoPlayersMeetOnTheServer()
    {
        ServerProcess server(database(), m_folder.filePath(QStringLiteral("requests.log")));
        QVERIFY2(server.start(), qPrintable(server.error()));
        const QString address = QStringLiteral("http://127.0.0.1:%1").arg(server.port());
        Device ada(address), bob(address);

        bob.manager->saveAndReportScore(480, board, SortOrder::higherIsBetter); // before signing in: waits
        bob.settle();
        QCOMPARE(bob.savedScores().size(), 1);

        QVERIFY(ada.signIn(QStringLiteral("Ada")));
        QVERIFY(bob.signIn(QStringLiteral("Bob")));
        ada.manager->saveAndReportScore(700, board, SortOrder::higherIsBetter);
        QVERIFY(ada.drain());
        QVERIFY(bob.drain());

        for (Device *device : {&ada, &bob}) {
            const Leaderboard::Scores scores = device->top();
            QCOMPARE(scores.scores.size(), 2u);
            QCOMPARE(scores.scores[0].displayName(), QStringLiteral("Ada"));
            QCOMPARE(scores.scores[0].value(), 700);
            QCOMPARE(scores.scores[1].displayName(), QStringLiteral("Bob"));
            QCOMPARE(scores.scores[1].value(), 480);
            QCOMPARE(scores.scores[1].rank(), 2);
            QCOMPARE(scores.localPlayerScore->playerID(), device->playerID());
        }

        const auto sent = await<bool>([&](auto done) {
            ada.kit->sendChallenge(bob.playerID(), board, 700, QStringLiteral("Beat that!"),
                                   [done](OptionalError e) { done(true, e); });
        });
        QCOMPARE(sent.second, OptionalError());
        const auto [challenges, error] =
            await<std::vector<Challenge>>([&](auto done) { bob.kit->loadReceivedChallenges(std::move(done)); });
        QVERIFY(!error);
        QCOMPARE(challenges.size(), 1u);
        QCOMPARE(challenges[0].issuingPlayerName, QStringLiteral("Ada"));
        QCOMPARE(challenges[0].score, 700);
        QCOMPARE(challenges[0].message, QStringLiteral("Beat that!"));
    }

    // A server that answers 429 is left alone for its Retry-After: the
    // reports made meanwhile wait in the cache rather than knock again, and
    // all go out once, in order, when the time is up.
    void aRateLimitIsHonoured()
    {
        const QString file = m_folder.filePath(QStringLiteral("limited.db"));
        const QString log = m_folder.filePath(QStringLiteral("limited.log"));
        ServerProcess server(QStringLiteral("sqlite:") + file, log, {"--rate-limit", "20:3"});
        QVERIFY2(server.start(), qPrintable(server.error()));
        Device ada(QStringLiteral("http://127.0.0.1:%1").arg(server.port()));
        QVERIFY(ada.signIn(QStringLiteral("Ada")));
        constexpr int reports = 30;
        QElapsedTimer clock;
        clock.start();
        for (int value = 1; value <= reports; ++value) {
            ada.manager->saveAndReportScore(value, board, SortOrder::higherIsBetter);
            ada.settle();
        }
        QVERIFY(ada.savedScores().size() > 0); // the limit was met
        QVERIFY(ada.drain());
        const qint64 seconds = clock.elapsed() / 1000;
        server.terminate();
        QVERIFY(server.waitForEnd());

        const auto stored = storedReports(file);
        for (int value = 1; value <= reports; ++value)
            QCOMPARE(stored.count({ada.playerID(), value}) ? stored.at({ada.playerID(), value}) : 0, 1);
        QFile lines(log);
        QVERIFY(lines.open(QIODevice::ReadOnly));
        const int refused = int(lines.readAll().count(R"("status":429)"));
        // Honouring Retry-After (1 s here) is a knock per quiet second at
        // most; ignoring it, every report and every drain (20 a second
        // here) would knock.
        QVERIFY2(refused >= 1 && refused <= seconds + 2,
                 qPrintable(QStringLiteral("%1 refusals in %2 s").arg(refused).arg(seconds)));
    }

    // The server killed and restarted at random moments while two devices
    // report, and one answer in seven lost on the way back: every score
    // reaches it exactly once, and nothing waits at the end. A report whose
    // answer was lost is sent again under its id, and the server knows it.
    void aServerKilledAndRestartedLosesAndDoublesNothing()
    {
        const QString file = m_folder.filePath(QStringLiteral("kills.db"));
        auto server = std::make_unique<ServerProcess>(QStringLiteral("sqlite:") + file,
                                                      m_folder.filePath(QStringLiteral("kills.log")),
                                                      QStringList{"--rate-limit", "0"});
        QVERIFY2(server->start(), qPrintable(server->error()));
        const std::uint16_t port = server->port();
        const QString address = QStringLiteral("http://127.0.0.1:%1").arg(port);
        Device ada(address, 7), bob(address, 7);
        QVERIFY(ada.signIn(QStringLiteral("Ada")) || ada.signIn(QStringLiteral("Ada")));
        QVERIFY(bob.signIn(QStringLiteral("Bob")) || bob.signIn(QStringLiteral("Bob")));

        std::mt19937 random(20261207);
        constexpr int reports = 120; // each device reports 1..reports
        int kills = 0;
        const auto deadline = std::chrono::steady_clock::now() + 120s;
        for (int value = 1; value <= reports && std::chrono::steady_clock::now() < deadline; ++value) {
            ada.manager->saveAndReportScore(value, board, SortOrder::higherIsBetter);
            bob.manager->saveAndReportScore(value, board, SortOrder::higherIsBetter);
            if (std::uniform_int_distribution<int>(0, 9)(random) == 0) {
                // Now and then with the reports in flight, now and then after.
                QTest::qWait(std::uniform_int_distribution<int>(0, 3)(random));
                server->kill();
                QVERIFY(server->waitForEnd());
                ++kills;
                server = std::make_unique<ServerProcess>(
                    QStringLiteral("sqlite:") + file, m_folder.filePath(QStringLiteral("kills.log")),
                    QStringList{"--rate-limit", "0", "--listen", QStringLiteral("127.0.0.1:%1").arg(port)});
                QVERIFY2(server->start(), qPrintable(server->error()));
            }
        }
        QVERIFY(kills >= 3);
        QVERIFY(ada.drain());
        QVERIFY(bob.drain());
        ada.settle();
        bob.settle();
        server->terminate();
        QVERIFY(server->waitForEnd());

        const auto stored = storedReports(file);
        for (Device *device : {&ada, &bob}) {
            int lost = 0, doubled = 0;
            for (int value = 1; value <= reports; ++value) {
                const auto it = stored.find({device->playerID(), value});
                const int times = it == stored.end() ? 0 : it->second;
                lost += times == 0;
                doubled += times > 1;
            }
            QCOMPARE(lost, 0);
            QCOMPARE(doubled, 0);
            QCOMPARE(device->savedScores().size(), 0);
        }
    }
};

QTEST_GUILESS_MAIN(TestServerPlay)
#include "tst_serverplay.moc"
