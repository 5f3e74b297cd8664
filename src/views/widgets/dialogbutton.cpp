#include "dialogbutton.h"

#include "platform/resources/resources.h"

#include <QEvent>
#include <QPainter>

namespace kestrune {

DialogButton::DialogButton(const QString &title, int height, bool dismissOnTap, std::function<void()> action,
                           QWidget *parent)
    : Button(title, parent)
    , m_height(height)
    , m_dismissOnTap(dismissOnTap)
    , m_action(std::move(action))
    , m_defaultTitleColor(Resources::color(QStringLiteral("accent")))
    , m_defaultSeparatorColor(Resources::color(QStringLiteral("rowSeparator")))
{
}

void DialogButton::setLeadingSeparator(bool draws)
{
    m_leadingSeparator = draws;
    update();
}

void DialogButton::setupView()
{
    if (!titleColor().isValid())
        setTitleColor(m_defaultTitleColor);
    m_separatorColor = m_defaultSeparatorColor;
    setFixedHeight(m_height);
    QFont titleFont = font();
    titleFont.setPixelSize(16);
    titleFont.setWeight(QFont::DemiBold);
    setFont(titleFont);
    // No fill of its own: the dialog's background shows through.
    setBackgroundColorNames(QString(), QString());
}

bool DialogButton::event(QEvent *event)
{
    // Polish comes after construction, so a subclass's setupView() is the one that runs.
    if (event->type() == QEvent::Polish && !m_isSetUp) {
        m_isSetUp = true;
        setupView();
    }
    return Button::event(event);
}

void DialogButton::paintEvent(QPaintEvent *event)
{
    Button::paintEvent(event);
    QPainter painter(this);
    painter.setPen(QPen(m_separatorColor, 1));
    painter.drawLine(QPointF(0, 0.5), QPointF(width(), 0.5));
    if (m_leadingSeparator)
        painter.drawLine(QPointF(0.5, 0), QPointF(0.5, height()));
}

} // namespace kestrune
