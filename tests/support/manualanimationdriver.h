#pragma once

#include <QAnimationDriver>
#include <QCoreApplication>

namespace kestrune::test {

// Drives every Qt animation of the process by hand: while it exists,
// animations move only when a test calls advanceBy(), so timing is exact.
class ManualAnimationDriver final : public QAnimationDriver
{
public:
    ManualAnimationDriver() { install(); }
    ~ManualAnimationDriver() override { uninstall(); }

    void start() override
    {
        m_startedAt = m_elapsed;
        QAnimationDriver::start();
    }

    // Time since the animation clock last started, as the driver contract asks.
    qint64 elapsed() const override { return m_elapsed - m_startedAt; }

    // Moves time on in frames of at most 10 ms. Between frames, pending events
    // run and a frame without time passing lets animations that were just
    // started join at the current time rather than one frame late.
    void advanceBy(int ms)
    {
        settle();
        while (ms > 0) {
            const int frame = ms < 10 ? ms : 10;
            m_elapsed += frame;
            ms -= frame;
            advance();
            settle();
        }
    }

private:
    void settle()
    {
        QCoreApplication::processEvents();
        if (isRunning())
            advance();
        QCoreApplication::processEvents();
    }

    qint64 m_elapsed = 0;
    qint64 m_startedAt = 0;
};

} // namespace kestrune::test
