#pragma once

#include <QColor>
#include <QPalette>
#include <QPixmap>
#include <QRectF>
#include <QString>

class QPainter;

namespace kestrune {

// The named images and colours of the program. Images are SVG drawings; a
// name may have a "<name> dark" variant that is used in the dark scheme.
// Colours have a light and a dark value. Asking for a name that does not
// exist is a fault of the build: the process stops with a message naming it.
// GUI thread only, apart from preload().
class Resources
{
public:
    enum class ColorScheme { system, light, dark };

    // The scheme in force; `system` follows the desktop's palette.
    static ColorScheme colorScheme();
    static void setColorScheme(ColorScheme scheme);
    static bool isDark();

    static QColor color(const QString &name);
    // Draws the image into the target rectangle, kept at its aspect ratio and
    // centred (aspect-fit).
    static void paint(QPainter &painter, const QString &name, const QRectF &target);
    // The image rendered aspect-fit into a transparent pixmap of that size.
    static QPixmap pixmap(const QString &name, QSizeF size, qreal devicePixelRatio = 1.0);
    // The natural size of the drawing.
    static QSizeF imageSize(const QString &name);
    static bool hasImage(const QString &name);
    static bool hasColor(const QString &name);
    // A palette made of the named system colours, for the current scheme.
    static QPalette palette();

    // Reads the colour catalogue ahead of its first use. Any thread; a use
    // on the GUI thread meanwhile waits for it.
    static void preload();
};

} // namespace kestrune
