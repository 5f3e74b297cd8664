#pragma once

#include "rotateviewcontroller.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QRect>

#include <functional>

class QTimer;
class QVariantAnimation;

namespace kestrune {

class ToastAlertView;

// Shows toast cards one at a time, in arrival order, each on a layer of its
// own inside the host window: the card springs in (0.9 s, from a hundredth
// of its size and half a turn), stays until its duration is up or it is
// tapped, then springs out in two stages (0.2 s to 1.1 times its size,
// 0.2 s down to nothing while the layer fades). Only then is the next card
// shown, on a new layer. The layers take neither focus nor keys. Nothing
// runs while no card changes. GUI thread only.
class ToastAlert : public QObject
{
    Q_OBJECT

public:
    explicit ToastAlert(QObject *parent = nullptr);
    ~ToastAlert() override;

    // The presenter the program shares; lives as long as the process.
    static ToastAlert &shared();

    double presentAnimationDuration() const { return m_presentDuration; }
    double dismissAnimationDuration() const { return m_dismissDuration; }
    double springDamping() const { return m_springDamping; }
    double springVelocity() const { return m_springVelocity; }

    // Without a host, the card's own window covers the screen and, above
    // it, the status bar.
    static QRect windowFrame(const QRect &screen, int statusBarHeight);
    // The window the cards show in. Without one, each card gets a window of
    // its own over the primary screen.
    void setHost(QWidget *window);

    // Takes the card over and shows it when its turn comes.
    void showAlert(ToastAlertView *card);
    // Dismisses the card on screen. Ignored for any other card, and for a card
    // whose dismissal has already begun: it never removes another card.
    void dismiss(ToastAlertView *card);
    // The timer's action: dismisses the card it names under "currentView".
    void removeAlert(QTimer *timer);

    const QList<ToastAlertView *> &alertQueue() const { return m_alertQueue; }
    bool isAlertActive() const { return m_alertActive; }
    RotateViewController *bgWindow() const { return m_bgWindow; }
    bool isTimerActive() const;
    bool isDismissing() const { return m_dismissing != nullptr; }

signals:
    // A card has been taken off screen and its window released.
    void alertRemoved();

private:
    void presentNext();
    void dismissSecondStage(ToastAlertView *card);
    void finishDismissal(ToastAlertView *card);
    void layerDestroyed(QObject *layer);
    QRect screenGeometry() const;
    QVariantAnimation *animate(double seconds, std::function<void(double)> step, std::function<void()> done);

    double m_presentDuration = 0.9;
    double m_dismissDuration = 0.2;
    double m_springDamping = 0.6;
    double m_springVelocity = 10.0;
    QList<ToastAlertView *> m_alertQueue;
    QPointer<RotateViewController> m_bgWindow;
    bool m_alertActive = false;
    QPointer<QTimer> m_timer;
    QPointer<QVariantAnimation> m_animation;
    ToastAlertView *m_dismissing = nullptr;
    QPointer<QWidget> m_host;
    QObject *m_finishing = nullptr;
};

} // namespace kestrune
