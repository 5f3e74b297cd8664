#pragma once

#include <QObject>

#include <string>

namespace rx {
class DisposeBag;
class Scheduler;
} // namespace rx

namespace kestrune {

class KeyValueStore;
class ViewController;

// The tutorial over the game screen: one at a time, opened on request, and
// by itself once, a second after the screen appears on the first launch.
// GUI thread only.
class GameTutorial : public QObject
{
    Q_OBJECT

public:
    static constexpr int firstLaunchDelayMs = 1000;
    // The store's flag of a first launch whose tutorial has been shown.
    inline static const std::string launchedOnceKey{"hasLaunchedOnce"};

    // Without a store there is no first launch to tell.
    GameTutorial(ViewController &screen, KeyValueStore *store, rx::Scheduler &scheduler);
    ~GameTutorial() override;

    // Opens the tutorial over the screen's window unless it shows already.
    void show();
    // On each appearance: on the first launch, opens it after the delay, in
    // `bag` so that it does not outlive the screen.
    void showOnFirstLaunch(rx::DisposeBag &bag);

private:
    ViewController &m_screen;
    KeyValueStore *m_store;
    rx::Scheduler &m_scheduler;
};

} // namespace kestrune
