#pragma once

#include "game/analytics.h"

#include <vector>

namespace kestrune::test {

// Keeps every logged event in memory, in order.
class RecordingAnalytics final : public Analytics
{
public:
    struct Event
    {
        std::string name;
        std::optional<Parameters> parameters;
        friend bool operator==(const Event &, const Event &) = default;
    };

    void configure() override { ++configured; }
    void logEvent(const std::string &name, const std::optional<Parameters> &parameters) override
    {
        events.push_back({name, parameters});
    }

    std::vector<std::string> names() const
    {
        std::vector<std::string> all;
        for (const Event &e : events)
            all.push_back(e.name);
        return all;
    }

    std::vector<Event> events;
    int configured = 0;
};

} // namespace kestrune::test
