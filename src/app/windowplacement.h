#pragma once

#include "platform/device/deviceprofile.h"

#include <QObject>
#include <QRect>
#include <QTimer>

#include <optional>
#include <string>

class QWidget;

namespace kestrune {

class KeyValueStore;

// Gives the program's window its first place and size and remembers where
// the player put it. The first window is the device fitted to the primary
// screen, unless a remembered one still lies on a screen; each idiom (phone,
// tablet) remembers its own, since their shapes differ. Moves and resizes are
// written a moment after they stop, and once more on destruction if one is
// still waiting; only upright windows are remembered, as the landscape ones
// are the game's turns, not the player's choice. GUI thread only; the window
// and the store must outlive it.
class WindowPlacement : public QObject
{
    Q_OBJECT

public:
    static constexpr int saveDelayMs = 500;

    WindowPlacement(QWidget &window, KeyValueStore &store, const DeviceProfile &profile);
    ~WindowPlacement() override;

    // Sets the window's minimum size, size and position for the profile
    // given (upright). Call before the window is shown.
    void place();
    // Writes the window's place now if it is upright and a normal window.
    void save();

    // The store's key for a profile's window.
    static std::string key(const DeviceProfile &profile);
    // "x,y,width,height"; anything else decodes to nothing.
    static std::string encode(const QRect &geometry);
    static std::optional<QRect> decode(const std::string &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget &m_window;
    KeyValueStore &m_store;
    DeviceProfile m_profile;
    std::string m_key;
    QTimer m_pending;
    bool m_placed = false;
};

} // namespace kestrune
