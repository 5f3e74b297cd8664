#include "game/timetext.h"

#include <QLocale>
#include <QTest>

#include <limits>

using namespace kestrune;

class TestTimeText : public QObject
{
    Q_OBJECT

private slots:
    void clockShowsWholeSecondsWithHoursOnlyWhenThereAreAny_data()
    {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << 0.0 << "0:00";
        QTest::newRow("just under a second is cut off") << 0.999 << "0:00";
        QTest::newRow("seven and a bit") << 7.9 << "0:07";
        QTest::newRow("a minute and two") << 62.0 << "1:02";
        QTest::newRow("last second before an hour") << 3599.99 << "59:59";
        QTest::newRow("one hour") << 3600.0 << "1:00:00";
        QTest::newRow("hours, minutes and seconds padded") << 3723.0 << "1:02:03";
        QTest::newRow("hours do not wrap at a day") << 360000.0 << "100:00:00";
        QTest::newRow("negative") << -5.0 << "0:00";
        QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN() << "0:00";
        QTest::newRow("infinite") << std::numeric_limits<double>::infinity() << "0:00";
        QTest::newRow("beyond the 64-bit range") << 1e300 << "2562047788015215:30:07";
    }
    void clockShowsWholeSecondsWithHoursOnlyWhenThereAreAny()
    {
        QFETCH(double, seconds);
        QFETCH(QString, text);
        QCOMPARE(TimeText::clock(seconds), text);
    }

    void durationRoundsToSecondsAndShowsTwoUnitsAtMost_data()
    {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << 0.0 << "0 s";
        QTest::newRow("under a half rounds down") << 0.49 << "0 s";
        QTest::newRow("a half rounds up") << 0.5 << "1 s";
        QTest::newRow("average of 95 s over 3 wins") << 95.0 / 3.0 << "32 s";
        QTest::newRow("rounds up into the next minute") << 59.5 << "1 min";
        QTest::newRow("minutes and seconds") << 125.0 << "2 min 5 s";
        QTest::newRow("rounds up into the next hour") << 3599.5 << "1 h";
        QTest::newRow("seconds left out beside hours") << 3725.0 << "1 h 2 min";
        QTest::newRow("hours do not wrap at a day") << 90000.0 << "25 h";
        QTest::newRow("negative") << -30.0 << "0 s";
        QTest::newRow("negative half") << -0.5 << "0 s";
        QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN() << "0 s";
        QTest::newRow("infinite") << std::numeric_limits<double>::infinity() << "0 s";
    }
    void durationRoundsToSecondsAndShowsTwoUnitsAtMost()
    {
        QFETCH(double, seconds);
        QFETCH(QString, text);
        QCOMPARE(TimeText::duration(seconds), text);
    }

    // The statistics' times count in the player's locale.
    void durationWritesNumbersAsTheLocaleDoes()
    {
        const QLocale before;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const QString hours = TimeText::duration(1234.0 * 3600 + 5 * 60);
        const QString minutes = TimeText::duration(65);
        QLocale::setDefault(before);
        QCOMPARE(hours, "1.234 h 5 min");
        QCOMPARE(minutes, "1 min 5 s");
    }
};

QTEST_APPLESS_MAIN(TestTimeText)
#include "tst_timetext.moc"
