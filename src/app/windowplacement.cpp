#include "windowplacement.h"

#include "game/keyvaluestore.h"
#include "platform/device/windowgeometry.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QStringList>
#include <QWidget>

namespace kestrune {

WindowPlacement::WindowPlacement(QWidget &window, KeyValueStore &store, const DeviceProfile &profile)
    : m_window(window)
    , m_store(store)
    , m_profile(profile)
    , m_key(key(profile))
{
    m_pending.setSingleShot(true);
    m_pending.setInterval(saveDelayMs);
    connect(&m_pending, &QTimer::timeout, this, &WindowPlacement::save);
    m_window.installEventFilter(this);
}

WindowPlacement::~WindowPlacement()
{
    m_window.removeEventFilter(this);
    if (m_pending.isActive())
        save();
}

std::string WindowPlacement::key(const DeviceProfile &profile)
{
    return profile.isTablet() ? "windowGeometryTablet" : "windowGeometryPhone";
}

std::string WindowPlacement::encode(const QRect &geometry)
{
    return QStringLiteral("%1,%2,%3,%4")
        .arg(geometry.x())
        .arg(geometry.y())
        .arg(geometry.width())
        .arg(geometry.height())
        .toStdString();
}

std::optional<QRect> WindowPlacement::decode(const std::string &text)
{
    const QStringList parts = QString::fromStdString(text).split(QLatin1Char(','));
    if (parts.size() != 4)
        return std::nullopt;
    int values[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        values[i] = parts[i].toInt(&ok);
        // Far beyond any desktop: a damaged value, not a place.
        if (!ok || values[i] < -100000 || values[i] > 100000)
            return std::nullopt;
    }
    if (values[2] <= 0 || values[3] <= 0)
        return std::nullopt;
    return QRect(values[0], values[1], values[2], values[3]);
}

void WindowPlacement::place()
{
    const DeviceProfile &profile = m_profile;
    const QSize minimum = WindowGeometry::minimumSize(profile);
    QList<QRect> screens;
    for (const QScreen *screen : QGuiApplication::screens())
        screens << screen->availableGeometry();
    std::optional<QRect> geometry;
    if (const auto text = m_store.string(m_key)) {
        if (const auto saved = decode(*text))
            geometry = WindowGeometry::restored(*saved, screens, minimum);
    }
    if (!geometry) {
        const QScreen *primary = QGuiApplication::primaryScreen();
        const QRect available = primary ? primary->availableGeometry() : QRect(QPoint(), profile.size().toSize());
        geometry = WindowGeometry::initial(profile.size().toSize(), available, minimum);
    }
    const QScreen *screen = QGuiApplication::screenAt(geometry->center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    m_window.setMinimumSize(screen ? WindowGeometry::minimumIn(minimum, screen->availableGeometry().size())
                                   : minimum.boundedTo(geometry->size()));
    m_window.resize(geometry->size());
    m_window.move(geometry->topLeft());
    m_placed = true;
    // Placing moved and resized it; that is nothing the player did.
    m_pending.stop();
}

void WindowPlacement::save()
{
    m_pending.stop();
    const Qt::WindowStates states = m_window.windowState();
    if (!m_placed || DeviceProfile::current().isLandscape()
        || (states & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)))
        return;
    const std::string text = encode(QRect(m_window.pos(), m_window.size()));
    if (m_store.string(m_key) == text)
        return;
    m_store.setString(m_key, text);
    m_store.synchronize();
}

bool WindowPlacement::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &m_window && m_placed && (event->type() == QEvent::Move || event->type() == QEvent::Resize))
        m_pending.start();
    return QObject::eventFilter(watched, event);
}

} // namespace kestrune
