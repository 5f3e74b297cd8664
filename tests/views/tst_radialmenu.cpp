#include "manualanimationdriver.h"

#include "views/radialmenu/blurview.h"
#include "views/radialmenu/radialmenu.h"
#include "views/radialmenu/radialmenudelegate.h"

#include <QLineF>
#include <QPainter>
#include <QTest>

using namespace kestrune;
using namespace kestrune::test;

namespace {

// Writes every delegate call as one line, in order.
struct RecordingDelegate : RadialMenuDelegate
{
    void radialMenuWillDisplay(RadialMenu &, Button *b, int i) override { log(u"display", b, i); }
    void radialMenuButtonWillSelected(RadialMenu &, Button *b, int i) override { log(u"willSelect", b, i); }
    void radialMenuButtonDidSelected(RadialMenu &, Button *b, int i) override { log(u"didSelect", b, i); }
    void menuCollapsed(RadialMenu &) override { calls.append(QStringLiteral("collapsed")); }
    void log(QStringView what, Button *b, int i)
    {
        calls.append(QStringLiteral("%1 %2 %3").arg(what).arg(b->objectName()).arg(i));
    }
    QStringList calls;
};

// A host with the centre button near its bottom and a widget to press
// outside the ring.
struct Fixture
{
    Fixture()
    {
        host.resize(375, 667);
        menu = new RadialMenu(&host);
        menu->setGeometry(140, 500, 96, 96);
        menu->setModeButtons({QStringLiteral("Single player"), QStringLiteral("Two players")});
        menu->setDelegate(&delegate);
        outside = new QPushButton(QStringLiteral("elsewhere"), &host);
        outside->setGeometry(10, 10, 80, 40);
        host.show();
        host.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&host));
    }
    void finish() { driver.advanceBy(RadialMenu::animationMs + 20); }

    ManualAnimationDriver driver;
    RecordingDelegate delegate;
    QWidget host;
    RadialMenu *menu;
    QPushButton *outside;
};

QPointF centreOf(const QWidget *w)
{
    return QRectF(w->geometry()).center();
}

} // namespace

class TestRadialMenu : public QObject
{
    Q_OBJECT

private slots:
    void ringStandsAtItsDistanceAndGrowsOutOfTheCentre_data()
    {
        QTest::addColumn<qreal>("distance");
        QTest::newRow("phone") << qreal(190);
        QTest::newRow("tablet") << qreal(220);
    }
    void ringStandsAtItsDistanceAndGrowsOutOfTheCentre()
    {
        QFETCH(qreal, distance);
        Fixture f;
        f.menu->setRingDistance(distance);
        f.menu->click();
        QVERIFY(f.menu->isOpen());
        f.driver.advanceBy(RadialMenu::animationMs / 5); // before the overshoot
        Button *first = f.menu->modeButtons().at(0);
        const qreal halfway = QLineF(centreOf(f.menu), centreOf(first)).length();
        QVERIFY2(halfway > 10 && halfway < distance, qPrintable(QString::number(halfway)));
        QVERIFY(first->alpha() > 0 && first->alpha() < 1);
        f.finish();
        for (Button *b : f.menu->modeButtons()) {
            QVERIFY(b->isVisible());
            QCOMPARE(b->alpha(), 1.0);
            QVERIFY(qAbs(QLineF(centreOf(f.menu), centreOf(b)).length() - distance) < 1.5);
            QVERIFY(centreOf(b).y() < centreOf(f.menu).y()); // the ring fans out above
        }
        QVERIFY(centreOf(f.menu->modeButtons().at(0)).x() < centreOf(f.menu->modeButtons().at(1)).x());
    }

    void pickTellsTheDelegateInOrderAndCloses()
    {
        Fixture f;
        f.menu->click();
        f.finish();
        QCOMPARE(f.delegate.calls, QStringList({"display RadialMenuButton0 0", "display RadialMenuButton1 1"}));
        f.delegate.calls.clear();
        f.menu->modeButtons().at(1)->click();
        QCOMPARE(f.delegate.calls, QStringList({"willSelect RadialMenuButton1 1", "didSelect RadialMenuButton1 1"}));

        QVERIFY(!f.menu->isOpen());
        f.finish();
        QCOMPARE(f.delegate.calls.last(), "collapsed");
        QVERIFY(!f.menu->modeButtons().at(1)->isVisible());
    }

    void ringCloses_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("second tap on the centre") << "centre";
        QTest::newRow("press outside") << "outside";
        QTest::newRow("Escape in the ring") << "escape";
    }
    void ringCloses()
    {
        QFETCH(QString, how);
        Fixture f;
        f.menu->setFocus();
        QTest::keyClick(f.menu, Qt::Key_Return);
        f.finish();
        QVERIFY(f.menu->modeButtons().at(0)->hasFocus());
        int outsidePresses = 0;
        QObject::connect(f.outside, &QPushButton::pressed, [&] { ++outsidePresses; });
        if (how == "centre")
            f.menu->click();
        else if (how == "outside")
            QTest::mousePress(f.outside, Qt::LeftButton);
        else
            QTest::keyClick(f.menu->modeButtons().at(0), Qt::Key_Escape);
        QVERIFY(!f.menu->isOpen());
        QCOMPARE(outsidePresses, 0); // the press that closes goes no further
        f.finish();
        QCOMPARE(f.delegate.calls.count("collapsed"), 1);
        QVERIFY(!f.delegate.calls.join(' ').contains("Select"));
        for (Button *b : f.menu->modeButtons())
            QVERIFY(!b->isVisible());
        if (how != "outside")
            QVERIFY(f.menu->hasFocus());
    }

    void keysMoveBetweenModesAndPick()
    {
        Fixture f;
        f.menu->setFocus();
        QTest::keyClick(f.menu, Qt::Key_Space);
        f.finish();
        QList<Button *> modes = f.menu->modeButtons();
        QVERIFY(modes.at(0)->hasFocus());
        QTest::keyClick(modes.at(0), Qt::Key_Right);
        QVERIFY(modes.at(1)->hasFocus());
        QTest::keyClick(modes.at(1), Qt::Key_Tab); // stays in the ring, wrapping
        QVERIFY(modes.at(0)->hasFocus());
        QTest::keyClick(modes.at(0), Qt::Key_Up);
        QVERIFY(modes.at(1)->hasFocus());
        QTest::keyClick(modes.at(1), Qt::Key_Return);
        QVERIFY(f.delegate.calls.contains("didSelect RadialMenuButton1 1"));
    }

    void blurSpreadsAnEdgeAndKeepsFlatAreas()
    {
        QImage image(80, 8, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        QPainter(&image).fillRect(0, 0, 40, 8, Qt::black);
        const QImage out = BlurView::blurred(image, 3);
        QCOMPARE(out.size(), image.size());
        QCOMPARE(qRed(out.pixel(2, 4)), 0);
        QCOMPARE(qRed(out.pixel(77, 4)), 255);
        const int left = qRed(out.pixel(38, 4));
        const int right = qRed(out.pixel(41, 4));
        QVERIFY2(left > 0 && left < right && right < 255, qPrintable(QStringLiteral("%1 %2").arg(left).arg(right)));
        // Columns blur as rows do.
        const QImage turned = BlurView::blurred(image.transformed(QTransform().rotate(90)), 3);
        QCOMPARE(qRed(turned.pixel(4, 38)), left);
    }
};

QTEST_MAIN(TestRadialMenu)
#include "tst_radialmenu.moc"
