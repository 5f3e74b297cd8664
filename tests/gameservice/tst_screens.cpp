#include "fakes/managerfixture.h"

#include "gameservice/kit/gameserviceviewcontroller.h"
#include "gameservice/kit/localplayer.h"
#include "gameservice/kit/servicescreenpresenter.h"

#include <QWidget>

using namespace kestrune;
using namespace kestrune::test;

namespace {

// Shows nothing; keeps the screens and finishes presenting and dismissing
// only when the test says so.
class HeldPresenter final : public ServiceScreenPresenter
{
public:
    void present(const std::shared_ptr<ServiceViewController> &screen, QWidget *over, bool,
                 std::function<void()> presented) override
    {
        screens.push_back(std::dynamic_pointer_cast<GameServiceViewController>(screen));
        presentedOver = over;
        pending.push_back(std::move(presented));
    }
    void dismiss(const std::shared_ptr<ServiceViewController> &screen, bool, std::function<void()> dismissed) override
    {
        // Let go of the screen as a real presenter does: it holds the kit, which holds us.
        std::erase_if(screens, [&screen](const auto &s) { return s == screen; });
        pending.push_back(std::move(dismissed));
    }
    void showCompletionBanner(const ServiceCatalogue::AchievementDescription &) override {}

    void finishPending()
    {
        auto all = std::move(pending);
        for (auto &f : all)
            f();
    }

    std::vector<std::shared_ptr<GameServiceViewController>> screens;
    std::vector<std::function<void()>> pending;
    QWidget *presentedOver = nullptr;
};

} // namespace

