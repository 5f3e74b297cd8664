#pragma once

#include <QImage>
#include <QList>
#include <QObject>
#include <QPointer>

#include <functional>

class QAbstractButton;
class QVariantAnimation;
class QWidget;

namespace kestrune {

class GameResultView;

// The result screen's board cards, one per board image: each waits at its
// edge of the screen, peeking in by a strip, and slides in on its view
// button and out again. A card's share button takes focus only while the
// card is slid in, since Tab must not reach a button off screen. GUI thread
// only.
class ResultCards : public QObject
{
    Q_OBJECT

public:
    // Peeking in by 25 points, or slid in to the card's width + 15; toggled
    // over 0.3 s.
    static constexpr qreal peekingOffset = 25;
    static constexpr qreal openMargin = 15;
    static constexpr int animationMs = 300;

    enum class Card { left, right };
    using ShareAction = std::function<void(const QImage &, QAbstractButton *)>;

    // The cards are children of `screen`, laid out over its whole width.
    explicit ResultCards(QWidget *screen);
    ~ResultCards() override;

    GameResultView *card(Card card) const { return card == Card::left ? m_left : m_right; }

    // One card per image (two at most, player 1's on the left), each sharing
    // its own image through `share`; a card without an image hides.
    void show(const QList<QImage> &images, ShareAction share);
    void hide();

    // The offset a card is heading for; shown() is where it is drawn while
    // it slides.
    qreal offset(Card card) const { return slot(card).offset; }
    qreal shown(Card card) const { return slot(card).shown; }
    void setOffset(Card card, qreal offset);
    // Slides a peeking card in and an open one out.
    void toggle(Card card);
    void layout();

private:
    struct Slot
    {
        qreal offset = peekingOffset;
        qreal shown = peekingOffset;
        QPointer<QVariantAnimation> animation;
    };

    void updateFocus(Card card);
    int cardWidth() const;
    Slot &slot(Card card) { return card == Card::left ? m_leftSlot : m_rightSlot; }
    const Slot &slot(Card card) const { return card == Card::left ? m_leftSlot : m_rightSlot; }

    QWidget *m_screen;
    GameResultView *m_left;
    GameResultView *m_right;
    Slot m_leftSlot;
    Slot m_rightSlot;
};

} // namespace kestrune
