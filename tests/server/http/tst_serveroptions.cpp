#include "gameservice/server/app/serveroptions.h"
#include "gameservice/server/app/stopsignal.h"

#include <QStringList>
#include <QTest>

#include <memory>

#include <csignal>
#include <pthread.h>

using kestrune::server::ServerOptions;
using kestrune::server::StopSignal;

namespace {

const char *const local = "127.0.0.1";
const char *const defaultDatabase = "sqlite:kestrune-server.db";

void good(const char *name, const QStringList &arguments, const char *host, int port, const char *database,
          int threads = 2, int maxConnections = 1024, int readTimeoutMs = 10000, double rate = 100, double burst = 200)
{
    QTest::newRow(name) << arguments << QString(host) << port << QString(database) << threads << maxConnections
                        << readTimeoutMs << rate << burst;
}

ServerOptions parse(const QStringList &arguments)
{
    std::vector<std::string> list;
    for (const QString &argument : arguments)
        list.push_back(argument.toStdString());
    return ServerOptions::parse(list);
}

} // namespace

class TestServerOptions : public QObject
{
    Q_OBJECT

private slots:
    void goodCommandLines_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("database");
        QTest::addColumn<int>("threads");
        QTest::addColumn<int>("maxConnections");
        QTest::addColumn<int>("readTimeoutMs");
        QTest::addColumn<double>("rate");
        QTest::addColumn<double>("burst");

