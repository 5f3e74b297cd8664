#include "fakes/managerfixture.h"
#include "filebytes.h"
#include "filesizelimit.h"

#include "gameservice/client/gameserviceenvironment.h"
#include "gameservice/kit/servicescreenpresenter.h"
#include "gameservice/kit/signinviewcontroller.h"
#include "gameservice/local/localservicebackend.h"
#include "platform/network/systempathmonitor.h"

#include <QCborArray>
#include <chrono>
#include <cmath>
#include <future>
#include <limits>
#include <thread>

using namespace kestrune;
using namespace kestrune::test;

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

} // namespace

// The framework over its local backend, and the network monitor.
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

    void theLocalServiceKeepsBestScoresAndProgress()
    {
        QTemporaryDir dir;
        auto backend = localBackend(dir);
        OptionalError error;
        const auto ada = backend->signIn(QStringLiteral("Ada"), error);
        const auto bob = backend->signIn(QStringLiteral("Bob"), error);
        QCOMPARE(backend->signIn(QStringLiteral("Ada"), error).playerID, ada.playerID); // same name, same player
        auto score = [](qint64 v) {
            Score s(QStringLiteral("sp_leaderboard"));
            s.setValue(v);
            return s;
        };
        backend->reportScore(ada.playerID, score(500), error);
        backend->reportScore(ada.playerID, score(300), error);
        backend->reportScore(bob.playerID, score(700), error);
        QVERIFY(!error);
        auto again = localBackend(dir); // from the file
        const auto scores = again->loadScores(ada.playerID, QStringLiteral("sp_leaderboard"), error);
        QCOMPARE(scores.scores.size(), 2u);
        QCOMPARE(scores.scores[0].value(), 700);
        QCOMPARE(scores.localPlayerScore->value(), 500);

        auto achievement = *Achievement::withIdentifier(QStringLiteral("50won"));
        achievement.setPercentComplete(40);
        QVERIFY(!again->reportAchievement(ada.playerID, achievement, error));
        achievement.setPercentComplete(100);
        QVERIFY(again->reportAchievement(ada.playerID, achievement, error));  // completed now
        QVERIFY(!again->reportAchievement(ada.playerID, achievement, error)); // not again
        again->resetAchievements(ada.playerID, error);
        QVERIFY(again->loadAchievements(ada.playerID, error).empty());
        again->reportScore(QStringLiteral("nobody"), score(1), error);
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
        {
            QFile f(dir.filePath("service/service.cbor"));
            QVERIFY(f.open(QIODevice::ReadOnly));
            QCborMap root = QCborValue::fromCbor(f.readAll()).toMap();
            QCborMap players = root.value("players").toMap();
            QCborMap player = players.value(id).toMap();
            player.insert(QStringLiteral("scores"), QCborMap{{board, QCborMap{{"value", stored}, {"date", stored}}}});
            player.insert(QStringLiteral("achievements"), QCborMap{{"1won", stored}});
            players.insert(id, player);
            root.insert(QStringLiteral("players"), players);
            f.close();
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QCborValue(root).toCbor());
        }
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
};

QTEST_GUILESS_MAIN(TestServiceKit)
#include "tst_servicekit.moc"
