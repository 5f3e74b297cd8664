#pragma once

#include "servicecatalogue.h"

#include <functional>
#include <memory>

class QWidget;

namespace kestrune {

class ServiceViewController;

// The user-interface side of the framework: it turns the framework's screens
// into widgets. The framework itself links no widgets; the program installs
// an implementation (ServiceKit::setScreenPresenter). Every call is made on
// the GUI thread.
class ServiceScreenPresenter
{
public:
    virtual ~ServiceScreenPresenter() = default;

    // Shows the screen over `over` (a widget, passed as its QObject). Calls
    // `presented` once it is on screen.
    virtual void present(const std::shared_ptr<ServiceViewController> &screen, QWidget *over, bool animated,
                         std::function<void()> presented) = 0;
    // Takes the screen away; calls `dismissed` once it has gone.
    virtual void dismiss(const std::shared_ptr<ServiceViewController> &screen, bool animated,
                         std::function<void()> dismissed) = 0;
    // A short banner that tells the player an achievement is complete.
    virtual void showCompletionBanner(const ServiceCatalogue::AchievementDescription &achievement) = 0;
};

} // namespace kestrune
