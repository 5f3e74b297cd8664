#pragma once

#include "gameservice/kit/leaderboard.h"
#include "gameservice/kit/serviceerror.h"

#include <QDialog>

#include <cstdint>
#include <memory>

class QLabel;
class QLineEdit;
class QListWidget;

namespace Ui {
class ChallengeDialog;
}

namespace kestrune {

class Button;
class ServiceKit;

// Challenges another player to beat a score: the players of the
// leaderboard (its best and those around the local player, without the
// local player), an optional message, "Send". It stays open with the
// service's answer: that it was sent, or why not. GUI thread.
class ChallengeDialog final : public QDialog
{
    Q_OBJECT
public:
    static constexpr int maximumMessageLength = 140;

    ChallengeDialog(std::shared_ptr<ServiceKit> kit, QString leaderboard, std::int64_t score,
                    QWidget *parent = nullptr);
    ~ChallengeDialog() override;

    QListWidget *playerList() const;
    QLineEdit *messageEdit() const;
    QLabel *statusLabel() const;
    Button *sendButton() const;
    Button *cancelButton() const;

    // Sends the challenge to the chosen player.
    void send();

private:
    void loadPlayers();
    void addPlayers(const Leaderboard::Scores &scores, const OptionalError &error);
    void sent(const QString &name, const OptionalError &error);
    void updateSendButton();

    std::unique_ptr<Ui::ChallengeDialog> ui;
    std::shared_ptr<ServiceKit> m_kit;
    QString m_leaderboard;
    std::int64_t m_score;
    QString m_me;
    int m_answersDue = 0;
    QString m_loadProblem;
    bool m_sending = false;
    bool m_sent = false;
};

} // namespace kestrune
