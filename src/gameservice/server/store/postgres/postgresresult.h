#pragma once

#include <cstdint>
#include <memory>
#include <string>

struct pg_result;

namespace kestrune::server {

// One statement's rows, in text form, freed with the object.
class PostgresResult
{
public:
    explicit PostgresResult(pg_result *result);

    int rows() const;
    bool isNull(int row, int column) const;
    std::string text(int row, int column) const;
    std::int64_t integer(int row, int column) const; // throws StoreError when not a number
    double real(int row, int column) const;
    std::int64_t affected() const; // rows an INSERT/UPDATE/DELETE touched

private:
    std::unique_ptr<pg_result, void (*)(pg_result *)> m_result;
};

} // namespace kestrune::server
