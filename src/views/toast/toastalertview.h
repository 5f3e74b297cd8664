#pragma once

#include "toastalert.h"

#include <QImage>
#include <QPointer>
#include <QWidget>

#include <optional>

namespace kestrune {

// One round toast card: an icon over a line or two of text on a 220-point
// circle. The widget leaves room around the circle for its shadow and for the
// spring's overshoot. It is made only from its content; a tap dismisses it
// when asked to. The presenter (ToastAlert) drives its scale, turn and alpha.
// Assistive technology meets it as an alert that reads its title.
class ToastAlertView : public QWidget
{
    Q_OBJECT

public:
    static constexpr qreal side = 220.0;
    static constexpr qreal imageViewSize = 0.4;
    static constexpr qreal imageViewOffsetFromCentre = 0.3;
    static constexpr qreal titleLabelWidth = 0.8;
    static constexpr qreal titleLabelHeight = 60.0;
    static constexpr qreal navControllerHeight = 44.0;
    static constexpr qreal room = 32.0;

    // duration: seconds until it dismisses itself; none stays until tapped.
    ToastAlertView(const QString &title, const QString &iconName, bool dismissOnTap, std::optional<double> duration);

    QString title() const { return m_title; }
    QString iconName() const { return m_iconName; }
    bool dismissesOnTap() const { return m_dismissOnTap; }
    std::optional<double> duration() const { return m_duration; }
    // Empty until the card has fully appeared; false again once it leaves.
    std::optional<bool> messageIsFullyDisplayed() const { return m_fullyDisplayed; }
    void setMessageIsFullyDisplayed(bool displayed) { m_fullyDisplayed = displayed; }

    // Where the circle, the icon and the title sit, untransformed.
    QRectF cardRect() const;
    QRectF iconRect() const;
    QRectF titleRect() const;

    qreal scale() const { return m_scale; }
    qreal rotation() const { return m_rotation; }
    qreal alpha() const { return m_alpha; }
    // Scale about the centre, turn in radians, opacity 0 to 1.
    void setTransform(qreal scale, qreal rotation);
    void setAlpha(qreal alpha);

    // The tap's action: hands the card to its presenter's dismissal.
    void dismissAlert();
    void setPresenter(ToastAlert *presenter) { m_presenter = presenter; }

protected:
    void changeEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    // What the card's picture was drawn for.
    struct Look
    {
        qreal pixelRatio = 0;
        bool dark = false;
        QRgb background = 0;
        QRgb text = 0;
        bool operator==(const Look &) const = default;
    };
    Look currentLook(qreal pixelRatio) const;
    void drawCard(QPainter &painter) const;

    QString m_title;
    QString m_iconName;
    bool m_dismissOnTap;
    std::optional<double> m_duration;
    std::optional<bool> m_fullyDisplayed;
    qreal m_scale = 1.0;
    qreal m_rotation = 0.0;
    qreal m_alpha = 1.0;
    QPointer<ToastAlert> m_presenter;
    QImage m_picture;
    Look m_pictureLook;
};

} // namespace kestrune
