#pragma once

#include <QLocalSocket>
#include <QTest>

namespace kestrune::test {

// Sends raw bytes as a peer of the local socket at `path` and waits for the
// line that comes back: empty when the other side only closes the
// connection, "not connected" when nobody listens.
inline QByteArray exchange(const QString &path, const QByteArray &bytes)
{
    QLocalSocket socket;
    socket.connectToServer(path);
    if (!socket.waitForConnected(5000))
        return "not connected";
    socket.write(bytes);
    QByteArray answer;
    (void)QTest::qWaitFor(
        [&] {
            if (socket.isOpen())
                answer += socket.readAll();
            return answer.endsWith('\n') || socket.state() == QLocalSocket::UnconnectedState;
        },
        20000);
    return answer;
}

} // namespace kestrune::test
