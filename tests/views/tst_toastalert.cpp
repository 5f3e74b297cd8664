#include "accessibilityrecorder.h"
#include "manualanimationdriver.h"
#include "platform/device/deviceprofile.h"
#include "platform/resources/resources.h"
#include "views/toast/rotateviewcontroller.h"
#include "views/toast/spring.h"
#include "views/toast/toastalert.h"
#include "views/toast/toastalertview.h"
#include "views/widgets/modaloverlay.h"
#include "views/widgets/moderndialogbutton.h"
#include "views/widgets/promptdialog.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <memory>

using namespace kestrune;

namespace {
constexpr int present = 900;
constexpr int dismissStage = 200;

ToastAlertView *card(const QString &title, std::optional<double> duration = std::nullopt)
{
    return new ToastAlertView(title, QStringLiteral("Pass To Player 2"), true, duration);
}

void tap(ToastAlertView *view)
{
    QTest::mouseClick(view, Qt::LeftButton, {}, view->cardRect().center().toPoint());
}
} // namespace

class ToastAlertTest : public QObject
{
    Q_OBJECT

private slots:
    // Each card is an alert that reads its title as it shows, not before.
    void cardsShowOneAtATimeEachInANewWindow()
    {
        test::ManualAnimationDriver driver;
        test::AccessibilityRecorder recorder;
        QVERIFY(recorder.isActive());
        ToastAlert alert;
        QPointer<ToastAlertView> first = card(QStringLiteral("Pass your device\nto Player 2"));
        QPointer<ToastAlertView> second = card(QStringLiteral("second"), 0.05);
        alert.showAlert(first);
        alert.showAlert(second);
        QCOMPARE(QAccessible::queryAccessibleInterface(first)->role(), QAccessible::AlertMessage);
        QCOMPARE(recorder.names(first, QAccessible::Alert), QStringList{"Pass your device to Player 2"});
        QVERIFY(recorder.names(second, QAccessible::Alert).isEmpty());
        QPointer<RotateViewController> firstWindow = alert.bgWindow();
        QVERIFY(firstWindow && firstWindow->isVisible());
        QCOMPARE(firstWindow->card(), first.data());
        QCOMPARE(firstWindow->geometry().top(), -qRound(DeviceProfile::current().statusBarHeight()));
        QVERIFY(second->parent() == nullptr); // waiting, not on screen

        driver.advanceBy(present);
        QCOMPARE(first->scale(), 1.0);
        QCOMPARE(first->rotation(), 0.0);
        QCOMPARE(first->messageIsFullyDisplayed(), std::optional<bool>(true));

        tap(first);
        driver.advanceBy(dismissStage);
        QCOMPARE(alert.bgWindow(), firstWindow.data()); // still leaving
        driver.advanceBy(dismissStage);
        QVERIFY(!first); // gone with its window
        QVERIFY(!firstWindow);
        QCOMPARE(alert.alertQueue(), QList<ToastAlertView *>{second.data()});
        QVERIFY(alert.bgWindow());
        QCOMPARE(alert.bgWindow()->card(), second.data());
        QCOMPARE(recorder.names(second, QAccessible::Alert), QStringList{"second"});

        // Its timer sends the second card off; animations stand still meanwhile.
        QTRY_VERIFY_WITH_TIMEOUT(alert.isDismissing(), 5000);
        QVERIFY(second);
        driver.advanceBy(2 * dismissStage);
        QVERIFY(!second);
        QVERIFY(!alert.isAlertActive());
        QVERIFY(!alert.bgWindow());
        QVERIFY(alert.alertQueue().isEmpty());
        // Nothing runs once the last card is gone.
        QTRY_VERIFY(alert.findChildren<QVariantAnimation *>().isEmpty() && alert.findChildren<QTimer *>().isEmpty());
    }

