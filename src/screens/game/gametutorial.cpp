#include "gametutorial.h"

#include "game/keyvaluestore.h"
#include "game/rx/disposebag.h"
#include "game/rx/scheduler.h"
#include "screens/navigation/viewcontroller.h"
#include "views/onboarding/onboarding.h"
#include "views/onboarding/tutorial.h"

#include <QPointer>

#include <algorithm>
#include <chrono>

namespace kestrune {

GameTutorial::GameTutorial(ViewController &screen, KeyValueStore *store, rx::Scheduler &scheduler)
    : QObject(&screen)
    , m_screen(screen)
    , m_store(store)
    , m_scheduler(scheduler)
{
}

GameTutorial::~GameTutorial() = default;

void GameTutorial::show()
{
    QWidget *window = m_screen.window();
    // One tutorial at a time: asking again while it shows brings nothing new.
    const auto tutorials =
        window->findChildren<Onboarding *>(QStringLiteral("TutorialView"), Qt::FindDirectChildrenOnly);
    if (std::any_of(tutorials.begin(), tutorials.end(), [](const Onboarding *shown) { return shown->isVisible(); }))
        return;
    Onboarding *tutorial = Tutorial::create(window);
    m_screen.closeOverlayWithScreen(tutorial);
    tutorial->open();
}

void GameTutorial::showOnFirstLaunch(rx::DisposeBag &bag)
{
    if (!m_store || m_store->boolean(launchedOnceKey).value_or(false))
        return;
    QPointer<GameTutorial> self(this);
    KeyValueStore *store = m_store;
    m_scheduler
        .scheduleAfter(std::chrono::milliseconds(firstLaunchDelayMs),
                       [self, store] {
                           if (!self)
                               return;
                           // Two appearances within the second must not open it twice.
                           if (store->boolean(launchedOnceKey).value_or(false))
                               return;
                           store->setBoolean(launchedOnceKey, true);
                           store->synchronize();
                           self->show();
                       })
        .disposed(bag);
}

} // namespace kestrune
