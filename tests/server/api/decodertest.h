#pragma once

#include <QObject>

namespace kestrune::server::test {

// The request decoder, UTF-8 checks and secrets, each on its own.
class DecoderTest : public QObject
{
    Q_OBJECT

private slots:
    void targets_data();
    void targets();
    void bodies_data();
    void bodies();
    void utf8_data();
    void utf8();
    void contentTypes_data();
    void contentTypes();
    void tokensAreRandomAndUrlSafe();
    void secretsComeFromTheRandomSource();
    void recoveryCodesForgiveTyping_data();
    void recoveryCodesForgiveTyping();
    void hashIsSha256Hex();
};

} // namespace kestrune::server::test
