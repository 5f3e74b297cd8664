#pragma once

#include "httptransport.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <memory>

namespace kestrune::net {

// Finds the HTTP module, loads it the first time it is needed and makes
// transports from it. Callable from any thread; a module once loaded stays
// loaded for the life of the process, as the transports it made run its code.
class HttpTransportLoader
{
    Q_DECLARE_TR_FUNCTIONS(HttpTransportLoader)

public:
    static constexpr const char *moduleFileName = "libkestrune_http_curl.so";

    // A new transport, or nullptr with `error` (when given) saying why: the
    // module was not found, could not be loaded, or was built for another
    // version of the interface.
    static std::shared_ptr<HttpTransport> load(const HttpTransportOptions &options, QString *error);

    // Where load() looks, in order: KESTRUNE_HTTP_MODULE from the
    // environment, beside the program, then in the installed library folder.
    static QStringList candidates();
};

} // namespace kestrune::net
