#pragma once

namespace kestrune {

// The screen the result screen returns to. The result screen holds its
// delegate weakly: when the delegate is also a QObject (as screens are), a
// QPointer notices its deletion; a delegate that is not a QObject must
// outlive the result screen.
class ResultViewControllerDelegate
{
public:
    virtual ~ResultViewControllerDelegate() = default;
    // Sets up the next match; called once per tap of the play button, before
    // the result screen leaves.
    virtual void playAgain() = 0;
};

} // namespace kestrune
