#pragma once

#include <QObject>

#include <initializer_list>
#include <vector>

class QSocketNotifier;

namespace kestrune {

// Turns the termination signals a desktop sends (at logout, at shutdown, at
// Ctrl+C in a terminal) into a Qt signal in the event loop, so that the
// program leaves by its normal path and finishes what it writes behind. The
// handler only writes the signal's number into a socket pair; everything
// else happens in the event loop. A second delivery of the same signal
// takes its default action, so a program stuck on its way out can still be
// ended. One watcher per process; GUI thread only.
class SignalWatcher : public QObject
{
    Q_OBJECT

public:
    // Starts catching signals; received() is emitted once the event loop runs.
    explicit SignalWatcher(std::initializer_list<int> signalNumbers, QObject *parent = nullptr);
    // Gives the signals back their default action.
    ~SignalWatcher() override;
    SignalWatcher(const SignalWatcher &) = delete;
    SignalWatcher &operator=(const SignalWatcher &) = delete;

    // Whether the handlers are in place (false when the socket pair could
    // not be made; the signals then keep their default action).
    bool isWatching() const { return m_notifier != nullptr; }

signals:
    void received(int signalNumber);

private:
    void readSignals();

    std::vector<int> m_signals;
    QSocketNotifier *m_notifier = nullptr;
};

} // namespace kestrune
