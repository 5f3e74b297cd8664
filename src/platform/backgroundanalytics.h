#pragma once

#include "game/analytics.h"

#include <memory>

namespace kestrune {

class SerialQueue;

// Hands every event, in order, to the analytics engine it wraps, on a thread
// of its own, so that logging from a shot never waits for the log file. The
// destructor lets the events already handed over reach the engine.
//
// Any thread.
class BackgroundAnalytics final : public Analytics
{
public:
    explicit BackgroundAnalytics(std::unique_ptr<Analytics> engine);
    ~BackgroundAnalytics() override;
    BackgroundAnalytics(const BackgroundAnalytics &) = delete;
    BackgroundAnalytics &operator=(const BackgroundAnalytics &) = delete;

    void configure() override;
    void logEvent(const std::string &name, const std::optional<Parameters> &parameters = std::nullopt) override;

    // Blocks until every event handed over so far has reached the engine.
    void flush();

private:
    std::unique_ptr<Analytics> m_engine; // the writer thread's alone
    std::unique_ptr<SerialQueue> m_writer;
};

} // namespace kestrune
