#pragma once

// What the parts of GameServiceManager share: the cache's key names and the
// number readers. Only the manager's own source files include it.

#include "game/numberhelper.h"
#include "gameservice/kit/serviceerror.h"

#include <QCborValue>
#include <QString>

#include <cstdint>

namespace kestrune::managerinternals {

inline const QString savedScoresKey = QStringLiteral("SavedScores");
inline const QString savedAchievementsKey = QStringLiteral("SavedAchievements");

inline ServiceError ownError(const QString &text, int code)
{
    return ServiceError{text, code, {}};
}

inline std::int64_t integerOf(const QCborValue &v)
{
    if (v.isInteger())
        return v.toInteger();
    if (v.isDouble())
        return NumberHelper::integerOf(v.toDouble());
    return 0;
}

inline double doubleOf(const QCborValue &v)
{
    // A NaN progress would compare false against every new one and never move.
    return v.isInteger() || v.isDouble() ? NumberHelper::finiteOrZero(v.toDouble()) : 0.0;
}

} // namespace kestrune::managerinternals
