#include "backgroundanalytics.h"

#include "dispatch/serialqueue.h"

namespace kestrune {

BackgroundAnalytics::BackgroundAnalytics(std::unique_ptr<Analytics> engine)
    : m_engine(std::move(engine))
    , m_writer(std::make_unique<SerialQueue>(QStringLiteral("org.kestrune.Kestrune.analytics"),
                                             WorkerPool::Priority::background))
{
}

BackgroundAnalytics::~BackgroundAnalytics()
{
    flush();
}

void BackgroundAnalytics::configure()
{
    m_writer->async([this] { m_engine->configure(); });
}

void BackgroundAnalytics::logEvent(const std::string &name, const std::optional<Parameters> &parameters)
{
    m_writer->async([this, name, parameters] { m_engine->logEvent(name, parameters); });
}

void BackgroundAnalytics::flush()
{
    m_writer->waitForIdle();
}

} // namespace kestrune
