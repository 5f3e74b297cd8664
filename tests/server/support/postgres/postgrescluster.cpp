#include "postgrescluster.h"

#include <libpq-fe.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <thread>

#include <arpa/inet.h>
#include <fcntl.h>
#include <grp.h>
#include <netinet/in.h>
#include <pwd.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace kestrune::server::test {

namespace fs = std::filesystem;

namespace {

bool hasTools(const fs::path &dir)
{
    std::error_code ec;
    return !dir.empty() && fs::is_regular_file(dir / "initdb", ec) && fs::is_regular_file(dir / "pg_ctl", ec)
           && fs::is_regular_file(dir / "postgres", ec);
}

std::string trimmed(std::string s)
{
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r' || s.back() == ' '))
        s.pop_back();
    return s;
}

// KESTRUNE_PG_BINDIR, then what pg_config says, then the newest Debian
// installation.
fs::path findBinaries()
{
    if (const char *dir = std::getenv("KESTRUNE_PG_BINDIR"); dir && hasTools(dir))
        return dir;
    if (FILE *p = popen("pg_config --bindir 2>/dev/null", "r")) {
        std::array<char, 512> line{};
        std::string out;
        while (std::fgets(line.data(), line.size(), p))
            out += line.data();
        pclose(p);
        if (hasTools(trimmed(out)))
            return trimmed(out);
    }
    std::vector<fs::path> found;
    std::error_code ec;
    for (const auto &entry : fs::directory_iterator("/usr/lib/postgresql", ec)) {
        if (hasTools(entry.path() / "bin"))
            found.push_back(entry.path() / "bin");
    }
    if (found.empty())
        return {};
    // Version folders are numbers: "15" before "9.6" as text, so compare as numbers.
    return *std::max_element(found.begin(), found.end(), [](const fs::path &a, const fs::path &b) {
        return std::atof(a.parent_path().filename().c_str()) < std::atof(b.parent_path().filename().c_str());
    });
}

// The server needs the socket's full path within the kernel's limit
// (107 bytes), so a long or odd TMPDIR falls back to /tmp.
fs::path temporaryBase()
{
    std::error_code ec;
    fs::path base = fs::temp_directory_path(ec);
    const std::string text = base.string();
    if (ec || text.size() > 60 || text.find_first_of("'\\ ") != std::string::npos)
        base = "/tmp";
    return base;
}

int freePort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0)
        throw PostgresClusterError("PostgresCluster: no socket for finding a free port");
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof address;
    const bool ok = ::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0
                    && ::getsockname(fd, reinterpret_cast<sockaddr *>(&address), &length) == 0;
    ::close(fd);
    if (!ok)
        throw PostgresClusterError("PostgresCluster: could not find a free port");
    return ntohs(address.sin_port);
}

