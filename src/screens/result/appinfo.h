#pragma once

#include <QString>

namespace kestrune {

// Facts about the program that the build configures.
class AppInfo
{
public:
    // The home page given to the top-level project() as HOMEPAGE_URL; empty
    // when none is configured.
    static QString homePageUrl();

    AppInfo() = delete;
};

} // namespace kestrune
