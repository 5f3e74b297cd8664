#include "serviceviewcontroller.h"

#include "servicekit.h"
#include "servicescreenpresenter.h"

#include "platform/dispatch/dispatchqueue.h"

namespace kestrune {

ServiceViewController::ServiceViewController(std::shared_ptr<ServiceKit> kit)
    : m_kit(std::move(kit))
{
}

ServiceViewController::~ServiceViewController() = default;

void ServiceViewController::present(QWidget *over, bool animated, std::function<void()> completion)
{
    m_presented = true;
    auto done = [completion = std::move(completion)] {
        if (completion)
            completion();
    };
    if (auto presenter = m_kit->screenPresenter())
        presenter->present(shared_from_this(), over, animated, std::move(done));
    else
        DispatchQueue::main(std::move(done));
}

void ServiceViewController::dismiss(bool animated, std::function<void()> completion)
{
    auto done = [this, self = shared_from_this(), completion = std::move(completion)] {
        m_presented = false;
        if (completion)
            completion();
    };
    if (auto presenter = m_kit->screenPresenter())
        presenter->dismiss(shared_from_this(), animated, std::move(done));
    else
        DispatchQueue::main(std::move(done));
}

} // namespace kestrune
