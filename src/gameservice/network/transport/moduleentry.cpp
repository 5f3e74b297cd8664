#include "curlhttptransport.h"

#include <exception>
#include <new>
#include <type_traits>

// The module's only exported symbol; everything else stays hidden so that
// libcurl's and this module's names never meet the game's.
extern "C" __attribute__((visibility("default"))) kestrune::net::HttpTransport *
kestrune_create_http_transport(const kestrune::net::HttpTransportOptions *options, int abiVersion)
{
    if (abiVersion != kestrune::net::httpTransportAbiVersion || !options)
        return nullptr;
    try {
        return new kestrune::net::CurlHttpTransport(*options);
    } catch (const std::exception &) {
        return nullptr;
    }
}

// Keeps the declaration and the definition in step: a changed signature
// fails to compile here instead of failing to resolve at run time.
static_assert(std::is_same_v<decltype(&kestrune_create_http_transport), KestruneHttpTransportFactory>);
