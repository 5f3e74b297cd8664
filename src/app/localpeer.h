#pragma once

#include <QByteArray>
#include <QObject>

class QSocketNotifier;

namespace kestrune {

// One connection accepted on a local socket: gathers what the peer sends,
// answers once and closes. It owns its descriptor and deletes itself once
// closed, also when the peer hangs up first. GUI thread only.
class LocalPeer : public QObject
{
    Q_OBJECT

public:
    // Takes a connected, non-blocking descriptor.
    LocalPeer(int descriptor, QObject *parent);
    ~LocalPeer() override;

    int descriptor() const { return m_descriptor; }
    // Everything received and not taken yet.
    const QByteArray &received() const { return m_received; }
    // Takes the first size bytes of received().
    QByteArray take(qsizetype size);
    // Stops reading: whatever the peer sends from now on is ignored, apart
    // from its hanging up.
    void stopReading() { m_reading = false; }
    bool isReading() const { return m_reading && !isClosed(); }
    bool isClosed() const { return m_descriptor < 0; }

    // Sends answer and closes.
    void answer(const QByteArray &answer);
    // Closes without a word.
    void abort();

signals:
    // New bytes arrived while reading.
    void readyRead();

private:
    void readAvailable();
    void close();

    int m_descriptor;
    QSocketNotifier *m_notifier;
    QByteArray m_received;
    bool m_reading = true;
};

} // namespace kestrune
