#pragma once

#include <QPointer>
#include <QWidget>

namespace kestrune {

// A dialog drawn inside a window rather than in a window of its own: a
// child of the window that covers it, dims what lies behind and holds the
// dialog (its card) in its centre. While the card shows, the overlay is on
// its window's OverlayStack, so nothing behind it takes keys or clicks.
// The card keeps its own behaviour (a QDialog still answers Return and
// Escape, accept() and finished); the overlay hides with it, hands the
// keyboard back to where it was, and goes when the card is destroyed.
// Closing the overlay closes the card. GUI thread only.
class ModalOverlay final : public QWidget
{
    Q_OBJECT

public:
    // Moves the card into a new overlay over the host's window and shows it
    // (open() for a dialog). The overlay takes the card over.
    static ModalOverlay *present(QWidget *card, QWidget *host);
    ~ModalOverlay() override;

    QWidget *card() const { return m_card; }
    // The card's place, centred and kept within the window.
    QRect cardRect() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    ModalOverlay(QWidget *card, QWidget *window);
    void cover();
    void placeCard();
    void cardShown();
    void cardHidden();

    QWidget *m_card;
    QPointer<QWidget> m_focusBefore;
    bool m_handingToCard = false;
};

} // namespace kestrune
