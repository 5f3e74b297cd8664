#pragma once

#include "gameservice/kit/challenge.h"

#include <QFrame>

class QLabel;

namespace kestrune {

class Button;

// One received challenge: who sent it, the score to beat, the message and
// the day it came, with "Play it" and "Dismiss". GUI thread.
class ChallengeRow final : public QFrame
{
    Q_OBJECT
public:
    explicit ChallengeRow(Challenge challenge, QWidget *parent = nullptr);

    const Challenge &challenge() const { return m_challenge; }
    Button *playButton() const { return m_play; }
    Button *dismissButton() const { return m_dismiss; }
    QLabel *titleLabel() const { return m_title; }
    QLabel *messageLabel() const { return m_message; }
    QLabel *dateLabel() const { return m_date; }

    // While the service is asked to dismiss it, its buttons wait.
    void setBusy(bool busy);

signals:
    void playRequested();
    void dismissRequested();

private:
    Challenge m_challenge;
    QLabel *m_title;
    QLabel *m_message;
    QLabel *m_date;
    Button *m_play;
    Button *m_dismiss;
};

} // namespace kestrune
