#include "platform/resources/resources.h"

#include <QGuiApplication>
#include <QPainter>
#include <QProcess>
#include <QSvgRenderer>
#include <QtTest>

#include <algorithm>
#include <cmath>

using namespace kestrune;

namespace {
// Run by the test in a child process: a lookup that must stop the process.
constexpr char missingImage[] = "--look-up-missing-image";
constexpr char missingColor[] = "--look-up-missing-color";

// WCAG 2 relative luminance and contrast ratio.
double luminance(const QColor &color)
{
    auto channel = [](double c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(color.redF()) + 0.7152 * channel(color.greenF()) + 0.0722 * channel(color.blueF());
}
double contrast(const QColor &a, const QColor &b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

struct Ink
{
    double area = 0;  // in fully covered pixels
    QColor strongest; // the colour of the most opaque pixel
    bool centreCovered = false;
};
Ink inkOf(const QString &image)
{
    const QImage picture = Resources::pixmap(image, QSizeF(64, 64)).toImage().convertToFormat(QImage::Format_ARGB32);
    Ink ink;
    int strongestAlpha = -1;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb pixel = picture.pixel(x, y);
            ink.area += qAlpha(pixel) / 255.0;
            if (qAlpha(pixel) > strongestAlpha) {
                strongestAlpha = qAlpha(pixel);
                ink.strongest = QColor::fromRgb(pixel).toRgb();
            }
        }
    }
    ink.centreCovered = qAlpha(picture.pixel(32, 32)) == 255;
    return ink;
}
} // namespace

class ResourcesTest : public QObject
{
    Q_OBJECT

private:
    void verifyStops(const char *option, const QString &name)
    {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(option)});
        QVERIFY(child.waitForFinished(30000));
        QVERIFY(child.exitStatus() == QProcess::CrashExit || child.exitCode() != 0);
        QVERIFY2(child.readAllStandardError().contains(name.toUtf8()), "the message names the resource");
    }

