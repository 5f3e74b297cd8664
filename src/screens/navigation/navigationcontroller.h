#pragma once

#include "interfaceorientation.h"
#include "segue.h"

#include <QHash>
#include <QList>
#include <QPointer>
#include <QWidget>

#include <functional>

class QVariantAnimation;

namespace kestrune {

class NavigationBar;
class ViewController;

// A stack of screens under a navigation bar. Pushing slides the new screen in
// from the right, popping slides the top one out; the screens below stay
// alive, hidden. The stack owns its screens: a popped screen is deleted once
// it has gone. Named segues create their destination through a registered
// factory, from what the source hands over, and let the source prepare it
// before it is pushed. GUI thread only.
class NavigationController : public QWidget
{
    Q_OBJECT

public:
    static constexpr int transitionMs = 350;
    static constexpr int barTransitionMs = 200;

    explicit NavigationController(QWidget *parent = nullptr);
    ~NavigationController() override;

    // Every transition of every stack runs at once while animations are off
    // (the animated flags still reach the screens as given).
    static void setAnimationsEnabled(bool enabled);
    static bool areAnimationsEnabled();

    // Takes the screen over and shows it on top. A screen already on a stack
    // is refused.
    void pushViewController(ViewController *screen, bool animated);
    // Removes the top screen unless it is the root; returns it (it is deleted
    // later) or null.
    ViewController *popViewController(bool animated);
    void popToRootViewController(bool animated);

    QList<ViewController *> viewControllers() const;
    ViewController *topViewController() const;
    // The screen the player sees: the top one, also while it slides in.
    ViewController *visibleViewController() const;
    bool isTransitioning() const;

    // A factory sees the segue (name, source and hand-over) it builds for;
    // one that needs none of it may take no argument.
    using Factory = std::function<ViewController *(const Segue &)>;
    void registerSegue(const QString &identifier, Factory factory);
    void registerSegue(const QString &identifier, std::function<ViewController *()> factory);
    // Creates the destination from the hand-over, lets the source prepare
    // it, pushes it animated. False, with a warning, for an unknown name.
    bool performSegue(const QString &identifier, ViewController *source, std::any handover = {});

    NavigationBar *navigationBar() const { return m_bar; }
    bool isNavigationBarHidden() const { return m_barHidden; }
    // The size of a screen in this window with the bar shown or hidden.
    QSize screenSize(bool barShown) const;
    void setNavigationBarHidden(bool hidden, bool animated);

    // Kept as state for the screens; the desktop has no edge swipe.
    bool isInteractivePopGestureEnabled() const { return m_popGestureEnabled; }
    void setInteractivePopGestureEnabled(bool enabled) { m_popGestureEnabled = enabled; }

    // The top screen decides; portrait without one.
    InterfaceOrientationMask supportedInterfaceOrientations() const;
    bool prefersStatusBarHidden() const;

signals:
    // After every finished push or pop, with the new top screen.
    void didShow(ViewController *screen);

protected:
    void resizeEvent(QResizeEvent *event) override;
    // Keys that nothing focused took (focus on the bar, or nowhere) go to
    // the top screen.
    void keyPressEvent(QKeyEvent *event) override;
    // The top screen may hold the close back to ask first (a match with shots).
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void transition(ViewController *from, ViewController *to, bool forward, bool animated, std::function<void()> done);
    void finishTransition();
    void layoutScreens();
    // The content area's size once the bar has finished growing or shrinking.
    QSize settledScreenSize() const;
    // A screen of that size at x, held against the content's bottom edge.
    QRect anchored(QSize size, int x) const;
    // A plain widget in the screen's background colour, gone with the slide.
    QWidget *backgroundStrip(const ViewController *screen);
    void showItemOf(ViewController *screen);

    NavigationBar *m_bar;
    QWidget *m_content;
    QList<QPointer<ViewController>> m_stack;
    QHash<QString, Factory> m_segues;
    QPointer<QVariantAnimation> m_transition;
    std::function<void()> m_transitionDone;
    // Sets both screens' places for a point of the running slide, 0 to 1.
    std::function<void(qreal)> m_place;
    QList<QPointer<QWidget>> m_strips;
    QPointer<QVariantAnimation> m_barAnimation;
    bool m_barHidden = false;
    bool m_popGestureEnabled = true;
    bool m_forwardingKey = false;
    bool m_closeConfirmed = false;
};

} // namespace kestrune
