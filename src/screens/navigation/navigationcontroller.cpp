#include "navigationcontroller.h"

#include "navigationbar.h"
#include "viewcontroller.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEasingCurve>
#include <QEvent>
#include <QKeyEvent>
#include <QVBoxLayout>
#include <QVariantAnimation>

#include <utility>

namespace kestrune {

namespace {
bool animationsEnabled = true;
}

NavigationController::NavigationController(QWidget *parent)
    : QWidget(parent)
    , m_bar(new NavigationBar(this))
    , m_content(new QWidget(this))
{
    setObjectName(QStringLiteral("NavigationController"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_bar);
    layout->addWidget(m_content, 1);
    m_bar->setMaximumHeight(NavigationBar::barHeight);
    m_content->setObjectName(QStringLiteral("NavigationContent"));
    // The content grows and shrinks with the bar as well as with the window.
    m_content->installEventFilter(this);
}

NavigationController::~NavigationController()
{
    if (m_transition)
        m_transition->stop();
    m_transitionDone = nullptr;
    // Screens go top first, as they would be popped.
    while (!m_stack.isEmpty()) {
        if (ViewController *screen = m_stack.takeLast()) {
            screen->setNavigationController(nullptr);
            delete screen;
        }
    }
}

void NavigationController::setAnimationsEnabled(bool enabled)
{
    animationsEnabled = enabled;
}

bool NavigationController::areAnimationsEnabled()
{
    return animationsEnabled;
}

QList<ViewController *> NavigationController::viewControllers() const
{
    QList<ViewController *> screens;
    for (const auto &screen : m_stack) {
        if (screen)
            screens.append(screen);
    }
    return screens;
}

ViewController *NavigationController::topViewController() const
{
    for (auto it = m_stack.crbegin(); it != m_stack.crend(); ++it) {
        if (*it)
            return *it;
    }
    return nullptr;
}

ViewController *NavigationController::visibleViewController() const
{
    return topViewController();
}

bool NavigationController::isTransitioning() const
{
    return m_transition != nullptr;
}

void NavigationController::pushViewController(ViewController *screen, bool animated)
{
    if (!screen || screen->navigationController() || m_stack.contains(screen)) {
        qWarning("NavigationController: a screen can be on one stack once only");
        return;
    }
    finishTransition();
    ViewController *from = topViewController();
    screen->setParent(m_content);
    screen->setNavigationController(this);
    m_stack.append(screen);
    screen->setGeometry(m_content->rect());
    screen->loadViewIfNeeded();

    screen->notifyWillAppear(animated);
    if (from)
        from->notifyWillDisappear(animated);
    showItemOf(screen);
    QPointer<ViewController> fromGuard(from);
    QPointer<ViewController> toGuard(screen);
    transition(from, screen, true, animated && from, [this, fromGuard, toGuard, animated] {
        if (fromGuard) {
            fromGuard->hide();
            fromGuard->notifyDidDisappear(animated);
        }
        if (toGuard) {
            toGuard->notifyDidAppear(animated);
            emit didShow(toGuard);
        }
    });
}

ViewController *NavigationController::popViewController(bool animated)
{
    finishTransition();
    if (viewControllers().size() < 2)
        return nullptr;
    ViewController *top = topViewController();
    m_stack.removeAll(top);
    ViewController *below = topViewController();

    below->setGeometry(m_content->rect());
    below->notifyWillAppear(animated);
    top->notifyWillDisappear(animated);
    showItemOf(below);
    QPointer<ViewController> topGuard(top);
    QPointer<ViewController> belowGuard(below);
    transition(top, below, false, animated, [this, topGuard, belowGuard, animated] {
        if (topGuard) {
            topGuard->hide();
            topGuard->notifyDidDisappear(animated);
            topGuard->setNavigationController(nullptr);
            topGuard->deleteLater();
        }
        if (belowGuard) {
            belowGuard->notifyDidAppear(animated);
            emit didShow(belowGuard);
        }
    });
    return top;
}

void NavigationController::popToRootViewController(bool animated)
{
    finishTransition();
    // The screens between the top and the root go at once, unseen.
    while (viewControllers().size() > 2) {
        ViewController *top = topViewController();
        m_stack.removeAll(top);
        ViewController *next = topViewController();
        m_stack.removeAll(next);
        m_stack.append(top);
        next->setNavigationController(nullptr);
        next->deleteLater();
    }
    popViewController(animated);
}

void NavigationController::registerSegue(const QString &identifier, Factory factory)
{
    m_segues.insert(identifier, std::move(factory));
}

void NavigationController::registerSegue(const QString &identifier, std::function<ViewController *()> factory)
{
    registerSegue(identifier, Factory([factory = std::move(factory)](const Segue &) { return factory(); }));
}

bool NavigationController::performSegue(const QString &identifier, ViewController *source, std::any handover)
{
    const auto factory = m_segues.constFind(identifier);
    if (factory == m_segues.cend()) {
        qWarning("NavigationController: no segue named \"%s\"", qPrintable(identifier));
        return false;
    }
    Segue segue{identifier, source, nullptr, std::move(handover)};
    segue.destination = (*factory)(segue);
    if (!segue.destination)
        return false;
    ViewController *destination = segue.destination;
    if (source)
        source->prepare(segue);
    pushViewController(destination, true);
    return true;
}

void NavigationController::setNavigationBarHidden(bool hidden, bool animated)
{
    if (m_barAnimation)
        m_barAnimation->stop();
    m_barHidden = hidden;
    const int target = hidden ? 0 : NavigationBar::barHeight;
    if (!hidden)
        m_bar->show();
    if (!animated || !animationsEnabled || m_bar->height() == target) {
        m_bar->setMaximumHeight(target);
        m_bar->setVisible(!hidden);
        return;
    }
    auto *animation = new QVariantAnimation(this);
    animation->setStartValue(m_bar->height());
    animation->setEndValue(target);
    animation->setDuration(barTransitionMs);
    animation->setEasingCurve(QEasingCurve::InOutQuad);
    connect(animation, &QVariantAnimation::valueChanged, m_bar,
            [bar = m_bar](const QVariant &value) { bar->setMaximumHeight(value.toInt()); });
    connect(animation, &QVariantAnimation::finished, m_bar, [bar = m_bar, hidden, target] {
        bar->setMaximumHeight(target);
        bar->setVisible(!hidden);
    });
    m_barAnimation = animation;
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

InterfaceOrientationMask NavigationController::supportedInterfaceOrientations() const
{
    const ViewController *top = topViewController();
    return top ? top->supportedInterfaceOrientations() : InterfaceOrientation::portrait;
}

bool NavigationController::prefersStatusBarHidden() const
{
    const ViewController *top = topViewController();
    return top && top->prefersStatusBarHidden();
}

void NavigationController::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (!m_transition)
        layoutScreens();
}

bool NavigationController::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_content && event->type() == QEvent::Resize && !m_transition)
        layoutScreens();
    return QWidget::eventFilter(watched, event);
}

