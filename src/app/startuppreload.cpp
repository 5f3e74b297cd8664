#include "startuppreload.h"

#include "platform/resources/resources.h"

#ifdef KESTRUNE_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace kestrune {

StartupPreload::StartupPreload()
    : m_thread([] {
#ifdef KESTRUNE_HAVE_FONTCONFIG
        // The toolkit's font database initialises the same configuration
        // later; fontconfig makes it once for the process, whoever asks.
        FcInit();
#endif
        Resources::preload();
    })
{
}

StartupPreload::~StartupPreload()
{
    wait();
}

void StartupPreload::wait()
{
    if (m_thread.joinable())
        m_thread.join();
}

} // namespace kestrune
