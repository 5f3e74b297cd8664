#include "widgetservicescreenpresenter.h"

#include "cataloguetext.h"
#include "completionbanner.h"
#include "servicescreen.h"
#include "signindialog.h"

#include "gameservice/kit/gameserviceviewcontroller.h"
#include "gameservice/kit/signinviewcontroller.h"
#include "views/widgets/modaloverlay.h"
#include "views/widgets/overlaystack.h"

#include <QApplication>
#include <QTimer>

namespace kestrune {

void WidgetServiceScreenPresenter::present(const std::shared_ptr<ServiceViewController> &screen, QWidget *over, bool,
                                           std::function<void()> presented)
{
    QWidget *parent = over;
    if (!parent)
        parent = QApplication::activeWindow();
    if (parent)
        parent = parent->window();

    QDialog *dialog = nullptr;
    if (auto signIn = std::dynamic_pointer_cast<SignInViewController>(screen))
        dialog = new SignInDialog(signIn);
    else if (auto service = std::dynamic_pointer_cast<GameServiceViewController>(screen))
        dialog = new ServiceScreen(service);
    if (!dialog) {
        qWarning("Game service: a screen of an unknown kind cannot be shown");
        return;
    }
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    // Forget finished screens so the map does not grow.
    std::erase_if(m_widgets, [](const auto &entry) { return entry.second.isNull(); });
    m_widgets[screen.get()] = dialog;
    if (parent) {
        // Inside the window, over the screen it was asked for, and gone with it.
        ModalOverlay *overlay = ModalOverlay::present(dialog, parent);
        if (over)
            OverlayStack::instance().closeWith(overlay, over);
    } else {
        dialog->open(); // no window to show it in: one of its own
    }
    QTimer::singleShot(0, dialog, [presented = std::move(presented)] {
        if (presented)
            presented();
    });
}

void WidgetServiceScreenPresenter::dismiss(const std::shared_ptr<ServiceViewController> &screen, bool,
                                           std::function<void()> dismissed)
{
    QPointer<QWidget> widget;
    if (auto it = m_widgets.find(screen.get()); it != m_widgets.end()) {
        widget = it->second;
        m_widgets.erase(it);
    }
    if (auto *service = qobject_cast<ServiceScreen *>(widget.data()))
        service->dismissNow();
    else if (widget)
        widget->close();
    // After the widget has gone, never before.
    QTimer::singleShot(0, qApp, [dismissed = std::move(dismissed)] {
        if (dismissed)
            dismissed();
    });
}

void WidgetServiceScreenPresenter::showCompletionBanner(const ServiceCatalogue::AchievementDescription &achievement)
{
    new CompletionBanner(CatalogueText::achievementTitle(achievement.identifier, achievement.title),
                         CatalogueText::achievementDescription(achievement.identifier, achievement.description),
                         QApplication::activeWindow());
}

QWidget *WidgetServiceScreenPresenter::widgetFor(const ServiceViewController *screen) const
{
    auto it = m_widgets.find(screen);
    return it == m_widgets.end() ? nullptr : it->second.data();
}

} // namespace kestrune
