#pragma once

#include <QObject>

class QWidget;

#include <atomic>
#include <functional>
#include <memory>

namespace kestrune {

class ServiceKit;

// A screen of the service: the sign-in screen or a service screen. It holds
// what the screen shows and does; the installed ServiceScreenPresenter
// builds the widget. Without a presenter (no display, tests) presenting and
// dismissing only call their completion, from the GUI thread's event loop.
// GUI thread.
class ServiceViewController : public std::enable_shared_from_this<ServiceViewController>
{
public:
    explicit ServiceViewController(std::shared_ptr<ServiceKit> kit);
    virtual ~ServiceViewController();

    ServiceKit &kit() const { return *m_kit; }

    void present(QWidget *over, bool animated, std::function<void()> completion);
    void dismiss(bool animated, std::function<void()> completion);
    bool isPresented() const { return m_presented.load(); }

private:
    std::shared_ptr<ServiceKit> m_kit;
    std::atomic<bool> m_presented{false};
};

} // namespace kestrune