// Service screens, challenges and the local player's photo.
class TestScreens : public QObject
{
    Q_OBJECT

private slots:
    void eachScreenOpensOnItsPageAndIsAnnouncedAfterTheAnimations_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("leaderboard");
        QTest::newRow("achievements") << 1 << QString();
        QTest::newRow("leaderboards, default") << 0 << QString();
        QTest::newRow("leaderboards, named") << 0 << QStringLiteral("sp_leaderboard");
        QTest::newRow("challenges") << 2 << QString();
    }
    void eachScreenOpensOnItsPageAndIsAnnouncedAfterTheAnimations()
    {
        QFETCH(int, page);
        QFETCH(QString, leaderboard);
        ManagerFixture f; // no service needed: the screens do not look at availability
        auto presenter = std::make_shared<HeldPresenter>();
        f.kit->setScreenPresenter(presenter);
        GameServiceManager &m = f.start();
        QWidget menu; // never shown
        if (page == 1)
            m.presentAchievementsOnViewController(&menu);
        else if (page == 2)
            m.presentChallengesOnViewController(&menu);
        else
            m.presentLeaderboardsOnViewController(&menu,
                                                  leaderboard.isEmpty() ? std::nullopt : std::optional(leaderboard));
        QCOMPARE(presenter->screens.size(), 1u);
        const auto screen = presenter->screens[0];
        QCOMPARE(int(screen->viewState()), page);
        QCOMPARE(screen->leaderboardIdentifier().value_or(QString()), leaderboard);
        QCOMPARE(presenter->presentedOver, &menu);

        f.settle();
        QCOMPARE(f.delegate->count("presented"), 0); // not before the presentation finished
        presenter->finishPending();
        QCOMPARE(f.delegate->count("presented"), 0); // and then through the event loop
        f.settle();
        QCOMPARE(f.delegate->count("presented"), 1);

        screen->finish(); // the player closes it
        f.settle();
        QCOMPARE(f.delegate->count("didFinish"), 0);
        presenter->finishPending();
        f.settle();
        const auto finished = f.delegate->callsOf("didFinish");
        QCOMPARE(finished.size(), 1u);
        QVERIFY(finished[0].argument.toBool() && finished[0].onMainThread);
    }

    void withoutAPresenterScreensCountAsShown()
    {
        ManagerFixture f;
        f.start().presentChallengesOnViewController(nullptr);
        f.settle();
        QCOMPARE(f.delegate->count("presented"), 1);
    }

    // Each refusal is an error at once, on the calling thread. Without the
    // service neither is ever answered; a photo asked for with nobody signed
    // in (still "available": only init clears that) is answered with none.
    void challengesAndThePhotoAreRefusedWhenTheyCannotBeHad_data()
    {
        QTest::addColumn<QString>("service");
        QTest::addColumn<bool>("photo");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        QTest::newRow("challenges, no service") << "unavailable" << false << 2 << "GameService Unavailable";
        QTest::newRow("photo, no service") << "unavailable" << true << 2 << "GameService Unavailable";
        QTest::newRow("photo, nobody signed in") << "signed out" << true << 2 << "GameService Unavailable";
        QTest::newRow("challenges the framework lacks")
            << "no challenges" << false << 3 << "Challenge class is not available.";
    }
    void challengesAndThePhotoAreRefusedWhenTheyCannotBeHad()
    {
        QFETCH(QString, service);
        QFETCH(bool, photo);
        QFETCH(int, code);
        QFETCH(QString, message);
        ManagerFixture f;
        GameServiceManager &m = service == "unavailable" ? f.start() : f.startAvailable();
        if (service == "signed out")
            f.kit->localPlayer().signOut();
        else if (service == "no challenges")
            f.kit->setHasChallenges(false);
        QCOMPARE(m.isGameServiceAvailable(), service != "unavailable");
        f.settle();
        f.delegate->clear();
        int answers = 0;
        std::optional<QByteArray> picture = QByteArray("stale");
        if (photo)
            m.localPlayerPhoto([&](auto p) {
                picture = p;
                ++answers;
            });
        else
            m.getChallengesWithCompletion([&](auto, auto) { ++answers; });
        const auto errors = f.delegate->callsOf("error");
        QCOMPARE(errors.size(), 1u);
        const QString said = errors[0].argument.toString();
        // The framework's own words follow its first sentence.
        QVERIFY2(code == 3 ? said.startsWith(message) : said == message, qPrintable(said));
        QCOMPARE(errors[0].code, std::optional(code));
        const bool answeredAtOnce = service == "signed out";
        QCOMPARE(answers, answeredAtOnce ? 1 : 0);
        if (answeredAtOnce)
            QVERIFY(!picture);
        f.settle();
        QCOMPARE(answers, answeredAtOnce ? 1 : 0);
    }

    // Challenges and the photo come from the service; a failure gives
    // nothing beside the error, and the photo's error goes to the delegate.
    void challengesAndThePhotoComeFromTheService()
    {
        ManagerFixture f;
        GameServiceManager &m = f.startAvailable();
        f.backend->setPhoto(QByteArray("png"));
        std::atomic<int> answers{0};
        std::optional<std::vector<Challenge>> challenges;
        OptionalError error;
        std::optional<QByteArray> photo;
        auto keepChallenges = [&](auto c, auto e) {
            challenges = c;
            error = e;
            ++answers;
        };
        auto keepPhoto = [&](auto p) {
            photo = p;
            ++answers;
        };
        m.getChallengesWithCompletion(keepChallenges);
        m.localPlayerPhoto(keepPhoto);
        QTRY_COMPARE_WITH_TIMEOUT(answers.load(), 2, 30000);
        QVERIFY(challenges && challenges->size() == 1 && !error);
        QCOMPARE(photo, std::optional(QByteArray("png")));

        f.delegate->clear();
        f.backend->failNext(FakeServiceBackend::Call::LoadChallenges);
        f.backend->failNext(FakeServiceBackend::Call::LoadPhoto);
        m.getChallengesWithCompletion(keepChallenges);
        m.localPlayerPhoto(keepPhoto);
        QTRY_COMPARE_WITH_TIMEOUT(answers.load(), 4, 30000);
        QVERIFY(!challenges && error);
        QVERIFY(!photo);
        QTRY_COMPARE_WITH_TIMEOUT(f.delegate->count("error"), 1, 30000);
        QVERIFY(f.delegate->callsOf("error")[0].onMainThread);
    }
};

QTEST_MAIN(TestScreens)
#include "tst_screens.moc"
