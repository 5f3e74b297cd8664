#include "modaloverlay.h"

#include "overlaystack.h"
#include "platform/resources/resources.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace kestrune {

namespace {
constexpr int margin = 16; // kept free around a card in a small window
constexpr qreal cornerRadius = 14;
} // namespace

ModalOverlay *ModalOverlay::present(QWidget *card, QWidget *host)
{
    QWidget *window = host ? host->window() : nullptr;
    auto *overlay = new ModalOverlay(card, window);
    if (auto *dialog = qobject_cast<QDialog *>(card))
        dialog->open();
    else
        card->show();
    return overlay;
}

ModalOverlay::ModalOverlay(QWidget *card, QWidget *window)
    : QWidget(window)
    , m_card(card)
{
    setObjectName(QStringLiteral("ModalOverlay"));
    setAccessibleName(card->accessibleName());
    setFocusPolicy(Qt::NoFocus);
    // Presses on the dimmed surroundings stop here, as on a modal sheet.
    setAttribute(Qt::WA_NoMousePropagation);
    hide();
    // A dialog becomes a plain child: no window of its own, hence no window
    // manager's placement and no compositor needed for its round corners.
    const bool modal = card->testAttribute(Qt::WA_ShowModal);
    card->setParent(this, Qt::Widget);
    if (modal)
        card->setAttribute(Qt::WA_ShowModal, false);
    card->installEventFilter(this);
    if (window)
        window->installEventFilter(this);
    connect(card, &QObject::destroyed, this, [this] {
        m_card = nullptr;
        cardHidden();
        deleteLater();
    });
}

ModalOverlay::~ModalOverlay()
{
    // The card goes with this overlay's children, after this body: its
    // going must not reach back into an overlay half taken down, nor hand
    // focus into a window that may be going too (the program ending with
    // a question open).
    if (m_card) {
        disconnect(m_card, nullptr, this, nullptr);
        m_card->removeEventFilter(this);
    }
}

QRect ModalOverlay::cardRect() const
{
    return m_card ? m_card->geometry() : QRect();
}

void ModalOverlay::cover()
{
    if (parentWidget())
        setGeometry(parentWidget()->rect());
    placeCard();
}

void ModalOverlay::placeCard()
{
    if (!m_card)
        return;
    const QSize room = size() - QSize(2 * margin, 2 * margin);
    QSize hint = m_card->sizeHint().expandedTo(m_card->minimumSize());
    if (m_card->hasHeightForWidth())
        hint.setHeight(m_card->heightForWidth(std::min(hint.width(), room.width())));
    hint = hint.boundedTo(room).expandedTo(m_card->minimumSize()).boundedTo(m_card->maximumSize());
    QRect place(QPoint(), hint);
    place.moveCenter(rect().center());
    m_card->setGeometry(place);
    update();
}

void ModalOverlay::cardShown()
{
    if (!isHidden())
        return;
    QWidget *focus = QApplication::focusWidget();
    if (focus && focus != this && !isAncestorOf(focus))
        m_focusBefore = focus;
    cover();
    show();
    raise();
}

void ModalOverlay::cardHidden()
{
    if (isHidden())
        return;
    hide();
    // Keys go back to where they went before the dialog took them.
    if (m_focusBefore && m_focusBefore->isVisible() && !OverlayStack::instance().top(window()))
        m_focusBefore->setFocus(Qt::OtherFocusReason);
}

bool ModalOverlay::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_card) {
        switch (event->type()) {
        case QEvent::ShowToParent:
            cardShown();
            break;
        case QEvent::Show:
            // Now on screen (a window shown later shows it with itself).
            OverlayStack::instance().push(this);
            OverlayStack::focusInside(m_card);
            break;
        case QEvent::HideToParent:
            cardHidden();
            break;
        case QEvent::LayoutRequest:
            placeCard();
            break;
        default:
            break;
        }
    } else if (watched == parentWidget() && event->type() == QEvent::Resize && !isHidden()) {
        cover();
    }
    return QWidget::eventFilter(watched, event);
}

void ModalOverlay::closeEvent(QCloseEvent *event)
{
    // The card decides: a dialog rejects, and may refuse to go.
    if (m_card && m_card->isVisible() && !m_card->close()) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

void ModalOverlay::keyPressEvent(QKeyEvent *event)
{
    // The overlay holds the keyboard only when the card has no control for it.
    if (m_card && !m_card->isAncestorOf(QApplication::focusWidget())) {
        // A key the card ignores climbs back here: it ends here then,
        // rather than going round again.
        if (m_handingToCard)
            return;
        m_handingToCard = true;
        QCoreApplication::sendEvent(m_card, event);
        m_handingToCard = false;
        return;
    }
    QWidget::keyPressEvent(event);
}

void ModalOverlay::mousePressEvent(QMouseEvent *event)
{
    // A tap outside the card does not dismiss it.
    event->accept();
}

void ModalOverlay::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), Resources::color(QStringLiteral("overlayDimming")));
    // A card that paints no background of its own gets a rounded one.
    if (m_card && !m_card->testAttribute(Qt::WA_TranslucentBackground) && !m_card->autoFillBackground()) {
        QPainterPath shape;
        shape.addRoundedRect(QRectF(cardRect()), cornerRadius, cornerRadius);
        painter.fillPath(shape, m_card->palette().color(QPalette::Window));
    }
}

} // namespace kestrune
