#include "fakes/managerfixture.h"
#include "filebytes.h"
#include "filesizelimit.h"

#include "fakes/scriptedtransport.h"
#include "memorystore.h"

#include "gameservice/client/gameserviceenvironment.h"
#include "gameservice/client/servicelocation.h"
#include "gameservice/kit/servicescreenpresenter.h"
#include "gameservice/kit/signinviewcontroller.h"
#include "gameservice/local/localservicebackend.h"
#include "gameservice/network/networkservicebackend.h"
#include "gameservice/network/serveraddress.h"
#include "platform/network/systempathmonitor.h"

#include <QCborArray>
#include <QJsonArray>
#include <chrono>
#include <cmath>
#include <future>
#include <limits>
#include <thread>

#include <sys/stat.h>

using namespace kestrune;
using namespace kestrune::test;
using namespace Qt::StringLiterals;
using net::HttpResponse;

namespace {

class BannerRecorder final : public ServiceScreenPresenter
{
public:
    void present(const std::shared_ptr<ServiceViewController> &, QWidget *, bool, std::function<void()> f) override
    {
        f();
    }
    void dismiss(const std::shared_ptr<ServiceViewController> &, bool, std::function<void()> f) override { f(); }
    void showCompletionBanner(const ServiceCatalogue::AchievementDescription &a) override
    {
        titles << a.title;
        onMain = DispatchQueue::isMainThread();
    }
    QStringList titles;
    bool onMain = false;
};

// Waits for the handler's answers.
struct Answers
{
    std::mutex m;
    std::vector<std::pair<std::shared_ptr<SignInViewController>, OptionalError>> list;
    LocalPlayer::AuthenticateHandler handler()
    {
        return [this](auto screen, auto error) {
            std::lock_guard l(m);
            list.emplace_back(screen, error);
        };
    }
    int size()
    {
        std::lock_guard l(m);
        return int(list.size());
    }
    std::pair<std::shared_ptr<SignInViewController>, OptionalError> at(int i)
    {
        std::lock_guard l(m);
        return list.at(i);
    }
};

std::shared_ptr<LocalServiceBackend> localBackend(const QTemporaryDir &dir)
{
    return std::make_shared<LocalServiceBackend>(dir.filePath("service/service.cbor"),
                                                 GameServiceEnvironment::catalogue());
}

const QString board = QStringLiteral("sp_leaderboard");

QDateTime utc(int y, int m, int d, int h = 12, int min = 0)
{
    return QDateTime(QDate(y, m, d), QTime(h, min), Qt::UTC);
}

// The service over a file in `dir`, its "now" where the test puts it.
struct Service
{
    explicit Service(const QTemporaryDir &dir)
        : backend(
            std::make_shared<LocalServiceBackend>(dir.filePath("service.cbor"), GameServiceEnvironment::catalogue()))
    {
        backend->setNow([this] { return now; });
    }

    QString player(const QString &name)
    {
        OptionalError error;
        const QString id = backend->signIn(name, error).playerID;
        if (error)
            qFatal("sign-in failed: %s", qPrintable(error->message));
        return id;
    }

    void report(const QString &id, std::int64_t value, const QDateTime &when)
    {
        Score score(board);
        score.setValue(value);
        score.setDate(when);
        OptionalError error;
        backend->reportScore(id, score, error);
        if (error)
            qFatal("report failed: %s", qPrintable(error->message));
    }

    Leaderboard::Scores load(const QString &me, Leaderboard::Scope scope,
                             Leaderboard::Window window = Leaderboard::Window::top)
    {
        OptionalError error;
        Leaderboard::Scores scores = backend->loadScores(me, board, Leaderboard::Query{scope, window}, error);
        if (error)
            qFatal("load failed: %s", qPrintable(error->message));
        return scores;
    }

