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

#include <algorithm>
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
    m_place = nullptr;
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
    screen->setGeometry(anchored(settledScreenSize(), 0));
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
    if (watched == m_content && event->type() == QEvent::Resize) {
        // Mid-slide the screens move with the bar's edge as well.
        if (m_transition && m_place)
            m_place(m_transition->currentValue().toReal());
        else if (!m_transition)
            layoutScreens();
    }
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
    if (ViewController *top = topViewController())
        top->setGeometry(anchored(settledScreenSize(), 0));
}

QWidget *NavigationController::backgroundStrip(const ViewController *screen)
{
    auto *strip = new QWidget(m_content);
    strip->setObjectName(QStringLiteral("BackgroundStrip"));
    strip->setPalette(screen->palette());
    strip->setAutoFillBackground(true);
    strip->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_strips.append(strip);
    return strip;
}

QSize NavigationController::settledScreenSize() const
{
    // Until shown, nothing slides and the content area is not laid out yet:
    // screens take its size, and the first layout sizes them again.
    if (!isVisible())
        return m_content->size();
    return screenSize(!m_barHidden);
}

QSize NavigationController::screenSize(bool barShown) const
{
    // The bar and the content area share the controller, top to bottom.
    const int bar = barShown ? std::min<int>(NavigationBar::barHeight, height()) : 0;
    return {width(), height() - bar};
}

QRect NavigationController::anchored(QSize size, int x) const
{
    // While the bar grows or shrinks the screen stays put in the window and
    // the bar slides over or off its top: the screen is laid out once.
    return {QPoint(x, m_content->height() - size.height()), size};
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
    // Each screen keeps one size for the whole slide: the one coming in
    // takes the size it will have once the bar settles, the one leaving
    // keeps its own. Were they to follow the bar as it grows or shrinks,
    // both would be laid out again at every frame. A window that turns
    // mid-slide sizes both anew, once.
    const QSize startSize = settledScreenSize();
    const QSize fromSize = from ? from->size() : QSize();
    const bool slides = animated && animationsEnabled && from;
    QPointer<ViewController> fromGuard(from);
    QPointer<ViewController> toGuard(to);
    // A screen shorter than the content area, while the bar is still on its
    // way, leaves a strip above it: its own background fills it rather than
    // a glimpse of the other screen.
    QPointer<QWidget> toFill = slides ? backgroundStrip(to) : nullptr;
    QPointer<QWidget> fromFill = slides ? backgroundStrip(from) : nullptr;
    const auto put = [this](ViewController *screen, QWidget *fill, QSize size, int x) {
        if (!screen)
            return;
        screen->setGeometry(anchored(size, x));
        const int strip = m_content->height() - size.height();
        if (fill) {
            fill->setGeometry(x, 0, size.width(), std::max(0, strip));
            fill->setVisible(strip > 0);
        }
    };
    const auto place = [this, put, fromGuard, toGuard, toFill, fromFill, forward, startSize, fromSize](qreal t) {
        const QSize toSize = settledScreenSize();
        const int w = m_content->width();
        // The covered screen moves a third of the way, as if underneath.
        const int toX = forward ? int(w * (1 - t)) : int(-w / 3.0 * (1 - t));
        const int fromX = forward ? int(-w / 3.0 * t) : int(w * t);
        put(toGuard, toFill, toSize, toX);
        put(fromGuard, fromFill, toSize == startSize ? fromSize : toSize, fromX);
    };
    if (slides)
        place(0);
    else
        to->setGeometry(anchored(startSize, 0));
    to->show();
    // A focus the screen chose while hidden is its window's too: in a window
    // shown before it and not yet active, it would otherwise be lost to the
    // chain's first control when the window activates.
    if (QWidget *chosen = to->focusWidget(); chosen && !to->isActiveWindow())
        chosen->setFocus(Qt::OtherFocusReason);
    if (!slides) {
        to->raise();
        finishTransition();
        return;
    }
    // The screen that moves over the other is on top: the new one on a push,
    // the leaving one on a pop.
    (forward ? to : from)->raise();
    // Each strip lies right under its screen, so over the other one.
    if (toFill)
        toFill->stackUnder(to);
    if (fromFill)
        fromFill->stackUnder(from);
    from->show();
    auto *animation = new QVariantAnimation(this);
    animation->setStartValue(0.0);
    animation->setEndValue(1.0);
    animation->setDuration(transitionMs);
    animation->setEasingCurve(QEasingCurve::OutCubic);
    m_place = place;
    connect(animation, &QVariantAnimation::valueChanged, this, [place](const QVariant &v) { place(v.toReal()); });
    connect(animation, &QVariantAnimation::finished, this, &NavigationController::finishTransition);
    m_transition = animation;
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

void NavigationController::finishTransition()
{
    if (m_transition) {
        QVariantAnimation *running = m_transition;
        m_transition = nullptr;
        m_place = nullptr;
        for (const QPointer<QWidget> &strip : std::exchange(m_strips, {}))
            delete strip.data();
        disconnect(running, &QVariantAnimation::finished, this, &NavigationController::finishTransition);
        running->stop();
    }
    if (auto done = std::exchange(m_transitionDone, nullptr))
        done();
}

} // namespace kestrune
