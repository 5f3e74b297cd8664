#include "game/rx/rx.h"
#include "manualscheduler.h"

#include <QCoreApplication>
#include <QTest>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <iterator>
#include <latch>
#include <memory>
#include <thread>

using namespace rx;

using kestrune::test::ManualScheduler;

class TestStreams : public QObject
{
    Q_OBJECT

private slots:
    void subjectDeliversOnlyToCurrentObserversUntilItCompletes()
    {
        PublishSubject<int> subject;
        std::vector<std::string> seen;
        int completions = 0;
        subject.onNext(0); // nobody listens: lost, never replayed
        auto a = subject.subscribe([&](int v) { seen.push_back("a" + std::to_string(v)); });
        subject.onNext(1);
        auto b = subject.subscribe([&](int v) { seen.push_back("b" + std::to_string(v)); }, {}, [&] { ++completions; });
        subject.onNext(2);
        a.dispose();
        subject.onNext(3);
        subject.onCompleted();
        subject.onNext(4);
        subject.onCompleted();
        QCOMPARE(seen, (std::vector<std::string>{"a1", "a2", "b2", "b3"}));
        QCOMPARE(completions, 1);
        QVERIFY(!subject.hasObservers());
        // A late subscriber hears only the end.
        bool lateCompleted = false;
        subject.subscribe([&](int v) { seen.push_back("late" + std::to_string(v)); }, {},
                          [&] { lateCompleted = true; });
        QVERIFY(lateCompleted);
        QCOMPARE(seen.size(), std::size_t(4));
    }

    void disposingInsideHandlerIsSafe()
    {
        PublishSubject<int> subject;
        std::vector<int> seen;
        Disposable self;
        Disposable other;
        self = subject.subscribe([&](int v) {
            seen.push_back(v);
            self.dispose();  // itself
            other.dispose(); // and a later observer, before it hears this event
        });
        other = subject.subscribe([&](int v) { seen.push_back(100 + v); });
        subject.onNext(1);
        subject.onNext(2);
        QCOMPARE(seen, std::vector<int>{1});
        QVERIFY(!subject.hasObservers());
    }

    void subjectOrItsOwnerDestroyedWhileSubscribed()
    {
        Disposable d;
        bool disposedCalled = false;
        {
            PublishSubject<int> subject;
            d = subject.subscribe([](int) {}, {}, {}, [&] { disposedCalled = true; });
        }
        d.dispose(); // the subject is gone: must not touch it
        QVERIFY(d.isDisposed());
        QVERIFY(disposedCalled);

        // The owner of the subject is destroyed by one of the subject's own handlers.
        struct Owner
        {
            PublishSubject<int> subject;
            DisposeBag bag;
        };
        auto owner = std::make_unique<Owner>();
        PublishSubject<int> source = owner->subject; // keep a handle to publish with
        std::vector<int> seen;
        owner->subject
            .subscribe([&](int v) {
                seen.push_back(v);
                owner.reset();
            })
            .disposed(owner->bag);
        source.subscribe([&](int v) { seen.push_back(10 + v); }); // still told: it was subscribed
        source.onNext(1);
        QVERIFY(!owner);
        source.onNext(2);
        QCOMPARE(seen, (std::vector<int>{1, 11, 12}));
    }

    void bagStaysSmallOverManyShortSubscriptions()
    {
        // An owner that lives through many matches: each subscription ends on
        // its own, by completion (at once or later) or by an error.
        auto bag = std::make_unique<DisposeBag>();
        PublishSubject<int> subject;
        int values = 0;
        int ends = 0;
        for (int i = 0; i < 1000; ++i) {
            auto source = [&]() {
                switch (i % 3) {
                case 0:
                    return Observable<int>::just(i);
                case 1:
                    return subject.asObservable().take(1);
                default:
                    return Observable<int>::error(std::make_exception_ptr(std::runtime_error("lost")));
                }
            }();
            source.subscribe([&](int) { ++values; }, [&](std::exception_ptr) { ++ends; }, [&] { ++ends; })
                .disposed(*bag);
            subject.onNext(i);
        }
        QCOMPARE(ends, 1000);
        QCOMPARE(values, 667);
        QVERIFY2(bag->size() <= 1, qPrintable(QString::number(bag->size())));

        // A live subscription is kept among them, and still ends with the bag.
        subject.subscribe([&](int) { ++values; }).disposed(*bag);
        Observable<int>::just(0).subscribe([](int) {}).disposed(*bag);
        QCOMPARE(bag->size(), std::size_t(1));
        bag.reset();
        QVERIFY(!subject.hasObservers());
    }

