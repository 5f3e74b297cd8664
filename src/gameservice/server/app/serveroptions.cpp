#include "gameservice/server/app/serveroptions.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <functional>
#include <map>
#include <optional>
#include <string_view>

namespace kestrune::server {

namespace {

template<class Integer> std::optional<Integer> integer(std::string_view text, Integer low, Integer high)
{
    Integer value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < low || value > high)
        return std::nullopt;
    return value;
}

std::optional<double> decimal(std::string_view text, double low, double high)
{
    // from_chars for double is in libstdc++ 11+; it takes no sign or spaces.
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value) || value < low
        || value > high)
        return std::nullopt;
    return value;
}

// HOST:PORT, [IPV6]:PORT. The host must be an address literal: the server
// binds, it does not resolve names.
std::string parseListen(std::string_view text, ServerOptions &options)
{
    std::string_view host;
    std::string_view port;
    if (text.starts_with('[')) {
        const auto close = text.find(']');
        if (close == std::string_view::npos || close + 1 >= text.size() || text[close + 1] != ':')
            return "--listen: expected [IPV6]:PORT, got '" + std::string(text) + "'";
        host = text.substr(1, close - 1);
        port = text.substr(close + 2);
        if (host.find(':') == std::string_view::npos)
            return "--listen: brackets are for IPv6 addresses, got '" + std::string(text) + "'";
    } else {
        const auto colon = text.rfind(':');
        if (colon == std::string_view::npos)
            return "--listen: expected HOST:PORT, got '" + std::string(text) + "'";
        host = text.substr(0, colon);
        port = text.substr(colon + 1);
        if (host.find(':') != std::string_view::npos)
            return "--listen: put an IPv6 address in brackets, as [::1]:8080";
    }
    if (host.empty())
        return "--listen: the host is missing in '" + std::string(text) + "'";
    for (char c : host)
        if (!(std::isxdigit(static_cast<unsigned char>(c)) || c == '.' || c == ':'))
            return "--listen: '" + std::string(host) + "' is not an IP address";
    const auto number = integer<unsigned>(port, 0, 65535);
    if (!number)
        return "--listen: the port must be 0..65535, got '" + std::string(port) + "'";
    options.listenHost = std::string(host);
    options.listenPort = std::uint16_t(*number);
    return {};
}

std::string parseDatabase(std::string_view text, ServerOptions &options)
{
    if (text.starts_with("sqlite:")) {
        if (text.size() == std::string_view("sqlite:").size())
            return "--database: sqlite: needs a file path, as sqlite:/var/lib/kestrune-server/kestrune.db";
    } else if (!text.starts_with("postgresql://") && !text.starts_with("postgres://")) {
        return "--database: expected sqlite:PATH or postgresql://..., got '" + std::string(text) + "'";
    }
    options.database = std::string(text);
    return {};
}

// N or N:BURST; the burst defaults to two seconds' worth.
std::string parseRateLimit(std::string_view text, ServerOptions &options)
{
    const auto colon = text.find(':');
    const auto rate = decimal(text.substr(0, colon), 0, 1e6);
    if (!rate)
        return "--rate-limit: expected requests per second (0 for none) as N or N:BURST, got '" + std::string(text)
               + "'";
    double burst = std::max(1.0, 2 * *rate);
    if (colon != std::string_view::npos) {
        const auto given = decimal(text.substr(colon + 1), 1, 1e7);
        if (!given)
            return "--rate-limit: the burst must be a number of requests >= 1, got '" + std::string(text) + "'";
        burst = *given;
    }
    options.rateLimit = *rate;
    options.rateBurst = burst;
    return {};
}

} // namespace

