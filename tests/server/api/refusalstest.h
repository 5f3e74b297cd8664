#pragma once

#include "apifixture.h"

#include <QObject>

namespace kestrune::server::test {

// Every refusal: status, stable code, error body, and nothing written.
class RefusalsTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void refusals_data();
    void refusals();
    void adversarialInputIsKeptVerbatim_data();
    void adversarialInputIsKeptVerbatim();
    void wrongMethodListsTheAllowedOnes();
    void unmatchedRoutesShareOneLabel();
    void credentialsComeBeforeContent();
    void messagesDoNotEchoLongInput();

private:
    std::unique_ptr<ApiFixture> m_api;
    Account m_ada;
    Account m_bob;
};

} // namespace kestrune::server::test