void NavigationController::keyPressEvent(QKeyEvent *event)
{
    ViewController *top = topViewController();
    QWidget *focus = QApplication::focusWidget();
    // A key the screen ignores comes back up here; it is not sent twice.
    if (top && !m_forwardingKey && focus != top && !top->isAncestorOf(focus)) {
        m_forwardingKey = true;
        event->ignore();
        QCoreApplication::sendEvent(top, event);
        m_forwardingKey = false;
        if (event->isAccepted())
            return;
    }
    QWidget::keyPressEvent(event);
}

void NavigationController::closeEvent(QCloseEvent *event)
{
    ViewController *top = topViewController();
    QPointer<NavigationController> self(this);
    const auto closeAgain = [self] {
        if (!self)
            return;
        self->m_closeConfirmed = true;
        self->close();
    };
    if (std::exchange(m_closeConfirmed, false) || !top || top->windowShouldClose(closeAgain)) {
        QWidget::closeEvent(event);
        return;
    }
    event->ignore();
}

void NavigationController::layoutScreens()
{
    // The content area follows the bar in the layout; screens fill it.
    if (ViewController *top = topViewController())
        top->setGeometry(QRect(QPoint(0, 0), m_content->size()));
}

void NavigationController::showItemOf(ViewController *screen)
{
    m_bar->setItem(screen ? screen->navigationItem() : nullptr);
}

void NavigationController::transition(ViewController *from, ViewController *to, bool forward, bool animated,
                                      std::function<void()> done)
{
    m_transitionDone = [this, done = std::move(done)] {
        layoutScreens();
        done();
    };
    to->show();
    // A focus the screen chose while hidden is its window's too: in a window
    // shown before it and not yet active, it would otherwise be lost to the
    // chain's first control when the window activates.
    if (QWidget *chosen = to->focusWidget(); chosen && !to->isActiveWindow())
        chosen->setFocus(Qt::OtherFocusReason);
    if (!animated || !animationsEnabled || !from) {
        to->raise();
        finishTransition();
        return;
    }
    // The screen that moves over the other is on top: the new one on a push,
    // the leaving one on a pop.
    (forward ? to : from)->raise();
    from->show();
    auto *animation = new QVariantAnimation(this);
    animation->setStartValue(0.0);
    animation->setEndValue(1.0);
    animation->setDuration(transitionMs);
    animation->setEasingCurve(QEasingCurve::OutCubic);
    QPointer<ViewController> fromGuard(from);
    QPointer<ViewController> toGuard(to);
    connect(animation, &QVariantAnimation::valueChanged, this, [this, fromGuard, toGuard, forward](const QVariant &v) {
        const qreal t = v.toReal();
        const int w = m_content->width();
        const QSize size = m_content->size();
        // The covered screen moves a third of the way, as if underneath.
        if (forward) {
            if (toGuard)
                toGuard->setGeometry(QRect(QPoint(int(w * (1 - t)), 0), size));
            if (fromGuard)
                fromGuard->setGeometry(QRect(QPoint(int(-w / 3.0 * t), 0), size));
        } else {
            if (fromGuard)
                fromGuard->setGeometry(QRect(QPoint(int(w * t), 0), size));
            if (toGuard)
                toGuard->setGeometry(QRect(QPoint(int(-w / 3.0 * (1 - t)), 0), size));
        }
    });
    connect(animation, &QVariantAnimation::finished, this, &NavigationController::finishTransition);
    m_transition = animation;
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

void NavigationController::finishTransition()
{
    if (m_transition) {
        QVariantAnimation *running = m_transition;
        m_transition = nullptr;
        disconnect(running, &QVariantAnimation::finished, this, &NavigationController::finishTransition);
        running->stop();
    }
    if (auto done = std::exchange(m_transitionDone, nullptr))
        done();
}

} // namespace kestrune
