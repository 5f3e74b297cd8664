#pragma once

#include "networkpathmonitor.h"

#include <QObject>

#include <atomic>

struct ifaddrs;
class QSocketNotifier;

namespace kestrune {

// The monitor of the running system, as far as the kernel can tell: the path
// is satisfied while an interface that is up, running and not a loopback has
// an address, and unsatisfied otherwise. It reads the interfaces at start and
// again whenever the kernel announces a change of a link or an address, so it
// costs nothing while nothing changes. Lives on the GUI thread.
class SystemPathMonitor final : public QObject, public NetworkPathMonitor
{
    Q_OBJECT
public:
    explicit SystemPathMonitor(QObject *parent = nullptr);
    ~SystemPathMonitor() override;

    void start() override;

    // Whether changes are announced to it (after start()); when the system
    // refuses, only the first status is reported.
    bool watchesChanges() const { return m_changes != nullptr; }

    // The status the interfaces in list stand for.
    static Status statusOf(const ifaddrs *list);
    // The status of this system's interfaces now.
    static Status currentStatus();

private:
    void watchChanges();
    void readChanges();
    void update();

    int m_socket = -1;
    QSocketNotifier *m_changes = nullptr;
    std::atomic<int> m_lastReported{-1};
};

} // namespace kestrune
