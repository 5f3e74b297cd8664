#include "radialmenu.h"

#include "radialmenudelegate.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QVariantAnimation>

#include <cmath>
#include <numbers>

namespace kestrune {

namespace {

// The arc the mode buttons spread over, centred straight above the centre:
// two stand 60 degrees apart; more share 90 degrees, so that the outer ones
// stay within a phone's width.
constexpr qreal degreesBetweenTwo = 60.0;
constexpr qreal widestArc = 90.0;
// What the outer buttons keep clear of the host's sides, where the arc
// narrows to keep them in a narrow window.
constexpr qreal sideMargin = 8.0;

} // namespace

RadialMenu::RadialMenu(QWidget *parent)
    : Button(parent)
    , m_animation(new QVariantAnimation(this))
{
    setFocusPolicy(Qt::StrongFocus);
    m_animation->setDuration(animationMs);
    connect(m_animation, &QVariantAnimation::valueChanged, this, [this](const QVariant &value) {
        if (!m_configuring)
            setProgress(value.toReal());
    });
    connect(m_animation, &QVariantAnimation::finished, this, &RadialMenu::finishAnimation);
    connect(this, &QPushButton::clicked, this, &RadialMenu::toggle);
}

RadialMenu::~RadialMenu()
{
    qApp->removeEventFilter(this);
    for (const QPointer<Button> &button : std::as_const(m_modeButtons))
        delete button.data();
}

void RadialMenu::setRingDistance(qreal distance)
{
    if (distance <= 0) {
        qWarning("radialmenu.cpp: ring distance %g ignored; it must be positive", distance);
        return;
    }
    m_ringDistance = distance;
    setProgress(m_progress);
}

void RadialMenu::setModeButtons(const QStringList &names)
{
    if (m_open || m_animation->state() == QAbstractAnimation::Running) {
        qWarning("radialmenu.cpp: mode buttons can only change while the ring is closed");
        return;
    }
    for (const QPointer<Button> &button : std::as_const(m_modeButtons))
        delete button.data();
    m_modeButtons.clear();
    for (int i = 0; i < names.size(); ++i) {
        auto *button = new Button(host());
        button->setObjectName(QStringLiteral("RadialMenuButton%1").arg(i));
        button->setAccessibleName(names.at(i));
        button->setCornerRadius(m_modeSide);
        button->hide();
        button->installEventFilter(this);
        connect(button, &QPushButton::clicked, this, [this, i] { pick(i); });
        m_modeButtons.append(button);
    }
}

QList<Button *> RadialMenu::modeButtons() const
{
    QList<Button *> out;
    for (const QPointer<Button> &button : m_modeButtons)
        out.append(button.data());
    return out;
}

void RadialMenu::setModeButtonSide(qreal side)
{
    m_modeSide = side;
    for (const QPointer<Button> &button : std::as_const(m_modeButtons))
        if (button)
            button->setCornerRadius(side);
    setProgress(m_progress);
}

QWidget *RadialMenu::host() const
{
    return m_host ? m_host.data() : parentWidget();
}

void RadialMenu::setHost(QWidget *host)
{
    m_host = host;
    for (const QPointer<Button> &button : std::as_const(m_modeButtons))
        if (button)
            button->setParent(this->host()), button->hide();
}

void RadialMenu::setIconNames(const QString &closed, const QString &open)
{
    m_closedIcon = closed;
    m_openIcon = open;
    setImageName(m_open ? m_openIcon : m_closedIcon);
}

void RadialMenu::setSpokenNames(const QString &closed, const QString &open)
{
    m_closedName = closed;
    m_openName = open;
    setAccessibleName(m_open ? m_openName : m_closedName);
}

QRectF RadialMenu::modeButtonFrame(int index) const
{
    const int count = int(m_modeButtons.size());
    QWidget *h = host();
    const QPointF centre = h ? QPointF(mapTo(h, QPoint(0, 0))) + QRectF(rect()).center() : QRectF(geometry()).center();
    qreal between = count > 1 ? std::min(degreesBetweenTwo, widestArc / (count - 1)) : 0.0;
    if (h && count > 1) {
        const qreal room = std::min(centre.x(), h->width() - centre.x()) - m_modeSide / 2 - sideMargin;
        const qreal halfArc = between * (count - 1) / 2.0;
        if (room > 0 && m_ringDistance * std::sin(halfArc * std::numbers::pi / 180.0) > room) {
            const qreal fitting = std::asin(std::min(1.0, room / m_ringDistance)) * 180.0 / std::numbers::pi;
            between = 2.0 * fitting / (count - 1);
        }
    }
    const qreal degrees = -90.0 + (index - (count - 1) / 2.0) * between;
    const qreal radians = degrees * std::numbers::pi / 180.0;
    QRectF frame(0, 0, m_modeSide, m_modeSide);
    frame.moveCenter(centre + QPointF(std::cos(radians), std::sin(radians)) * m_ringDistance);
    return frame;
}

void RadialMenu::toggle()
{
    if (m_open)
        close();
    else
        open();
}

void RadialMenu::open()
{
    if (m_open || m_modeButtons.isEmpty() || !host())
        return;
    m_open = true;
    setImageName(m_openIcon.isEmpty() ? m_closedIcon : m_openIcon);
    if (!m_openName.isEmpty())
        setAccessibleName(m_openName);
    for (int i = 0; i < m_modeButtons.size(); ++i) {
        Button *button = m_modeButtons.at(i);
        if (!button)
            continue;
        // A pick made the button deaf to presses while the ring closed.
        button->setAttribute(Qt::WA_TransparentForMouseEvents, false);
        if (m_delegate)
            m_delegate->radialMenuWillDisplay(*this, button, i);
    }
    for (const QPointer<Button> &button : std::as_const(m_modeButtons)) {
        if (!button)
            continue;
        button->show();
        button->raise();
    }
    setProgress(m_progress);
    if (hasFocus() && m_modeButtons.first())
        m_modeButtons.first()->setFocus(Qt::TabFocusReason);
    qApp->installEventFilter(this);
    animateTo(1.0);
}

void RadialMenu::close()
{
    if (!m_open)
        return;
    m_open = false;
    qApp->removeEventFilter(this);
    setImageName(m_closedIcon);
    if (!m_closedName.isEmpty())
        setAccessibleName(m_closedName);
    const bool focusInRing = std::any_of(m_modeButtons.begin(), m_modeButtons.end(),
                                         [](const QPointer<Button> &b) { return b && b->hasFocus(); });
    if (focusInRing)
        setFocus(Qt::OtherFocusReason);
    animateTo(0.0);
}

void RadialMenu::pick(int index)
{
    if (!m_open || index < 0 || index >= m_modeButtons.size())
        return;
    Button *button = m_modeButtons.at(index);
    if (m_delegate)
        m_delegate->radialMenuButtonWillSelected(*this, button, index);
    if (m_delegate)
        m_delegate->radialMenuButtonDidSelected(*this, button, index);
    close();
}

void RadialMenu::animateTo(qreal target)
{
    m_animation->stop();
    const qreal from = m_progress;
    const int duration = int(std::abs(target - from) * animationMs);
    if (duration == 0) {
        setProgress(target);
        finishAnimation();
        return;
    }
    // A stopped animation reports a value for its old time as soon as its
    // key values change; those reports must not move the ring.
    m_configuring = true;
    m_animation->setEasingCurve(target > from ? QEasingCurve::OutBack : QEasingCurve::InCubic);
    m_animation->setDuration(duration);
    m_animation->setStartValue(from);
    m_animation->setEndValue(target);
    m_configuring = false;
    m_animation->start();
}

void RadialMenu::finishAnimation()
{
    if (m_open) {
        emit opened();
        return;
    }
    for (const QPointer<Button> &button : std::as_const(m_modeButtons))
        if (button)
            button->hide();
    emit closed();
    if (m_delegate)
        m_delegate->menuCollapsed(*this);
}

void RadialMenu::setProgress(qreal progress)
{
    m_progress = progress;
    QWidget *h = host();
    if (!h)
        return;
    const QPointF centre = QPointF(mapTo(h, QPoint(0, 0))) + QRectF(rect()).center();
    for (int i = 0; i < m_modeButtons.size(); ++i) {
        Button *button = m_modeButtons.at(i);
        if (!button)
            continue;
        const QRectF target = modeButtonFrame(i);
        QRectF frame = target;
        // The buttons grow out of the centre as they travel.
        const qreal scale = 0.3 + 0.7 * std::clamp(progress, 0.0, 1.0);
        frame.setSize(target.size() * scale);
        frame.moveCenter(centre + (target.center() - centre) * progress);
        button->setGeometry(frame.toRect());
        button->setIconSize((frame.size() * 0.62).toSize());
        button->setAlpha(std::clamp(progress, 0.0, 1.0));
    }
}

bool RadialMenu::isInsideRing(const QPoint &globalPos) const
{
    if (rect().contains(mapFromGlobal(globalPos)))
        return true;
    return std::any_of(m_modeButtons.begin(), m_modeButtons.end(), [&](const QPointer<Button> &b) {
        return b && b->isVisible() && b->rect().contains(b->mapFromGlobal(globalPos));
    });
}

void RadialMenu::moveFocus(int step)
{
    const int count = int(m_modeButtons.size());
    int current = 0;
    for (int i = 0; i < count; ++i)
        if (m_modeButtons.at(i) && m_modeButtons.at(i)->hasFocus())
            current = i;
    const int next = ((current + step) % count + count) % count;
    if (m_modeButtons.at(next))
        m_modeButtons.at(next)->setFocus(step < 0 ? Qt::BacktabFocusReason : Qt::TabFocusReason);
}

bool RadialMenu::eventFilter(QObject *watched, QEvent *event)
{
    if (m_open && event->type() == QEvent::KeyPress
        && std::any_of(m_modeButtons.begin(), m_modeButtons.end(),
                       [watched](const QPointer<Button> &b) { return b == watched; })) {
        switch (static_cast<QKeyEvent *>(event)->key()) {
        case Qt::Key_Left:
        case Qt::Key_Up:
        case Qt::Key_Backtab:
            moveFocus(-1);
            return true;
        case Qt::Key_Right:
        case Qt::Key_Down:
        case Qt::Key_Tab:
            moveFocus(1);
            return true;
        case Qt::Key_Escape:
            close();
            return true;
        default:
            return false;
        }
    }
    // A press anywhere but on the ring closes it and goes no further, so it
    // does not also press what lies under the blur.
    if (m_open && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)
        && watched->isWidgetType() && static_cast<QWidget *>(watched)->window() == window()) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (!isInsideRing(mouse->globalPosition().toPoint())) {
            close();
            return true;
        }
    }
    return Button::eventFilter(watched, event);
}

void RadialMenu::keyPressEvent(QKeyEvent *event)
{
    if (m_open && event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    Button::keyPressEvent(event);
}

void RadialMenu::moveEvent(QMoveEvent *event)
{
    Button::moveEvent(event);
    setProgress(m_progress);
}

void RadialMenu::resizeEvent(QResizeEvent *event)
{
    Button::resizeEvent(event);
    setCornerRadius(height());
    setProgress(m_progress);
}

} // namespace kestrune
