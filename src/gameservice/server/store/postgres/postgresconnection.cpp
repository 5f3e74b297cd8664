#include "postgresconnection.h"

#include "postgreserror.h"

#include <libpq-fe.h>

namespace kestrune::server {

namespace {

std::string firstLine(const char *message)
{
    std::string text = message ? message : "";
    if (const auto end = text.find('\n'); end != std::string::npos)
        text.resize(end);
    return text;
}

} // namespace

namespace {

// A connect timeout unless the connection string names its own (which,
// coming later, wins): an unreachable server fails a request, it does not
// hold a worker for ever.
pg_conn *connect(const std::string &conninfo)
{
    const char *keywords[] = {"connect_timeout", "dbname", nullptr};
    const char *values[] = {"10", conninfo.c_str(), nullptr};
    return PQconnectdbParams(keywords, values, 1);
}

} // namespace

PostgresConnection::PostgresConnection(const std::string &conninfo)
    : m_connection(connect(conninfo))
{
    if (PQstatus(m_connection) != CONNECTION_OK) {
        const std::string reason = firstLine(PQerrorMessage(m_connection));
        PQfinish(m_connection);
        m_connection = nullptr;
        throw StoreError("cannot connect to PostgreSQL: " + reason);
    }
    // The server's notices ("already exists, skipping") are its own log's
    // business, not the program's standard error.
    PQsetNoticeProcessor(
        m_connection, [](void *, const char *) {}, nullptr);
    if (PQsetClientEncoding(m_connection, "UTF8") != 0) {
        PQfinish(m_connection);
        m_connection = nullptr;
        throw StoreError("PostgreSQL connection refused the UTF8 client encoding");
    }
}

PostgresConnection::~PostgresConnection()
{
    if (m_connection)
        PQfinish(m_connection);
}

bool PostgresConnection::connected() const
{
    return m_connection && PQstatus(m_connection) == CONNECTION_OK;
}

bool PostgresConnection::reusable() const
{
    return connected() && PQtransactionStatus(m_connection) == PQTRANS_IDLE;
}

PostgresResult PostgresConnection::exec(const std::string &sql, const std::vector<std::string> &parameters)
{
    std::vector<const char *> values;
    values.reserve(parameters.size());
    for (const std::string &p : parameters) {
        // Text parameters end at the first NUL: refuse rather than store
        // a silently shortened value.
        if (p.find('\0') != std::string::npos)
            throw StoreError("a value for PostgreSQL contains a NUL character");
        values.push_back(p.c_str());
    }
    auto prepared = m_prepared.find(sql);
    if (prepared == m_prepared.end()) {
        const std::string name = "k" + std::to_string(m_prepared.size() + 1);
        checked(PQprepare(m_connection, name.c_str(), sql.c_str(), static_cast<int>(parameters.size()), nullptr),
                "preparing a statement");
        prepared = m_prepared.emplace(sql, name).first;
    }
    return checked(PQexecPrepared(m_connection, prepared->second.c_str(), static_cast<int>(values.size()),
                                  values.data(), nullptr, nullptr, 0),
                   "running a statement");
}

void PostgresConnection::command(const char *sql)
{
    checked(PQexec(m_connection, sql), sql);
}

PostgresResult PostgresConnection::checked(pg_result *raw, const std::string &what)
{
    PostgresResult result(raw);
    const ExecStatusType status = raw ? PQresultStatus(raw) : PGRES_FATAL_ERROR;
    if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK)
        return result;
    if (!raw)
        throw PostgresError(what + ": " + firstLine(PQerrorMessage(m_connection)), {});
    // Only the primary message: the detail of a unique violation would
    // repeat the key, which may be a token's hash.
    const char *state = PQresultErrorField(raw, PG_DIAG_SQLSTATE);
    const char *primary = PQresultErrorField(raw, PG_DIAG_MESSAGE_PRIMARY);
    const char *constraint = PQresultErrorField(raw, PG_DIAG_CONSTRAINT_NAME);
    std::string message = primary ? primary : firstLine(PQerrorMessage(m_connection));
    if (state)
        message += std::string(" (SQLSTATE ") + state + ")";
    throw PostgresError(message, state ? state : "", constraint ? constraint : "");
}

} // namespace kestrune::server
