#pragma once

#include "gameservice/kit/challenge.h"
#include "gameservice/kit/serviceerror.h"

#include <QList>
#include <QWidget>

#include <memory>
#include <vector>

class QLabel;

namespace Ui {
class ChallengesPage;
}

namespace kestrune {

class ChallengeRow;
class ServiceKit;

// The challenges other players sent, newest first, each with "Play it" and
// "Dismiss"; a dismissed one goes once the service agrees. It says so when
// there are none, when they could not be loaded, and when the service (one
// on this computer) has no other players to send any. GUI thread.
class ChallengesPage final : public QWidget
{
    Q_OBJECT
public:
    explicit ChallengesPage(std::shared_ptr<ServiceKit> kit, QWidget *parent = nullptr);
    ~ChallengesPage() override;

    // Whether the service can carry challenges between players: one reached
    // over the network, in a framework that has them.
    static bool serviceHasChallenges(ServiceKit &kit);

    // Asks the service for the challenges; the page fills in when they come.
    void load();

    // What the page says instead of, or besides, the list.
    QLabel *statusLabel() const;
    QLabel *errorLabel() const;
    QList<ChallengeRow *> rows() const;

signals:
    void playRequested(const kestrune::Challenge &challenge);

private:
    void showChallenges(std::vector<Challenge> challenges, const OptionalError &error);
    void dismiss(ChallengeRow *row);
    void dismissed(ChallengeRow *row, const OptionalError &error);
    void showStatus(const QString &text);

    std::unique_ptr<Ui::ChallengesPage> ui;
    std::shared_ptr<ServiceKit> m_kit;
};

} // namespace kestrune
