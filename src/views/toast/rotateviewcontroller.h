#pragma once

#include <QWidget>

namespace kestrune {

// The root of a toast's own top-level window: it dims what lies below with
// black at a tenth of its alpha, holds the card in its centre, and turns
// with the device in every orientation.
class RotateViewController : public QWidget
{
    Q_OBJECT

public:
    explicit RotateViewController(QWidget *parent = nullptr);

    static Qt::ScreenOrientations supportedOrientations();
    static bool shouldAutorotate() { return true; }

    // The window's alpha, 0 to 1; it fades the dimming and the card together.
    qreal alpha() const { return m_alpha; }
    void setAlpha(qreal alpha);

    // Places the card in the centre (the window owns it from now on).
    void setCard(QWidget *card);
    QWidget *card() const { return m_card; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QWidget *m_card = nullptr;
    qreal m_alpha = 1.0;
};

} // namespace kestrune
