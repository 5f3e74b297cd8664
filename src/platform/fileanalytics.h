#pragma once

#include "game/analytics.h"
#include "safefilewriter.h"

#include <QString>

#include <optional>

namespace kestrune {

// Keeps analytics events as JSON lines ({"time", "name", "parameters"}) in a
// log file, appended one event at a time. Malformed names are refused with a
// warning; a file that cannot be written costs the event, never the game
// nor a half line, with one warning until it can be written again.
class FileAnalytics final : public Analytics
{
public:
    // The log file; "analytics.jsonl" in the data folder when empty.
    explicit FileAnalytics(QString fileName = {});

    void configure() override;
    void logEvent(const std::string &name, const std::optional<Parameters> &parameters) override;

    QString fileName() const { return m_fileName; }

private:
    QString m_fileName;
    bool m_configured = false;
    std::optional<SafeFileWriter> m_writer;
};

} // namespace kestrune