std::string quoted(const std::string &text)
{
    std::string out = "'";
    for (char c : text)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

std::string tailOf(const fs::path &file, std::size_t bytes = 1500)
{
    std::ifstream in(file, std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    std::string text = all.str();
    if (text.size() > bytes)
        text = "..." + text.substr(text.size() - bytes);
    return text;
}

} // namespace

PostgresCluster::PostgresCluster()
{
    m_binaries = findBinaries();
    if (m_binaries.empty()) {
        throw PostgresClusterError("PostgresCluster: PostgreSQL's server binaries (initdb, pg_ctl, postgres) were not "
                                   "found via KESTRUNE_PG_BINDIR, pg_config --bindir or /usr/lib/postgresql/*/bin; "
                                   "install the postgresql package");
    }
    std::string folderTemplate = (temporaryBase() / "kestrune-pg-XXXXXX").string();
    if (!::mkdtemp(folderTemplate.data()))
        throw PostgresClusterError("PostgresCluster: could not create a temporary folder: "
                                   + std::string(std::strerror(errno)));
    m_folder = folderTemplate;
    m_port = freePort();

    try {
        // The server refuses to run as root: hand the folder to nobody and
        // run the tools as nobody.
        m_dropPrivileges = ::geteuid() == 0;
        if (m_dropPrivileges) {
            const passwd *user = ::getpwnam("nobody");
            if (!user || ::chown(m_folder.c_str(), user->pw_uid, user->pw_gid) != 0)
                throw PostgresClusterError("PostgresCluster: running as root and could not hand " + m_folder.string()
                                           + " to the user nobody");
        }
        ::chmod(m_folder.c_str(), 0700);

        // initdb's own flush to disk is skipped (the cluster is thrown away
        // anyway); the server itself runs with fsync on.
        runTool("initdb",
                {"-D", (m_folder / "data").string(), "-U", "kestrune", "-A", "trust", "-E", "UTF8", "--no-locale",
                 "--no-sync"},
                120);
        std::ofstream config(m_folder / "data" / "postgresql.conf", std::ios::app);
        config << "\n# A throwaway cluster for tests: reachable only through its own folder.\n"
               << "listen_addresses = ''\n"
               << "unix_socket_directories = '" << m_folder.string() << "'\n"
               << "port = " << m_port << "\n"
               << "fsync = on\n"
               << "max_connections = 100\n";
        config.close();
        if (!config)
            throw PostgresClusterError("PostgresCluster: could not write postgresql.conf");

        m_running = true; // from here on a failed start still needs a stop
        runTool(
            "pg_ctl",
            {"-D", (m_folder / "data").string(), "-l", (m_folder / "server.log").string(), "-w", "-t", "60", "start"},
            90);
        startGuard();
    } catch (const PostgresClusterError &) {
        stop();
        std::error_code ec;
        fs::remove_all(m_folder, ec);
        throw;
    }
}

PostgresCluster::~PostgresCluster()
{
    stop();
    dismissGuard();
    std::error_code ec;
    fs::remove_all(m_folder, ec);
}

std::string PostgresCluster::conninfo(const std::string &database) const
{
    return "host=" + m_folder.string() + " port=" + std::to_string(m_port) + " user=kestrune dbname=" + database
           + " connect_timeout=10";
}

std::string PostgresCluster::createDatabase(const std::string &name)
{
    const bool valid = !name.empty() && name.size() < 60 && !std::isdigit(static_cast<unsigned char>(name[0]))
                       && std::all_of(name.begin(), name.end(), [](char c) {
                              return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
                          });
    if (!valid)
        throw PostgresClusterError("PostgresCluster: not a usable database name: " + name);
    std::unique_ptr<PGconn, decltype(&PQfinish)> connection(PQconnectdb(conninfo("postgres").c_str()), &PQfinish);
    if (PQstatus(connection.get()) != CONNECTION_OK)
        throw PostgresClusterError("PostgresCluster: cannot connect: " + std::string(PQerrorMessage(connection.get())));
    // Names cannot be bound as parameters; it was checked above.
    std::unique_ptr<PGresult, decltype(&PQclear)> result(PQexec(connection.get(), ("CREATE DATABASE " + name).c_str()),
                                                         &PQclear);
    if (PQresultStatus(result.get()) != PGRES_COMMAND_OK) {
        throw PostgresClusterError("PostgresCluster: could not create database " + name + ": "
                                   + PQresultErrorMessage(result.get()));
    }
    return conninfo(name);
}

// Runs one of the server's tools (as nobody when we are root), its output
// in the folder's tools.log, and waits for it at most `timeoutSeconds`.
void PostgresCluster::runTool(const std::string &tool, const std::vector<std::string> &arguments, int timeoutSeconds)
{
    const fs::path log = m_folder / "tools.log";
    std::vector<std::string> command;
    if (m_dropPrivileges) {
        const passwd *user = ::getpwnam("nobody");
        const gid_t group = user ? user->pw_gid : 65534;
        command = {"setpriv", "--reuid=" + std::to_string(user ? user->pw_uid : 65534),
                   "--regid=" + std::to_string(group), "--clear-groups"};
    }
    command.push_back((m_binaries / tool).string());
    command.insert(command.end(), arguments.begin(), arguments.end());

    std::vector<char *> argv;
    for (std::string &part : command)
        argv.push_back(part.data());
    argv.push_back(nullptr);
    // A plain, predictable environment: C locale, no PG* variables from the
    // caller pointing the tools elsewhere.
    std::vector<std::string> environment{"LC_ALL=C", "LANG=C", "TZ=UTC"};
    for (char **e = environ; *e; ++e) {
        if (std::strncmp(*e, "PATH=", 5) == 0)
            environment.emplace_back(*e);
    }
    std::vector<char *> envp;
    for (std::string &part : environment)
        envp.push_back(part.data());
    envp.push_back(nullptr);

    const int logFd = ::open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (logFd < 0)
        throw PostgresClusterError("PostgresCluster: cannot write " + log.string());
    const pid_t pid = ::fork();
    if (pid == 0) {
        // Only async-signal-safe calls between fork and exec.
        ::dup2(logFd, STDOUT_FILENO);
        ::dup2(logFd, STDERR_FILENO);
        const int devNull = ::open("/dev/null", O_RDONLY);
        if (devNull >= 0)
            ::dup2(devNull, STDIN_FILENO);
        ::close_range(3, ~0U, 0);
        if (::chdir(m_folder.c_str()) != 0)
            ::_exit(126);
        ::execvpe(argv[0], argv.data(), envp.data());
        ::_exit(127);
    }
    ::close(logFd);
    if (pid < 0)
        throw PostgresClusterError("PostgresCluster: could not start " + tool);

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
    int status = 0;
    for (;;) {
        const pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid)
            break;
        if (done < 0 && errno != EINTR)
            throw PostgresClusterError("PostgresCluster: lost track of " + tool);
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            throw PostgresClusterError("PostgresCluster: " + tool + " did not finish within "
                                       + std::to_string(timeoutSeconds) + " s:\n" + tailOf(log));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        const int code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        std::string message =
            "PostgresCluster: " + tool + " failed (exit " + std::to_string(code) + "):\n" + tailOf(log);
        if (code == 127)
            message += "\n(could not run " + command.front() + ")";
        const fs::path serverLog = m_folder / "server.log";
        if (tool == "pg_ctl" && fs::exists(serverLog))
            message += "\nserver log:\n" + tailOf(serverLog);
        throw PostgresClusterError(message);
    }
}