private slots:
    void everyNamedImageDraws_data()
    {
        QTest::addColumn<QString>("name");
        const QString names =
            QStringLiteral("Black,White,Empty,Win,Lose,Tie,Single Player,Two Players,Pass To Player 1,"
                           "Pass To Player 2,Simultaneous,Help,Close Game,Single,Tutorial Puzzle,"
                           "Tutorial Bulls and Cows,Tutorial Single Player,Tutorial Two Players,"
                           "Triangle Top,Triangle Bottom,Backspace,Shot");
        for (const QString &name : names.split(','))
            QTest::newRow(qPrintable(name)) << name;
    }

    void everyNamedImageDraws()
    {
        QFETCH(QString, name);
        for (auto scheme : {Resources::ColorScheme::light, Resources::ColorScheme::dark}) {
            Resources::setColorScheme(scheme);
            const QImage image = Resources::pixmap(name, QSizeF(32, 32)).toImage();
            bool drawn = false;
            for (int y = 0; y < image.height() && !drawn; ++y)
                for (int x = 0; x < image.width() && !drawn; ++x)
                    drawn = qAlpha(image.pixel(x, y)) > 0;
            QVERIFY(drawn);
        }
        Resources::setColorScheme(Resources::ColorScheme::system);
    }

    // Small drawings are kept as pictures between paints; what is painted is
    // still the drawing of the current scheme at the painter's scale, and a
    // turned painter gets it turned.
    void aKeptDrawingIsTheDrawingOfTheSchemeAtTheScale()
    {
        const auto painted = [](qreal ratio, qreal turn) {
            QImage image((QSizeF(40, 40) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
            image.setDevicePixelRatio(ratio);
            image.fill(Qt::transparent);
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.translate(20, 20);
            painter.rotate(turn);
            painter.translate(-20, -20);
            Resources::paint(painter, QStringLiteral("Backspace"), QRectF(4, 4, 32, 32));
            return image;
        };
        const auto rendered = [](const QString &file, qreal ratio) {
            QImage image((QSizeF(40, 40) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
            image.setDevicePixelRatio(ratio);
            image.fill(Qt::transparent);
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            QSvgRenderer svg(QStringLiteral(":/images/%1.svg").arg(file));
            QSizeF size = svg.viewBoxF().size();
            size.scale(32, 32, Qt::KeepAspectRatio);
            QRectF fitted(QPointF(), size);
            fitted.moveCenter(QPointF(20, 20));
            svg.render(&painter, fitted);
            return image;
        };
        // Nearly the same pixels: the picture is placed on whole pixels.
        const auto close = [](const QImage &a, const QImage &b) {
            if (a.size() != b.size())
                return false;
            int far = 0;
            for (int y = 0; y < a.height(); ++y)
                for (int x = 0; x < a.width(); ++x)
                    far += qAbs(qAlpha(a.pixel(x, y)) - qAlpha(b.pixel(x, y))) > 64
                           || qAbs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y))) > 64;
            return far <= a.width() * a.height() / 100;
        };
        const auto restore = qScopeGuard([] { Resources::setColorScheme(Resources::ColorScheme::system); });
        // The first round renders, the second keeps a picture, the third uses it.
        for (int round = 0; round < 3; ++round) {
            for (qreal ratio : {1.0, 2.0}) {
                Resources::setColorScheme(Resources::ColorScheme::light);
                const QImage light = painted(ratio, 0);
                QVERIFY(close(light, rendered(QStringLiteral("Backspace"), ratio)));
                Resources::setColorScheme(Resources::ColorScheme::dark);
                const QImage dark = painted(ratio, 0);
                QVERIFY(close(dark, rendered(QStringLiteral("Backspace dark"), ratio)));
                QVERIFY(!close(dark, light));
            }
        }
        // Upside down, as on the far side of a face-to-face board, the kept
        // picture is used too: the upright one, turned pixel for pixel.
        Resources::setColorScheme(Resources::ColorScheme::light);
        for (qreal ratio : {1.0, 2.0}) {
            const QImage upright = painted(ratio, 0);
            const QImage turned = painted(ratio, 180);
            QVERIFY(!close(turned, upright));
            QCOMPARE(turned, upright.mirrored(true, true));
        }
    }

    void everyNamedColourFollowsTheScheme()
    {
        for (const char *name :
             {"background", "quotationGradientStart", "quotationGradientEnd", "winBar", "loseBar",
              "circleButtonBackground", "keyboardEnabled", "keyboardDisabled", "tutorialRed", "toastBackground"}) {
            Resources::setColorScheme(Resources::ColorScheme::light);
            const QColor light = Resources::color(QString::fromLatin1(name));
            Resources::setColorScheme(Resources::ColorScheme::dark);
            QVERIFY2(Resources::color(QString::fromLatin1(name)) != light, name);
        }
        Resources::setColorScheme(Resources::ColorScheme::system);
    }

    // The dots sit on the window's background, and the empty dots of the row
    // being typed on its band.
    void dotsStandOutFromWhatTheySitOn_data()
    {
        QTest::addColumn<Resources::ColorScheme>("scheme");
        QTest::addColumn<QString>("background");
        QTest::newRow("light") << Resources::ColorScheme::light << "systemBackground";
        QTest::newRow("dark") << Resources::ColorScheme::dark << "systemBackground";
        QTest::newRow("light, typing band") << Resources::ColorScheme::light << "rowSeparator";
        QTest::newRow("dark, typing band") << Resources::ColorScheme::dark << "rowSeparator";
    }
    void dotsStandOutFromWhatTheySitOn()
    {
        QFETCH(Resources::ColorScheme, scheme);
        QFETCH(QString, background);
        Resources::setColorScheme(scheme);
        const QColor behind = Resources::color(background);
        const double bull = contrast(Resources::color("bulletBull"), behind);
        const double cow = contrast(Resources::color("bulletCow"), behind);
        const double empty = contrast(Resources::color("bulletEmpty"), behind);
        Resources::setColorScheme(Resources::ColorScheme::system);
        QVERIFY2(empty >= 3.0, qPrintable(QString::number(empty)));
        QVERIFY2(cow >= 3.0, qPrintable(QString::number(cow)));
        QVERIFY2(bull >= cow, "a bull is the strongest mark");
    }

    // The pictures draw the named colours, and tell the states apart by shape
    // as well: a full disc, a ring open in the middle, a small dot.
    void dotPicturesDifferInShapeNotOnlyColour_data()
    {
        QTest::addColumn<Resources::ColorScheme>("scheme");
        QTest::newRow("light") << Resources::ColorScheme::light;
        QTest::newRow("dark") << Resources::ColorScheme::dark;
    }
    void dotPicturesDifferInShapeNotOnlyColour()
    {
        QFETCH(Resources::ColorScheme, scheme);
        Resources::setColorScheme(scheme);
        const Ink bull = inkOf("Black");
        const Ink cow = inkOf("White");
        const Ink empty = inkOf("Empty");
        const QColor bullColor = Resources::color("bulletBull");
        const QColor cowColor = Resources::color("bulletCow");
        const QColor emptyColor = Resources::color("bulletEmpty");
        Resources::setColorScheme(Resources::ColorScheme::system);

        QCOMPARE(bull.strongest, bullColor);
        QCOMPARE(cow.strongest, cowColor);
        QCOMPARE(empty.strongest, emptyColor);
        QVERIFY(bull.centreCovered);
        QVERIFY2(!cow.centreCovered, "a cow is open in the middle");
        QVERIFY2(bull.area > 1.5 * cow.area, "a bull carries the most ink");
        QVERIFY2(cow.area > 3 * empty.area, "an empty dot is much smaller than a cow");
    }

    void aMissingImageStopsWithItsName() { verifyStops(missingImage, QStringLiteral("No Such Picture")); }
    void aMissingColourStopsWithItsName() { verifyStops(missingColor, QStringLiteral("noSuchColour")); }
};

int main(int argc, char *argv[])
{
    if (argc > 1 && (qstrcmp(argv[1], missingImage) == 0 || qstrcmp(argv[1], missingColor) == 0)) {
        QGuiApplication app(argc, argv);
        if (qstrcmp(argv[1], missingImage) == 0)
            Resources::pixmap(QStringLiteral("No Such Picture"), QSizeF(8, 8));
        else
            Resources::color(QStringLiteral("noSuchColour"));
        return 0; // not reached
    }
    QGuiApplication app(argc, argv);
    ResourcesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_resources.moc"
