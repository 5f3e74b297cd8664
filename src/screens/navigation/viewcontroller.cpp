#include "viewcontroller.h"

#include "navigationcontroller.h"
#include "navigationitem.h"

#include "platform/device/deviceprofile.h"
#include "views/widgets/modaloverlay.h"
#include "views/widgets/overlaystack.h"

#include <QPointer>
#include <QResizeEvent>

#include <utility>

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

bool ViewController::performSegue(const QString &identifier, std::any handover)
{
    return m_navigationController && m_navigationController->performSegue(identifier, this, std::move(handover));
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

bool ViewController::present(QWidget *dialog, bool animated)
{
    Q_UNUSED(animated) // dialogs appear at once on the desktop
    if (!dialog)
        return false;
    // One prompt of a kind at a time: asking again while it shows adds nothing.
    for (QWidget *shown : OverlayStack::instance().overlays(window())) {
        auto *overlay = qobject_cast<ModalOverlay *>(shown);
        QWidget *card = overlay ? overlay->card() : nullptr;
        if (card && card != dialog && card->metaObject() == dialog->metaObject()
            && card->objectName() == dialog->objectName()) {
            dialog->deleteLater();
            return false;
        }
    }
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    ModalOverlay *overlay = ModalOverlay::present(dialog, this);
    closeOverlayWithScreen(overlay);
    return true;
}

void ViewController::closeOverlayWithScreen(QWidget *overlay)
{
    if (!overlay)
        return;
    OverlayStack::instance().closeWith(overlay, this);
    m_overlays.removeAll(nullptr);
    m_overlays.append(overlay);
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
    // The screen's dialogs and cards go as it starts to leave, not once it
    // has slid away.
    const QList<QPointer<QWidget>> overlays = std::exchange(m_overlays, {});
    for (const QPointer<QWidget> &overlay : overlays) {
        if (overlay)
            overlay->close();
    }
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
