#pragma once

#include <QEvent>
#include <QString>

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>

class QObject;

namespace kestrune {

// A developer's measure of smoothness: times each event the GUI thread
// delivers and reports those that hold it longer than a frame allows. An
// event is reported when it used more than the threshold of the thread's
// own CPU time ("busy"), or when it took more than the threshold of wall
// time and the thread went to sleep in it ("waited": a lock, a future, a
// file or a round trip; a thread that was merely preempted did not wait).
// A wait whose event would have fit had a processor been free, its CPU and
// its sleeps together within the threshold, is told apart ("queued"): the
// rest of its wall time the thread was ready to run while other programs
// had the processors. One report line per event: the receiver's class and
// name, the event's type, wall, CPU and queued time and the number of
// sleeps. GUI thread only.
class StallWatch
{
public:
    using Report = std::function<void(const QString &line)>;

    // Reports go to stderr unless a report function is given.
    explicit StallWatch(std::chrono::microseconds threshold, Report report = {});

    // The watch KESTRUNE_STALL_MS asks for (milliseconds, fractions
    // allowed); nothing when it is unset. A value that is not a positive
    // number is refused with the reason in `error`.
    static std::optional<StallWatch> fromEnvironment(QString &error);

    std::chrono::microseconds threshold() const { return m_threshold; }

    // Around the delivery of one event; deliveries nested in it (an event
    // loop run by a handler, a synchronous send) count as part of it.
    void begin();
    // `receiver` is null when it went during its event.
    void end(const QObject *receiver, QEvent::Type type);

    // Events reported so far.
    int reported() const { return m_reported; }

    struct Sample
    {
        std::int64_t wallNs = 0;
        std::int64_t cpuNs = 0;
        std::int64_t sleeps = 0; // voluntary context switches
        // Ready to run but waiting for a processor; 0 where the kernel keeps
        // no scheduler statistics.
        std::int64_t queuedNs = 0;
    };
    // Where a sample stands in the time it measures: a preemption between
    // its reads must fall inside the measured wall time, never add queued
    // time the wall time does not hold.
    enum class Edge { Start, End };
    static Sample now(Edge edge = Edge::Start);
    // The line for an event that took `used`; empty when it is not reported.
    QString judge(const Sample &used, const QString &receiver, const QString &event) const;

private:
    std::chrono::microseconds m_threshold;
    Report m_report;
    Sample m_start;
    int m_depth = 0;
    int m_reported = 0;
};

} // namespace kestrune
