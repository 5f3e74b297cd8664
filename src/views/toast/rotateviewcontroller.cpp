#include "rotateviewcontroller.h"

#include <QPainter>

namespace kestrune {

RotateViewController::RotateViewController(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setObjectName(QStringLiteral("AlertWindow"));
}

Qt::ScreenOrientations RotateViewController::supportedOrientations()
{
    return Qt::PortraitOrientation | Qt::InvertedPortraitOrientation | Qt::LandscapeOrientation
        | Qt::InvertedLandscapeOrientation;
}

void RotateViewController::setAlpha(qreal alpha)
{
    m_alpha = alpha;
    setWindowOpacity(alpha);
    update();
}

void RotateViewController::setCard(QWidget *card)
{
    m_card = card;
    if (card) {
        card->setParent(this);
        card->move(rect().center() - card->rect().center());
        card->show();
    }
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