    // In the host window the card needs no see-through window of its own: it
    // takes no focus, lets clicks beside it through, and still takes its tap.
    void aHostedCardIsDrawnInsideTheWindow()
    {
        test::ManualAnimationDriver driver;
        QWidget host;
        host.resize(375, 603);
        auto *field = new QLineEdit(&host);
        auto *button = new QPushButton(QStringLiteral("Below"), &host);
        button->setGeometry(0, 560, 375, 40);
        host.show();
        field->setFocus();
        ToastAlert alert;
        alert.setHost(&host);
        QPointer<ToastAlertView> view = card(QStringLiteral("Hint"), 60.0);
        alert.showAlert(view);
        driver.advanceBy(present);

        RotateViewController *layer = alert.bgWindow();
        QVERIFY(layer && layer->isVisible());
        QVERIFY(!layer->isWindow());
        QCOMPARE(layer->parentWidget(), &host);
        QCOMPARE(layer->geometry(), host.rect());
        for (QWidget *top : QApplication::topLevelWidgets())
            QVERIFY(top == &host || !top->isVisible());
        QCOMPARE(QApplication::focusWidget(), field);
        QCOMPARE(host.childAt(button->geometry().center()), button);
        host.resize(400, 700);
        QCOMPARE(layer->geometry(), host.rect());

        const QPoint onCard = view->mapTo(&host, view->cardRect().center().toPoint());
        QTest::mouseClick(&host, Qt::LeftButton, {}, onCard);
        QVERIFY(alert.isDismissing());
        driver.advanceBy(2 * dismissStage);
        QVERIFY(!view);
        QVERIFY(!alert.bgWindow());
    }

    // A dialog that comes over a card takes the taps where the card lies.
    void aDialogOverACardTakesItsTaps()
    {
        test::ManualAnimationDriver driver;
        QWidget host;
        host.resize(375, 603);
        host.show();
        ToastAlert alert;
        alert.setHost(&host);
        QPointer<ToastAlertView> view = card(QStringLiteral("Hint"), 60.0);
        alert.showAlert(view);
        driver.advanceBy(present);
        auto *dialog = new PromptDialog(QStringLiteral("Do you want to quit?"), QString());
        dialog->addButtons({new ModernDialogButton(QStringLiteral("OK"), 45, true, {})});
        ModalOverlay *overlay = ModalOverlay::present(dialog, &host);
        const QPoint onCard = overlay->mapFromGlobal(view->mapToGlobal(view->cardRect().center().toPoint()));
        QTest::mouseClick(overlay, Qt::LeftButton, {}, onCard);
        QVERIFY(!alert.isDismissing());
        QVERIFY(view);
    }

    // A host window that closes under a card takes the card with it; the
    // presenter goes on with the next.
    void aCardGoesWithItsHostWindow()
    {
        test::ManualAnimationDriver driver;
        ToastAlert alert;
        auto host = std::make_unique<QWidget>();
        host->show();
        alert.setHost(host.get());
        QPointer<ToastAlertView> first = card(QStringLiteral("first"), 60.0);
        alert.showAlert(first);
        driver.advanceBy(present / 2);
        host.reset();
        QVERIFY(!first);
        QVERIFY(!alert.isAlertActive());
        QVERIFY(alert.alertQueue().isEmpty());
        driver.advanceBy(present); // the spring has nothing left to move

        QWidget next;
        next.show();
        alert.setHost(&next);
        QPointer<ToastAlertView> second = card(QStringLiteral("second"), 60.0);
        alert.showAlert(second);
        QVERIFY(alert.bgWindow());
        QCOMPARE(alert.bgWindow()->card(), second.data());
    }

    void aTapDismissesOnlyACardThatAllowsIt_data()
    {
        QTest::addColumn<bool>("dismissOnTap");
        QTest::newRow("dismissed by a tap") << true;
        QTest::newRow("taps ignored") << false;
    }

    void aTapDismissesOnlyACardThatAllowsIt()
    {
        QFETCH(bool, dismissOnTap);
        test::ManualAnimationDriver driver;
        ToastAlert alert;
        // Long enough never to fire during the test: only the tap can end the card.
        QPointer<ToastAlertView> view = new ToastAlertView(QStringLiteral("timed"), QString(), dismissOnTap, 60.0);
        alert.showAlert(view);
        driver.advanceBy(present);
        QVERIFY(alert.isTimerActive());
        tap(view);
        QCOMPARE(alert.isTimerActive(), !dismissOnTap);
        QCOMPARE(alert.isDismissing(), dismissOnTap);
        driver.advanceBy(2 * dismissStage);
        QCOMPARE(view.isNull(), dismissOnTap);
        QCOMPARE(alert.isTimerActive(), !dismissOnTap);
    }

