#include "rotateviewcontroller.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

namespace kestrune {

RotateViewController::RotateViewController(QWidget *host)
    : QWidget(host, host ? Qt::Widget : Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_host(host)
{
    setObjectName(QStringLiteral("AlertWindow"));
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_ShowWithoutActivating);
    if (host) {
        // Clicks reach the window below; the card's own taps are picked out
        // by the filter.
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoMousePropagation);
        setGeometry(host->rect());
        host->installEventFilter(this);
        qApp->installEventFilter(this);
    }
}

RotateViewController::~RotateViewController()
{
    if (m_host)
        qApp->removeEventFilter(this);
}

Qt::ScreenOrientations RotateViewController::supportedOrientations()
{
    return Qt::PortraitOrientation | Qt::InvertedPortraitOrientation | Qt::LandscapeOrientation
           | Qt::InvertedLandscapeOrientation;
}

void RotateViewController::setAlpha(qreal alpha)
{
    m_alpha = alpha;
    if (isWindow())
        setWindowOpacity(alpha);
    update();
}

void RotateViewController::setCard(QWidget *card)
{
    m_card = card;
    if (card) {
        card->setParent(this);
        card->setFocusPolicy(Qt::NoFocus);
        card->move(rect().center() - card->rect().center());
        card->show();
    }
}

bool RotateViewController::tapOnCard(QWidget *receiver, QEvent *event)
{
    if (!m_card || !isVisible() || receiver->window() != window() || receiver == this || isAncestorOf(receiver))
        return false;
    auto *press = static_cast<QMouseEvent *>(event);
    const QPoint at = m_card->mapFromGlobal(press->globalPosition().toPoint());
    if (!m_card->rect().contains(at))
        return false;
    QMouseEvent onCard(press->type(), QPointF(at), press->globalPosition(), press->button(), press->buttons(),
                       press->modifiers(), press->pointingDevice());
    onCard.setAccepted(false);
    QCoreApplication::sendEvent(m_card, &onCard);
    return onCard.isAccepted();
}

bool RotateViewController::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_host && event->type() == QEvent::Resize)
        setGeometry(m_host->rect());
    else if (event->type() == QEvent::MouseButtonPress && watched->isWidgetType())
        return tapOnCard(static_cast<QWidget *>(watched), event);
    return QWidget::eventFilter(watched, event);
}

void RotateViewController::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (m_card)
        m_card->move(rect().center() - m_card->rect().center());
}

void RotateViewController::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor::fromRgbF(0, 0, 0, float(0.1 * m_alpha)));
}

} // namespace kestrune
