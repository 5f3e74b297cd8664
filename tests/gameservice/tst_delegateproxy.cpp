#include "fakes/managerfixture.h"

#include "gameservice/gameserviceavailabilitystate.h"
#include "gameservice/gameservicedelegateproxy.h"
#include "game/rx/disposebag.h"
#include "game/rx/driver.h"
#include "platform/servicekit/signinviewcontroller.h"

using namespace kestrune;
using namespace kestrune::test;

namespace {
// Notes when it hears a sign-in screen, and whether the subject had it first.
class OrderingDelegate final : public RecordingDelegate
{
public:
    std::function<int()> subjectCount;
    int subjectCountWhenForwarded = -1;
    void authenticateUser(GameServiceManager &m, std::shared_ptr<SignInViewController> s) override
    {
        subjectCountWhenForwarded = subjectCount();
        RecordingDelegate::authenticateUser(m, s);
    }
};
} // namespace

class TestDelegateProxy : public QObject
{
    Q_OBJECT

private slots:
    void oneProxyPerManagerInstalledAsItsDelegate()
    {
        ManagerFixture f;
        GameServiceManager &m = f.start();
        auto first = GameServiceDelegateProxy::proxy(m);
        QCOMPARE(m.delegate(), std::static_pointer_cast<GameServiceManagerDelegate>(first));
        QCOMPARE(GameServiceDelegateProxy::proxy(m), first);
        // The delegate that was there before becomes the forward delegate.
        QCOMPARE(first->forwardToDelegate(), std::static_pointer_cast<GameServiceManagerDelegate>(f.delegate));
        // The manager keeps it: the weak delegate stays set without our reference.
        std::weak_ptr<GameServiceDelegateProxy> weak = first;
        first.reset();
        QVERIFY(!weak.expired());
    }

    void availabilityStreamIsTrueOnlyForAvailable()
    {
        ManagerFixture f;
        GameServiceManager &m = f.start();
        auto proxy = GameServiceDelegateProxy::proxy(m);
        QList<bool> seen;
        rx::DisposeBag bag;
        GameServiceDelegateProxy::gameServiceAvailable(m).subscribe([&](bool b) { seen << b; }).disposed(bag);
        for (int s : {4, 1, 2, 3, 0, 4})
            proxy->availabilityChanged(m, availabilityDictionary(GameServiceAvailabilityState(s)));
        proxy->availabilityChanged(m, {{QStringLiteral("status"), 42}});
        proxy->availabilityChanged(m, {});
        QCOMPARE(seen, (QList<bool>{true, false, false, false, false, true, false, false}));
    }

    void theManagersNotificationsReachTheStream()
    {
        ManagerFixture f;
        GameServiceManager &m = f.start();
        QList<bool> seen;
        rx::DisposeBag bag;
        rx::asDriver(GameServiceDelegateProxy::gameServiceAvailable(m), false)
            .drive([&](bool b) { seen << b; })
            .disposed(bag);
        f.makeAvailable();
        f.settle();
        // State 1 from start-up, 3 on the first check with network, then 4.
        QCOMPARE(seen, (QList<bool>{false, false, true}));
        // The forward delegate still hears them.
        QCOMPARE(f.delegate->count("availabilityChanged"), 3);
    }

    void signInScreensReachTheSubjectBeforeTheForwardDelegate()
    {
        ManagerFixture f(ManagerFixture::Options{.offersSignIn = true});
        auto ordering = std::make_shared<OrderingDelegate>();
        f.delegate = ordering;
        GameServiceManager &m = f.start();
        auto proxy = GameServiceDelegateProxy::proxy(m);
        int emitted = 0;
        ordering->subjectCount = [&] { return emitted; };
        rx::DisposeBag bag;
        proxy->authenticateUserSubject.subscribe([&](const auto &screen) {
            QVERIFY(screen);
            QVERIFY(DispatchQueue::isMainThread());
            ++emitted;
        }).disposed(bag);
        f.setNetwork(true);
        m.checkGameServiceAvailability(false);
        QTRY_COMPARE_WITH_TIMEOUT(emitted, 1, 30000);
        QCOMPARE(ordering->subjectCountWhenForwarded, 1);
    }

    void destroyingTheProxyCompletesTheSubject()
    {
        bool completed = false;
        rx::DisposeBag bag;
        {
            ManagerFixture f;
            GameServiceManager &m = f.start();
            GameServiceDelegateProxy::proxy(m)->authenticateUserSubject.subscribe({}, {}, [&] { completed = true; })
                .disposed(bag);
            QVERIFY(!completed);
        }
        QVERIFY(completed);
    }
};

QTEST_GUILESS_MAIN(TestDelegateProxy)
#include "tst_delegateproxy.moc"
