#pragma once

#include <string>
#include <vector>

namespace kestrune::server::test {

// The first of a list of failures, for a check's message: QVERIFY2 builds
// its message also when the check passes, so the list may well be empty.
inline const char *firstOf(const std::vector<std::string> &failures)
{
    return failures.empty() ? "" : failures.front().c_str();
}

} // namespace kestrune::server::test
