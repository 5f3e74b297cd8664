#pragma once

#include "button.h"

#include <QPointF>

class QVariantAnimation;

namespace kestrune {

// A button that answers a press with a ripple: a soft circle that grows from
// the touch point and fades. The ripple's animation runs only while it shows.
class RippleButton : public Button
{
    Q_OBJECT

public:
    static constexpr int rippleDurationMs = 400;

    explicit RippleButton(QWidget *parent = nullptr);

    bool isRippling() const;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QVariantAnimation *m_ripple;
    QPointF m_origin;
};

} // namespace kestrune
