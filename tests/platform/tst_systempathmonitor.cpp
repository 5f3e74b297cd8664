#include "platform/network/systempathmonitor.h"

#include <QNetworkInterface>
#include <QProcess>
#include <QTest>

#include <cstdio>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#ifdef Q_OS_LINUX
#include <linux/if_tun.h>
#endif

using namespace kestrune;
using Status = NetworkPathMonitor::Status;

namespace {

// The exit status of a child that could not get a network of its own.
constexpr int noNetworkOfItsOwn = 77;

// An interface entry as getifaddrs lists it.
struct Entry
{
    unsigned flags;
    sa_family_t family; // AF_UNSPEC: no address at all
};

// The rule that SystemPathMonitor keeps, asked of Qt's view of the interfaces.
Status statusSeenByQt()
{
    const auto interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface &i : interfaces) {
        const auto flags = i.flags();
        if (flags.testFlag(QNetworkInterface::IsLoopBack) || !flags.testFlag(QNetworkInterface::IsUp)
            || !flags.testFlag(QNetworkInterface::IsRunning))
            continue;
        if (!i.addressEntries().isEmpty())
            return Status::Satisfied;
    }
    return Status::Unsatisfied;
}

#ifdef Q_OS_LINUX
// Sets an interface's flags (and an IPv4 address, when one is given).
bool configure(const char *name, unsigned flags, in_addr_t address = 0)
{
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    ifreq request{};
    std::strncpy(request.ifr_name, name, IFNAMSIZ - 1);
    bool done = true;
    if (address) {
        auto *in = reinterpret_cast<sockaddr_in *>(&request.ifr_addr);
        in->sin_family = AF_INET;
        in->sin_addr.s_addr = address;
        done = ::ioctl(fd, SIOCSIFADDR, &request) == 0;
    }
    request.ifr_flags = short(flags);
    done = done && ::ioctl(fd, SIOCSIFFLAGS, &request) == 0;
    ::close(fd);
    return done;
}
#endif

// The child: in a network of its own, which has only a loopback that is
// down, it watches while a loopback comes up and a tunnel comes and goes,
// and prints every status reported, one a line.
int watchOwnNetwork(int argc, char *argv[])
{
#ifdef Q_OS_LINUX
    // Only a process with one thread may enter a user namespace: before Qt.
    if (::unshare(CLONE_NEWUSER | CLONE_NEWNET) != 0)
        return noNetworkOfItsOwn;
    QCoreApplication app(argc, argv);
    SystemPathMonitor monitor;
    std::vector<Status> reports;
    monitor.setUpdateHandler([&](Status status) {
        reports.push_back(status);
        std::printf("%d\n", int(status));
        std::fflush(stdout);
    });
    monitor.start();
    if (!monitor.watchesChanges())
        return 3;
    if (!QTest::qWaitFor([&] { return reports.size() == 1; }, 20000))
        return 4;
    if (!configure("lo", IFF_UP))
        return 5;
    const int tunnel = ::open("/dev/net/tun", O_RDWR | O_CLOEXEC);
    if (tunnel < 0)
        return noNetworkOfItsOwn;
    ifreq request{};
    std::strncpy(request.ifr_name, "kt0", IFNAMSIZ - 1);
    request.ifr_flags = IFF_TUN | IFF_NO_PI;
    if (::ioctl(tunnel, TUNSETIFF, &request) != 0)
        return noNetworkOfItsOwn;
    if (!configure("kt0", IFF_UP, htonl(0x0a4d0001)))
        return 6;
    if (!QTest::qWaitFor([&] { return reports.size() == 2; }, 20000))
        return 7;
    if (!configure("kt0", 0))
        return 8;
    if (!QTest::qWaitFor([&] { return reports.size() == 3; }, 20000))
        return 9;
    ::close(tunnel);
    // A last change that leaves the status as it is must not be reported.
    if (!configure("lo", 0))
        return 10;
    QTest::qWait(200);
    return 0;
#else
    Q_UNUSED(argc);
    Q_UNUSED(argv);
    return noNetworkOfItsOwn;
#endif
}

} // namespace

