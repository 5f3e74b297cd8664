#pragma once

#include "fakeclock.h"
#include "manualscheduler.h"
#include "manualticker.h"
#include "memorystore.h"
#include "recordinganalytics.h"
#include "recordinggameservice.h"
#include "recordingidletimer.h"

#include "screens/game/gamescreenenvironment.h"
#include "views/toast/toastalert.h"

#include <deque>

namespace kestrune::test {

// Every collaborator of the game screen in the test's hand, for a player who
// has launched before. The codes are drawn from `codes` in turn, round and round.
struct GameScreenCollaborators
{
    GameScreenCollaborators()
    {
        environment.game.clock = &clock;
        environment.game.store = &store;
        environment.game.analytics = &analytics;
        environment.game.gameService = &service;
        environment.game.drawCode = [this] {
            const std::string code = codes.front();
            codes.pop_front();
            codes.push_back(code);
            return code;
        };
        environment.scheduler = &scheduler;
        environment.ticker = &ticker;
        environment.idleTimer = &idleTimer;
        environment.toast = &toast;
        store.setBoolean("hasLaunchedOnce", true);
    }

    std::deque<std::string> codes{"1234", "5678"};
    FakeClock clock;
    MemoryStore store;
    RecordingAnalytics analytics;
    RecordingGameService service;
    ManualScheduler scheduler;
    ManualTicker ticker;
    RecordingIdleTimer idleTimer;
    ToastAlert toast;
    GameScreenEnvironment environment;
};

} // namespace kestrune::test
