#pragma once

#include "game/keyvaluestore.h"

#include <QObject>
#include <QString>

namespace kestrune {

// Whether the player's games are being saved, told to the thread this
// object lives on (the GUI thread) through its event loop: changed() comes
// once when writing starts failing, once when it works again, never for the
// failures in between. report() may be called from any thread.
class SaveStatus final : public QObject
{
    Q_OBJECT

public:
    using Failure = KeyValueStore::Failure;

    explicit SaveStatus(QObject *parent = nullptr);

    // The outcome of a write. Any thread.
    void report(Failure failure);

    // The state last delivered. This object's thread.
    Failure failure() const { return m_delivered; }

    // What the player is told when the state becomes `failure`.
    static QString message(Failure failure);

signals:
    void changed(kestrune::KeyValueStore::Failure failure);

private:
    Failure m_delivered = Failure::none; // this object's thread only
};

} // namespace kestrune
