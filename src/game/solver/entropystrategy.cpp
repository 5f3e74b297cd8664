#include "entropystrategy.h"

#include <cmath>
#include <vector>

namespace kestrune {

EntropyStrategy &EntropyStrategy::shared()
{
    static EntropyStrategy strategy;
    return strategy;
}

double EntropyStrategy::cost(const ClassSizes &sizes) const
{
    // For n codes split into classes n_i the entropy is log n - sum n_i log n_i / n,
    // so the smallest sum of n_i log n_i is the most informative shot.
    static const std::vector<double> nLogN = [] {
        std::vector<double> table(CodeSpace::size + 1, 0.0);
        for (int n = 2; n <= CodeSpace::size; ++n)
            table[static_cast<std::size_t>(n)] = n * std::log2(static_cast<double>(n));
        return table;
    }();
    double sum = 0;
    for (const int size : sizes)
        sum += nLogN[static_cast<std::size_t>(size)];
    return sum;
}

} // namespace kestrune
