#pragma once

#include <exception>
#include <functional>

namespace rx {

// The three handlers of a subscription; any of them may be empty.
template<typename T> struct Observer
{
    std::function<void(const T &)> onNext;
    std::function<void(std::exception_ptr)> onError;
    std::function<void()> onCompleted;
};

} // namespace rx
