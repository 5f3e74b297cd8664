#include "resultcards.h"

#include "gameresultview.h"
#include "imagebutton.h"

#include "platform/device/deviceprofile.h"
#include "views/widgets/button.h"

#include <QEasingCurve>
#include <QVariantAnimation>

#include <algorithm>
#include <cmath>

namespace kestrune {

ResultCards::ResultCards(QWidget *screen)
    : QObject(screen)
    , m_screen(screen)
    , m_left(new GameResultView(screen))
    , m_right(new GameResultView(screen))
{
    m_left->setObjectName(QStringLiteral("leftGameResultView"));
    m_right->setObjectName(QStringLiteral("rightGameResultView"));
    m_left->imageView()->setObjectName(QStringLiteral("leftBoardButton"));
    m_right->imageView()->setObjectName(QStringLiteral("rightBoardButton"));
    m_left->shareButton()->setObjectName(QStringLiteral("leftShareButton"));
    m_right->shareButton()->setObjectName(QStringLiteral("rightShareButton"));
    updateFocus(Card::left);
    updateFocus(Card::right);
}

ResultCards::~ResultCards()
{
    // The animations write into the slots; they go before the slots do.
    for (Slot *cardSlot : {&m_leftSlot, &m_rightSlot}) {
        if (cardSlot->animation)
            delete cardSlot->animation;
    }
}

void ResultCards::show(const QList<QImage> &images, ShareAction share)
{
    for (Card side : {Card::left, Card::right}) {
        GameResultView *view = card(side);
        const qsizetype index = side == Card::left ? 0 : 1;
        if (index >= images.size()) {
            view->hide();
            continue;
        }
        const QImage image = images.at(index);
        view->setImage(image);
        view->setShareAction([share, image](QAbstractButton *sender) {
            if (share)
                share(image, sender);
        });
        QPointer<ResultCards> self(this);
        view->setViewAction([self, side] {
            if (self)
                self->toggle(side);
        });
        view->setShareButtonSide(side == Card::left ? GameResultView::ShareButtonSide::leading
                                                    : GameResultView::ShareButtonSide::trailing);
        view->show();
    }
}

void ResultCards::hide()
{
    m_left->hide();
    m_right->hide();
}

void ResultCards::setOffset(Card card, qreal offset)
{
    Slot &cardSlot = slot(card);
    if (cardSlot.animation)
        cardSlot.animation->stop();
    cardSlot.offset = offset;
    cardSlot.shown = offset;
    layout();
    updateFocus(card);
}

void ResultCards::updateFocus(Card side)
{
    GameResultView *view = card(side);
    const bool open = slot(side).offset != peekingOffset;
    Button *share = view->shareButton();
    if (!open && share->window()->focusWidget() == share)
        view->imageView()->setFocus(Qt::OtherFocusReason);
    share->setFocusPolicy(open ? Qt::StrongFocus : Qt::NoFocus);
}

void ResultCards::toggle(Card side)
{
    Slot &cardSlot = slot(side);
    cardSlot.offset = cardSlot.offset == peekingOffset ? card(side)->width() + openMargin : peekingOffset;
    if (cardSlot.animation)
        cardSlot.animation->stop();
    auto *animation = new QVariantAnimation(m_screen);
    animation->setStartValue(cardSlot.shown);
    animation->setEndValue(cardSlot.offset);
    animation->setDuration(animationMs);
    animation->setEasingCurve(QEasingCurve::InOutQuad);
    connect(animation, &QVariantAnimation::valueChanged, this, [this, side](const QVariant &value) {
        slot(side).shown = value.toReal();
        layout();
    });
    cardSlot.animation = animation;
    animation->start(QAbstractAnimation::DeleteWhenStopped);
    updateFocus(side);
}

int ResultCards::cardWidth() const
{
    const qreal share = DeviceProfile::current().isTablet() ? 0.36 : 0.44;
    return int(std::min<qreal>(m_screen->width() * share, 320));
}

void ResultCards::layout()
{
    const int cardW = cardWidth();
    for (Card side : {Card::left, Card::right}) {
        GameResultView *view = card(side);
        const int cardH = view->heightForWidth(cardW);
        const int y = (m_screen->height() - cardH) / 2;
        const int shown = int(std::lround(slot(side).shown));
        const int x = side == Card::left ? shown - cardW : m_screen->width() - shown;
        view->setGeometry(x, y, cardW, cardH);
        view->raise();
    }
}

} // namespace kestrune
