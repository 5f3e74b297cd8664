#include "platform/backgroundanalytics.h"

#include "recordinganalytics.h"

#include <QTest>

#include <condition_variable>
#include <mutex>

using namespace kestrune;
using namespace kestrune::test;

namespace {

// An engine whose first event waits until the test lets it go, as a slow
// disk would.
class SlowEngine final : public Analytics
{
public:
    void configure() override { recording.configure(); }
    void logEvent(const std::string &name, const std::optional<Parameters> &parameters) override
    {
        std::unique_lock lock(mutex);
        released.wait(lock, [this] { return open; });
        recording.logEvent(name, parameters);
    }
    void release()
    {
        std::lock_guard lock(mutex);
        open = true;
        released.notify_all();
    }

    RecordingAnalytics recording;
    std::mutex mutex;
    std::condition_variable released;
    bool open = false;
};

} // namespace

class TestBackgroundAnalytics : public QObject
{
    Q_OBJECT

private slots:
    // The caller never waits for the engine, and the engine gets every event
    // in the order it was logged.
    void eventsArriveInOrderWithoutHoldingTheCaller()
    {
        auto engine = std::make_unique<SlowEngine>();
        SlowEngine &slow = *engine;
        BackgroundAnalytics analytics(std::move(engine));
        analytics.configure();
        analytics.logEvent("start_game", Analytics::Parameters{{"Type", "Single player"}});
        analytics.logEvent("won_game", Analytics::Parameters{{"Round", std::int64_t(5)}});
        analytics.logEvent("quit_game"); // all returned while the engine is stuck
        slow.release();
        analytics.flush();
        QCOMPARE(slow.recording.configured, 1);
        QCOMPARE(slow.recording.names(), (std::vector<std::string>{"start_game", "won_game", "quit_game"}));
        QCOMPARE(slow.recording.events[1].parameters->at("Round"), Analytics::Value(std::int64_t(5)));
    }
};

QTEST_GUILESS_MAIN(TestBackgroundAnalytics)
#include "tst_backgroundanalytics.moc"
