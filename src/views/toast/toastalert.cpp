#include "toastalert.h"

#include "platform/device/deviceprofile.h"
#include "rotateviewcontroller.h"
#include "spring.h"
#include "toastalertview.h"

#include <QAccessible>
#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QVariantAnimation>
#include <QtMath>

#include <algorithm>

namespace kestrune {

namespace {
constexpr qreal startScale = 0.1 * 0.1; // the scale, concatenated with itself turned
constexpr qreal startTurn = M_PI;
constexpr qreal bulgeScale = 1.1;
constexpr qreal endScale = 0.01;
} // namespace

ToastAlert::ToastAlert(QObject *parent)
    : QObject(parent)
{
}

ToastAlert::~ToastAlert()
{
    // The card on screen goes with its layer (or went with the host window
    // the layer was drawn in); waiting cards have no parent.
    const bool showing = m_alertActive;
    m_finishing = m_bgWindow;
    delete m_bgWindow;
    for (qsizetype i = showing ? 1 : 0; i < m_alertQueue.size(); ++i)
        delete m_alertQueue[i];
}

ToastAlert &ToastAlert::shared()
{
    // Never destroyed: it lives as long as the process.
    static ToastAlert *instance = new ToastAlert;
    return *instance;
}

QRect ToastAlert::windowFrame(const QRect &screen, int statusBarHeight)
{
    return QRect(screen.x(), screen.y() - statusBarHeight, screen.width(), screen.height() + statusBarHeight);
}

void ToastAlert::setHost(QWidget *window)
{
    m_host = window;
}

QRect ToastAlert::screenGeometry() const
{
    if (m_host)
        return m_host->geometry();
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect(QPoint(), DeviceProfile::current().size().toSize());
}

bool ToastAlert::isTimerActive() const
{
    return m_timer && m_timer->isActive();
}

void ToastAlert::showAlert(ToastAlertView *card)
{
    if (!card || m_alertQueue.contains(card))
        return;
    m_alertQueue.append(card);
    if (!m_alertActive)
        presentNext();
}

QVariantAnimation *ToastAlert::animate(double seconds, std::function<void(double)> step, std::function<void()> done)
{
    auto *animation = new QVariantAnimation(this);
    animation->setStartValue(0.0);
    animation->setEndValue(1.0);
    animation->setDuration(int(seconds * 1000));
    const Spring spring(m_springDamping, m_springVelocity, seconds);
    connect(animation, &QVariantAnimation::valueChanged, this,
            [step, spring](const QVariant &t) { step(spring.value(t.toDouble())); });
    connect(animation, &QAbstractAnimation::finished, this, [step, done] {
        step(1.0);
        if (done)
            done();
    });
    m_animation = animation;
    animation->start(QAbstractAnimation::DeleteWhenStopped);
    return animation;
}

void ToastAlert::presentNext()
{
    if (m_alertQueue.isEmpty())
        return;
    // Drawn inside the host window: a window of its own would need a
    // compositor for its see-through parts.
    QWidget *host = m_host ? m_host.data() : QApplication::activeWindow();
    auto *window = new RotateViewController(host);
    m_bgWindow = window;
    m_alertActive = true;
    // A host window that closes takes the layer and the card with it.
    connect(window, &QObject::destroyed, this, [this, window] { layerDestroyed(window); });

    ToastAlertView *card = m_alertQueue.first();
    card->setPresenter(this);
    card->setTransform(startScale, startTurn);
    if (!host)
        window->setGeometry(windowFrame(screenGeometry(), qRound(DeviceProfile::current().statusBarHeight())));
    window->setCard(card);
    window->show();
    window->raise();
    QAccessibleEvent shown(card, QAccessible::Alert);
    QAccessible::updateAccessibility(&shown);

    animate(
        m_presentDuration,
        [card](double p) { card->setTransform(std::max(0.0, startScale + (1 - startScale) * p), startTurn * (1 - p)); },
        [card] { card->setMessageIsFullyDisplayed(true); });

    if (const auto seconds = card->duration()) {
        auto *timer = new QTimer(this);
        timer->setSingleShot(true);
        timer->setInterval(int(*seconds * 1000));
        timer->setProperty("currentView", QVariant::fromValue<QObject *>(card));
        connect(timer, &QTimer::timeout, this, [this, timer] { removeAlert(timer); });
        m_timer = timer;
        timer->start();
    }
}

void ToastAlert::removeAlert(QTimer *timer)
{
    auto *card = qobject_cast<ToastAlertView *>(timer->property("currentView").value<QObject *>());
    if (!card)
        qFatal("A toast timer fired without its card under \"currentView\"");
    dismiss(card);
}

void ToastAlert::dismiss(ToastAlertView *card)
{
    // Only the card on screen leaves, and only once.
    if (!m_alertActive || m_alertQueue.isEmpty() || m_alertQueue.first() != card || m_dismissing == card)
        return;
    m_dismissing = card;
    if (m_timer) {
        m_timer->stop();
        m_timer->deleteLater();
    }
    card->setMessageIsFullyDisplayed(false);
    if (m_animation)
        m_animation->stop();

    const qreal fromScale = card->scale();
    const qreal fromTurn = card->rotation();
    animate(
        m_dismissDuration,
        [card, fromScale, fromTurn](double p) {
            card->setTransform(fromScale + (bulgeScale - fromScale) * p, fromTurn * (1 - p));
        },
        [this, card] { dismissSecondStage(card); });
}

void ToastAlert::dismissSecondStage(ToastAlertView *card)
{
    RotateViewController *window = m_bgWindow;
    animate(
        m_dismissDuration,
        [card, window](double p) {
            const qreal fade = std::clamp(1 - p, 0.0, 1.0);
            if (window)
                window->setAlpha(fade);
            card->setAlpha(fade);
            card->setTransform(std::max(0.0, bulgeScale + (endScale - bulgeScale) * p), 0);
        },
        [this, card] { finishDismissal(card); });
}

void ToastAlert::layerDestroyed(QObject *layer)
{
    // Only a layer that went without its dismissal: the card went with it.
    if (!m_alertActive || m_alertQueue.isEmpty() || layer == m_finishing)
        return;
    if (m_animation)
        m_animation->stop();
    if (m_timer) {
        m_timer->stop();
        m_timer->deleteLater();
    }
    m_alertQueue.removeFirst();
    m_dismissing = nullptr;
    m_alertActive = false;
    m_bgWindow = nullptr;
    emit alertRemoved();
}

void ToastAlert::finishDismissal(ToastAlertView *card)
{
    m_alertQueue.removeOne(card);
    m_dismissing = nullptr;
    if (RotateViewController *window = m_bgWindow) {
        window->hide();
        m_finishing = window;
        delete window; // and the card with it
        m_finishing = nullptr;
    }
    m_bgWindow = nullptr;
    m_alertActive = false;
    emit alertRemoved();
    if (!m_alertQueue.isEmpty())
        presentNext();
}

} // namespace kestrune
