#include "toastalertview.h"

#include "platform/resources/resources.h"
#include "toastalert.h"

#include <QAccessibleWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QRadialGradient>

#include <cmath>

namespace kestrune {

namespace {
constexpr qreal titleGap = 5.0;
constexpr int titlePixelSize = 17;
constexpr qreal shadowRadius = 6.0;

// A card is an alert to assistive technology, so that it is read when it shows.
QAccessibleInterface *accessibleCard(const QString &className, QObject *object)
{
    if (className == QLatin1String(ToastAlertView::staticMetaObject.className()))
        if (auto *card = qobject_cast<ToastAlertView *>(object))
            return new QAccessibleWidget(card, QAccessible::AlertMessage);
    return nullptr;
}
} // namespace

ToastAlertView::ToastAlertView(const QString &title, const QString &iconName, bool dismissOnTap,
                               std::optional<double> duration)
    : m_title(title)
    , m_iconName(iconName)
    , m_dismissOnTap(dismissOnTap)
    , m_duration(duration)
{
    static const bool accessible = (QAccessible::installFactory(accessibleCard), true);
    Q_UNUSED(accessible);
    setObjectName(QStringLiteral("Alert"));
    // Read as one line: the break only fits the text into the circle.
    setAccessibleName(QString(title).replace(QLatin1Char('\n'), QLatin1Char(' ')));
    const int extent = int(side + 2 * room);
    setFixedSize(extent, extent);
    setAttribute(Qt::WA_TranslucentBackground);
    QFont titleFont(QStringLiteral("DejaVu Sans"));
    titleFont.setPixelSize(titlePixelSize);
    setFont(titleFont);
}

QRectF ToastAlertView::cardRect() const
{
    QRectF card(0, 0, side, side);
    card.moveCenter(QRectF(rect()).center());
    return card;
}

QRectF ToastAlertView::iconRect() const
{
    const qreal iconSide = side * imageViewSize;
    QRectF icon(0, 0, iconSide, iconSide);
    icon.moveCenter(cardRect().center() - QPointF(0, iconSide * imageViewOffsetFromCentre));
    return icon;
}

QRectF ToastAlertView::titleRect() const
{
    const QRectF icon = iconRect();
    QRectF title(0, 0, side * titleLabelWidth, titleLabelHeight);
    title.moveCenter(QPointF(cardRect().center().x(), 0));
    title.moveTop(icon.bottom() + titleGap);
    return title;
}

void ToastAlertView::setTransform(qreal scale, qreal rotation)
{
    m_scale = scale;
    m_rotation = rotation;
    update();
}

void ToastAlertView::setAlpha(qreal alpha)
{
    m_alpha = alpha;
    update();
}

void ToastAlertView::dismissAlert()
{
    if (m_presenter)
        m_presenter->dismiss(this);
}

void ToastAlertView::mousePressEvent(QMouseEvent *event)
{
    const QPointF offset = event->position() - cardRect().center();
    const bool onCard = std::hypot(offset.x(), offset.y()) <= side / 2 * m_scale;
    if (m_dismissOnTap && onCard) {
        event->accept();
        dismissAlert();
        return;
    }
    QWidget::mousePressEvent(event);
}

ToastAlertView::Look ToastAlertView::currentLook(qreal pixelRatio) const
{
    return {pixelRatio, Resources::isDark(), Resources::color(QStringLiteral("toastBackground")).rgba(),
            Resources::color(QStringLiteral("systemBackground")).rgba()};
}

void ToastAlertView::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange)
        m_picture = QImage();
    QWidget::changeEvent(event);
}

void ToastAlertView::paintEvent(QPaintEvent *)
{
    if (m_scale <= 0 || m_alpha <= 0)
        return;
    // The card is drawn once, as it stands; the spring's frames only place
    // it. Drawing the icon, the text and the circles anew at each frame took
    // most of the frame.
    QPainter painter(this);
    // Drawn at the scale of what it is painted on, which is not always the
    // widget's screen (a picture of the window at another scale).
    const QTransform device = painter.deviceTransform();
    const Look look = currentLook(std::max(1.0, std::hypot(device.m11(), device.m12())));
    if (m_picture.isNull() || look != m_pictureLook || m_picture.deviceIndependentSize() != QSizeF(size())) {
        m_picture = QImage(size() * look.pixelRatio, QImage::Format_ARGB32_Premultiplied);
        m_picture.setDevicePixelRatio(look.pixelRatio);
        m_picture.fill(Qt::transparent);
        QPainter card(&m_picture);
        drawCard(card);
        m_pictureLook = look;
    }
    painter.setOpacity(m_alpha);
    if (m_scale != 1.0 || m_rotation != 0.0) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        const QPointF centre = cardRect().center();
        painter.translate(centre);
        painter.scale(m_scale, m_scale);
        painter.rotate(qRadiansToDegrees(m_rotation));
        painter.translate(-centre);
    }
    painter.drawImage(QPointF(0, 0), m_picture);
}

void ToastAlertView::drawCard(QPainter &painter) const
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QPointF centre = cardRect().center();

    // The shadow: a soft dark rim just outside the circle.
    const qreal radius = side / 2;
    QRadialGradient shadow(centre, radius + shadowRadius);
    shadow.setColorAt(radius / (radius + shadowRadius) - 0.02, QColor(0, 0, 0, 204));
    shadow.setColorAt(1.0, QColor(0, 0, 0, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(shadow);
    painter.drawEllipse(centre, radius + shadowRadius, radius + shadowRadius);

    painter.setBrush(Resources::color(QStringLiteral("toastBackground")));
    painter.drawEllipse(centre, radius, radius);

    if (!m_iconName.isEmpty())
        Resources::paint(painter, m_iconName, iconRect());
    painter.setPen(Resources::color(QStringLiteral("systemBackground")));
    painter.setFont(font());
    painter.drawText(titleRect(), Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, m_title);
}

} // namespace kestrune
