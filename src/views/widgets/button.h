#pragma once

#include <QPushButton>

namespace kestrune {

// The flat button every screen uses: a background colour per state (named
// colours, looked up when painting so they follow the colour scheme), an
// optional named image drawn aspect-fit, and its title centred.
//
// Its touch area is at least 44 x 44 points: hitTest() enlarges small bounds
// symmetrically. Presses that land outside the bounds reach the button when a
// TouchAreaFilter watches its window.
//
// Tab reaches it (a click does not take the focus from where the player
// types), a ring shows the focus, and Return, Enter or Space press it. A
// button that shows only an image reads as nothing to assistive technology
// until its creator gives it an accessible name.
class Button : public QPushButton
{
    Q_OBJECT

public:
    static constexpr qreal minimumTouchSide = 44.0;

    explicit Button(QWidget *parent = nullptr);
    explicit Button(const QString &title, QWidget *parent = nullptr);

    // Colour names for the enabled and the disabled state; empty draws nothing.
    void setBackgroundColorNames(const QString &normal, const QString &disabled);
    void setImageName(const QString &name);
    QString imageName() const { return m_imageName; }
    // Title colour; the palette's button text when invalid.
    void setTitleColor(const QColor &color);
    QColor titleColor() const { return m_titleColor; }
    void setCornerRadius(qreal radius);
    // Drawing opacity, 0 to 1; below 0.01 the button is never hit.
    void setAlpha(qreal alpha);
    qreal alpha() const { return m_alpha; }

    // The bounds grown symmetrically to at least 44 points in each direction.
    static QRectF touchArea(const QRectF &bounds);
    // Whether a point (in this button's coordinates) hits the button: never
    // when hidden, transparent for mouse events or nearly invisible.
    bool hitTest(const QPointF &point) const;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    bool hitButton(const QPoint &pos) const override;
    // Paints the background; subclasses draw over it before the content.
    void paintBackground(QPainter &painter);
    void paintContent(QPainter &painter);
    // The focus ring, drawn last, in two colours so that it shows on any fill.
    void paintFocusIndicator(QPainter &painter);

private:
    QString m_normalColorName;
    QString m_disabledColorName;
    QString m_imageName;
    QColor m_titleColor;
    qreal m_cornerRadius = 0;
    qreal m_alpha = 1.0;
};

} // namespace kestrune