    std::shared_ptr<LocalServiceBackend> backend;
    QDateTime now = utc(2026, 12, 9); // a Wednesday
};

// "name value" per row, best first.
QStringList rows(const Leaderboard::Scores &scores)
{
    QStringList out;
    for (const Score &s : scores.scores)
        out << QStringLiteral("%1 %2").arg(s.displayName()).arg(s.value());
    return out;
}

QStringList ranks(const Leaderboard::Scores &scores)
{
    QStringList out;
    for (const Score &s : scores.scores)
        out << QString::number(s.rank());
    return out;
}

const QString server = QStringLiteral("http://127.0.0.1:9");

// The network backend over a scripted transport and a clock the test moves.
struct NetworkFixture
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
    mode_t accountMode() const
    {
        struct stat info
        {};
        return ::stat(QFile::encodeName(accountFile()).constData(), &info) == 0 ? info.st_mode & 0777 : 0;
    }

    void signIn()
    {
        transport->answers.push_back(answer(
            201,
            {{"playerId", "K1"}, {"displayName", "Zoë"}, {"token", "secret-token"}, {"recoveryCode", "AAAA-BBBB"}}));
        OptionalError error;
        backend.signIn(QStringLiteral("Zoë"), error);
        QVERIFY(!error);
    }
};

} // namespace

// The framework over its backends: the local service and its leaderboards;
// the network backend against a scripted transport (what it sends, how it
// reads answers and refusals, the account file, the quiet time a busy server
// asks for; the real server meets it in tst_serverplay); the network monitor.
class TestServiceKit : public QObject
{
    Q_OBJECT

private slots:
    // What the player does with the sign-in screen, what the handler hears,
    // and what happens when it is installed again.
    void theSignInScreen_data()
    {
        QTest::addColumn<QString>("name"); // null: declined
        QTest::addColumn<int>("code");
        QTest::newRow("a name, remembered across runs") << QStringLiteral("Ada") << 0;
        QTest::newRow("a blank name, asked again") << QStringLiteral("   ") << int(ServiceErrorCode::invalidParameter);
        QTest::newRow("declined for the run") << QString() << int(ServiceErrorCode::cancelled);
    }
    void theSignInScreen()
    {
        QFETCH(QString, name);
        QFETCH(int, code);
        QTemporaryDir dir;
        Answers answers;
        auto kit = ServiceKit::create(localBackend(dir));
        kit->localPlayer().setAuthenticateHandler(answers.handler());
        QTRY_COMPARE_WITH_TIMEOUT(answers.size(), 1, 30000);
        QVERIFY(answers.at(0).first);
        if (name.isNull())
            answers.at(0).first->cancel();
        else
            answers.at(0).first->submit(name);
        QTRY_COMPARE_WITH_TIMEOUT(answers.size(), 2, 30000);
        QVERIFY(!answers.at(1).first);
        QCOMPARE(answers.at(1).second ? int(answers.at(1).second->code) : 0, code);
        QCOMPARE(kit->localPlayer().isAuthenticated(), code == 0);

        kit->localPlayer().setAuthenticateHandler(answers.handler());
        if (code == 0) {
            kit->waitForIdle();
            QCOMPARE(answers.size(), 2); // not asked again
            kit = ServiceKit::create(localBackend(dir));
            kit->localPlayer().setAuthenticateHandler(answers.handler());
        }
        QTRY_COMPARE_WITH_TIMEOUT(answers.size(), 3, 30000);
        const auto [screen, error] = answers.at(2);
        QCOMPARE(bool(screen), code == int(ServiceErrorCode::invalidParameter));
        QCOMPARE(error ? int(error->code) : 0, name.isNull() ? code : 0);
        if (code == 0)
            QCOMPARE(kit->localPlayer().displayName(), QStringLiteral("Ada"));
    }

    // A name is one player; an achievement completes once.
    void theLocalServiceKeepsPlayersAndProgress()
    {
        QTemporaryDir dir;
        auto backend = localBackend(dir);
        OptionalError error;
        const auto ada = backend->signIn(QStringLiteral("Ada"), error);
        backend->signIn(QStringLiteral("Bob"), error);
        QCOMPARE(backend->signIn(QStringLiteral("Ada"), error).playerID, ada.playerID); // same name, same player
        QVERIFY(!error);
        auto again = localBackend(dir); // from the file
        auto achievement = *Achievement::withIdentifier(QStringLiteral("50won"));
        achievement.setPercentComplete(40);
        QVERIFY(!again->reportAchievement(ada.playerID, achievement, error));
        achievement.setPercentComplete(100);
        QVERIFY(again->reportAchievement(ada.playerID, achievement, error));  // completed now
        QVERIFY(!again->reportAchievement(ada.playerID, achievement, error)); // not again
        again->resetAchievements(ada.playerID, error);
        QVERIFY(again->loadAchievements(ada.playerID, error).empty());
        again->reportScore(QStringLiteral("nobody"), Score(QStringLiteral("sp_leaderboard")), error);
        QCOMPARE(error->code, ServiceErrorCode::notAuthenticated); // nobody signed in under that id
    }

