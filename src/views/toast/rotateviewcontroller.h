#pragma once

#include <QPointer>
#include <QWidget>

namespace kestrune {

// The layer a toast card shows on: a child of the host window that covers
// it, dims what lies below with black at a tenth of its alpha, holds the
// card in its centre, and turns with the device in every orientation. It
// is drawn inside the window, so it looks the same with or without a
// compositor. It takes neither focus nor keys, and clicks pass through it
// to the window, except a tap on the card, which goes to the card. Without
// a host it is a window of its own.
class RotateViewController : public QWidget
{
    Q_OBJECT

public:
    explicit RotateViewController(QWidget *host = nullptr);
    ~RotateViewController() override;

    static Qt::ScreenOrientations supportedOrientations();
    static bool shouldAutorotate() { return true; }

    // The layer's alpha, 0 to 1; it fades the dimming and the card together.
    qreal alpha() const { return m_alpha; }
    void setAlpha(qreal alpha);

    // Places the card in the centre (the layer owns it from now on).
    void setCard(QWidget *card);
    QWidget *card() const { return m_card; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    bool tapOnCard(QWidget *receiver, QEvent *event);

    QWidget *m_card = nullptr;
    QPointer<QWidget> m_host;
    qreal m_alpha = 1.0;
};

} // namespace kestrune
