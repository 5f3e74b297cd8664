#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace kestrune::server {

// Fills the buffer with random bytes or throws.
using RandomSource = std::function<void(unsigned char *, std::size_t)>;

// Makes the secrets a player holds and the hashes the store keeps. A token
// is 256 random bits in base64url (43 characters); a recovery code is 140
// random bits in Crockford base32, typed as seven groups of four
// ("7K2M-...") and forgiving of case, spaces and the look-alikes O/I/L.
class Secrets
{
public:
    static constexpr std::size_t tokenLength = 43;
    static constexpr std::size_t recoverySymbols = 28;

    explicit Secrets(RandomSource random = systemRandom());

    // OpenSSL's generator (RAND_bytes).
    static RandomSource systemRandom();

    std::string newToken() const;
    std::string newRecoveryCode() const;

    // Whether the text could be a token at all (length and alphabet), so
    // that garbage never reaches the store.
    static bool isWellFormedToken(std::string_view token);
    // The code as made (28 symbols, no dashes), or nothing when what was
    // typed cannot be one.
    static std::optional<std::string> canonicalRecoveryCode(std::string_view typed);
    // SHA-256 as 64 lower-case hex digits: what the store keeps.
    static std::string hash(std::string_view secret);

private:
    RandomSource m_random;
};

} // namespace kestrune::server
