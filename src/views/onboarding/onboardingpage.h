#pragma once

#include <QString>

namespace kestrune {

// One page of an onboarding card: a picture over a title and a paragraph.
// The image is the name of a resource image; a name that does not exist is a
// fault of the build and stops the process when the page is first drawn.
class OnboardingPage
{
public:
    OnboardingPage(const QString &image, const QString &title, const QString &text);

    QString image() const { return m_image; }
    QString title() const { return m_title; }
    QString text() const { return m_text; }

    friend bool operator==(const OnboardingPage &, const OnboardingPage &) = default;

private:
    QString m_image;
    QString m_title;
    QString m_text;
};

} // namespace kestrune
