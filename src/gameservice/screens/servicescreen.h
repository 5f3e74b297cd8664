#pragma once

#include "gameservice/kit/achievement.h"
#include "gameservice/kit/challenge.h"
#include "gameservice/kit/leaderboard.h"
#include "gameservice/kit/servicecatalogue.h"
#include "gameservice/kit/serviceerror.h"

#include <QDialog>

#include <memory>
#include <vector>

class QLabel;
class QTabWidget;
class QTreeWidget;

namespace kestrune {

class Button;
class ChallengesPage;
class GameServiceViewController;
class LeaderboardPage;

// The service's own screen: the leaderboards with the best scores, the
// achievements with their progress, and the received challenges, one tab
// each; it opens on the tab of the controller's view state. The data comes
// from the service and fills in as it arrives. Closing it tells the
// controller, whose delegate dismisses it. GUI thread.
class ServiceScreen final : public QDialog
{
    Q_OBJECT
public:
    explicit ServiceScreen(std::shared_ptr<GameServiceViewController> controller, QWidget *parent = nullptr);

    QTabWidget *tabs() const { return m_tabs; }
    QTreeWidget *achievements() const { return m_achievements; }
    LeaderboardPage *leaderboard() const { return m_leaderboard; }
    // The leaderboard page's list of scores.
    QTreeWidget *scores() const;
    ChallengesPage *challengesPage() const { return m_challenges; }
    // Asks before signing out; shown while a player is signed in.
    Button *signOutButton() const { return m_signOut; }
    QSize sizeHint() const override;
    // One size whatever the tab: a page of wrapped text would otherwise
    // shrink the card around it as the player switches tabs.
    bool hasHeightForWidth() const override { return false; }
    // Why the service could not give its data; hidden when it could.
    QLabel *errorLabel() const { return m_error; }

    // Asks the controller to finish (the close button, Escape, the window's
    // close); the screen stays until it is dismissed.
    void reject() override;
    // Closes the screen for good; called by the presenter on dismissal.
    void dismissNow();

protected:
    // Loads again whenever the player comes back to the screen: who signed
    // in meanwhile, or whose waiting scores have just gone out, sees the
    // service as it is now.
    void changeEvent(QEvent *event) override;

private:
    void load();
    void showAchievements(const ServiceCatalogue &catalogue, const std::vector<Achievement> &list,
                          const OptionalError &error);
    void showProblems();
    void askToSignOut();

    std::shared_ptr<GameServiceViewController> m_controller;
    QTabWidget *m_tabs;
    LeaderboardPage *m_leaderboard;
    QTreeWidget *m_achievements;
    ChallengesPage *m_challenges;
    QLabel *m_error;
    Button *m_signOut = nullptr;
    QString m_achievementsProblem;
    bool m_finishRequested = false;
    bool m_dismissing = false;
    bool m_leftOnce = false;
};

} // namespace kestrune
