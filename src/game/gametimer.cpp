#include "gametimer.h"

#include "numberhelper.h"

#include <chrono>
#include <mutex>

namespace kestrune {

namespace {

// What a tick needs of the game, kept current on the GUI thread by the game's
// results and read on the ticker's thread.
struct TimerState
{
    std::mutex mutex;
    bool started = false;
    bool ended = false;
    std::int64_t counter = 0;
};

} // namespace

rx::Observable<std::int64_t> GameTimer::stream(std::shared_ptr<GameProtocol> game, Ticker &ticker)
{
    std::weak_ptr<GameProtocol> weakGame = game;
    Ticker *source = &ticker;
    return rx::Observable<std::int64_t>::create([weakGame, source](const rx::Observer<std::int64_t> &observer) {
        const std::shared_ptr<GameProtocol> game = weakGame.lock();
        if (!game) {
            observer.onCompleted();
            return rx::Disposable();
        }
        auto state = std::make_shared<TimerState>();
        state->started = game->gameStartDate().has_value();
        state->ended = game->isEnded();
        state->counter = NumberHelper::integerOf(game->duration());

        // On the GUI thread, as the game publishes. An ended game's subject
        // completes at once, so `ended` is right from the start too.
        const rx::Disposable results = game->resultSubject().subscribe(
            [state](const Result &) {
                std::lock_guard lock(state->mutex);
                state->started = true;
            },
            {},
            [state] {
                std::lock_guard lock(state->mutex);
                state->ended = true;
            });

        // Only the control block is looked at: the game itself is never
        // touched, nor released, on the ticker's thread.
        const rx::Disposable ticks = source->every(std::chrono::seconds(1), [state, observer, weakGame] {
            std::int64_t value = 0;
            bool finished = false;
            {
                std::lock_guard lock(state->mutex);
                if (!state->started && !weakGame.expired())
                    return;
                finished = state->ended || weakGame.expired();
                if (!finished)
                    value = state->counter++;
            }
            if (finished)
                observer.onCompleted(); // ends the subscription, and so the ticks
            else
                observer.onNext(value);
        });

        return rx::Disposable([results, ticks] {
            ticks.dispose();
            results.dispose();
        });
    });
}

} // namespace kestrune
