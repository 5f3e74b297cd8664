#pragma once

#include "gameservice/client/gameservicemanagerdelegate.h"

#include <QCoreApplication>
#include <QThread>
#include <QVariant>
#include <mutex>

#include <vector>

namespace kestrune::test {

// Records every delegate call, with its argument and whether it ran on the
// GUI thread.
class RecordingDelegate : public GameServiceManagerDelegate
{
public:
    struct Call
    {
        QString method;
        QVariant argument;       // dictionary, error domain, identifier, bool
        std::optional<int> code; // error code, when there is one
        bool onMainThread = false;
    };

    std::vector<Call> calls() const
    {
        std::lock_guard l(m);
        return m_calls;
    }
    std::vector<Call> callsOf(const QString &method) const
    {
        std::vector<Call> result;
        for (const Call &c : calls()) {
            if (c.method == method)
                result.push_back(c);
        }
        return result;
    }
    int count(const QString &method) const { return int(callsOf(method).size()); }
    void clear()
    {
        std::lock_guard l(m);
        m_calls.clear();
    }
    std::vector<std::shared_ptr<SignInViewController>> screens() const
    {
        std::lock_guard l(m);
        return m_screens;
    }

    void authenticateUser(GameServiceManager &, std::shared_ptr<SignInViewController> screen) override
    {
        {
            std::lock_guard l(m);
            m_screens.push_back(screen);
        }
        record("authenticateUser", {});
    }
    void availabilityChanged(GameServiceManager &, const QVariantMap &d) override { record("availabilityChanged", d); }
    void error(GameServiceManager &, const ServiceError &e) override { record("error", e.domain, e.code); }
    void reportedScore(GameServiceManager &, const Score &s, const OptionalError &e) override
    {
        record("reportedScore", qint64(s.value()), e ? std::optional(e->code) : std::nullopt);
    }
    void reportedAchievement(GameServiceManager &, const Achievement &a, const OptionalError &e) override
    {
        record("reportedAchievement", a.identifier(), e ? std::optional(e->code) : std::nullopt);
    }
    void didSaveAchievement(GameServiceManager &, const Achievement &a) override
    {
        record("didSaveAchievement", a.identifier());
    }
    void didSaveScore(GameServiceManager &, const Score &s) override { record("didSaveScore", qint64(s.value())); }
    void gameServiceSynced(GameServiceManager &, bool b) override { record("gameServiceSynced", b); }
    void gameServiceViewControllerPresented(GameServiceManager &, bool b) override { record("presented", b); }
    void gameServiceViewControllerDidFinish(GameServiceManager &, bool b) override { record("didFinish", b); }

protected:
    void record(const QString &method, const QVariant &argument, std::optional<int> code = std::nullopt)
    {
        const bool main = QThread::currentThread() == QCoreApplication::instance()->thread();
        std::lock_guard l(m);
        m_calls.push_back({method, argument, code, main});
    }

private:
    mutable std::mutex m;
    std::vector<Call> m_calls;
    std::vector<std::shared_ptr<SignInViewController>> m_screens;
};

} // namespace kestrune::test
