#include "systempathmonitor.h"

#include <QNetworkInformation>
#include <QNetworkInterface>
#include <QTimer>

namespace kestrune {

namespace {
constexpr int pollIntervalMs = 5000;

NetworkPathMonitor::Status fromReachability(QNetworkInformation::Reachability r)
{
    switch (r) {
    case QNetworkInformation::Reachability::Online:
        return NetworkPathMonitor::Status::Satisfied;
    case QNetworkInformation::Reachability::Unknown:
        return NetworkPathMonitor::Status::Invalid;
    case QNetworkInformation::Reachability::Disconnected:
        return NetworkPathMonitor::Status::Unsatisfied;
    case QNetworkInformation::Reachability::Local:
    case QNetworkInformation::Reachability::Site:
        return NetworkPathMonitor::Status::RequiresConnection;
    }
    return NetworkPathMonitor::Status::Invalid;
}
} // namespace

SystemPathMonitor::SystemPathMonitor(Method method, QObject *parent)
    : QObject(parent)
    , m_method(method)
{
}

SystemPathMonitor::~SystemPathMonitor() = default;

bool SystemPathMonitor::hasUsableInterface()
{
    const auto interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface &i : interfaces) {
        const auto flags = i.flags();
        if (flags.testFlag(QNetworkInterface::IsLoopBack) || !flags.testFlag(QNetworkInterface::IsUp)
            || !flags.testFlag(QNetworkInterface::IsRunning))
            continue;
        if (!i.addressEntries().isEmpty())
            return true;
    }
    return false;
}

void SystemPathMonitor::start()
{
    if (m_method == Method::Automatic
        && QNetworkInformation::loadBackendByFeatures(QNetworkInformation::Feature::Reachability)) {
        QNetworkInformation *info = QNetworkInformation::instance();
        m_usesNetworkInformation = true;
        connect(info, &QNetworkInformation::reachabilityChanged, this,
                [this](QNetworkInformation::Reachability r) { report(fromReachability(r)); });
        // The first report is asynchronous, as callers expect.
        QTimer::singleShot(0, this, [this, info] { report(fromReachability(info->reachability())); });
        return;
    }
    m_timer = new QTimer(this);
    m_timer->setInterval(pollIntervalMs);
    connect(m_timer, &QTimer::timeout, this, &SystemPathMonitor::poll);
    m_timer->start();
    QTimer::singleShot(0, this, &SystemPathMonitor::poll);
}

void SystemPathMonitor::poll()
{
    const Status status = hasUsableInterface() ? Status::Satisfied : Status::Unsatisfied;
    // Report changes only, like a path monitor does.
    if (m_lastReported.exchange(static_cast<int>(status)) != static_cast<int>(status))
        report(status);
}

} // namespace kestrune
