#include "scriptedcodes.h"

#include "game/game.h"

#include <QStringList>

#include <memory>
#include <vector>

namespace kestrune {

std::optional<std::function<std::string()>> ScriptedCodes::parse(const QString &text, QString &error)
{
    if (text.trimmed().isEmpty())
        return std::nullopt;
    std::vector<std::string> codes;
    for (const QString &part : text.split(QLatin1Char(','))) {
        const std::string code = part.trimmed().toStdString();
        if (!Game::isValidShot(code)) {
            error = QStringLiteral("%1: \"%2\" is not four different digits 1-9")
                        .arg(QLatin1String(variable), part.trimmed());
            return std::nullopt;
        }
        codes.push_back(code);
    }
    // Shared, so that every copy of the draw goes on where the last left off.
    auto next = std::make_shared<std::size_t>(0);
    return [codes = std::move(codes), next] { return codes[(*next)++ % codes.size()]; };
}

} // namespace kestrune
