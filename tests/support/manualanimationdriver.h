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

    qint64 elapsed() const override { return m_elapsed; }

    // Moves time on in frames of at most 10 ms; pending events (animations
    // that were just started, finished handlers) run between frames.
    void advanceBy(int ms)
    {
        QCoreApplication::processEvents();
        while (ms > 0) {
            const int frame = ms < 10 ? ms : 10;
            m_elapsed += frame;
            ms -= frame;
            advance();
            QCoreApplication::processEvents();
        }
    }

private:
    qint64 m_elapsed = 0;
};

} // namespace kestrune::test
