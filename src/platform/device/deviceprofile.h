#pragma once

#include <QSizeF>
#include <QString>

#include <optional>

namespace kestrune {

// The device the program behaves as: a phone or a tablet of a given size in
// points (device-independent pixels), held in an orientation. The program
// picks one at start; views read the current one for their spacings and
// fonts. GUI thread only.
class DeviceProfile
{
public:
    enum class Idiom { phone, tablet };
    enum class Orientation { portrait, portraitUpsideDown, landscapeLeft, landscapeRight };

    // A 375 x 667 phone without insets, held upright.
    DeviceProfile() = default;
    // portraitSize: width < height; insets >= 0.
    DeviceProfile(Idiom idiom, QSizeF portraitSize, qreal bottomSafeAreaInset, qreal statusBarHeight);

    static DeviceProfile phone();      // 375 x 667, no bottom inset
    static DeviceProfile smallPhone(); // 320 x 568
    static DeviceProfile tallPhone();  // 390 x 844, with a bottom inset
    static DeviceProfile tablet();     // 768 x 1024
    // "phone", "small-phone", "tall-phone" or "tablet"; nothing for other names.
    static std::optional<DeviceProfile> fromName(const QString &name);

    Idiom idiom() const { return m_idiom; }
    bool isTablet() const { return m_idiom == Idiom::tablet; }
    Orientation orientation() const { return m_orientation; }
    void setOrientation(Orientation orientation) { m_orientation = orientation; }
    bool isLandscape() const;
    // The screen in the current orientation.
    QSizeF size() const;
    QSizeF portraitSize() const { return m_portraitSize; }
    qreal bottomSafeAreaInset() const { return m_bottomSafeAreaInset; }
    qreal statusBarHeight() const { return m_statusBarHeight; }

    static const DeviceProfile &current();
    static void setCurrent(const DeviceProfile &profile);

private:
    Idiom m_idiom = Idiom::phone;
    QSizeF m_portraitSize{375, 667};
    qreal m_bottomSafeAreaInset = 0;
    qreal m_statusBarHeight = 20;
    Orientation m_orientation = Orientation::portrait;
};

} // namespace kestrune
