#pragma once

namespace kestrune {

// Game events that move achievements forward.
enum class AchievementEvent { gamePlayed, gameWon, reallyStubborn, reallyFast, luckyBeggar };

} // namespace kestrune
