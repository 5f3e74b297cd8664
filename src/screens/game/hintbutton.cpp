#include "hintbutton.h"

#include "platform/resources/resources.h"

#include <QPainter>

namespace kestrune {

HintButton::HintButton(QWidget *parent)
    : Button(parent)
{
    setObjectName(QStringLiteral("Hint"));
    setImageName(QStringLiteral("Hint"));
    setFixedSize(side, side);
    setIconSize(QSize(iconSide, iconSide));
    setFocusPolicy(Qt::TabFocus);
    setHintsLeft(0);
}

void HintButton::setHintsLeft(int hints)
{
    m_hintsLeft = std::max(0, hints);
    updateNames();
}

void HintButton::setBusy(bool busy)
{
    if (busy == m_busy)
        return;
    m_busy = busy;
    updateNames();
}

void HintButton::updateNames()
{
    setAccessibleName(m_busy ? tr("Hint, working") : tr("Hint, %n left", nullptr, m_hintsLeft));
    // The key is told here: it is the only place a mouse player meets it.
    if (m_busy)
        setToolTip(tr("Working out a hint"));
    else
        setToolTip(m_hintsLeft > 0 ? tr("Hint (H): shows how many codes are left and types a good shot")
                                   : tr("No hints left"));
    setAccessibleDescription(tr("Key: H"));
    update();
}

void HintButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    paintBackground(painter);
    // A dimmed bulb while it thinks; a still picture, so that waiting costs
    // no frames.
    painter.save();
    if (m_busy)
        painter.setOpacity(0.4);
    paintContent(painter);
    painter.restore();

    // The badge sits over the bulb's upper right, inside the button so the
    // bar never clips it.
    const QRectF badge(width() - badgeSide - 3, 4, badgeSide, badgeSide);
    painter.save();
    painter.setOpacity(isEnabled() ? 1.0 : 0.45);
    painter.setPen(QPen(Resources::color(QStringLiteral("systemBackground")), 1.5));
    painter.setBrush(Resources::color(m_hintsLeft > 0 ? QStringLiteral("accent") : QStringLiteral("secondaryLabel")));
    painter.drawEllipse(badge);
    QFont badgeFont = font();
    badgeFont.setPixelSize(11);
    badgeFont.setBold(true);
    painter.setFont(badgeFont);
    painter.setPen(Qt::white);
    painter.drawText(badge, Qt::AlignCenter, m_busy ? QStringLiteral("\u2026") : QString::number(m_hintsLeft));
    painter.restore();

    paintFocusIndicator(painter);
}

} // namespace kestrune
