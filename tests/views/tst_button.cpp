#include "accessibilityrecorder.h"
#include "manualanimationdriver.h"
#include "platform/resources/resources.h"
#include "views/widgets/button.h"
#include "views/widgets/moderndialogbutton.h"
#include "views/widgets/promptdialog.h"
#include "views/widgets/ripplebutton.h"
#include "views/widgets/shadoweffect.h"
#include "views/widgets/touchareafilter.h"

#include <QLabel>
#include <QtTest>

using namespace kestrune;

class ButtonTest : public QObject
{
    Q_OBJECT

private slots:
    // A round button's shadow: its shape's alpha spread by the radius,
    // nothing lost or cut at the edges, and as strong as its colour says.
    void aShadowSpreadsTheShapeWithoutLosingIt()
    {
        QImage shape(12, 12, QImage::Format_ARGB32_Premultiplied);
        shape.fill(Qt::transparent);
        QPainter(&shape).fillRect(2, 2, 8, 8, Qt::white);
        const QImage shadow = ShadowEffect::shadowOf(shape, QColor(0, 0, 0, 51), 3);
        QCOMPARE(shadow.size(), QSize(18, 18));
        double mass = 0;
        for (int y = 0; y < shadow.height(); ++y)
            for (int x = 0; x < shadow.width(); ++x) {
                const QRgb pixel = shadow.pixel(x, y);
                QCOMPARE(qRed(pixel) + qGreen(pixel) + qBlue(pixel), 0);
                QCOMPARE(pixel, shadow.pixel(shadow.width() - 1 - x, y));
                QCOMPARE(pixel, shadow.pixel(x, shadow.height() - 1 - y));
                mass += qAlpha(pixel);
            }
        QVERIFY(std::abs(mass - 51.0 * 64) < 64 * 2);
        QCOMPARE(qAlpha(shadow.pixel(9, 9)), 51);
        QCOMPARE(qAlpha(shadow.pixel(0, 0)), 0);
        QVERIFY(qAlpha(shadow.pixel(5, 9)) > 0 && qAlpha(shadow.pixel(5, 9)) < qAlpha(shadow.pixel(7, 9)));
    }

    // The blur is made again only when the widget's shape changes: not
    // when its text or colours do, nor when it moves (as in a transition).
    void aShadowIsBlurredAgainOnlyForANewShape()
    {
        QWidget window;
        window.resize(200, 120);
        auto *label = new QLabel(QStringLiteral("Play"), &window);
        label->setAutoFillBackground(true);
        label->setGeometry(20, 20, 80, 30);
        auto *effect = new ShadowEffect(QColor(0, 0, 0, 51), QPointF(0, 1), 3, label);
        label->setGraphicsEffect(effect);
        window.grab();
        const QImage first = effect->shadow();
        QVERIFY(!first.isNull());
        const auto blurredAgain = [&](const QImage &before) {
            window.grab();
            return effect->shadow().cacheKey() != before.cacheKey();
        };
        label->setText(QStringLiteral("Again"));
        QVERIFY(!blurredAgain(first));
        QPalette palette = label->palette();
        palette.setColor(QPalette::Window, Qt::red);
        label->setPalette(palette);
        QVERIFY(!blurredAgain(first));
        label->move(60, 50);
        QVERIFY(!blurredAgain(first));
        // A new shape: the shadow grows with it.
        label->resize(100, 30);
        QVERIFY(blurredAgain(first));
        QCOMPARE(effect->shadow().size(), first.size() + QSize(20, 0));
    }

