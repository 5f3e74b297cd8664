#include "gameserviceviewcontroller.h"

#include "gameservicecontrollerdelegate.h"

namespace kestrune {

void GameServiceViewController::finish()
{
    if (m_delegate)
        m_delegate->gameServiceViewControllerDidFinish(*this);
    else
        dismiss(true, {});
}

void GameServiceViewController::signOut()
{
    if (m_delegate)
        m_delegate->gameServiceViewControllerDidSignOut(*this);
}

} // namespace kestrune