        good("defaults", {}, local, 8080, defaultDatabase);
        good("ipv4 and sqlite", {"--listen", "0.0.0.0:9000", "--database", "sqlite:/tmp/k.db"}, "0.0.0.0", 9000,
             "sqlite:/tmp/k.db");
        good("ipv6 with equals", {"--listen=[::1]:8443"}, "::1", 8443, defaultDatabase);
        good("port 0 and postgresql",
             {"--listen", "127.0.0.1:0", "--database", "postgresql://kestrune@/kestrune?host=/run/pg"}, local, 0,
             "postgresql://kestrune@/kestrune?host=/run/pg");
        good("tuning", {"--threads", "4", "--max-connections", "50", "--read-timeout", "2.5", "--rate-limit", "5"},
             local, 8080, defaultDatabase, 4, 50, 2500, 5.0, 10.0);
        good("rate with burst, and no limit", {"--rate-limit", "0"}, local, 8080, defaultDatabase, 2, 1024, 10000, 0.0,
             1.0);
        good("explicit burst", {"--rate-limit=20:100"}, local, 8080, defaultDatabase, 2, 1024, 10000, 20.0, 100.0);
    }
    void goodCommandLines()
    {
        QFETCH(QStringList, arguments);
        const auto options = parse(arguments);
        QVERIFY2(options.action == ServerOptions::Action::Run, options.error.c_str());
        QTEST(QString::fromStdString(options.listenHost), "host");
        QTEST(int(options.listenPort), "port");
        QTEST(QString::fromStdString(options.database), "database");
        QTEST(options.threads, "threads");
        QTEST(int(options.maxConnections), "maxConnections");
        QTEST(int(options.readTimeout.count()), "readTimeoutMs");
        QTEST(options.rateLimit, "rate");
        QTEST(options.rateBurst, "burst");
    }

    void workersSizeTheHandlerPool()
    {
        QCOMPARE(parse({}).workers, 8);
        QCOMPARE(parse({"--workers", "3"}).workers, 3);
        QCOMPARE(parse({"--workers=256"}).workers, 256);
    }

    void tlsNeedsBothFiles()
    {
        QVERIFY(parse({}).tlsCertificateFile.empty());
        const auto both = parse({"--tls-cert", "c.pem", "--tls-key", "k.pem"});
        QCOMPARE(both.action, ServerOptions::Action::Run);
        QCOMPARE(both.tlsCertificateFile, std::string("c.pem"));
        QCOMPARE(both.tlsKeyFile, std::string("k.pem"));
        const auto one = parse({"--tls-cert", "c.pem"});
        QCOMPARE(one.action, ServerOptions::Action::Error);
        QVERIFY(one.error.find("--tls-key") != std::string::npos);
    }

    void badCommandLines_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("mentions");
        QTest::newRow("unknown option") << QStringList{"--listne", "1.2.3.4:5"} << "unknown option '--listne'";
        QTest::newRow("stray argument") << QStringList{"serve"} << "unknown option 'serve'";
        QTest::newRow("missing value") << QStringList{"--threads"} << "--threads needs a value";
        QTest::newRow("no port") << QStringList{"--listen", "127.0.0.1"} << "HOST:PORT";
        QTest::newRow("port too big") << QStringList{"--listen", "127.0.0.1:65536"} << "0..65535";
        QTest::newRow("port not a number") << QStringList{"--listen", "127.0.0.1:http"} << "0..65535";
        QTest::newRow("ipv6 without brackets") << QStringList{"--listen", "::1:80"} << "brackets";
        QTest::newRow("ipv6 bracket unclosed") << QStringList{"--listen", "[::1:80"} << "[IPV6]:PORT";
        QTest::newRow("empty host") << QStringList{"--listen", ":80"} << "host is missing";
        QTest::newRow("host name") << QStringList{"--listen", "example.org:80"} << "not an IP address";
        QTest::newRow("unknown database") << QStringList{"--database", "mysql://x"} << "sqlite:PATH or postgresql://";
        QTest::newRow("sqlite without path") << QStringList{"--database", "sqlite:"} << "needs a file path";
        QTest::newRow("zero threads") << QStringList{"--threads", "0"} << "1..256";
        QTest::newRow("negative threads") << QStringList{"--threads", "-2"} << "1..256";
        QTest::newRow("threads with junk") << QStringList{"--threads", "4x"} << "1..256";
        QTest::newRow("zero workers") << QStringList{"--workers", "0"} << "--workers: expected 1..256";
        QTest::newRow("too many workers") << QStringList{"--workers", "257"} << "--workers: expected 1..256";
        QTest::newRow("zero connections") << QStringList{"--max-connections", "0"} << "1..1000000";
        QTest::newRow("read timeout zero") << QStringList{"--read-timeout", "0"} << "--read-timeout";
        QTest::newRow("read timeout nan") << QStringList{"--read-timeout", "nan"} << "--read-timeout";
        QTest::newRow("rate negative") << QStringList{"--rate-limit", "-1"} << "--rate-limit";
        QTest::newRow("burst zero") << QStringList{"--rate-limit", "5:0"} << "burst";
        QTest::newRow("empty cert name") << QStringList{"--tls-cert=", "--tls-key", "k"} << "--tls-cert";
    }
    void badCommandLines()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, mentions);
        const auto options = parse(arguments);
        QCOMPARE(options.action, ServerOptions::Action::Error);
        QVERIFY2(options.error.find(mentions.toStdString()) != std::string::npos, options.error.c_str());
        QVERIFY(options.error.find('\n') == std::string::npos);
    }

    void helpAndVersion()
    {
        QCOMPARE(parse({"--help"}).action, ServerOptions::Action::Help);
        QCOMPARE(parse({"--threads", "3", "--version"}).action, ServerOptions::Action::Version);
        const std::string usage = ServerOptions::usage();
        for (const char *option : {"--listen", "--database", "--tls-cert", "--tls-key", "--threads", "--workers",
                                   "--max-connections", "--read-timeout", "--rate-limit", "--help", "--version"})
            QVERIFY2(usage.find(option) != std::string::npos, option);
    }

    void stopSignalIsWaitedFor()
    {
        StopSignal::block();
        // Directed at this thread, where it is blocked: it stays pending
        // until wait() takes it, and no default action kills the test.
        pthread_kill(pthread_self(), SIGTERM);
        QCOMPARE(StopSignal::wait(), SIGTERM);
        pthread_kill(pthread_self(), SIGINT);
        QCOMPARE(StopSignal::wait(), SIGINT);
    }
};

std::unique_ptr<QObject> makeServerOptionsTests()
{
    return std::make_unique<TestServerOptions>();
}

#include "tst_serveroptions.moc"
