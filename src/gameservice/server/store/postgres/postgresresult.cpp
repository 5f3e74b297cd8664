#include "postgresresult.h"

#include "gameservice/server/store/store.h"

#include <libpq-fe.h>

#include <charconv>
#include <cstdlib>

namespace kestrune::server {

PostgresResult::PostgresResult(pg_result *result)
    : m_result(result, &PQclear)
{
}

int PostgresResult::rows() const
{
    return PQntuples(m_result.get());
}

bool PostgresResult::isNull(int row, int column) const
{
    return PQgetisnull(m_result.get(), row, column) != 0;
}

std::string PostgresResult::text(int row, int column) const
{
    return std::string(PQgetvalue(m_result.get(), row, column),
                       static_cast<std::size_t>(PQgetlength(m_result.get(), row, column)));
}

std::int64_t PostgresResult::integer(int row, int column) const
{
    const char *value = PQgetvalue(m_result.get(), row, column);
    const char *end = value + PQgetlength(m_result.get(), row, column);
    std::int64_t number = 0;
    const auto [at, error] = std::from_chars(value, end, number);
    if (error != std::errc() || at != end)
        throw StoreError("PostgreSQL answered with a number out of range: " + std::string(value, end));
    return number;
}

// from_chars, not strtod: the program's locale may want a decimal comma.
double PostgresResult::real(int row, int column) const
{
    const char *value = PQgetvalue(m_result.get(), row, column);
    const char *end = value + PQgetlength(m_result.get(), row, column);
    double number = 0;
    const auto [at, error] = std::from_chars(value, end, number);
    if (error != std::errc() || at != end)
        throw StoreError("PostgreSQL answered with an unreadable number: " + std::string(value, end));
    return number;
}

std::int64_t PostgresResult::affected() const
{
    const char *count = PQcmdTuples(m_result.get());
    return count && *count ? std::strtoll(count, nullptr, 10) : 0;
}

} // namespace kestrune::server
