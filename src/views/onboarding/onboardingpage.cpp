#include "onboardingpage.h"

namespace kestrune {

OnboardingPage::OnboardingPage(const QString &image, const QString &title, const QString &text)
    : m_image(image)
    , m_title(title)
    , m_text(text)
{
}

} // namespace kestrune