Q_DECLARE_METATYPE(std::vector<Entry>)
Q_DECLARE_METATYPE(Status)

class TestSystemPathMonitor : public QObject
{
    Q_OBJECT

private slots:
    void theStatusComesFromInterfacesThatCarryTraffic_data()
    {
        QTest::addColumn<std::vector<Entry>>("entries");
        QTest::addColumn<Status>("status");
        constexpr unsigned working = IFF_UP | IFF_RUNNING;
        QTest::newRow("none") << std::vector<Entry>{} << Status::Unsatisfied;
        QTest::newRow("up, running, IPv4") << std::vector<Entry>{{working, AF_INET}} << Status::Satisfied;
        QTest::newRow("up, running, IPv6") << std::vector<Entry>{{working, AF_INET6}} << Status::Satisfied;
        QTest::newRow("only a loopback") << std::vector<Entry>{{working | IFF_LOOPBACK, AF_INET}}
                                         << Status::Unsatisfied;
        QTest::newRow("down") << std::vector<Entry>{{IFF_RUNNING, AF_INET}} << Status::Unsatisfied;
        QTest::newRow("up without a carrier") << std::vector<Entry>{{IFF_UP, AF_INET}} << Status::Unsatisfied;
        QTest::newRow("only a link-layer address") << std::vector<Entry>{{working, AF_PACKET}} << Status::Unsatisfied;
        QTest::newRow("no address") << std::vector<Entry>{{working, AF_UNSPEC}} << Status::Unsatisfied;
        QTest::newRow("one usable among others") << std::vector<Entry>{{working | IFF_LOOPBACK, AF_INET},
                                                                       {working, AF_PACKET},
                                                                       {IFF_UP, AF_INET6},
                                                                       {working, AF_INET6}}
                                                 << Status::Satisfied;
    }
    void theStatusComesFromInterfacesThatCarryTraffic()
    {
        QFETCH(std::vector<Entry>, entries);
        QFETCH(Status, status);
        std::vector<ifaddrs> list(entries.size());
        std::vector<sockaddr_storage> addresses(entries.size());
        for (size_t i = 0; i < entries.size(); ++i) {
            list[i].ifa_name = const_cast<char *>("test0");
            list[i].ifa_flags = entries[i].flags;
            addresses[i].ss_family = entries[i].family;
            list[i].ifa_addr = entries[i].family == AF_UNSPEC ? nullptr : reinterpret_cast<sockaddr *>(&addresses[i]);
            list[i].ifa_next = i + 1 < entries.size() ? &list[i + 1] : nullptr;
        }
        QCOMPARE(SystemPathMonitor::statusOf(list.empty() ? nullptr : list.data()), status);
    }

    // The kernel's interfaces, read by hand, say what Qt's reading of them says.
    void thisSystemIsReadAsQtReadsIt() { QCOMPARE(SystemPathMonitor::currentStatus(), statusSeenByQt()); }

    // Links and addresses that come and go are reported as they change, and
    // changes that leave the status as it was are not.
    void changesOfTheInterfacesAreReported()
    {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {"--watch-own-network"});
        QVERIFY(child.waitForFinished(60000));
        if (child.exitCode() == noNetworkOfItsOwn)
            QSKIP("this system gives no network namespace of one's own");
        QCOMPARE(child.readAllStandardError(), QByteArray());
        QCOMPARE(child.exitCode(), 0);
        QCOMPARE(child.readAllStandardOutput(), QByteArray("2\n1\n2\n"));
    }
};

int main(int argc, char *argv[])
{
    if (argc == 2 && QByteArray(argv[1]) == "--watch-own-network")
        return watchOwnNetwork(argc, argv);
    QCoreApplication app(argc, argv);
    TestSystemPathMonitor test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_systempathmonitor.moc"
