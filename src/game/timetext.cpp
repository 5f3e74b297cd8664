#include "timetext.h"

#include "numberhelper.h"

#include <QLocale>

#include <cmath>
#include <cstdint>

namespace kestrune {

namespace {

// Whole seconds, 0 for anything that is not a positive finite number.
std::int64_t wholeSeconds(double seconds, bool round)
{
    if (!std::isfinite(seconds) || seconds <= 0.0)
        return 0;
    return NumberHelper::integerOf(round ? std::round(seconds) : seconds);
}

} // namespace

QString TimeText::clock(double seconds)
{
    const std::int64_t total = wholeSeconds(seconds, false);
    const std::int64_t hours = total / 3600;
    const std::int64_t minutes = total / 60 % 60;
    const std::int64_t secs = total % 60;
    if (hours > 0) {
        return QStringLiteral("%1:%2:%3")
            .arg(hours)
            .arg(minutes, 2, 10, QLatin1Char('0'))
            .arg(secs, 2, 10, QLatin1Char('0'));
    }
    return QStringLiteral("%1:%2").arg(minutes).arg(secs, 2, 10, QLatin1Char('0'));
}

QString TimeText::duration(double seconds)
{
    const std::int64_t total = wholeSeconds(seconds, true);
    const std::int64_t hours = total / 3600;
    const std::int64_t minutes = total / 60 % 60;
    const std::int64_t secs = total % 60;
    // Numbers in the player's locale's digits and grouping.
    const QLocale locale;
    if (hours > 0) {
        //: Hours and minutes, abbreviated
        return minutes > 0 ? tr("%1 h %2 min").arg(locale.toString(hours), locale.toString(minutes))
                           //: Hours, abbreviated
                           : tr("%1 h").arg(locale.toString(hours));
    }
    if (minutes > 0) {
        //: Minutes and seconds, abbreviated
        return secs > 0 ? tr("%1 min %2 s").arg(locale.toString(minutes), locale.toString(secs))
                        //: Minutes, abbreviated
                        : tr("%1 min").arg(locale.toString(minutes));
    }
    //: Seconds, abbreviated
    return tr("%1 s").arg(locale.toString(secs));
}

} // namespace kestrune