// A shell in a session of its own waits on a socket this process holds.
// "done" dismisses it; end of input without it means this process is gone,
// and the shell stops the server and removes the folder.
void PostgresCluster::startGuard()
{
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0)
        throw PostgresClusterError("PostgresCluster: no socket for the guard process");
    std::string prefix;
    if (m_dropPrivileges) {
        const passwd *user = ::getpwnam("nobody");
        prefix = "setpriv --reuid=" + std::to_string(user ? user->pw_uid : 65534)
                 + " --regid=" + std::to_string(user ? user->pw_gid : 65534) + " --clear-groups ";
    }
    std::string script = "read line; if [ \"$line\" != done ]; then " + prefix
                         + quoted((m_binaries / "pg_ctl").string()) + " -D " + quoted((m_folder / "data").string())
                         + " -m immediate -w -t 30 stop; rm -rf " + quoted(m_folder.string()) + "; fi";
    const char *argv[] = {"/bin/sh", "-c", script.c_str(), nullptr};
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(ends[1], STDIN_FILENO);
        const int devNull = ::open("/dev/null", O_WRONLY);
        if (devNull >= 0) {
            ::dup2(devNull, STDOUT_FILENO);
            ::dup2(devNull, STDERR_FILENO);
        }
        ::close_range(3, ~0U, 0);
        ::setsid(); // a Ctrl-C to the test's process group does not reach it
        ::execv(argv[0], const_cast<char **>(argv));
        ::_exit(127);
    }
    ::close(ends[1]);
    if (pid < 0) {
        ::close(ends[0]);
        throw PostgresClusterError("PostgresCluster: could not start the guard process");
    }
    m_guardSocket = ends[0];
    m_guardPid = pid;
}

void PostgresCluster::dismissGuard() noexcept
{
    if (m_guardPid < 0)
        return;
    ::send(m_guardSocket, "done\n", 5, MSG_NOSIGNAL);
    ::close(m_guardSocket);
    int status = 0;
    for (int i = 0; i < 250 && ::waitpid(m_guardPid, &status, WNOHANG) == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    if (::waitpid(m_guardPid, &status, WNOHANG) == 0) {
        ::kill(m_guardPid, SIGKILL);
        ::waitpid(m_guardPid, &status, 0);
    }
    m_guardPid = -1;
    m_guardSocket = -1;
}

void PostgresCluster::stop() noexcept
{
    if (!m_running)
        return;
    m_running = false;
    try {
        runTool("pg_ctl", {"-D", (m_folder / "data").string(), "-m", "fast", "-w", "-t", "60", "stop"}, 90);
        return;
    } catch (const std::exception &) {
        // Not stopped politely (or never started): end the postmaster, if
        // any, by the pid it wrote.
    }
    std::ifstream pidFile(m_folder / "data" / "postmaster.pid");
    long pid = 0;
    if (pidFile >> pid && pid > 1) {
        ::kill(static_cast<pid_t>(pid), SIGQUIT);
        for (int i = 0; i < 250 && ::kill(static_cast<pid_t>(pid), 0) == 0; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        if (::kill(static_cast<pid_t>(pid), 0) == 0)
            ::kill(static_cast<pid_t>(pid), SIGKILL);
    }
}

} // namespace kestrune::server::test
