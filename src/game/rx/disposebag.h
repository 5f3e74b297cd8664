#pragma once

#include "disposable.h"

#include <mutex>
#include <vector>

namespace rx {

// Holds an owner's subscriptions and ends them all when the owner releases it.
// Subscriptions that have ended (disposed, completed or failed) are let go as
// others are added, so a long-lived owner's bag holds about as many handles
// as it has live subscriptions. Any thread.
class DisposeBag
{
public:
    DisposeBag() = default;
    DisposeBag(const DisposeBag &) = delete;
    DisposeBag &operator=(const DisposeBag &) = delete;
    ~DisposeBag();

    // A subscription added to a live bag lives until the bag goes or it ends.
    void insert(const Disposable &disposable);
    // Handles held, ended ones not yet let go included.
    std::size_t size() const;

private:
    mutable std::mutex m_mutex;
    std::vector<Disposable> m_disposables;
};

} // namespace rx