    void aSecondDismissalOfALeavingCardIsIgnored()
    {
        test::ManualAnimationDriver driver;
        ToastAlert alert;
        QSignalSpy removed(&alert, &ToastAlert::alertRemoved);
        QPointer<ToastAlertView> first = card(QStringLiteral("first"), 60.0);
        QPointer<ToastAlertView> second = card(QStringLiteral("second"));
        alert.showAlert(first);
        alert.showAlert(second);
        driver.advanceBy(present);

        tap(first);
        driver.advanceBy(dismissStage / 2);
        tap(first);            // during the first stage
        alert.dismiss(second); // not on screen: ignored too
        driver.advanceBy(dismissStage);
        if (first)
            tap(first); // during the second stage
        driver.advanceBy(dismissStage);

        QCOMPARE(removed.count(), 1);
        QVERIFY(!first);
        QVERIFY(second);
        QCOMPARE(alert.alertQueue(), QList<ToastAlertView *>{second.data()});
        QCOMPARE(alert.bgWindow()->card(), second.data());
        QVERIFY(!alert.isDismissing());

        driver.advanceBy(present);
        QCOMPARE(second->messageIsFullyDisplayed(), std::optional<bool>(true)); // shown once, fully
        tap(second);
        driver.advanceBy(2 * dismissStage);
        QCOMPARE(removed.count(), 2);
        QVERIFY(!alert.isAlertActive());
    }

    // The card keeps its picture between frames, but never a stale one: a
    // change of colour scheme shows, and the spring still scales and turns it.
    void theCardsPictureFollowsTheSchemeAndTheSpring()
    {
        Resources::setColorScheme(Resources::ColorScheme::light);
        const auto restore = qScopeGuard([] { Resources::setColorScheme(Resources::ColorScheme::system); });
        ToastAlertView view(QStringLiteral("Hint"), QStringLiteral("Hint"), true, std::nullopt);
        const QPointF centre = view.cardRect().center();
        // Inside the circle, below the title: only the card's colour.
        const QPoint nearRim = (centre + QPointF(0, ToastAlertView::side / 2 - 8)).toPoint();
        const QPoint outside =
            (centre + QPointF(ToastAlertView::side / 2 - 20, ToastAlertView::side / 2 - 20)).toPoint();
        const auto colourAt = [&view](QPoint at) { return view.grab().toImage().pixelColor(at); };

        QCOMPARE(colourAt(nearRim), Resources::color(QStringLiteral("toastBackground")));
        QCOMPARE(colourAt(outside).alpha(), 0);
        Resources::setColorScheme(Resources::ColorScheme::dark);
        QCOMPARE(colourAt(nearRim), Resources::color(QStringLiteral("toastBackground")));
        QVERIFY(colourAt(nearRim) != QColor(0x22, 0x27, 0x33));

        // Half size: the rim moves in, towards the centre.
        view.setTransform(0.5, 0);
        QCOMPARE(colourAt(nearRim).alpha(), 0);
        QCOMPARE(colourAt((centre + QPointF(0, ToastAlertView::side / 4 - 8)).toPoint()),
                 Resources::color(QStringLiteral("toastBackground")));
        view.setTransform(1.0, 0);
        view.setAlpha(0.5);
        QVERIFY(qAbs(colourAt(nearRim).alpha() - 128) <= 2);
    }

    void theSpringOvershootsAndSettles()
    {
        const Spring spring(0.6, 10.0, 0.9);
        QCOMPARE(spring.value(0), 0.0);
        QCOMPARE(spring.value(1), 1.0);
        double peak = 0;
        for (int i = 1; i < 100; ++i)
            peak = std::max(peak, spring.value(i / 100.0));
        QVERIFY(peak > 1.02 && peak < 1.3);
        QVERIFY(qAbs(spring.value(0.99) - 1.0) < 0.01);
    }
};

QTEST_MAIN(ToastAlertTest)
#include "tst_toastalert.moc"
