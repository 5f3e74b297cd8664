#include "winlosebar.h"

#include "platform/resources/resources.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPainter>

#include <algorithm>
#include <climits>

namespace kestrune {

namespace {

class AccessibleWinLoseBar : public QAccessibleWidget
{
public:
    explicit AccessibleWinLoseBar(WinLoseBar *bar)
        : QAccessibleWidget(bar, QAccessible::Indicator)
    {
    }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return static_cast<const WinLoseBar *>(widget())->valueText();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface *accessibleWinLoseBar(const QString &className, QObject *object)
{
    if (className == QLatin1String(WinLoseBar::staticMetaObject.className()))
        if (auto *bar = qobject_cast<WinLoseBar *>(object))
            return new AccessibleWinLoseBar(bar);
    return nullptr;
}

} // namespace

WinLoseBar::WinLoseBar(QWidget *parent)
    : QWidget(parent)
    , m_valueText(valueTextFor(0, 0))
{
    static const bool accessible = (QAccessible::installFactory(accessibleWinLoseBar), true);
    Q_UNUSED(accessible);
}

QString WinLoseBar::valueTextFor(std::int64_t games, std::int64_t wins)
{
    if (games <= 0)
        return tr("No games yet");
    // Whatever is not won counts as lost, as the bar paints it.
    wins = std::clamp<std::int64_t>(wins, 0, games);
    const std::int64_t losses = games - wins;
    // The plural forms count in int; more is held there.
    const QString won = tr("%n wins", "", int(std::min<std::int64_t>(wins, INT_MAX)));
    const QString lost = tr("%n losses", "", int(std::min<std::int64_t>(losses, INT_MAX)));
    return tr("%1, %2").arg(won, lost);
}

QList<qreal> WinLoseBar::locationsFor(std::int64_t games, std::int64_t wins)
{
    if (games <= 0)
        return {};
    const double ratio = std::clamp(double(wins) / double(games), 0.0, 1.0);
    // All won or all lost shows one colour only: no blend at the edge.
    if (ratio == 0.0 || ratio == 1.0)
        return {0.0, ratio, ratio, 1.0};
    return {0.0, ratio - blendHalfWidth, ratio + blendHalfWidth, 1.0};
}

void WinLoseBar::setRecord(std::int64_t games, std::int64_t wins)
{
    m_locations = locationsFor(games, wins);
    update();
    const QString text = valueTextFor(games, wins);
    if (text == m_valueText)
        return;
    m_valueText = text;
    QAccessibleValueChangeEvent changed(this, text);
    QAccessible::updateAccessibility(&changed);
}

void WinLoseBar::paintEvent(QPaintEvent *)
{
    if (m_locations.isEmpty())
        return;
    QPainter painter(this);
    const QColor win = Resources::color(QStringLiteral("winBar"));
    const QColor lose = Resources::color(QStringLiteral("loseBar"));
    const qreal w = width();
    const qreal a = m_locations.at(1) * w;
    const qreal b = m_locations.at(2) * w;
    // Painted in three pieces: a gradient whose stops coincide would leave
    // its end colour on the last pixel column.
    painter.fillRect(QRectF(0, 0, a, height()), win);
    if (b > a) {
        QLinearGradient blend(a, 0, b, 0);
        blend.setColorAt(0, win);
        blend.setColorAt(1, lose);
        painter.fillRect(QRectF(a, 0, b - a, height()), blend);
    }
    painter.fillRect(QRectF(b, 0, w - b, height()), lose);
}

} // namespace kestrune
