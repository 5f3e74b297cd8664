#pragma once

#include <cstdint>
#include <ostream>
#include <string_view>
#include <vector>

namespace kestrune::server {

// A Prometheus histogram of seconds: cumulative buckets, sum and count.
// Not locked; its owner is.
class Histogram
{
public:
    explicit Histogram(std::vector<double> upperBounds);

    void observe(double seconds);
    std::uint64_t count() const { return m_count; }
    // Writes the _bucket, _sum and _count lines; `labels` is empty or
    // `route="/x"` (without braces).
    void render(std::ostream &out, std::string_view name, std::string_view labels) const;

private:
    std::vector<double> m_bounds;
    std::vector<std::uint64_t> m_counts; // per bucket, not cumulative
    double m_sum = 0;
    std::uint64_t m_count = 0;
};

} // namespace kestrune::server
