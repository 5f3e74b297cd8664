#pragma once

#include "gameservice/kit/servicescreenpresenter.h"

#include <QPointer>
#include <QWidget>

#include <map>

namespace kestrune {

// Shows the framework's screens as widgets: the sign-in dialog, the service
// screen and the completion banner. Install it with
// ServiceKit::setScreenPresenter() once a QApplication exists. GUI thread.
class WidgetServiceScreenPresenter final : public ServiceScreenPresenter
{
public:
    void present(const std::shared_ptr<ServiceViewController> &screen, QWidget *over, bool animated,
                 std::function<void()> presented) override;
    void dismiss(const std::shared_ptr<ServiceViewController> &screen, bool animated,
                 std::function<void()> dismissed) override;
    void showCompletionBanner(const ServiceCatalogue::AchievementDescription &achievement) override;

    // The widget showing the screen, if any.
    QWidget *widgetFor(const ServiceViewController *screen) const;

private:
    std::map<const ServiceViewController *, QPointer<QWidget>> m_widgets;
};

} // namespace kestrune
