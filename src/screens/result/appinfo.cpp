#include "appinfo.h"

#ifndef KESTRUNE_HOMEPAGE_URL
#define KESTRUNE_HOMEPAGE_URL ""
#endif

namespace kestrune {

QString AppInfo::homePageUrl()
{
    return QStringLiteral(KESTRUNE_HOMEPAGE_URL).trimmed();
}

} // namespace kestrune
