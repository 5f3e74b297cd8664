#include "resources.h"

#include <QCache>
#include <QFile>
#include <QGuiApplication>
#include <QHash>
#include <QSet>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QSvgRenderer>

#include <cmath>
#include <memory>

// Resources compiled into a static library are registered only when asked to.
static void initKestruneResources()
{
    Q_INIT_RESOURCE(kestrune);
}

namespace kestrune {

namespace {

struct NamedColor
{
    QColor light;
    QColor dark;
};

struct Catalogue
{
    Resources::ColorScheme scheme = Resources::ColorScheme::system;
    QHash<QString, NamedColor> colors;
    QHash<QString, std::shared_ptr<QSvgRenderer>> renderers;
    // Drawings rendered at a size, by renderer and size in pixels; the cost
    // is bytes.
    QCache<QString, QImage> pictures{512 * 1024};
    // The same keys asked for once so far: a size asked for only once (a
    // step of an animation) is not worth a picture.
    QSet<QString> askedOnce;

    Catalogue()
    {
        initKestruneResources();
        QFile file(QStringLiteral(":/colors.json"));
        if (!file.open(QIODevice::ReadOnly))
            qFatal("The colour resources (:/colors.json) are missing");
        const QJsonObject all = QJsonDocument::fromJson(file.readAll()).object();
        for (auto it = all.begin(); it != all.end(); ++it) {
            const QJsonObject pair = it.value().toObject();
            const QColor light = QColor::fromString(pair.value(QLatin1String("light")).toString());
            const QColor dark = QColor::fromString(pair.value(QLatin1String("dark")).toString());
            if (!light.isValid() || !dark.isValid())
                qFatal("The colour resource \"%s\" has no valid light and dark values", qPrintable(it.key()));
            colors.insert(it.key(), {light, dark});
        }
    }
};

Catalogue &catalogue()
{
    static Catalogue instance;
    return instance;
}

QString imageFile(const QString &name)
{
    return QStringLiteral(":/images/%1.svg").arg(name);
}

// The name of the drawing shown for name in the current scheme.
QString drawingKey(const QString &name)
{
    if (Resources::isDark() && QFile::exists(imageFile(name + QLatin1String(" dark"))))
        return name + QLatin1String(" dark");
    return name;
}

// The renderer of a drawing, preferring its dark variant in the dark scheme.
QSvgRenderer &renderer(const QString &name, QString *drawing = nullptr)
{
    Catalogue &c = catalogue();
    const QString key = drawingKey(name);
    if (drawing)
        *drawing = key;
    auto it = c.renderers.find(key);
    if (it == c.renderers.end()) {
        if (!QFile::exists(imageFile(key)))
            qFatal("The image resource \"%s\" does not exist", qPrintable(name));
        auto r = std::make_shared<QSvgRenderer>(imageFile(key));
        if (!r->isValid())
            qFatal("The image resource \"%s\" is not a valid drawing", qPrintable(name));
        it = c.renderers.insert(key, r);
    }
    return **it;
}

} // namespace

void Resources::preload()
{
    // Only the constructor runs here, under the guard of the static.
    catalogue();
}

Resources::ColorScheme Resources::colorScheme()
{
    return catalogue().scheme;
}

void Resources::setColorScheme(ColorScheme scheme)
{
    catalogue().scheme = scheme;
}

bool Resources::isDark()
{
    switch (catalogue().scheme) {
    case ColorScheme::light:
        return false;
    case ColorScheme::dark:
        return true;
    case ColorScheme::system:
        break;
    }
    // Without a scheme setting in this Qt, a dark desktop shows as a dark window colour.
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return false;
    return QGuiApplication::palette().color(QPalette::Window).lightness() < 128;
}

bool Resources::hasColor(const QString &name)
{
    return catalogue().colors.contains(name);
}

QColor Resources::color(const QString &name)
{
    const auto &colors = catalogue().colors;
    const auto it = colors.constFind(name);
    if (it == colors.constEnd())
        qFatal("The colour resource \"%s\" does not exist", qPrintable(name));
    return isDark() ? it->dark : it->light;
}

bool Resources::hasImage(const QString &name)
{
    catalogue();
    return QFile::exists(imageFile(name));
}

QSizeF Resources::imageSize(const QString &name)
{
    return renderer(name).viewBoxF().size();
}

void Resources::paint(QPainter &painter, const QString &name, const QRectF &target)
{
    QString drawing;
    QSvgRenderer &r = renderer(name, &drawing);
    QSizeF size = r.viewBoxF().size();
    if (size.isEmpty() || target.isEmpty())
        return;
    size.scale(target.size(), Qt::KeepAspectRatio);
    QRectF fitted(QPointF(), size);
    fitted.moveCenter(target.center());
    // The board's marks and the keypad's icons are painted again and again
    // at one size: rendering the drawing each time took a tenth of the GUI
    // thread in a play-through, so small ones asked for a second time are
    // kept as pictures. A half turn (the upside-down board) or a mirror maps
    // the picture's pixels onto pixels as well; other turns render the drawing.
    const QTransform device = painter.deviceTransform();
    const qreal scale = std::abs(device.m11());
    const QSize pixels = (fitted.size() * scale).toSize();
    constexpr int largestKept = 128 * 128;
    if (device.type() > QTransform::TxScale || scale != std::abs(device.m22()) || scale == 0 || pixels.isEmpty()
        || pixels.width() * pixels.height() > largestKept) {
        r.render(&painter, fitted);
        return;
    }
    const bool smooth = painter.testRenderHint(QPainter::Antialiasing);
    const QString key =
        QStringLiteral("%1|%2x%3|%4").arg(drawing).arg(pixels.width()).arg(pixels.height()).arg(smooth ? 'a' : 'n');
    Catalogue &c = catalogue();
    QImage *picture = c.pictures.object(key);
    if (!picture) {
        if (!c.askedOnce.contains(key)) {
            constexpr qsizetype rememberedKeys = 256;
            if (c.askedOnce.size() >= rememberedKeys)
                c.askedOnce.clear();
            c.askedOnce.insert(key);
            r.render(&painter, fitted);
            return;
        }
        c.askedOnce.remove(key);
        auto made = std::make_unique<QImage>(pixels, QImage::Format_ARGB32_Premultiplied);
        made->fill(Qt::transparent);
        QPainter onPicture(made.get());
        onPicture.setRenderHint(QPainter::Antialiasing, smooth);
        r.render(&onPicture, QRectF(QPointF(), QSizeF(pixels)));
        onPicture.end();
        picture = made.get();
        c.pictures.insert(key, made.release(), pixels.width() * pixels.height() * 4);
    }
    painter.drawImage(fitted, *picture);
}

QPixmap Resources::pixmap(const QString &name, QSizeF size, qreal devicePixelRatio)
{
    QPixmap pixmap((size * devicePixelRatio).toSize());
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    paint(painter, name, QRectF(QPointF(), size));
    return pixmap;
}

QPalette Resources::palette()
{
    QPalette p;
    const QColor label = color(QStringLiteral("label"));
    const QColor secondaryLabel = color(QStringLiteral("secondaryLabel"));
    const QColor background = color(QStringLiteral("systemBackground"));
    const QColor secondaryBackground = color(QStringLiteral("secondarySystemBackground"));
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        p.setColor(group, QPalette::Window, background);
        p.setColor(group, QPalette::Base, background);
        p.setColor(group, QPalette::AlternateBase, secondaryBackground);
        p.setColor(group, QPalette::Button, secondaryBackground);
        p.setColor(group, QPalette::WindowText, label);
        p.setColor(group, QPalette::Text, label);
        p.setColor(group, QPalette::ButtonText, label);
        p.setColor(group, QPalette::PlaceholderText, secondaryLabel);
    }
    p.setColor(QPalette::Disabled, QPalette::Window, background);
    p.setColor(QPalette::Disabled, QPalette::Base, background);
    p.setColor(QPalette::Disabled, QPalette::WindowText, secondaryLabel);
    p.setColor(QPalette::Disabled, QPalette::Text, secondaryLabel);
    p.setColor(QPalette::Disabled, QPalette::ButtonText, secondaryLabel);
    return p;
}

} // namespace kestrune
