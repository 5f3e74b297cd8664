#include "tutorial.h"

#include "onboarding.h"
#include "platform/device/screensize.h"
#include "platform/resources/resources.h"

#include <QColor>
#include <QCoreApplication>

#include <algorithm>

namespace kestrune {

namespace {
constexpr qreal smallScreenRatio = 0.86;
constexpr qreal largestRatio = 0.8;
constexpr qreal cardWidth = 350;
constexpr qreal cardHeight = 500;

qreal ratio(qreal card, qreal host)
{
    if (currentScreenSize() == ScreenSize::small)
        return smallScreenRatio;
    // A host not laid out yet has no size; the largest card is the safe guess.
    if (host <= 0)
        return largestRatio;
    return std::min(card / host, largestRatio);
}

} // namespace

QList<OnboardingPage> Tutorial::pages()
{
    const QString bullsAndCows = QStringLiteral("Tutorial Bulls and Cows");
    return {
        {QStringLiteral("Tutorial Puzzle"), tr("Classic puzzle based game"),
         tr("The goal is to break a 4-digit code, where each digit is different, in the fewest number of guesses.")},
        {bullsAndCows, tr("Black indicator pegs"),
         tr("Each black peg means that one of the guessed digits is correct, and is in the right position.")},
        {bullsAndCows, tr("White indicator pegs"),
         tr("Each white peg means that one of the guessed digits is correct, but is in the wrong position.")},
        {bullsAndCows, tr("Indicator pegs"), tr("The order of the white and black pegs does not matter.")},
        {QStringLiteral("Tutorial Single Player"), tr("Single player"),
         tr("Guesses and feedback continue to appear alternately until either the code is guessed, or ten "
            "incorrect guesses have been made.")},
        {QStringLiteral("Tutorial Two Players"), tr("Two players"),
         tr("Players guess different codes. As the first player has a logical advantage, if they find the code, "
            "the second player has one more shot, and if they also succeed, it is a tie.")},
    };
}

qreal Tutorial::widthRatio(qreal hostWidth)
{
    return ratio(cardWidth, hostWidth);
}

qreal Tutorial::heightRatio(qreal hostHeight)
{
    return ratio(cardHeight, hostHeight);
}

Onboarding *Tutorial::create(QWidget *host)
{
    auto *tutorial = new Onboarding(pages(), host);
    tutorial->setObjectName(QStringLiteral("TutorialView"));
    tutorial->setAccessibleName(tr("Tutorial"));
    tutorial->setAttribute(Qt::WA_DeleteOnClose);
    tutorial->setCloseButtonTitle(tr("DONE"));
    // The colours in the order Onboarding declares its settings.
    const QColor red = Resources::color(QStringLiteral("tutorialRed"));
    tutorial->setBackgroundColor(Resources::color(QStringLiteral("secondarySystemBackground")));
    tutorial->setTintColor(red);
    tutorial->setButtonTitleColor(Qt::white);
    tutorial->setCurrentPageIndicatorColor(red);
    tutorial->setTextColor(Resources::color(QStringLiteral("label")));
    tutorial->setWidthRatio(widthRatio(host ? host->width() : 0));
    tutorial->setHeightRatio(heightRatio(host ? host->height() : 0));
    tutorial->setTitleColor(red);
    return tutorial;
}

} // namespace kestrune
