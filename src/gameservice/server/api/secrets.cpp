#include "secrets.h"

#include <openssl/evp.h>
#include <openssl/rand.h>

#include <array>
#include <climits>
#include <stdexcept>
#include <utility>

namespace kestrune::server {

namespace {

constexpr std::string_view base64Url = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";
constexpr std::string_view crockford = "0123456789ABCDEFGHJKMNPQRSTVWXYZ";
constexpr std::size_t tokenBytes = 32;
constexpr std::size_t groupLength = 4;

} // namespace

Secrets::Secrets(RandomSource random)
    : m_random(std::move(random))
{
}

RandomSource Secrets::systemRandom()
{
    return [](unsigned char *buffer, std::size_t size) {
        if (size > INT_MAX || RAND_bytes(buffer, static_cast<int>(size)) != 1)
            throw std::runtime_error("the random generator failed");
    };
}

std::string Secrets::newToken() const
{
    std::array<unsigned char, tokenBytes> bytes{};
    m_random(bytes.data(), bytes.size());
    std::string token;
    unsigned bits = 0;
    int count = 0;
    for (const unsigned char byte : bytes) {
        bits = (bits << 8) | byte;
        count += 8;
        while (count >= 6) {
            count -= 6;
            token.push_back(base64Url[(bits >> count) & 0x3F]);
        }
    }
    if (count > 0)
        token.push_back(base64Url[(bits << (6 - count)) & 0x3F]);
    return token;
}

std::string Secrets::newRecoveryCode() const
{
    // 32 symbols divide 256 evenly, so a byte's low five bits are uniform.
    std::array<unsigned char, recoverySymbols> bytes{};
    m_random(bytes.data(), bytes.size());
    std::string code;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i > 0 && i % groupLength == 0)
            code.push_back('-');
        code.push_back(crockford[bytes[i] & 0x1F]);
    }
    return code;
}

bool Secrets::isWellFormedToken(std::string_view token)
{
    return token.size() == tokenLength && token.find_first_not_of(base64Url) == std::string_view::npos;
}

std::optional<std::string> Secrets::canonicalRecoveryCode(std::string_view typed)
{
    std::string code;
    for (char c : typed) {
        if (c == '-' || c == ' ')
            continue;
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        if (c == 'O')
            c = '0';
        else if (c == 'I' || c == 'L')
            c = '1';
        if (crockford.find(c) == std::string_view::npos || code.size() == recoverySymbols)
            return std::nullopt;
        code.push_back(c);
    }
    if (code.size() != recoverySymbols)
        return std::nullopt;
    return code;
}

std::string Secrets::hash(std::string_view secret)
{
    std::array<unsigned char, EVP_MAX_MD_SIZE> digest{};
    unsigned int length = 0;
    if (EVP_Digest(secret.data(), secret.size(), digest.data(), &length, EVP_sha256(), nullptr) != 1)
        throw std::runtime_error("SHA-256 failed");
    constexpr std::string_view hex = "0123456789abcdef";
    std::string out;
    for (unsigned int i = 0; i < length; ++i) {
        out.push_back(hex[digest[i] >> 4]);
        out.push_back(hex[digest[i] & 0x0F]);
    }
    return out;
}

} // namespace kestrune::server