    void aDamagedServiceFileIsSetAsideAndStartedAfresh()
    {
        QTemporaryDir dir;
        QVERIFY(writeBytes(dir.filePath("service/service.cbor"), "\xa1\x61"));
        auto backend = localBackend(dir);
        OptionalError error;
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("damaged"));
        QVERIFY(!backend->signedInPlayer(error));
        QVERIFY(!error);
        QCOMPARE(QFile(dir.filePath("service/service.cbor.corrupt")).size(), 2);
        backend->signIn(QStringLiteral("Ada"), error);
        QVERIFY(!error);
        QVERIFY(localBackend(dir)->signedInPlayer(error));
    }

    // What the service knows (who the player is, the best scores) must not
    // vanish because the file could not be opened or written: it stays as
    // it was, and every change fails with an error instead.
    void theServiceFileSurvivesWhatGoesWrong_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::newRow("a full disk") << "full disk";
        QTest::newRow("no read permission") << "permission";
        QTest::newRow("a folder in its place") << "folder";
    }
    void theServiceFileSurvivesWhatGoesWrong()
    {
        QFETCH(QString, fault);
        QTemporaryDir dir;
        const QString path = dir.filePath("service/service.cbor");
        OptionalError error;
        if (fault == "folder")
            QVERIFY(QDir().mkpath(path + "/keep"));
        else
            localBackend(dir)->signIn(QStringLiteral("Ada"), error);
        const QByteArray stored = bytesOf(path);

        auto backend = localBackend(dir);
        std::optional<FileSizeLimit> fullDisk;
        if (fault == "full disk") {
            fullDisk.emplace(stored.size() + 10);
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("cannot write"));
        } else {
            if (fault == "permission") {
                QVERIFY(QFile::setPermissions(path, QFileDevice::WriteOwner));
                if (QFile(path).open(QIODevice::ReadOnly))
                    QSKIP("permissions do not stop this user from reading");
            }
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("cannot read.*left in place"));
        }
        QTest::failOnWarning(QRegularExpression("cannot|damaged"));
        const bool known = bool(backend->signedInPlayer(error));
        QCOMPARE(known, fault == "full disk");
        for (const char *name : {"Bob", "Cyd"}) {
            error.reset();
            backend->signIn(QString::fromUtf8(name), error);
            QVERIFY(error);
        }
        fullDisk.reset();
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        if (fault == "folder")
            QVERIFY(QFileInfo(path + "/keep").isDir());
        else
            QCOMPARE(bytesOf(path), stored); // empty when it cannot be read
        QCOMPARE(QDir(dir.filePath("service")).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot),
                 QStringList{"service.cbor"});
    }

    // Scores stored out of the 64-bit range read clamped; a progress that is
    // not a number reads as 0 and can be raised.
    void outOfRangeNumbersInTheServiceFile_data()
    {
        QTest::addColumn<double>("stored");
        QTest::addColumn<qint64>("score");
        QTest::addColumn<bool>("beaten");
        const double inf = std::numeric_limits<double>::infinity();
        const qint64 max = std::numeric_limits<qint64>::max();
        const qint64 min = std::numeric_limits<qint64>::min();
        QTest::newRow("NaN") << std::nan("") << qint64(0) << true;
        QTest::newRow("+infinity") << inf << max << false;
        QTest::newRow("-infinity") << -inf << min << true;
        QTest::newRow("2^63") << 9223372036854775808.0 << max << false;
        QTest::newRow("-1e300") << -1e300 << min << true;
        QTest::newRow("in range") << 499.9 << qint64(499) << true;
    }
    void outOfRangeNumbersInTheServiceFile()
    {
        QFETCH(double, stored);
        QFETCH(qint64, score);
        QFETCH(bool, beaten);
        QTemporaryDir dir;
        const QString board = QStringLiteral("sp_leaderboard");
        OptionalError error;
        const QString id = localBackend(dir)->signIn(QStringLiteral("Ada"), error).playerID;
        const QString file = dir.filePath("service/service.cbor");
        QCborValue root = QCborValue::fromCbor(bytesOf(file));
        root[QStringLiteral("players")][id][QStringLiteral("scores")] =
            QCborMap{{board, QCborMap{{"value", stored}, {"date", stored}}}};
        root[QStringLiteral("players")][id][QStringLiteral("achievements")] = QCborMap{{"1won", stored}};
        QVERIFY(writeBytes(file, root.toCbor()));
        auto backend = localBackend(dir);
        QCOMPARE(backend->loadScores(id, board, error).localPlayerScore->value(), score);
        Score better(board);
        better.setValue(500);
        backend->reportScore(id, better, error);
        QCOMPARE(backend->loadScores(id, board, error).localPlayerScore->value(), beaten ? 500 : score);

        auto achievement = *Achievement::withIdentifier(QStringLiteral("1won"));
        achievement.setPercentComplete(100);
        const bool completed = backend->reportAchievement(id, achievement, error);
        QCOMPARE(completed, !std::isfinite(stored) || stored < 100);
        QVERIFY(!error);
    }

    void completingAnAchievementShowsItsBanner()
    {
        ManagerFixture f(ManagerFixture::Options{.authenticated = true});
        auto banners = std::make_shared<BannerRecorder>();
        f.kit->setScreenPresenter(banners);
        auto make = [](const char *id, double p, bool banner) {
            auto a = *Achievement::withIdentifier(QString::fromUtf8(id));
            a.setPercentComplete(p);
            a.setShowsCompletionBanner(banner);
            return a;
        };
        std::atomic<int> done{0};
        f.kit->reportAchievements({make("1won", 100, true), make("50won", 100, false), make("100won", 50, true)},
                                  [&](OptionalError) { ++done; });
        QTRY_COMPARE_WITH_TIMEOUT(done.load(), 1, 30000);
        QTRY_COMPARE_WITH_TIMEOUT(banners->titles.size(), 1, 30000);
        QCOMPARE(banners->titles[0], QStringLiteral("1won")); // the fake has no catalogue
        QVERIFY(banners->onMain);
    }

    void callsForThePlayerNeedASignedInPlayer()
    {
        auto kit = ServiceKit::create(std::make_shared<FakeServiceBackend>());
        std::atomic<int> code{0};
        std::atomic<bool> onCallingThread{true};
        QThread *caller = QThread::currentThread();
        kit->loadAchievements([&](auto, OptionalError e) {
            onCallingThread = QThread::currentThread() == caller;
            code = e ? e->code : 0;
        });
        QTRY_COMPARE_WITH_TIMEOUT(code.load(), ServiceErrorCode::notAuthenticated, 30000);
        QVERIFY(!onCallingThread);
    }

    void theSystemMonitorReportsOnItsQueue()
    {
        SerialQueue queue(QStringLiteral("test.networkMonitor"));
        SystemPathMonitor monitor;
        std::atomic<int> reports{0};
        std::atomic<bool> onQueue{true};
        QThread *main = QThread::currentThread();
        monitor.setQueue(&queue);
        monitor.setUpdateHandler([&](NetworkPathMonitor::Status) {
            if (QThread::currentThread() == main)
                onQueue = false;
            ++reports;
        });
        monitor.start();
        QCOMPARE(reports.load(), 0); // never inside start()
        QTRY_VERIFY_WITH_TIMEOUT(reports.load() >= 1, 30000);
        QVERIFY(onQueue);
        monitor.setUpdateHandler({});
        queue.waitForIdle();
    }

    // Without a queue the handler runs on the reporting thread, and it may
    // change the monitor's handler itself (it once ran under the monitor's
    // lock, and waited for ever).
    void aHandlerWithoutAQueueMayReplaceItself()
    {
        struct Shared
        {
            FakePathMonitor monitor;
            std::atomic<int> calls{0};
            std::promise<void> reported;
        };
        // Left behind on failure, with the thread stuck in it.
        auto *shared = new Shared;
        shared->monitor.setUpdateHandler([shared](NetworkPathMonitor::Status) {
            ++shared->calls;
            shared->monitor.setUpdateHandler({});
        });
        std::future<void> reported = shared->reported.get_future();
        std::thread reporter([shared] {
            shared->monitor.setStatus(NetworkPathMonitor::Status::Satisfied);
            shared->reported.set_value();
        });
        if (reported.wait_for(std::chrono::seconds(20)) != std::future_status::ready) {
            reporter.detach();
            QFAIL("the handler waited for the monitor's own lock");
        }
        reporter.join();
        shared->monitor.setStatus(NetworkPathMonitor::Status::Unsatisfied); // nobody listens now
        QCOMPARE(shared->calls.load(), 1);
        delete shared;
    }

    // The local service's leaderboards by day and week (UTC), its ranks and
    // its window around the player, and its file read by older and newer versions.
    void eachScopeHoldsTheBestOfItsPeriod()
    {
        QTemporaryDir dir;
        Service s(dir);
        const QString ada = s.player("Ada"), bob = s.player("Bob"), cy = s.player("Cy");
        s.report(ada, 300, utc(2026, 12, 9, 8));      // today
        s.report(bob, 500, utc(2026, 12, 8, 23, 59)); // yesterday, this week
        s.report(cy, 900, utc(2026, 12, 6, 20));      // Sunday: last week

        QCOMPARE(rows(s.load(ada, Leaderboard::Scope::today)), QStringList({"Ada 300"}));
        QCOMPARE(rows(s.load(ada, Leaderboard::Scope::week)), QStringList({"Bob 500", "Ada 300"}));
        QCOMPARE(rows(s.load(ada, Leaderboard::Scope::allTime)), QStringList({"Cy 900", "Bob 500", "Ada 300"}));
        QCOMPARE(s.load(ada, Leaderboard::Scope::week).playerCount, 2);
        QVERIFY(!s.load(cy, Leaderboard::Scope::today).localPlayerScore);

        // Below their best of all time, today's scores still count for today.
        s.report(bob, 100, utc(2026, 12, 9, 9));
        s.report(cy, 50, utc(2026, 12, 9, 10));
        s.report(cy, 40, utc(2026, 12, 9, 11)); // lower: today's best stays
        QCOMPARE(rows(s.load(ada, Leaderboard::Scope::today)), QStringList({"Ada 300", "Bob 100", "Cy 50"}));
        QCOMPARE(rows(s.load(ada, Leaderboard::Scope::week)), QStringList({"Bob 500", "Ada 300", "Cy 50"}));
        QCOMPARE(rows(s.load(ada, Leaderboard::Scope::allTime)), QStringList({"Cy 900", "Bob 500", "Ada 300"}));
        const auto mine = s.load(cy, Leaderboard::Scope::today).localPlayerScore;
        QVERIFY(mine);
        QCOMPARE(mine->value(), 50);
        QCOMPARE(mine->rank(), 3);
    }

    // A score sent late (it waited in the cache) counts for the day it was
    // made, and leaves the day after it alone.
    void aLateScoreCountsForTheDayItWasMade()
    {
        QTemporaryDir dir;
        Service s(dir);
        const QString ada = s.player("Ada");
        s.report(ada, 200, utc(2026, 12, 9, 8));
        s.report(ada, 900, utc(2026, 12, 8, 22)); // yesterday's, arriving now
        QCOMPARE(rows(s.load(ada, Leaderboard::Scope::today)), QStringList({"Ada 200"}));
        QCOMPARE(rows(s.load(ada, Leaderboard::Scope::week)), QStringList({"Ada 900"}));
        QCOMPARE(rows(s.load(ada, Leaderboard::Scope::allTime)), QStringList({"Ada 900"}));
        s.now = utc(2026, 12, 8, 23); // the clock as it was yesterday
        QCOMPARE(rows(s.load(ada, Leaderboard::Scope::today)), QStringList({"Ada 900"}));
    }

    // The day ends at midnight UTC and the week on Sunday night, whatever
    // the local time zone says.
    void periodsRollOverAtMidnightUtc()
    {
        QTemporaryDir dir;
        Service s(dir);
        const QString ada = s.player("Ada");
        const QDateTime sundayNight = utc(2026, 12, 13, 23, 59);
        s.now = sundayNight;
        s.report(ada, 300, sundayNight.toOffsetFromUtc(-5 * 3600)); // the same moment, written elsewhere
        QCOMPARE(rows(s.load(ada, Leaderboard::Scope::today)), QStringList({"Ada 300"}));
        QCOMPARE(rows(s.load(ada, Leaderboard::Scope::week)), QStringList({"Ada 300"}));

        s.now = utc(2026, 12, 14, 0, 1); // Monday
        QCOMPARE(rows(s.load(ada, Leaderboard::Scope::today)), QStringList());
        QCOMPARE(rows(s.load(ada, Leaderboard::Scope::week)), QStringList());
        QCOMPARE(s.load(ada, Leaderboard::Scope::week).playerCount, 0);
        QCOMPARE(rows(s.load(ada, Leaderboard::Scope::allTime)), QStringList({"Ada 300"}));

        // Monday's score replaces last week's in the stored day and week.
        s.report(ada, 10, s.now);
        QCOMPARE(rows(s.load(ada, Leaderboard::Scope::week)), QStringList({"Ada 10"}));
        // A week across the new year is still one week (ISO 2026-W53).
        s.now = utc(2027, 1, 1);
        s.report(ada, 70, utc(2026, 12, 29));
        QCOMPARE(rows(s.load(ada, Leaderboard::Scope::week)), QStringList({"Ada 70"}));
    }

    // Equal scores share a rank, the earlier one listed first; the top list
    // stops at 50 and the window around the player holds ten either side.
    void ranksTopAndAroundMe()
    {
        QTemporaryDir dir;
        Service s(dir);
        QStringList ids;
        for (int i = 0; i < 60; ++i)
            ids << s.player(QStringLiteral("P%1").arg(i, 2, 10, QLatin1Char('0')));
        // P00 1000, P01 and P02 both 990 (P02 first), then 980, 970, ...
        for (int i = 0; i < 60; ++i)
            s.report(ids[i], i == 0 ? 1000 : i <= 2 ? 990 : 1010 - 10 * i, utc(2026, 12, 9, 8, 59 - i));
        const auto top = s.load(ids[0], Leaderboard::Scope::today);
        QCOMPARE(top.playerCount, 60);
        QCOMPARE(int(top.scores.size()), 50);
        QCOMPARE(ranks(top).mid(0, 5), QStringList({"1", "2", "2", "4", "5"}));
        QCOMPARE(rows(top).mid(0, 3), QStringList({"P00 1000", "P02 990", "P01 990"}));

        const auto around = s.load(ids[30], Leaderboard::Scope::today, Leaderboard::Window::aroundMe);
        QCOMPARE(int(around.scores.size()), 21);
        QCOMPARE(around.scores.front().displayName(), "P20");
        QCOMPARE(around.scores[10].playerID(), ids[30]);
        QCOMPARE(around.scores.back().displayName(), "P40");
        QCOMPARE(around.localPlayerScore->rank(), 31);

        const auto atTheTop = s.load(ids[0], Leaderboard::Scope::allTime, Leaderboard::Window::aroundMe);
        QCOMPARE(int(atTheTop.scores.size()), 11); // nobody above: only those below
        QCOMPARE(atTheTop.scores.front().playerID(), ids[0]);
        const auto atTheEnd = s.load(ids[59], Leaderboard::Scope::week, Leaderboard::Window::aroundMe);
        QCOMPARE(int(atTheEnd.scores.size()), 11);
        QCOMPARE(atTheEnd.scores.back().playerID(), ids[59]);

        const QString newcomer = s.player("New");
        QVERIFY(s.load(newcomer, Leaderboard::Scope::today, Leaderboard::Window::aroundMe).scores.empty());
    }

    // A file from before the day and week were kept still works (its best
    // counts for the period it was made in), and a file written now still
    // holds the best of all time where older versions read it.
    void theFileStaysReadableBothWays()
    {
        QTemporaryDir dir;
        const QCborMap best{{u"value"_s, 700}, {u"date"_s, utc(2026, 12, 9, 7).toMSecsSinceEpoch()}};
        const QCborMap old{{u"displayName"_s, u"Ada"_s}, {u"scores"_s, QCborMap{{board, best}}}};
        const QCborMap root{{u"players"_s, QCborMap{{u"P:ada"_s, old}}}, {u"signedIn"_s, u"P:ada"_s}};
        QFile file(dir.filePath("service.cbor"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QCborValue(root).toCbor());
        file.close();

        Service s(dir);
        QCOMPARE(rows(s.load("P:ada", Leaderboard::Scope::today)), QStringList({"Ada 700"}));
        s.report("P:ada", 800, utc(2026, 12, 9, 9));
        s.report("P:ada", 100, utc(2026, 12, 9, 10));

        QVERIFY(file.open(QIODevice::ReadOnly));
        const QCborValue written = QCborValue::fromCbor(file.readAll());
        const QCborValue stored = written[u"players"_s][u"P:ada"_s][u"scores"_s][board];
        QCOMPARE(stored[u"value"_s].toInteger(), 800);
        QCOMPARE(stored[u"date"_s].toInteger(), utc(2026, 12, 9, 9).toMSecsSinceEpoch());

        // And it reads back the same in a new service.
        Service again(dir);
        QCOMPARE(rows(again.load("P:ada", Leaderboard::Scope::today)), QStringList({"Ada 800"}));
    }

    // Signing in creates the account under the name and keeps it in a file
    // the user alone can read; the recovery code is handed out once. The
    // transport module is loaded once, on the first call.
    void signingInKeepsTheAccountPrivately()
    {
        NetworkFixture f;
        OptionalError error;
        QVERIFY(!f.backend.signedInPlayer(error));
        QCOMPARE(f.transportLoads, 0);
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

        QCOMPARE(f.accountMode(), mode_t(0600));
        // Signed in, every call for the player carries the token.
        f.transport->answers.push_back(answer(200, {{"challenges", QJsonArray{}}}));
        f.backend.loadReceivedChallenges(QStringLiteral("K1"), error);
        QVERIFY(!error);
        QCOMPARE(f.transport->header(1, "authorization"), std::string("Bearer secret-token"));
        QCOMPARE(f.transportLoads, 1);

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
        NetworkFixture f;
        QDir().mkpath(f.folder.filePath("GameService"));
        QFile file(f.accountFile());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther | QFile::ReadGroup));
        f.signIn();
        QCOMPARE(f.accountMode(), mode_t(0600));
    }

    // An account on another server, or a file that is not an account, is
    // nobody signed in here; the damaged file stays for the player.
    void foreignOrDamagedAccountsAreNobody()
    {
        NetworkFixture f;
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
        NetworkFixture f;
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
        NetworkFixture f;
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
        QTest::newRow("no answer") << 0 << int(HttpResponse::Failure::timeout)
                                   << ServiceErrorCode::communicationsFailure;
        QTest::newRow("wrong certificate")
            << 0 << int(HttpResponse::Failure::tls) << ServiceErrorCode::communicationsFailure;
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
        NetworkFixture f;
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
        NetworkFixture f;
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
        NetworkFixture f;
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

        const QJsonObject zoe{
            {"rank", 1}, {"playerId", "K1"}, {"displayName", "Zoë"}, {"score", 940}, {"reportedAt", 1765188000000.0}};
        const QJsonObject bob{
            {"rank", 2}, {"playerId", "K2"}, {"displayName", "Bob"}, {"score", 610}, {"reportedAt", 1765188000001.0}};
        f.transport->answers.push_back(answer(200, {{"entries", QJsonArray{zoe, bob}}, {"me", zoe}}));
        const auto scores = f.backend.loadScores(QStringLiteral("K1"), QStringLiteral("sp_leaderboard"), error);
        QVERIFY(!error);
        QCOMPARE(scores.scores.size(), 2u);
        QCOMPARE(scores.scores[1].displayName(), QStringLiteral("Bob"));
        QCOMPARE(scores.scores[1].rank(), 2);
        QCOMPARE(scores.localPlayerScore->value(), 940);
        QCOMPARE(scores.localPlayerScore->date().toMSecsSinceEpoch(), 1765188000000);

        f.transport->answers.push_back(
            answer(200, {{"achievements",
                          QJsonArray{QJsonObject{{"id", "1won"}, {"percent", 100.0}, {"updatedAt", 5.0}},
                                     QJsonObject{{"id", "50won"}, {"percent", 0.0}, {"updatedAt", QJsonValue()}}}}}));
        const auto achievements = f.backend.loadAchievements(QStringLiteral("K1"), error);
        QCOMPARE(achievements.size(), 1u); // only those the player has moved
        QVERIFY(achievements[0].isCompleted());

        f.transport->answers.push_back(answer(200, {{"completedNow", true}}));
        auto fifty = *Achievement::withIdentifier(QStringLiteral("50won"));
        fifty.setPercentComplete(100);
        QVERIFY(f.backend.reportAchievement(QStringLiteral("K1"), fifty, error));

        f.transport->answers.push_back(answer(
            200,
            {{"challenges", QJsonArray{QJsonObject{{"id", "C1"},
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

        // Scopes and "around me" name the server's routes; a dismissal
        // deletes the challenge by its id.
        const QJsonObject me{{"rank", 12}, {"playerId", "K1"}, {"displayName", "Zoë"}, {"score", 500}};
        const QJsonObject above{{"rank", 11}, {"playerId", "K9"}, {"displayName", "Eve"}, {"score", 510}};
        f.transport->answers.push_back(answer(200, {{"entries", QJsonArray{above, me}}, {"entryCount", 40}}));
        const auto around =
            f.backend.loadScores(QStringLiteral("K1"), QStringLiteral("sp_leaderboard"),
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

    // One spelling per server, so that the account file's server matches
    // whatever way the player typed it; anything that is not a bare server
    // is refused with a reason.
    void serverAddressesAreNormalised_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("normal"); // empty: refused
        QTest::newRow("bare host") << "scores.example.org"
                                   << "https://scores.example.org";
        QTest::newRow("host and port") << "scores.example.org:8443"
                                       << "https://scores.example.org:8443";
        QTest::newRow("http loopback") << " http://127.0.0.1:8080/ "
                                       << "http://127.0.0.1:8080";
        QTest::newRow("default port dropped") << "HTTPS://Scores.Example.org:443"
                                              << "https://scores.example.org";
        QTest::newRow("ipv6") << "http://[::1]:9000"
                              << "http://[::1]:9000";
        QTest::newRow("empty") << "  "
                               << "";
        QTest::newRow("ftp") << "ftp://scores.example.org"
                             << "";
        QTest::newRow("file") << "file:///etc/passwd"
                              << "";
        QTest::newRow("credentials") << "https://me:pw@scores.example.org"
                                     << "";
        QTest::newRow("path") << "https://scores.example.org/v1"
                              << "";
        QTest::newRow("query") << "https://scores.example.org?x=1"
                               << "";
        QTest::newRow("space") << "https://sco res.example.org"
                               << "";
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

    // A transport module that is missing is an error of every call, not a crash.
    void aMissingTransportIsAnError()
    {
        NetworkFixture f;
        OptionalError error;
        NetworkServiceBackend missing(server, f.accountFile(), GameServiceEnvironment::catalogue(), [](QString *why) {
            *why = QStringLiteral("module not found");
            return nullptr;
        });
        missing.signIn(QStringLiteral("Ann"), error);
        QCOMPARE(error->code, ServiceErrorCode::communicationsFailure);
        QCOMPARE(error->message, QStringLiteral("module not found"));
    }
};

QTEST_GUILESS_MAIN(TestServiceKit)
#include "tst_servicekit.moc"
