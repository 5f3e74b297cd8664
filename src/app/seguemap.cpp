#include "seguemap.h"

#include "screens/game/gameviewcontroller.h"
#include "screens/navigation/navigationcontroller.h"
#include "screens/navigation/screenreserve.h"
#include "screens/outcome/matchoutcome.h"
#include "screens/result/resultviewcontroller.h"
#include "screens/statistics/statisticsviewcontroller.h"

namespace kestrune {

SegueMap::Reserves SegueMap::install(NavigationController &navigation, const GameScreenEnvironment &environment,
                                     ResultGameService *resultService)
{
    // Game screens come from a reserve, which the menu may fill ahead; the
    // segue's name says which match it starts.
    auto *games = new ScreenReserve([&environment] { return new GameViewController(environment); }, &navigation);
    const auto game = [games](const Segue &segue) -> ViewController * {
        ViewController *screen = games->take();
        if (auto *match = qobject_cast<GameViewController *>(screen)) {
            if (segue.identifier == QLatin1String("computer"))
                match->setAgainstComputer(true);
            else
                match->setNumberOfPlayers(segue.identifier == QLatin1String("multiplayer") ? 2 : 1);
        }
        return screen;
    };
    navigation.registerSegue(QStringLiteral("singleplayer"), game);
    navigation.registerSegue(QStringLiteral("multiplayer"), game);
    navigation.registerSegue(QStringLiteral("computer"), game);
    // Result screens too, which a decided match fills ahead; the outcome
    // comes with the segue.
    auto *results = new ScreenReserve([] { return new ResultViewController(); }, &navigation);
    navigation.registerSegue(QStringLiteral("result"), [results, resultService](const Segue &segue) {
        auto *result = qobject_cast<ResultViewController *>(results->take());
        if (!result)
            result = new ResultViewController();
        result->setOutcome(segue.handed<MatchOutcome>());
        result->setGameService(resultService);
        return result;
    });
    // Without a store there are no statistics to show, and no way there.
    if (KeyValueStore *store = environment.game.store)
        navigation.registerSegue(QStringLiteral("statistics"),
                                 [store] { return new StatisticsViewController(*store); });
    return {games, results};
}

} // namespace kestrune
