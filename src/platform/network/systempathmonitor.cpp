#include "systempathmonitor.h"

#include <QDebug>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <cstring>

#include <ifaddrs.h>
#include <net/if.h>
#include <sys/socket.h>
#include <unistd.h>

#ifdef Q_OS_LINUX
#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#endif

namespace kestrune {

SystemPathMonitor::SystemPathMonitor(QObject *parent)
    : QObject(parent)
{
}

SystemPathMonitor::~SystemPathMonitor()
{
    if (m_socket >= 0)
        ::close(m_socket);
}

NetworkPathMonitor::Status SystemPathMonitor::statusOf(const ifaddrs *list)
{
    for (const ifaddrs *entry = list; entry; entry = entry->ifa_next) {
        const unsigned flags = entry->ifa_flags;
        if ((flags & IFF_LOOPBACK) || !(flags & IFF_UP) || !(flags & IFF_RUNNING))
            continue;
        // Each interface is also listed with its link-layer address, which
        // carries no traffic of its own.
        const sa_family_t family = entry->ifa_addr ? entry->ifa_addr->sa_family : AF_UNSPEC;
        if (family == AF_INET || family == AF_INET6)
            return Status::Satisfied;
    }
    return Status::Unsatisfied;
}

NetworkPathMonitor::Status SystemPathMonitor::currentStatus()
{
    ifaddrs *list = nullptr;
    if (::getifaddrs(&list) != 0)
        return Status::Unsatisfied;
    const Status status = statusOf(list);
    ::freeifaddrs(list);
    return status;
}

void SystemPathMonitor::start()
{
    watchChanges();
    // The first report is asynchronous, as callers expect.
    QTimer::singleShot(0, this, &SystemPathMonitor::update);
}

void SystemPathMonitor::watchChanges()
{
#ifdef Q_OS_LINUX
    // The kernel tells the route socket's listeners of every link and
    // address that comes or goes, so nothing needs to be looked at between.
    const int fd = ::socket(AF_NETLINK, SOCK_RAW | SOCK_CLOEXEC | SOCK_NONBLOCK, NETLINK_ROUTE);
    sockaddr_nl address{};
    address.nl_family = AF_NETLINK;
    address.nl_groups = RTMGRP_LINK | RTMGRP_IPV4_IFADDR | RTMGRP_IPV6_IFADDR;
    if (fd < 0 || ::bind(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0) {
        qWarning().noquote() << "Network path: changes cannot be watched:" << std::strerror(errno);
        if (fd >= 0)
            ::close(fd);
        return;
    }
    m_socket = fd;
    m_changes = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(m_changes, &QSocketNotifier::activated, this, &SystemPathMonitor::readChanges);
#endif
}

void SystemPathMonitor::readChanges()
{
    // What changed is not looked at: one reading of the interfaces after the
    // whole burst answers for all of it, also for messages lost to a full
    // buffer (ENOBUFS).
    char buffer[8192];
    for (;;) {
        const ssize_t got = ::recv(m_socket, buffer, sizeof buffer, MSG_DONTWAIT);
        if (got > 0 || (got < 0 && (errno == EINTR || errno == ENOBUFS)))
            continue;
        break;
    }
    update();
}

void SystemPathMonitor::update()
{
    const Status status = currentStatus();
    // Report changes only, like a path monitor does.
    if (m_lastReported.exchange(static_cast<int>(status)) != static_cast<int>(status))
        report(status);
}

} // namespace kestrune
