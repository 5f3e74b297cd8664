#pragma once

#include <QCoreApplication>
#include <QString>

namespace kestrune {

// Texts for a number of seconds. Every input gives a text: NaN, infinite and
// negative values read as 0, and very large ones are held at the 64-bit limit.
//
// clock(): the running game clock, minutes and seconds, hours in front once
// there are any (unbounded); fractions are cut off, as the counter counts
// whole seconds:
//     0 -> "0:00", 7.9 -> "0:07", 62 -> "1:02", 3599 -> "59:59",
//     3600 -> "1:00:00", 3723 -> "1:02:03", 360000 -> "100:00:00"
//
// duration(): a total or average for the statistics, rounded to whole seconds
// (halves away from zero), in at most two units, zero parts left out:
//     under a minute    "0 s", "45 s"
//     under an hour     "2 min", "2 min 5 s"
//     an hour or more   "1 h", "1 h 2 min" (seconds left out; hours unbounded)
class TimeText
{
    Q_DECLARE_TR_FUNCTIONS(TimeText)

public:
    static QString clock(double seconds);
    static QString duration(double seconds);

    TimeText() = delete;
};

} // namespace kestrune
