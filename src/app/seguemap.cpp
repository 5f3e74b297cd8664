#include "seguemap.h"

#include "screens/game/gameviewcontroller.h"
#include "screens/navigation/navigationcontroller.h"
#include "screens/result/resultviewcontroller.h"
#include "screens/statistics/statisticsviewcontroller.h"

namespace kestrune {

void SegueMap::install(NavigationController &navigation, const GameScreenEnvironment &environment)
{
    const auto game = [&environment] { return new GameViewController(environment); };
    navigation.registerSegue(QStringLiteral("singleplayer"), game);
    navigation.registerSegue(QStringLiteral("multiplayer"), game);
    navigation.registerSegue(QStringLiteral("computer"), game);
    navigation.registerSegue(QStringLiteral("result"), [] { return new ResultViewController; });
    // Without a store there are no statistics to show, and no way there.
    if (KeyValueStore *store = environment.game.store)
        navigation.registerSegue(QStringLiteral("statistics"), [store] { return new StatisticsViewController(*store); });
}

} // namespace kestrune
