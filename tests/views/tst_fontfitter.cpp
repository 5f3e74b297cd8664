#include "views/controls/autofontsizelabel.h"
#include "views/controls/autofontsizeoutlinelabel.h"
#include "views/controls/fontfitter.h"

#include <QtTest>

using namespace kestrune;

class FontFitterTest : public QObject
{
    Q_OBJECT

    template <class Label>
    void verifyFitsOnResize()
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
        const QFont font(QStringLiteral("DejaVu Sans"));
        for (int height : {20, 40, 80}) {
            const QFont fitted = FontFitter::fittedFont(QStringLiteral("1234"), font, height);
            const qreal line = FontFitter::lineHeight(fitted, QStringLiteral("1234"));
            QVERIFY2(line <= height + 1 && line > height * 0.8, qPrintable(QString::number(line)));
        }
    }

    void labelsFitOnResize()
    {
        verifyFitsOnResize<AutoFontSizeLabel>();
        verifyFitsOnResize<AutoFontSizeOutlineLabel>();
    }
};

QTEST_MAIN(FontFitterTest)
#include "tst_fontfitter.moc"
