#pragma once

#include "game/dotstate.h"

#include <QWidget>

#include <functional>

class QVariantAnimation;

namespace kestrune {

// One feedback dot. Its image is drawn aspect-fit and centred.
class BulletView : public QWidget
{
    Q_OBJECT

public:
    explicit BulletView(QWidget *parent = nullptr);

    // The image name of a state: "Black", "White" or "Empty".
    static QString imageName(DotState state);

    DotState state() const { return m_state; }
    // Shows the state at once, ending a running transition (whose completion
    // then runs).
    void setState(DotState state);
    // Takes the state at once and cross-dissolves the picture to it over the
    // duration; the completion runs when the picture has arrived, or early if
    // another change interrupts it.
    void transition(DotState state, int durationMs, std::function<void()> completion);
    bool isTransitioning() const;

    QSize sizeHint() const override { return {16, 16}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void finishTransition();

    DotState m_state = DotState::empty;
    DotState m_previous = DotState::empty;
    QVariantAnimation *m_fade;
    std::function<void()> m_completion;
};

} // namespace kestrune
