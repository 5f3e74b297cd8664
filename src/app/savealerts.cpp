#include "savealerts.h"

#include "platform/savestatus.h"
#include "views/toast/toastalert.h"
#include "views/toast/toastalertview.h"

namespace kestrune {

SaveAlerts::SaveAlerts(SaveStatus &status, ToastAlert &toast, QObject *parent)
    : QObject(parent)
{
    connect(&status, &SaveStatus::changed, this, [&toast](KeyValueStore::Failure failure) {
        const bool saving = failure == KeyValueStore::Failure::none;
        toast.showAlert(new ToastAlertView(SaveStatus::message(failure),
                                           saving ? QStringLiteral("Win") : QStringLiteral("Lose"), true,
                                           saving ? savingSeconds : failingSeconds));
    });
}

} // namespace kestrune