ServerOptions ServerOptions::parse(const std::vector<std::string> &arguments)
{
    ServerOptions options;
    const auto fail = [&options](std::string message) {
        options.action = Action::Error;
        options.error = std::move(message);
        return options;
    };
    using Parser = std::function<std::string(std::string_view)>;
    const std::map<std::string_view, Parser> valued = {
        {"--listen", [&](std::string_view v) { return parseListen(v, options); }},
        {"--database", [&](std::string_view v) { return parseDatabase(v, options); }},
        {"--tls-cert",
         [&](std::string_view v) {
             options.tlsCertificateFile = std::string(v);
             return v.empty() ? std::string("--tls-cert: the file name is empty") : std::string();
         }},
        {"--tls-key",
         [&](std::string_view v) {
             options.tlsKeyFile = std::string(v);
             return v.empty() ? std::string("--tls-key: the file name is empty") : std::string();
         }},
        {"--threads",
         [&](std::string_view v) {
             const auto n = integer<int>(v, 1, 256);
             options.threads = n.value_or(0);
             return n ? std::string() : "--threads: expected 1..256, got '" + std::string(v) + "'";
         }},
        {"--workers",
         [&](std::string_view v) {
             const auto n = integer<int>(v, 1, 256);
             options.workers = n.value_or(0);
             return n ? std::string() : "--workers: expected 1..256, got '" + std::string(v) + "'";
         }},
        {"--max-connections",
         [&](std::string_view v) {
             const auto n = integer<std::size_t>(v, 1, 1000000);
             options.maxConnections = n.value_or(0);
             return n ? std::string() : "--max-connections: expected 1..1000000, got '" + std::string(v) + "'";
         }},
        {"--read-timeout",
         [&](std::string_view v) {
             const auto seconds = decimal(v, 0.001, 3600);
             options.readTimeout = std::chrono::milliseconds(std::llround(seconds.value_or(0) * 1000));
             return seconds ? std::string()
                            : "--read-timeout: expected seconds in 0.001..3600, got '" + std::string(v) + "'";
         }},
        {"--rate-limit", [&](std::string_view v) { return parseRateLimit(v, options); }},
    };

    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            options.action = Action::Help;
            return options;
        }
        if (argument == "--version") {
            options.action = Action::Version;
            return options;
        }
        const auto equals = argument.find('=');
        const std::string_view name = argument.substr(0, equals);
        const auto parser = valued.find(name);
        if (parser == valued.end())
            return fail("unknown option '" + std::string(name) + "' (see --help)");
        std::string_view value;
        if (equals != std::string_view::npos) {
            value = argument.substr(equals + 1);
        } else {
            if (i + 1 >= arguments.size())
                return fail(std::string(name) + " needs a value (see --help)");
            value = arguments[++i];
        }
        if (auto message = parser->second(value); !message.empty())
            return fail(std::move(message));
    }
    if (options.tlsCertificateFile.empty() != options.tlsKeyFile.empty())
        return fail("--tls-cert and --tls-key go together: give both or neither");
    return options;
}

ServerOptions ServerOptions::parse(int argc, char **argv)
{
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.emplace_back(argv[i]);
    return parse(arguments);
}

std::string ServerOptions::usage()
{
    return "Usage: kestrune-server [OPTIONS]\n"
           "Serves Kestrune's accounts, leaderboards, achievements and challenges over HTTP.\n"
           "\n"
           "  --listen HOST:PORT      address to listen on (default 127.0.0.1:8080; IPv6 as [::1]:8080;\n"
           "                          port 0 picks a free one)\n"
           "  --database URL          sqlite:PATH (default sqlite:kestrune-server.db) or postgresql://...\n"
           "  --tls-cert FILE         PEM certificate chain; with --tls-key the listener speaks HTTPS\n"
           "  --tls-key FILE          PEM private key\n"
           "  --threads N             I/O threads (default 2)\n"
           "  --workers N             threads that answer from the database (default 8)\n"
           "  --max-connections N     open connections before new ones are answered 503 (default 1024)\n"
           "  --read-timeout SECONDS  time a client has to send each request (default 10)\n"
           "  --rate-limit N[:BURST]  requests per second per token and per address, 0 for none\n"
           "                          (default 100; the burst defaults to 2N)\n"
           "  --help                  show this help\n"
           "  --version               show the version\n";
}

} // namespace kestrune::server
