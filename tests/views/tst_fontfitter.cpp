#include "views/widgets/autofontsizelabel.h"
#include "views/widgets/autofontsizeoutlinelabel.h"
#include "views/widgets/fontfitter.h"

#include <QFontDatabase>
#include <QLabel>
#include <QPainter>
#include <QtTest>

using namespace kestrune;
// The plain outlined label, without fitting of its own.
using StrokedLabel = kestrune::OutlineLabel;

namespace {

// Real fonts, as this machine draws text: measured text needs one.
QFont textFont()
{
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont);
}

QFont fixedFont()
{
    return QFontDatabase::systemFont(QFontDatabase::FixedFont);
}

} // namespace

class FontFitterTest : public QObject
{
    Q_OBJECT

    template<class Label> void verifyFitsOnResize()
    {
        Label label;
        label.setText(QStringLiteral("1234"));
        const QFont base = label.font();
        label.resize(100, 40);
        label.show();
        QVERIFY(QTest::qWaitForWindowExposed(&label));
        const qreal small = FontFitter::fittedPointSize(label.text(), base, 40);
        QCOMPARE(label.font().pointSizeF(), small);
        label.resize(100, 90);
        const qreal large = FontFitter::fittedPointSize(label.text(), base, 90);
        QVERIFY(large > small);
        QCOMPARE(label.font().pointSizeF(), large);
    }

private slots:
    void searchBoundaries_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qreal>("lineHeight"); // measured height at any size; -k: k times the size
        QTest::addColumn<qreal>("height");
        QTest::addColumn<qreal>("expected");
        QTest::newRow("no text measures nothing") << QString() << 1.0 << 40.0 << 64.0;
        QTest::newRow("every line shorter") << QStringLiteral("12") << 1.0 << 1000.0 << 119.21875;
        QTest::newRow("every line taller") << QStringLiteral("12") << 1000.0 << 4.0 << 8.78125;
        QTest::newRow("exact fit at the first midpoint") << QStringLiteral("12") << -1.0 << 64.0 << 64.0;
        QTest::newRow("height rounds up to a whole point") << QStringLiteral("12") << -1.0 << 63.2 << 64.0;
        QTest::newRow("exact fit at a later midpoint") << QStringLiteral("12") << -2.0 << 71.0 << 35.5;
    }

    void searchBoundaries()
    {
        QFETCH(QString, text);
        QFETCH(qreal, lineHeight);
        QFETCH(qreal, height);
        QFETCH(qreal, expected);
        int measured = 0;
        const auto measure = [&](const QFont &font, const QString &) {
            ++measured;
            return lineHeight < 0 ? -lineHeight * font.pointSizeF() : lineHeight;
        };
        QCOMPARE(FontFitter::fittedPointSize(text, QFont(), height, measure), expected);
        if (text.isEmpty())
            QCOMPARE(measured, 0);
    }

    void realFontsFillTheirHeight()
    {
        const QFont font = textFont();
        for (int height : {20, 40, 80}) {
            const QFont fitted = FontFitter::fittedFont(QStringLiteral("1234"), font, height);
            const qreal line = FontFitter::lineHeight(fitted, QStringLiteral("1234"));
            QVERIFY2(line <= height + 1 && line > height * 0.8, qPrintable(QString::number(line)));
        }
    }

    // Sizes predicted clearly off the target are not measured, yet every
    // height a label may have gets the answer of the search that measures
    // every size it tries, in the fonts the game draws with.
    void predictedSizesGiveTheFullSearchsAnswer()
    {
        int measured = 0;
        const auto counted = [&](const QFont &font, const QString &text) {
            ++measured;
            return FontFitter::lineHeight(font, text);
        };
        int fullyMeasured = 0;
        const auto fullSearch = [&](const QString &text, QFont probe, qreal height) {
            const qreal target = std::ceil(height);
            qreal lo = FontFitter::minimumPointSize;
            qreal hi = FontFitter::maximumPointSize;
            qreal mid = lo;
            do {
                mid = lo + (hi - lo) * 0.5;
                probe.setPointSizeF(mid);
                ++fullyMeasured;
                const qreal diff = target - FontFitter::lineHeight(probe, text);
                if (mid == lo || mid == hi)
                    return diff < 0 ? mid - 1 : mid;
                if (diff == 0)
                    return mid;
                (diff < 0 ? hi : lo) = diff < 0 ? mid - 1 : mid + 1;
            } while (lo <= hi);
            return mid;
        };
        for (const QFont &family : {textFont(), fixedFont()}) {
            for (const bool bold : {false, true}) {
                QFont font = family;
                font.setBold(bold);
                for (const QString &text : {QStringLiteral("1234"), QStringLiteral("You won!")}) {
                    for (int height = 6; height <= 240; ++height) {
                        QCOMPARE(FontFitter::fittedPointSize(text, font, height, counted),
                                 fullSearch(text, font, height));
                    }
                }
            }
        }
        QVERIFY2(measured * 2 < fullyMeasured, qPrintable(QStringLiteral("%1 of %2").arg(measured).arg(fullyMeasured)));
    }

    // The outlined glyphs are kept between paints, and shared by labels
    // alike: whatever changed since, a label draws what a fresh one with the
    // same settings draws, at each scale, and no longer what it drew before.
    void aStrokedLabelRedrawsWhatChanged()
    {
        const auto configure = [](StrokedLabel &label, const QString &text, int pixelSize, Qt::Alignment align,
                                  QSize size) {
            QFont font = textFont();
            font.setPixelSize(pixelSize);
            label.setFont(font);
            label.setText(text);
            label.setAlignment(align);
            label.setOutline(Qt::red, 1.5);
            label.resize(size);
        };
        const auto picture = [](StrokedLabel &label, qreal ratio) {
            QImage image(label.size() * ratio, QImage::Format_ARGB32_Premultiplied);
            image.setDevicePixelRatio(ratio);
            image.fill(Qt::white);
            label.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
            return image;
        };
        StrokedLabel kept;
        configure(kept, QStringLiteral("12"), 20, Qt::AlignCenter, {120, 60});
        struct Change
        {
            QString text;
            int pixelSize;
            Qt::Alignment align;
            QSize size;
        };
        for (const Change &change : {Change{QStringLiteral("37"), 20, Qt::AlignCenter, {120, 60}},
                                     Change{QStringLiteral("37"), 20, Qt::AlignCenter, {100, 60}},
                                     Change{QStringLiteral("37"), 28, Qt::AlignCenter, {120, 60}},
                                     Change{QStringLiteral("37"), 28, Qt::AlignLeft | Qt::AlignTop, {120, 60}},
                                     Change{QStringLiteral("37"), 28, Qt::AlignLeft | Qt::AlignTop, {90, 50}}}) {
            const QImage before = picture(kept, 1);
            configure(kept, change.text, change.pixelSize, change.align, change.size);
            const QImage now = picture(kept, 1);
            QVERIFY(now != before);
            // A picture drawn for other settings puts the text elsewhere.
            QRect ink;
            for (int y = 0; y < now.height(); ++y)
                for (int x = 0; x < now.width(); ++x)
                    if (now.pixel(x, y) != qRgb(255, 255, 255))
                        ink |= QRect(x, y, 1, 1);
            if (change.align & Qt::AlignHCenter)
                QVERIFY(qAbs(ink.center().x() - now.width() / 2) <= 1);
            else
                QVERIFY(ink.left() <= 2 && ink.top() <= change.pixelSize / 2);
            StrokedLabel fresh;
            configure(fresh, change.text, change.pixelSize, change.align, change.size);
            for (qreal ratio : {1.0, 2.0})
                QCOMPARE(picture(kept, ratio), picture(fresh, ratio));
        }

        // Turned half a turn, as player 1's board is in simultaneous play, a
        // label is its upright picture turned pixel for pixel.
        const auto turned = [](StrokedLabel &shown, qreal ratio) {
            QImage image(shown.size() * ratio, QImage::Format_ARGB32_Premultiplied);
            image.setDevicePixelRatio(ratio);
            image.fill(Qt::white);
            QPainter painter(&image);
            painter.translate(shown.width(), shown.height());
            painter.rotate(180);
            shown.render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
            return image;
        };
        for (qreal ratio : {1.0, 2.0})
            QCOMPARE(turned(kept, ratio), picture(kept, ratio).mirrored(true, true));

        // So are the colours: the outline's, the gradient's and its
        // direction, and the palette's when it has no gradient, as enabled
        // or not.
        const auto recolour = [](StrokedLabel &label, int step) {
            if (step == 1)
                label.setOutline(Qt::blue, 1.5);
            else if (step == 2)
                label.setEnabled(false);
            else if (step == 3)
                label.setGradientColors(Qt::green, Qt::black);
            else
                label.setGradientPoints(QPointF(0, 0.5), QPointF(1, 0.5));
        };
        for (int step = 1; step <= 4; ++step) {
            const QImage before = picture(kept, 1);
            recolour(kept, step);
            StrokedLabel fresh;
            configure(fresh, QStringLiteral("37"), 28, Qt::AlignLeft | Qt::AlignTop, kept.size());
            for (int done = 1; done <= step; ++done)
                recolour(fresh, done);
            QCOMPARE(picture(kept, 1), picture(fresh, 1));
            QVERIFY(picture(kept, 1) != before);
        }
    }

    // Without an outline the text is drawn from the glyph cache: it still
    // runs from the gradient's first colour at its top to the last at its foot.
    void aStrokedLabelWithoutStrokeKeepsItsGradient()
    {
        StrokedLabel label;
        QFont font = textFont();
        font.setPixelSize(40);
        label.setFont(font);
        label.setText(QStringLiteral("HIH"));
        label.setAlignment(Qt::AlignCenter);
        label.setGradientColors(QColor(255, 0, 0), QColor(0, 0, 255));
        label.resize(200, 80);
        QImage image(label.size(), QImage::Format_ARGB32);
        image.fill(Qt::white);
        label.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        int top = -1, bottom = -1;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != qRgb(255, 255, 255)) {
                    if (top < 0)
                        top = y;
                    bottom = y;
                }
        QVERIFY(top >= 0 && bottom - top > 20);
        const auto strongest = [&](int y) {
            QRgb ink = qRgb(255, 255, 255);
            for (int x = 0; x < image.width(); ++x)
                if (qGray(image.pixel(x, y)) < qGray(ink))
                    ink = image.pixel(x, y);
            return ink;
        };
        const QRgb head = strongest(top + 2), foot = strongest(bottom - 2);
        QVERIFY2(qRed(head) > 2 * qBlue(head), qPrintable(QColor(head).name()));
        QVERIFY2(qBlue(foot) > 2 * qRed(foot), qPrintable(QColor(foot).name()));
    }

    void labelsFitOnResize()
    {
        verifyFitsOnResize<AutoFontSizeLabel>();
        verifyFitsOnResize<AutoFontSizeOutlineLabel>();
    }

    // A screen fitted ahead gets its resizes again when shown: those fit
    // nothing anew, but a new text, height or font given from outside does.
    // Nor does a label fit before it has a height of its own.
    void aFitterRefitsOnlyWhatChanged()
    {
        QLabel label(QStringLiteral("1234"));
        int applied = 0;
        auto *fitter = new FontFitter(&label, [&label, &applied](const QFont &font) {
            ++applied;
            label.setFont(font);
        });
        const auto resend = [&label] {
            QResizeEvent again(label.size(), label.size());
            QCoreApplication::sendEvent(&label, &again);
        };
        // Polished or squeezed to nothing before it is laid out, it waits
        // for a height to fit.
        label.resize(100, 0);
        resend();
        label.resize(100, 40);
        label.ensurePolished();
        QCOMPARE(applied, 0);
        resend();
        QCOMPARE(applied, 1);
        const QFont fitted = label.font();
        resend();
        fitter->fit();
        QCOMPARE(applied, 1);
        QCOMPARE(label.font(), fitted);

        label.setText(QStringLiteral("12"));
        fitter->fit();
        QCOMPARE(applied, 2);
        label.resize(100, 80);
        resend();
        QCOMPARE(applied, 3);
        QVERIFY(label.font().pointSizeF() > fitted.pointSizeF());

        // A font set from outside, even at the fitted size, is fitted again.
        QFont other = label.font();
        other.setBold(!other.bold());
        label.setFont(other);
        resend();
        QCOMPARE(applied, 4);
        QCOMPARE(label.font().bold(), other.bold());
        QCOMPARE(label.font().pointSizeF(), FontFitter::fittedPointSize(label.text(), other, 80));
    }
};

QTEST_MAIN(FontFitterTest)
#include "tst_fontfitter.moc"
