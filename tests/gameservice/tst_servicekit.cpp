#include "fakes/fakeservicebackend.h"

#include "gameservice/gameserviceenvironment.h"
#include "platform/dispatch/serialqueue.h"
#include "platform/network/systempathmonitor.h"
#include "platform/servicekit/localservicebackend.h"
#include "platform/servicekit/servicekit.h"
#include "platform/servicekit/servicescreenpresenter.h"
#include "platform/servicekit/signinviewcontroller.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

using namespace kestrune;
using namespace kestrune::test;

namespace {

class BannerRecorder final : public ServiceScreenPresenter
{
public:
    void present(const std::shared_ptr<ServiceViewController> &, QObject *, bool, std::function<void()> f) override { f(); }
    void dismiss(const std::shared_ptr<ServiceViewController> &, bool, std::function<void()> f) override { f(); }
    void showCompletionBanner(const ServiceCatalogue::AchievementDescription &a) override
    {
        titles << a.title;
        onMain = QThread::currentThread() == qApp->thread();
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
    int size() { std::lock_guard l(m); return int(list.size()); }
    std::pair<std::shared_ptr<SignInViewController>, OptionalError> at(int i) { std::lock_guard l(m); return list.at(i); }
};

std::shared_ptr<LocalServiceBackend> localBackend(const QTemporaryDir &dir)
{
    return std::make_shared<LocalServiceBackend>(dir.filePath("service/service.cbor"), GameServiceEnvironment::catalogue());
}

} // namespace

// The framework over its local backend, and the network monitor.
class TestServiceKit : public QObject
{
    Q_OBJECT

private slots:
    void signingInOnceIsRememberedAcrossRuns()
    {
        QTemporaryDir dir;
        Answers answers;
        {
            auto kit = ServiceKit::create(localBackend(dir));
            QVERIFY(!kit->localPlayer().isAuthenticated());
            kit->localPlayer().setAuthenticateHandler(answers.handler());
            QTRY_COMPARE_WITH_TIMEOUT(answers.size(), 1, 30000);
            auto screen = answers.at(0).first;
            QVERIFY(screen);
            screen->submit(QStringLiteral("Ada"));
            QTRY_COMPARE_WITH_TIMEOUT(answers.size(), 2, 30000);
            QVERIFY(!answers.at(1).first && !answers.at(1).second);
            QVERIFY(kit->localPlayer().isAuthenticated());
            QCOMPARE(kit->localPlayer().displayName(), QStringLiteral("Ada"));
            // Installing again while authenticated does not ask again.
            kit->localPlayer().setAuthenticateHandler(answers.handler());
            kit->waitForIdle();
            QCOMPARE(answers.size(), 2);
        }
        auto kit = ServiceKit::create(localBackend(dir));
        kit->localPlayer().setAuthenticateHandler(answers.handler());
        QTRY_COMPARE_WITH_TIMEOUT(answers.size(), 3, 30000);
        QVERIFY(!answers.at(2).first && !answers.at(2).second);
        QCOMPARE(kit->localPlayer().displayName(), QStringLiteral("Ada"));
    }

    void anEmptyNameOrADeclineIsAnError()
    {
        QTemporaryDir dir;
        Answers answers;
        auto kit = ServiceKit::create(localBackend(dir));
        kit->localPlayer().setAuthenticateHandler(answers.handler());
        QTRY_COMPARE_WITH_TIMEOUT(answers.size(), 1, 30000);
        answers.at(0).first->submit(QStringLiteral("   "));
        QTRY_COMPARE_WITH_TIMEOUT(answers.size(), 2, 30000);
        QCOMPARE(answers.at(1).second->code, ServiceErrorCode::invalidParameter);
        kit->localPlayer().setAuthenticateHandler(answers.handler());
        QTRY_COMPARE_WITH_TIMEOUT(answers.size(), 3, 30000);
        answers.at(2).first->cancel();
        QTRY_COMPARE_WITH_TIMEOUT(answers.size(), 4, 30000);
        QCOMPARE(answers.at(3).second->code, ServiceErrorCode::cancelled);
        // Declined stays declined for the run.
        kit->localPlayer().setAuthenticateHandler(answers.handler());
        QTRY_COMPARE_WITH_TIMEOUT(answers.size(), 5, 30000);
        QCOMPARE(answers.at(4).second->code, ServiceErrorCode::cancelled);
    }

    void theLocalServiceKeepsBestScoresAndProgress()
    {
        QTemporaryDir dir;
        auto backend = localBackend(dir);
        OptionalError error;
        const auto ada = backend->signIn(QStringLiteral("Ada"), error);
        const auto bob = backend->signIn(QStringLiteral("Bob"), error);
        QCOMPARE(backend->signIn(QStringLiteral("Ada"), error).playerID, ada.playerID); // same name, same player
        auto score = [](qint64 v) { Score s(QStringLiteral("sp_leaderboard")); s.setValue(v); return s; };
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
        QVERIFY(again->reportAchievement(ada.playerID, achievement, error)); // completed now
        QVERIFY(!again->reportAchievement(ada.playerID, achievement, error)); // not again
        again->resetAchievements(ada.playerID, error);
        QVERIFY(again->loadAchievements(ada.playerID, error).empty());
        again->reportScore(QStringLiteral("nobody"), score(1), error);
        QCOMPARE(error->code, ServiceErrorCode::notAuthenticated);
    }

    void aDamagedServiceFileIsSetAsideAndStartedAfresh()
    {
        QTemporaryDir dir;
        QDir().mkpath(dir.filePath("service"));
        {
            QFile f(dir.filePath("service/service.cbor"));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("\xa1\x61");
        }
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

    void completingAnAchievementShowsItsBanner()
    {
        QTemporaryDir dir;
        auto backend = std::make_shared<FakeServiceBackend>();
        backend->setSignedIn(ServiceBackend::Player{QStringLiteral("P:1"), QStringLiteral("Ada")});
        auto kit = ServiceKit::create(backend);
        auto banners = std::make_shared<BannerRecorder>();
        kit->setScreenPresenter(banners);
        Answers answers;
        kit->localPlayer().setAuthenticateHandler(answers.handler());
        QTRY_VERIFY_WITH_TIMEOUT(kit->localPlayer().isAuthenticated(), 30000);
        auto make = [](const char *id, double p, bool banner) {
            auto a = *Achievement::withIdentifier(QString::fromUtf8(id));
            a.setPercentComplete(p);
            a.setShowsCompletionBanner(banner);
            return a;
        };
        std::atomic<int> done{0};
        kit->reportAchievements({make("1won", 100, true), make("50won", 100, false), make("100won", 50, true)},
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

    void theSystemMonitorReportsOnItsQueue_data()
    {
        QTest::addColumn<bool>("automatic");
        QTest::newRow("interface polling") << false;
        QTest::newRow("QNetworkInformation") << true;
    }
    void theSystemMonitorReportsOnItsQueue()
    {
        QFETCH(bool, automatic);
#if defined(__SANITIZE_THREAD__)
        if (automatic)
            QSKIP("QNetworkInformation's D-Bus thread lives in Qt, which the race checker cannot see into");
#endif
        SerialQueue queue(QStringLiteral("test.networkMonitor"));
        SystemPathMonitor monitor(automatic ? SystemPathMonitor::Method::Automatic
                                            : SystemPathMonitor::Method::InterfacePolling);
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
};

QTEST_GUILESS_MAIN(TestServiceKit)
#include "tst_servicekit.moc"
