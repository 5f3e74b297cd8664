#include "disposebag.h"

namespace rx {

DisposeBag::~DisposeBag()
{
    std::vector<Disposable> all;
    {
        std::lock_guard lock(m_mutex);
        all.swap(m_disposables);
    }
    for (const Disposable &d : all)
        d.dispose();
}

void DisposeBag::insert(const Disposable &disposable)
{
    std::lock_guard lock(m_mutex);
    // Drop finished subscriptions so a long-lived bag does not grow without bound.
    std::erase_if(m_disposables, [](const Disposable &d) { return d.isDisposed(); });
    if (!disposable.isDisposed())
        m_disposables.push_back(disposable);
}

std::size_t DisposeBag::size() const
{
    std::lock_guard lock(m_mutex);
    return m_disposables.size();
}

} // namespace rx
