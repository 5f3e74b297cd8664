#pragma once

#include "disposable.h"

#include <mutex>
#include <vector>

namespace rx {

// Holds an owner's subscriptions and ends them all when the owner releases it.
class DisposeBag
{
public:
    DisposeBag() = default;
    DisposeBag(const DisposeBag &) = delete;
    DisposeBag &operator=(const DisposeBag &) = delete;
    ~DisposeBag();

    // A subscription added after the bag was emptied by its destructor cannot
    // happen; one added to a live bag lives until the bag goes.
    void insert(const Disposable &disposable);
    std::size_t size() const;

private:
    mutable std::mutex m_mutex;
    std::vector<Disposable> m_disposables;
};

} // namespace rx
