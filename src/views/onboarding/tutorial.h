#pragma once

#include "onboardingpage.h"

#include <QCoreApplication>
#include <QList>

class QWidget;

namespace kestrune {

class Onboarding;

// How to play, as six pages on an onboarding card.
class Tutorial
{
    Q_DECLARE_TR_FUNCTIONS(Tutorial)

public:
    // The tutorial over host, sized for the current device, not yet shown.
    // It deletes itself when closed.
    static Onboarding *create(QWidget *host);

    // The pages, in the order they are read.
    static QList<OnboardingPage> pages();

    // The card's share of a host of this size: 0.86 each on small screens,
    // else a 350 x 500 card, but at most 0.8 of either side.
    static qreal widthRatio(qreal hostWidth);
    static qreal heightRatio(qreal hostHeight);
};

} // namespace kestrune
