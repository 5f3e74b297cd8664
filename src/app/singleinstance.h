#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <optional>
#include <sys/types.h>

class QSocketNotifier;

namespace kestrune {

class LocalPeer;

// Keeps Kestrune to one running instance per user. The first start listens
// on a local socket; a later start hands its request to it and exits with
// the answer. A request is one line of at most maxRequestBytes:
//   "kestrune 1 raise\n" or "kestrune 1 quick-action <type>\n"
// and is answered "ok\n" or "failed\n". Anything else, and any peer of
// another user, is refused with a warning and changes nothing. GUI thread
// only.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    static constexpr int maxRequestBytes = 256;

    // What the running instance is asked: raise its window, and perform the
    // quick action when one is given (a type string, checked by the handler).
    // The handler answers through reply, at once or later, exactly once.
    using Handler = std::function<void(const QString &quickAction, std::function<void(bool)> reply)>;

    enum class Outcome {
        listening,   // this is the instance now
        handedOver,  // another instance took the request; see accepted()
        unavailable, // neither: no socket could be made, or the instance did not answer
    };

    // Whether a start that finds no instance becomes it. One that cannot
    // own the data folder only hands over: the folder's writer runs, even
    // when its socket cannot be reached from here.
    enum class Mode { handOverOrListen, handOverOnly };

    static constexpr int defaultTimeoutMs = 10000;

    // The socket of this user, in XDG_RUNTIME_DIR when there is one (else
    // the temporary folder); a data folder given makes a socket of its own,
    // so that test and demo runs never meet the player's instance.
    static QString socketPath(const QString &dataFolder = {});

    explicit SingleInstance(QString socketPath, QObject *parent = nullptr);
    ~SingleInstance() override;

    void setHandler(Handler handler) { m_handler = std::move(handler); }

    // Hands quickAction (empty: just raise) to a running instance, or, when
    // none answers, removes a stale socket and listens. Waits at most
    // timeoutMs for an answer. Once listening, it also removes the sockets
    // that killed instances of other data folders left beside its own.
    Outcome start(const QString &quickAction, int timeoutMs = defaultTimeoutMs, Mode mode = Mode::handOverOrListen);
    // The timeout of a start: the default, or KESTRUNE_HANDOVER_TIMEOUT_MS
    // within 100 ms to the default, for tests of an instance that cannot
    // answer (a stopped one) which must not wait that long.
    static int handOverTimeoutMs();
    // After handedOver: whether the instance did what was asked.
    bool accepted() const { return m_accepted; }
    QString errorString() const { return m_error; }
    bool isListening() const;

    // The user whose peers are let in; this process's own by default.
    void setOwnerUid(uid_t uid) { m_ownerUid = uid; }

    // Removes this user's sockets in folder that no instance listens on,
    // apart from except; one whose instance is starting (its lock is held) is
    // left alone. Returns how many went.
    static int removeDeadSockets(const QString &folder, const QString &except = {});

    // The request line for an action (empty: raise).
    static QByteArray request(const QString &quickAction);
    // The peer's user id of a connected local socket, if the system tells it.
    static std::optional<uid_t> peerUid(qintptr socketDescriptor);

signals:
    // After a request was refused, with the reason given in the warning.
    void refused(const QString &reason);

private:
    std::optional<bool> handOver(const QByteArray &request, int timeoutMs, bool &connected);
    bool listen();
    void stopListening();
    void accept();
    void readRequest(LocalPeer *peer);
    void refuse(LocalPeer *peer, const QString &reason, bool answer);

    QString m_path;
    int m_listener = -1;
    QSocketNotifier *m_notifier = nullptr;
    Handler m_handler;
    uid_t m_ownerUid;
    bool m_accepted = false;
    QString m_error;
};

} // namespace kestrune
