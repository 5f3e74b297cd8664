#pragma once

#include "interfaceorientation.h"
#include "segue.h"

#include "game/rx/publishsubject.h"

#include <QList>
#include <QPointer>
#include <QSize>
#include <QWidget>

#include <functional>

namespace kestrune {

class NavigationController;
class NavigationItem;

// A screen: a widget that lives on a navigation stack. It tells its
// observers when it is about to appear or disappear (with the animated flag)
// and when it has been laid out, shows its navigation item in the bar, and
// says which orientations it supports. GUI thread only.
class ViewController : public QWidget
{
    Q_OBJECT

public:
    explicit ViewController(QWidget *parent = nullptr);
    ~ViewController() override;

    // The identifier tests find the screen by: its object name, and its
    // accessible name until a spoken one is set.
    QString accessibilityIdentifier() const { return objectName(); }
    void setAccessibilityIdentifier(const QString &identifier);

    // Builds the screen's content once, before it first appears: the stack
    // calls it on push, after a segue's preparation, so the inputs a screen
    // is given are set when viewDidLoad() runs.
    void loadViewIfNeeded();
    bool isViewLoaded() const { return m_viewLoaded; }

    NavigationItem *navigationItem() const { return m_navigationItem; }
    // The stack the screen is on; null when it is on none.
    NavigationController *navigationController() const;

    // Appearance, each with its animated flag; delivered on the GUI thread.
    const rx::PublishSubject<bool> &viewWillAppear() const { return m_willAppear; }
    const rx::PublishSubject<bool> &viewDidAppear() const { return m_didAppear; }
    const rx::PublishSubject<bool> &viewWillDisappear() const { return m_willDisappear; }
    const rx::PublishSubject<bool> &viewDidDisappear() const { return m_didDisappear; }
    // After each layout pass, with the screen's size.
    const rx::PublishSubject<QSize> &viewDidLayoutSubviews() const { return m_didLayout; }

    // Called on the source screen before the destination of a segue shows.
    virtual void prepare(const Segue &segue);
    // Performs a segue registered with the navigation stack, handing over
    // what the destination is built from; false when the screen is on no
    // stack or the name is unknown.
    bool performSegue(const QString &identifier, std::any handover = {});

    virtual InterfaceOrientationMask supportedInterfaceOrientations() const;
    // Kept as state: the desktop has no status bar to hide.
    virtual bool prefersStatusBarHidden() const;
    // Tells the stack that prefersStatusBarHidden() may have changed.
    void setNeedsStatusBarAppearanceUpdate();

    // The height at the bottom of the screen kept free of controls (the home
    // indicator of tall phones); 0 on other devices.
    qreal safeAreaBottomInset() const;

    // Asked when the window is about to close with this screen on top. True
    // lets it close now; false means the screen has asked the player and
    // runs `close` only if they agree.
    virtual bool windowShouldClose(const std::function<void()> &close);

    // Shows a dialog inside the screen's window, as a modal overlay, and
    // lets it delete itself once it closes. It closes when the screen
    // starts to leave. A dialog of the same class and object name as one
    // already showing is dropped (deleted later); false then.
    bool present(QWidget *dialog, bool animated);
    // Closes an overlay (a card already covering the window) when the screen
    // starts to leave or is destroyed; Escape and input stay the overlay's.
    void closeOverlayWithScreen(QWidget *overlay);

    // The stack's notifications; only the stack calls these.
    void notifyWillAppear(bool animated);
    void notifyDidAppear(bool animated);
    void notifyWillDisappear(bool animated);
    void notifyDidDisappear(bool animated);
    void setNavigationController(NavigationController *controller);

signals:
    void statusBarAppearanceChanged();

protected:
    virtual void viewDidLoad();
    void resizeEvent(QResizeEvent *event) override;

private:
    NavigationItem *m_navigationItem;
    bool m_viewLoaded = false;
    QPointer<NavigationController> m_navigationController;
    rx::PublishSubject<bool> m_willAppear;
    rx::PublishSubject<bool> m_didAppear;
    rx::PublishSubject<bool> m_willDisappear;
    rx::PublishSubject<bool> m_didDisappear;
    rx::PublishSubject<QSize> m_didLayout;
    QList<QPointer<QWidget>> m_overlays;
};

} // namespace kestrune
