#include "deviceprofile.h"

namespace kestrune {

namespace {
DeviceProfile &currentProfile()
{
    static DeviceProfile profile;
    return profile;
}
} // namespace

DeviceProfile::DeviceProfile(Idiom idiom, QSizeF portraitSize, qreal bottomSafeAreaInset, qreal statusBarHeight)
    : m_idiom(idiom)
    , m_portraitSize(portraitSize)
    , m_bottomSafeAreaInset(bottomSafeAreaInset)
    , m_statusBarHeight(statusBarHeight)
{
}

DeviceProfile DeviceProfile::phone()
{
    return DeviceProfile(Idiom::phone, {375, 667}, 0, 20);
}

DeviceProfile DeviceProfile::smallPhone()
{
    return DeviceProfile(Idiom::phone, {320, 568}, 0, 20);
}

DeviceProfile DeviceProfile::tallPhone()
{
    return DeviceProfile(Idiom::phone, {390, 844}, 34, 47);
}

DeviceProfile DeviceProfile::tablet()
{
    return DeviceProfile(Idiom::tablet, {768, 1024}, 0, 20);
}

std::optional<DeviceProfile> DeviceProfile::fromName(const QString &name)
{
    if (name == QLatin1String("phone"))
        return phone();
    if (name == QLatin1String("small-phone"))
        return smallPhone();
    if (name == QLatin1String("tall-phone"))
        return tallPhone();
    if (name == QLatin1String("tablet"))
        return tablet();
    return std::nullopt;
}

bool DeviceProfile::isLandscape() const
{
    return m_orientation == Orientation::landscapeLeft || m_orientation == Orientation::landscapeRight;
}

QSizeF DeviceProfile::size() const
{
    return isLandscape() ? m_portraitSize.transposed() : m_portraitSize;
}

const DeviceProfile &DeviceProfile::current()
{
    return currentProfile();
}

void DeviceProfile::setCurrent(const DeviceProfile &profile)
{
    currentProfile() = profile;
}

} // namespace kestrune