    void buttonsAnswerWithinFortyFourPoints_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPointF>("point");
        QTest::addColumn<bool>("hit");
        // A 30 x 20 button: 7 points of slack left and right, 12 above and below.
        QTest::newRow("7 left, 12 above") << QSize(30, 20) << QPointF(-7, -12) << true;
        QTest::newRow("8 left") << QSize(30, 20) << QPointF(-8, 5) << false;
        QTest::newRow("13 above") << QSize(30, 20) << QPointF(5, -13) << false;
        QTest::newRow("7 right, 12 below") << QSize(30, 20) << QPointF(37, 32) << true;
        QTest::newRow("8 right") << QSize(30, 20) << QPointF(38, 10) << false;
        QTest::newRow("only the short side grows") << QSize(60, 20) << QPointF(30, -12) << true;
        QTest::newRow("the long side keeps its bounds") << QSize(60, 20) << QPointF(-1, 10) << false;
        QTest::newRow("a large button keeps its bounds") << QSize(60, 50) << QPointF(30, -1) << false;
    }

    void buttonsAnswerWithinFortyFourPoints()
    {
        QFETCH(QSize, size);
        QFETCH(QPointF, point);
        Button button;
        button.resize(size);
        button.show();
        QTEST(button.hitTest(point), "hit");
    }

    void hiddenInertOrInvisibleButtonsAreNeverHit()
    {
        Button button;
        button.resize(30, 20);
        button.show();
        QVERIFY(button.hitTest({15, 10}));
        button.setAlpha(0.005);
        QVERIFY(!button.hitTest({15, 10}));
        button.setAlpha(1);
        button.setAttribute(Qt::WA_TransparentForMouseEvents);
        QVERIFY(!button.hitTest({15, 10}));
        button.setAttribute(Qt::WA_TransparentForMouseEvents, false);
        button.hide();
        QVERIFY(!button.hitTest({15, 10}));
    }

    void aPressJustOutsideASmallButtonClicksIt()
    {
        QWidget window;
        window.resize(200, 200);
        auto *button = new Button(QStringLiteral("x"), &window);
        button->setGeometry(50, 50, 30, 20);
        new TouchAreaFilter(&window);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QSignalSpy clicked(button, &QAbstractButton::clicked);
        QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(50 - 6, 50 - 11));
        QCOMPARE(clicked.count(), 1);
        QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(50 - 9, 55));
        QCOMPARE(clicked.count(), 1);
        button->setEnabled(false);
        QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(50 - 6, 50 - 11));
        QCOMPARE(clicked.count(), 1);
    }

    void aRippleRunsOnlyWhileItShows()
    {
        test::ManualAnimationDriver driver;
        RippleButton button;
        button.resize(80, 60);
        button.show();
        QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(20, 20));
        QVERIFY(button.isRippling());
        QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(20, 20));
        driver.advanceBy(RippleButton::rippleDurationMs);
        QVERIFY(!button.isRippling());
        button.setEnabled(false);
        QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(20, 20));
        QVERIFY(!button.isRippling());
    }

    // Escape does not close it: only its buttons do, Return pressing the default.
    void aDialogReadsItsTitleAndReturnPressesItsDefault_data()
    {
        QTest::addColumn<int>("marked"); // the button marked default, or -1
        QTest::addColumn<QString>("pressed");
        QTest::newRow("the last by default") << -1 << "Quit";
        QTest::newRow("one marked") << 0 << "Cancel";
    }

    void aDialogReadsItsTitleAndReturnPressesItsDefault()
    {
        QFETCH(int, marked);
        QFETCH(QString, pressed);
        PromptDialog dialog(QStringLiteral("Do you want to quit?"), QStringLiteral("All progress will be lost."));
        QString tapped;
        QList<DialogButton *> buttons;
        for (const QString &title : {QStringLiteral("Cancel"), QStringLiteral("Quit")})
            buttons.append(new ModernDialogButton(title, 45, true, [&tapped, title] { tapped = title; }));
        buttons[1]->setTitleColor(Resources::color(QStringLiteral("systemRed")));
        if (marked >= 0)
            buttons[marked]->setDefault(true);
        dialog.addButtons(buttons);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        // The quieter default, and a colour set before setup wins over it.
        QCOMPARE(buttons[0]->titleColor(), Resources::color(QStringLiteral("secondaryLabel")));
        QCOMPARE(buttons[1]->titleColor(), Resources::color(QStringLiteral("systemRed")));

        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(&dialog);
        QCOMPARE(iface->text(QAccessible::Name), "Do you want to quit?");
        QCOMPARE(iface->text(QAccessible::Description), "All progress will be lost.");
        QCOMPARE(test::unnamedControls(&dialog), QStringList());

        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(dialog.isVisible());
        QVERIFY(tapped.isEmpty());
        QTest::keyClick(&dialog, Qt::Key_Return);
        QCOMPARE(tapped, pressed);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    void aFocusedButtonShowsARingInEitherScheme_data()
    {
        QTest::addColumn<bool>("dark");
        QTest::addColumn<bool>("ripple");
        QTest::newRow("light") << false << false;
        QTest::newRow("dark") << true << false;
        QTest::newRow("light ripple") << false << true;
        QTest::newRow("dark ripple") << true << true;
    }

    void aFocusedButtonShowsARingInEitherScheme()
    {
        QFETCH(bool, dark);
        QFETCH(bool, ripple);
        Resources::setColorScheme(dark ? Resources::ColorScheme::dark : Resources::ColorScheme::light);
        QWidget window;
        Button *button = ripple ? new RippleButton(&window) : new Button(QStringLiteral("7"), &window);
        button->setBackgroundColorNames(QStringLiteral("keyboardEnabled"), QStringLiteral("keyboardDisabled"));
        auto *other = new Button(QStringLiteral("8"), &window);
        button->setGeometry(0, 0, 80, 60);
        other->setGeometry(0, 60, 80, 60);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        other->setFocus(Qt::TabFocusReason);
        const QImage plain = button->grab().toImage();
        QTest::keyClick(other, Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), button); // Tab reaches it
        const QImage focused = button->grab().toImage();
        // The ring stands out from the fill at the edge, in both schemes.
        const QColor fill = Resources::color(QStringLiteral("keyboardEnabled"));
        QCOMPARE(plain.pixelColor(2, 30).rgb(), fill.rgb());
        QVERIFY(focused.pixelColor(2, 30).rgb() != fill.rgb());
        Resources::setColorScheme(Resources::ColorScheme::light);
    }
};

QTEST_MAIN(ButtonTest)
#include "tst_button.moc"