    void operatorsCompose()
    {
        PublishSubject<int> subject;
        std::vector<std::string> seen;
        bool completed = false;
        subject.asObservable()
            .filter([](int v) { return v % 2 == 1; })
            .map([](int v) { return std::to_string(v); })
            .take(2)
            .subscribe([&](const std::string &s) { seen.push_back(s); }, {}, [&] { completed = true; });
        for (int i = 1; i <= 7; ++i)
            subject.onNext(i);
        QCOMPARE(seen, (std::vector<std::string>{"1", "3"}));
        QVERIFY(completed);
        QVERIFY(!subject.hasObservers()); // take let go of its source

        // Sources that end at once, take(0), and an error replaced for a driver.
        std::vector<int> values;
        int completions = 0;
        auto record = [&](const Observable<int> &o) {
            o.subscribe([&](int v) { values.push_back(v); }, {}, [&] { ++completions; });
        };
        record(Observable<int>::just(7));
        record(Observable<int>::empty());
        record(Observable<int>::just(8).take(0));
        record(Observable<int>::error(std::make_exception_ptr(std::runtime_error("boom"))).catchErrorJustReturn(0));
        QCOMPARE(values, (std::vector<int>{7, 0}));
        QCOMPARE(completions, 4);
    }

    void createRunsCancelWhenSubscriptionEnds()
    {
        int cancels = 0;
        Observer<int> producer;
        auto source = Observable<int>::create([&](const Observer<int> &o) {
            producer = o;
            return Disposable::create([&] { ++cancels; });
        });
        std::vector<int> seen;
        Disposable d = source.subscribe([&](int v) { seen.push_back(v); });
        producer.onNext(1);
        d.dispose();
        d.dispose();
        producer.onNext(2);
        QCOMPARE(seen, std::vector<int>{1});
        QCOMPARE(cancels, 1);

        // Ending by completion cancels the producer too.
        source.subscribe([](int) {});
        producer.onCompleted();
        QCOMPARE(cancels, 2);
    }

    void mergeAndFlatMapFollowTheirInnerStreams()
    {
        PublishSubject<int> a;
        PublishSubject<int> b;
        std::vector<int> seen;
        bool completed = false;
        Observable<Observable<int>>::from({a.asObservable(), b.asObservable()})
            .merge()
            .subscribe([&](int v) { seen.push_back(v); }, {}, [&] { completed = true; });
        a.onNext(1);
        b.onNext(2);
        a.onNext(3);
        a.onCompleted();
        QVERIFY(!completed);
        b.onNext(4);
        b.onCompleted();
        QVERIFY(completed);
        QCOMPARE(seen, (std::vector<int>{1, 2, 3, 4}));

        // flatMap's inner streams end with its subscription.
        PublishSubject<int> outer;
        PublishSubject<int> inner;
        seen.clear();
        Disposable d = outer.asObservable()
                           .flatMap([&](int v) { return inner.asObservable().map([v](int x) { return v * 10 + x; }); })
                           .subscribe([&](int v) { seen.push_back(v); });
        outer.onNext(1);
        outer.onNext(2);
        inner.onNext(5);
        d.dispose();
        inner.onNext(6);
        QCOMPARE(seen, (std::vector<int>{15, 25}));
        QVERIFY(!inner.hasObservers());
        QVERIFY(!outer.hasObservers());
    }

