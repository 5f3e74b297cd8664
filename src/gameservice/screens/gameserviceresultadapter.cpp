#include "gameserviceresultadapter.h"

#include "challengedialog.h"
#include "challengespage.h"

#include "game/gameservicehelper.h"
#include "gameservice/client/gameservicemanager.h"
#include "gameservice/kit/servicekit.h"
#include "views/widgets/modaloverlay.h"

#include <QWidget>

namespace kestrune {

GameServiceResultAdapter::GameServiceResultAdapter(GameServiceManager &manager)
    : m_manager(manager)
{
}

std::optional<ResultGameService::Challenge> GameServiceResultAdapter::takeChallengeInPlay()
{
    const std::optional<ChallengeInPlay> taken = m_manager.challengeInPlay().take();
    if (!taken)
        return std::nullopt;
    return Challenge{taken->issuerName, taken->score};
}

bool GameServiceResultAdapter::canSendChallenges() const
{
    const auto kit = m_manager.serviceKit();
    return kit && m_manager.isGameServiceAvailable() && ChallengesPage::serviceHasChallenges(*kit);
}

void GameServiceResultAdapter::presentChallengeDialog(QWidget *over, std::int64_t score)
{
    const auto kit = m_manager.serviceKit();
    if (!kit)
        return;
    auto *dialog = new ChallengeDialog(kit, QString::fromStdString(GameServiceHelper::leaderboard), score);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    if (over) {
        // Inside the window, over the result, as every other dialog.
        ModalOverlay::present(dialog, over->window());
    } else {
        dialog->setModal(true);
        dialog->open();
    }
}

} // namespace kestrune
