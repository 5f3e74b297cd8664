#pragma once

#include <QString>

#include <optional>

namespace kestrune {

// An error of the game service or of its client. The client's own errors
// carry their whole message in the domain and no message; the framework's
// use the domain "ServiceKit", a code and a message.
struct ServiceError
{
    QString domain;
    int code = 0;
    QString message;

    friend bool operator==(const ServiceError &, const ServiceError &) = default;
};

using OptionalError = std::optional<ServiceError>;

// The framework's error codes.
namespace ServiceErrorCode {
constexpr int unknown = 1;
constexpr int cancelled = 2;
constexpr int communicationsFailure = 3;
constexpr int notAuthenticated = 6;
constexpr int invalidParameter = 17;
} // namespace ServiceErrorCode

inline ServiceError serviceKitError(int code, const QString &message)
{
    return ServiceError{QStringLiteral("ServiceKit"), code, message};
}

} // namespace kestrune