    // On the GUI thread at once; from elsewhere through its event loop, in order.
    void driverDeliversOnTheMainThreadInOrder()
    {
        PublishSubject<int> subject;
        std::vector<int> seen;
        std::vector<bool> onMain;
        Disposable d = asDriver(subject.asObservable(), -1).drive([&](int v) {
            seen.push_back(v);
            onMain.push_back(QThread::currentThread() == QCoreApplication::instance()->thread());
        });
        subject.onNext(0);
        QCOMPARE(seen, std::vector<int>{0}); // synchronous, no event loop turn
        std::thread worker([&] {
            subject.onNext(1);
            subject.onNext(2);
        });
        worker.join();
        subject.onNext(3); // published on the GUI thread, but later than the two on their way
        QCOMPARE(seen.size(), std::size_t(1));
        QTRY_COMPARE_WITH_TIMEOUT(seen.size(), std::size_t(4), 10000);
        QCOMPARE(seen, (std::vector<int>{0, 1, 2, 3}));
        QCOMPARE(onMain, (std::vector<bool>{true, true, true, true}));

        // What is on its way when the subscription ends is dropped.
        std::thread late([&] { subject.onNext(5); });
        late.join();
        d.dispose();
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        QCOMPARE(seen.size(), std::size_t(4));
    }

    void mergeDeliversOneEventAtATimeFromSeveralThreads()
    {
        constexpr int perSource = 2000;
        PublishSubject<int> a;
        PublishSubject<int> b;
        std::vector<int> seen; // deliberately unguarded: the merge serialises
        std::atomic<bool> inside{false};
        std::atomic<int> overlaps{0};
        DisposeBag bag;
        Observable<int>::merge({a.asObservable(), b.asObservable()})
            .subscribe([&](int v) {
                if (inside.exchange(true))
                    ++overlaps;
                seen.push_back(v);
                std::this_thread::yield();
                inside = false;
            })
            .disposed(bag);
        std::latch start(2);
        auto publish = [&](const PublishSubject<int> &subject, int first) {
            start.arrive_and_wait();
            for (int i = first; i < first + perSource; ++i)
                subject.onNext(i);
        };
        std::thread ta(publish, std::cref(a), 0);
        std::thread tb(publish, std::cref(b), perSource);
        ta.join();
        tb.join();
        QCOMPARE(overlaps.load(), 0);
        QCOMPARE(seen.size(), std::size_t(2 * perSource));
        std::vector<int> fromA;
        std::vector<int> fromB;
        std::partition_copy(seen.begin(), seen.end(), std::back_inserter(fromA), std::back_inserter(fromB),
                            [](int v) { return v < perSource; });
        QVERIFY(std::is_sorted(fromA.begin(), fromA.end()));
        QVERIFY(std::is_sorted(fromB.begin(), fromB.end()));
    }

    void delayShiftsEventsInOrderAndCancels()
    {
        ManualScheduler scheduler;
        PublishSubject<int> subject;
        std::vector<int> seen;
        bool completed = false;
        Disposable d = subject.asObservable()
                           .delay(std::chrono::milliseconds(1500), scheduler)
                           .subscribe([&](int v) { seen.push_back(v); }, {}, [&] { completed = true; });
        subject.onNext(1);
        subject.onNext(2);
        QVERIFY(seen.empty());
        QCOMPARE(scheduler.pending.size(), std::size_t(2));
        QCOMPARE(scheduler.pending.front().first, std::chrono::milliseconds(1500));
        scheduler.runAll();
        QCOMPARE(seen, (std::vector<int>{1, 2}));
        QCOMPARE(scheduler.liveHandles, 0); // fired timers are let go

        subject.onNext(3);
        QCOMPARE(scheduler.liveHandles, 1);
        d.dispose();
        scheduler.runAll();
        QCOMPARE(seen, (std::vector<int>{1, 2}));
        QVERIFY(!completed);
        QCOMPARE(scheduler.liveHandles, 0);

        // On the main scheduler it arrives through the event loop.
        d = subject.asObservable()
                .delay(std::chrono::milliseconds(10), MainScheduler::instance())
                .subscribe([&](int v) { seen.push_back(v); });
        subject.onNext(4);
        QCOMPARE(seen.size(), std::size_t(2));
        QTRY_COMPARE_WITH_TIMEOUT(seen, (std::vector<int>{1, 2, 4}), 10000);
        d.dispose();
    }
};

QTEST_GUILESS_MAIN(TestStreams)
#include "tst_streams.moc"
