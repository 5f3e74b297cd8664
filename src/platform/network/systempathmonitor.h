#pragma once

#include "networkpathmonitor.h"

#include <QObject>

#include <atomic>

class QTimer;

namespace kestrune {

// The monitor of the running system. It asks QNetworkInformation for
// reachability where a backend loads; otherwise it looks at the network
// interfaces every few seconds and counts the path satisfied while one that
// is up, running and not a loopback has an address. Lives on the GUI thread.
class SystemPathMonitor final : public QObject, public NetworkPathMonitor
{
    Q_OBJECT
public:
    enum class Method { Automatic, InterfacePolling };

    // Automatic: QNetworkInformation when a backend loads, else polling.
    explicit SystemPathMonitor(Method method = Method::Automatic, QObject *parent = nullptr);
    ~SystemPathMonitor() override;

    void start() override;

    // Whether the QNetworkInformation backend is used (after start()).
    bool usesNetworkInformation() const { return m_usesNetworkInformation; }

    static bool hasUsableInterface();

private:
    void poll();

    const Method m_method;
    bool m_usesNetworkInformation = false;
    QTimer *m_timer = nullptr;
    std::atomic<int> m_lastReported{-1};
};

} // namespace kestrune
