#pragma once

#include <QObject>
#include <QPointer>
#include <QSize>

#include <functional>

class QWidget;

namespace kestrune {

class ViewController;

// One screen made ahead, at idle, so that opening it does not hold the GUI
// thread for a frame: it is made, polished and laid out a step per event,
// unseen and without a parent, its widgets given the first resizes showing
// would bring, and take() hands it over instead of making one. A screen
// taken before it is ready is made at once, as without a reserve. GUI
// thread only.
class ScreenReserve : public QObject
{
    Q_OBJECT

public:
    using Factory = std::function<ViewController *()>;

    explicit ScreenReserve(Factory make, QObject *parent = nullptr);
    ~ScreenReserve() override;

    // The prepared screen when it is ready, otherwise a fresh one; the
    // caller owns it. Null only when the factory gives null.
    ViewController *take();
    // Starts preparing a screen to be shown at `size`; nothing when one is
    // ready or on its way.
    void prepare(QSize size);
    bool isReady() const { return m_screen && m_nextStep == Step::ready; }
    bool isPreparing() const { return m_screen ? m_nextStep != Step::ready : m_scheduled; }

private:
    enum class Step { make, polish, layout, ready };

    void scheduleStep();
    void step();
    static void deliverPendingResizes(QWidget *screen);

    Factory m_make;
    QPointer<ViewController> m_screen;
    QSize m_size;
    Step m_nextStep = Step::make;
    bool m_scheduled = false;
    // Bumped by take(), so that a step scheduled for a screen taken early
    // does not start another.
    int m_generation = 0;
};

} // namespace kestrune
