#include "quotationshelper.h"

#include "securerandomsource.h"

namespace kestrune {

const std::array<QuotationsHelper::Quotation, 10> &QuotationsHelper::quotations()
{
    static const std::array<Quotation, 10> table = {{
        {"The only way to learn mathematics is to do mathematics", "Paul Halmos"},
        {"I think, therefore I am", "Ren\u00e9 Descartes"},
        {"Nothing in life is to be feared, it is only to be understood", "Marie Curie"},
        {"Don\u2019t count the days, make the days count", "Muhammad Ali"},
        {"Chance favours only the prepared mind", "Louis Pasteur"},
        {"Mathematics is the music of reason", "James Joseph Sylvester"},
        {"Patience is bitter,\nbut its fruit is sweet", "Jean-Jacques Rousseau"},
        {"The best way out is always through", "Robert Frost"},
        {"What is essential is invisible to the eye", "Antoine de Saint-Exup\u00e9ry"},
        {"Nothing is impossible, the word itself says \u2018I\u2019m possible\u2019", "Audrey Hepburn"},
    }};
    return table;
}

QuotationsHelper::Quotation QuotationsHelper::randomQuotation()
{
    return randomQuotation(SecureRandomSource::instance());
}

QuotationsHelper::Quotation QuotationsHelper::randomQuotation(RandomSource &random)
{
    return quotations()[random.uniformIndex(quotations().size())];
}

} // namespace kestrune
