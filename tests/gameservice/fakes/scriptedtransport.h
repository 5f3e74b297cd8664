#pragma once

// A transport that answers from a script and keeps every request, for
// tests of what the game sends to a server and how it reads the answers.
#include "gameservice/network/transport/httptransport.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <deque>
#include <mutex>
#include <vector>

namespace kestrune::test {

using net::HttpRequest;
using net::HttpResponse;

inline HttpResponse answer(int status, const QJsonObject &body, std::vector<std::pair<std::string, std::string>> headers = {})
{
    HttpResponse r;
    r.status = status;
    r.body = QJsonDocument(body).toJson(QJsonDocument::Compact).toStdString();
    r.headers = std::move(headers);
    return r;
}

inline HttpResponse refusal(int status, const char *code, std::vector<std::pair<std::string, std::string>> headers = {})
{
    return answer(status, QJsonObject{{"error", QJsonObject{{"code", code}, {"message", "No."}}}}, std::move(headers));
}

// Answers from a queue and keeps every request.
class ScriptedTransport final : public net::HttpTransport
{
public:
    HttpResponse send(const HttpRequest &request) override
    {
        std::lock_guard lock(m_mutex);
        requests.push_back(request);
        if (answers.empty()) {
            HttpResponse none;
            none.failure = HttpResponse::Failure::connect;
            none.error = "Connection refused";
            return none;
        }
        HttpResponse r = answers.front();
        answers.pop_front();
        return r;
    }
    void cancelAll() override {}

    // Locked, for tests whose requests come from service threads.
    void push(HttpResponse response)
    {
        std::lock_guard lock(m_mutex);
        answers.push_back(std::move(response));
    }
    std::vector<HttpRequest> sent()
    {
        std::lock_guard lock(m_mutex);
        return requests;
    }

    QJsonObject body(std::size_t i) const
    {
        return QJsonDocument::fromJson(QByteArray::fromStdString(requests.at(i).body)).object();
    }
    std::string header(std::size_t i, const std::string &name) const
    {
        for (const auto &[key, value] : requests.at(i).headers)
            if (key == name)
                return value;
        return {};
    }

    std::mutex m_mutex;
    std::deque<HttpResponse> answers;
    std::vector<HttpRequest> requests;
};

} // namespace kestrune::test
