#include "viewcontroller.h"

#include "navigationcontroller.h"
#include "navigationitem.h"

#include "platform/device/deviceprofile.h"

#include <QDialog>
#include <QPointer>
#include <QResizeEvent>

namespace kestrune {

ViewController::ViewController(QWidget *parent)
    : QWidget(parent)
    , m_navigationItem(new NavigationItem(this))
{
}

ViewController::~ViewController()
{
    // Observers learn of the end of the screen's life, not of a half-destroyed screen.
    m_willAppear.onCompleted();
    m_didAppear.onCompleted();
    m_willDisappear.onCompleted();
    m_didDisappear.onCompleted();
    m_didLayout.onCompleted();
}

void ViewController::setAccessibilityIdentifier(const QString &identifier)
{
    const bool spokenNameWasIdentifier = accessibleName().isEmpty() || accessibleName() == objectName();
    setObjectName(identifier);
    if (spokenNameWasIdentifier)
        setAccessibleName(identifier);
}

void ViewController::loadViewIfNeeded()
{
    if (m_viewLoaded)
        return;
    m_viewLoaded = true;
    viewDidLoad();
}

void ViewController::viewDidLoad()
{
}

NavigationController *ViewController::navigationController() const
{
    return m_navigationController;
}

void ViewController::prepare(const Segue &)
{
}

bool ViewController::performSegue(const QString &identifier)
{
    return m_navigationController && m_navigationController->performSegue(identifier, this);
}

InterfaceOrientationMask ViewController::supportedInterfaceOrientations() const
{
    return InterfaceOrientation::portrait;
}

bool ViewController::prefersStatusBarHidden() const
{
    return false;
}

void ViewController::setNeedsStatusBarAppearanceUpdate()
{
    emit statusBarAppearanceChanged();
}

qreal ViewController::safeAreaBottomInset() const
{
    return DeviceProfile::current().bottomSafeAreaInset();
}

bool ViewController::windowShouldClose(const std::function<void()> &)
{
    return true;
}

void ViewController::present(QWidget *dialog, bool animated)
{
    Q_UNUSED(animated) // dialogs appear at once on the desktop
    if (!dialog->parentWidget())
        dialog->setParent(window(), dialog->windowFlags() | Qt::Dialog);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    // Without a window manager nobody hands the keyboard back to the window
    // once the dialog goes, and the keys typed next would be lost.
    if (QWidget *host = window()) {
        QPointer<QWidget> weakHost(host);
        connect(dialog, &QObject::destroyed, host, [weakHost] {
            if (weakHost && weakHost->isVisible())
                weakHost->activateWindow();
        });
    }
    if (auto *modal = qobject_cast<QDialog *>(dialog))
        modal->open();
    else
        dialog->show();
}

void ViewController::notifyWillAppear(bool animated)
{
    m_willAppear.onNext(animated);
}

void ViewController::notifyDidAppear(bool animated)
{
    m_didAppear.onNext(animated);
}

void ViewController::notifyWillDisappear(bool animated)
{
    m_willDisappear.onNext(animated);
}

void ViewController::notifyDidDisappear(bool animated)
{
    m_didDisappear.onNext(animated);
}

void ViewController::setNavigationController(NavigationController *controller)
{
    m_navigationController = controller;
}

void ViewController::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_didLayout.onNext(event->size());
}

} // namespace kestrune
