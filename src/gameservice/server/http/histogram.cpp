#include "gameservice/server/http/histogram.h"

#include <algorithm>

namespace kestrune::server {

Histogram::Histogram(std::vector<double> upperBounds)
    : m_bounds(std::move(upperBounds))
    , m_counts(m_bounds.size(), 0)
{
    std::sort(m_bounds.begin(), m_bounds.end());
}

void Histogram::observe(double seconds)
{
    const auto it = std::lower_bound(m_bounds.begin(), m_bounds.end(), seconds);
    if (it != m_bounds.end())
        ++m_counts[std::size_t(it - m_bounds.begin())];
    m_sum += seconds;
    ++m_count;
}

void Histogram::render(std::ostream &out, std::string_view name, std::string_view labels) const
{
    const std::string_view comma = labels.empty() ? "" : ",";
    std::uint64_t cumulative = 0;
    for (std::size_t i = 0; i < m_bounds.size(); ++i) {
        cumulative += m_counts[i];
        out << name << "_bucket{" << labels << comma << "le=\"" << m_bounds[i] << "\"} " << cumulative << '\n';
    }
    out << name << "_bucket{" << labels << comma << "le=\"+Inf\"} " << m_count << '\n';
    const std::string braces = labels.empty() ? std::string() : "{" + std::string(labels) + "}";
    out << name << "_sum" << braces << ' ' << m_sum << '\n';
    out << name << "_count" << braces << ' ' << m_count << '\n';
}

} // namespace kestrune::server
