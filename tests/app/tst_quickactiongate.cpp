#include "manualscheduler.h"

#include "app/quickactiongate.h"

#include <QTest>

#include <memory>
#include <optional>
#include <vector>

using namespace kestrune;
using namespace kestrune::test;

namespace {

constexpr std::chrono::milliseconds settle{400};

// The gate over a perform that records what it was asked and answers `answer`.
struct Fixture
{
    Fixture()
        : gate(scheduler, settle, [this](const QString &type, QuickActionGate::Completion completion) {
            performed << type;
            completion(answer);
        })
    {
    }
    // The answers of each request, in order; none while it waits.
    std::shared_ptr<std::optional<bool>> request(const QString &type)
    {
        auto answer = std::make_shared<std::optional<bool>>();
        gate.request(type, [answer](bool done) {
            QVERIFY(!answer->has_value()); // exactly once
            *answer = done;
        });
        return answer;
    }

    ManualScheduler scheduler;
    QStringList performed;
    bool answer = true;
    QuickActionGate gate;
};

} // namespace

class TestQuickActionGate : public QObject
{
    Q_OBJECT

private slots:
    void aBurstRunsTheFirstAndTheLatest()
    {
        Fixture f;
        std::vector<std::shared_ptr<std::optional<bool>>> answers;
        answers.push_back(f.request("singleplayer"));
        for (int i = 0; i < 48; ++i)
            answers.push_back(f.request("singleplayer"));
        answers.push_back(f.request("multiplayer"));
        QCOMPARE(f.performed, QStringList{"singleplayer"});
        QCOMPARE(*answers.front(), std::optional<bool>(true));
        QVERIFY(!answers.back()->has_value());

        f.scheduler.runAll(); // the first has settled: the coalesced one runs
        QCOMPARE(f.performed, (QStringList{"singleplayer", "multiplayer"}));
        for (const auto &answer : answers)
            QCOMPARE(*answer, std::optional<bool>(true));
        QVERIFY(f.gate.isBusy());
        f.scheduler.runAll();
        QVERIFY(!f.gate.isBusy());
        QCOMPARE(f.performed.size(), 2);

        // Settled, the gate runs the next one at once.
        const auto next = f.request("singleplayer");
        QCOMPARE(f.performed.size(), 3);
        QCOMPARE(*next, std::optional<bool>(true));
    }

    void coalescedRequestsGetTheAnswerOfTheActionThatRan()
    {
        Fixture f;
        f.request("singleplayer");
        f.answer = false;
        const auto first = f.request("singleplayer");
        const auto second = f.request("multiplayer");
        f.scheduler.runAll();
        QCOMPARE(*first, std::optional<bool>(false));
        QCOMPARE(*second, std::optional<bool>(false));
    }
};

QTEST_GUILESS_MAIN(TestQuickActionGate)
#include "tst_quickactiongate.moc"
