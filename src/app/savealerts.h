#pragma once

#include <QObject>

namespace kestrune {

class SaveStatus;
class ToastAlert;

// Tells the player with a toast card when the games stop being saved (in
// words that say why when the disk is full) and again when they are saved
// once more. The status says each change once; so does this. GUI thread.
class SaveAlerts final : public QObject
{
    Q_OBJECT

public:
    // Seconds a card stays unless tapped: the bad news longer.
    static constexpr double failingSeconds = 6.0;
    static constexpr double savingSeconds = 3.0;

    SaveAlerts(SaveStatus &status, ToastAlert &toast, QObject *parent = nullptr);
};

} // namespace kestrune
