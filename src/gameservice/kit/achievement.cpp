#include "achievement.h"

namespace kestrune {

Achievement::Achievement(QString identifier)
    : m_identifier(std::move(identifier))
{
}

std::optional<Achievement> Achievement::withIdentifier(const QString &identifier)
{
    if (identifier.isEmpty())
        return std::nullopt;
    return Achievement(identifier);
}

QString Achievement::description() const
{
    return QStringLiteral("<Achievement identifier: %1 percentComplete: %2>").arg(m_identifier).arg(m_percentComplete);
}

} // namespace kestrune
