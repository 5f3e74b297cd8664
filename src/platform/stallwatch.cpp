#include "stallwatch.h"

#include <QMetaEnum>
#include <QObject>

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace kestrune {

namespace {

std::int64_t nanoseconds(clockid_t clock)
{
    timespec t{};
    clock_gettime(clock, &t);
    return static_cast<std::int64_t>(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

// The calling thread's time spent waiting on a run queue, from the
// scheduler's statistics ("on-CPU ns, queued ns, slices"). The file stays
// open for the thread's life: each event reads it twice.
std::int64_t queuedNanoseconds()
{
    struct Schedstat
    {
        int fd = ::open("/proc/thread-self/schedstat", O_RDONLY | O_CLOEXEC);
        ~Schedstat()
        {
            if (fd >= 0)
                ::close(fd);
        }
    };
    static thread_local Schedstat stat;
    if (stat.fd < 0)
        return 0;
    char text[96];
    const ssize_t size = ::pread(stat.fd, text, sizeof text - 1, 0);
    if (size <= 0)
        return 0;
    text[size] = '\0';
    char *end = nullptr;
    std::strtoll(text, &end, 10);
    return std::strtoll(end, nullptr, 10);
}

QString describeReceiver(const QObject *receiver)
{
    if (!receiver)
        return QStringLiteral("(gone)");
    QString text = QString::fromLatin1(receiver->metaObject()->className());
    if (!receiver->objectName().isEmpty())
        text += QLatin1Char(' ') + receiver->objectName();
    // Many events go to a screen's plain children; their screen says more.
    for (const QObject *up = receiver->parent(); up; up = up->parent()) {
        const QString name = QString::fromLatin1(up->metaObject()->className());
        if (name.endsWith(QLatin1String("ViewController"))) {
            text += QStringLiteral(" in ") + name;
            break;
        }
    }
    return text;
}

QString describeEvent(QEvent::Type type)
{
    const char *name = QMetaEnum::fromType<QEvent::Type>().valueToKey(type);
    return name ? QString::fromLatin1(name) : QString::number(type);
}

} // namespace

StallWatch::StallWatch(std::chrono::microseconds threshold, Report report)
    : m_threshold(threshold)
    , m_report(std::move(report))
{
    if (!m_report) {
        m_report = [](const QString &line) {
            std::fprintf(stderr, "%s\n", qPrintable(line));
            std::fflush(stderr);
        };
    }
}

std::optional<StallWatch> StallWatch::fromEnvironment(QString &error)
{
    const QByteArray value = qgetenv("KESTRUNE_STALL_MS");
    if (value.isEmpty())
        return std::nullopt;
    bool ok = false;
    const double ms = value.toDouble(&ok);
    if (!ok || !(ms > 0) || ms > 60'000) {
        error = QStringLiteral("KESTRUNE_STALL_MS must be a number of milliseconds above 0, not \"%1\"")
                    .arg(QString::fromLocal8Bit(value));
        return std::nullopt;
    }
    return StallWatch(std::chrono::microseconds(static_cast<std::int64_t>(ms * 1000)));
}

StallWatch::Sample StallWatch::now(Edge edge)
{
    Sample sample;
    if (edge == Edge::End)
        sample.queuedNs = queuedNanoseconds();
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    sample.wallNs = nanoseconds(CLOCK_MONOTONIC);
    sample.cpuNs = nanoseconds(CLOCK_THREAD_CPUTIME_ID);
    sample.sleeps = usage.ru_nvcsw;
    if (edge == Edge::Start)
        sample.queuedNs = queuedNanoseconds();
    return sample;
}

void StallWatch::begin()
{
    if (m_depth++ == 0)
        m_start = now();
}

void StallWatch::end(const QObject *receiver, QEvent::Type type)
{
    if (m_depth == 0 || --m_depth > 0)
        return;
    const Sample finish = now(Edge::End);
    const Sample used{finish.wallNs - m_start.wallNs, finish.cpuNs - m_start.cpuNs, finish.sleeps - m_start.sleeps,
                      finish.queuedNs - m_start.queuedNs};
    // Cheap for the many short events: the receiver is described only for a report.
    const std::int64_t limit = std::chrono::nanoseconds(m_threshold).count();
    if (used.cpuNs <= limit && used.wallNs <= limit)
        return;
    const QString line = judge(used, describeReceiver(receiver), describeEvent(type));
    if (line.isEmpty())
        return;
    ++m_reported;
    m_report(line);
}

QString StallWatch::judge(const Sample &used, const QString &receiver, const QString &event) const
{
    const std::int64_t limit = std::chrono::nanoseconds(m_threshold).count();
    const char *kind = nullptr;
    if (used.cpuNs > limit)
        kind = "busy";
    else if (used.wallNs > limit && used.sleeps > 0)
        kind = used.wallNs - used.queuedNs > limit ? "waited" : "queued";
    if (!kind)
        return {};
    return QStringLiteral("kestrune: stall (%1): %2 ms wall, %3 ms cpu, %4 ms queued, %5 sleeps: %6, %7")
        .arg(QLatin1String(kind))
        .arg(used.wallNs / 1e6, 0, 'f', 1)
        .arg(used.cpuNs / 1e6, 0, 'f', 1)
        .arg(used.queuedNs / 1e6, 0, 'f', 1)
        .arg(used.sleeps)
        .arg(receiver, event);
}

} // namespace kestrune
