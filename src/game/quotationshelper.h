#pragma once

#include <array>
#include <string>

namespace kestrune {

class RandomSource;

// The menu's sayings: a fixed table of ten, one picked at random per menu.
class QuotationsHelper
{
public:
    struct Quotation
    {
        std::string text; // UTF-8; may hold a line break
        std::string author;
        friend bool operator==(const Quotation &, const Quotation &) = default;
    };

    static const std::array<Quotation, 10> &quotations();

    // Uniform over the table, from the system's secure random source unless
    // another source is given.
    static Quotation randomQuotation();
    static Quotation randomQuotation(RandomSource &random);

    QuotationsHelper() = delete;
};

} // namespace kestrune
