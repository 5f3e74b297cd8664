#include "seguemap.h"

#include "screens/game/gameviewcontroller.h"
#include "screens/navigation/navigationcontroller.h"
#include "screens/navigation/screenreserve.h"
#include "screens/result/resultviewcontroller.h"
#include "screens/statistics/statisticsviewcontroller.h"

namespace kestrune {

ScreenReserve *SegueMap::install(NavigationController &navigation, const GameScreenEnvironment &environment)
{
    // Game screens come from a reserve, which the menu may fill ahead.
    auto *games = new ScreenReserve([&environment] { return new GameViewController(environment); }, &navigation);
    const auto game = [games] { return games->take(); };
    navigation.registerSegue(QStringLiteral("singleplayer"), game);
    navigation.registerSegue(QStringLiteral("multiplayer"), game);
    navigation.registerSegue(QStringLiteral("computer"), game);
    navigation.registerSegue(QStringLiteral("result"), [] { return new ResultViewController; });
    // Without a store there are no statistics to show, and no way there.
    if (KeyValueStore *store = environment.game.store)
        navigation.registerSegue(QStringLiteral("statistics"), [store] { return new StatisticsViewController(*store); });
    return games;
}

} // namespace kestrune
