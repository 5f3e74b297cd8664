#include "gameprompts.h"

#include "platform/resources/resources.h"
#include "views/widgets/moderndialogbutton.h"
#include "views/widgets/promptdialog.h"

#include <QCoreApplication>

namespace kestrune {

namespace {

void applyScreenColours(PromptDialog &dialog)
{
    dialog.setTitleColor(Resources::color(QStringLiteral("label")));
    dialog.setMessageColor(Resources::color(QStringLiteral("secondaryLabel")));
    dialog.setBackgroundColor(Resources::color(QStringLiteral("systemBackground")));
}

// A question with Cancel and one action.
PromptDialog *makeCancelOrAct(const QString &title, const QString &message, const QString &identifier,
                              ModernDialogButton *action, bool cancelByDefault, QWidget *parent)
{
    auto *dialog = new PromptDialog(title, message, parent);
    dialog->setButtonAlignment(PromptDialog::ButtonAlignment::horizontal);
    dialog->setPreferredWidth(340);
    dialog->setObjectName(identifier);
    dialog->setAccessibleName(title);
    auto *cancel = new ModernDialogButton(GamePrompts::tr("Cancel"), 45, true, {});
    cancel->setObjectName(QStringLiteral("Cancel"));
    cancel->setDefault(cancelByDefault);
    dialog->addButtons({cancel, action});
    dialog->setCancelButton(cancel);
    applyScreenColours(*dialog);
    return dialog;
}

} // namespace

PromptDialog *GamePrompts::quit(std::function<void()> onQuit, QWidget *parent)
{
    auto *quit = new ModernDialogButton(tr("Quit"), 45, true, std::move(onQuit));
    quit->setObjectName(QStringLiteral("Quit"));
    quit->setTitleColor(Resources::color(QStringLiteral("systemRed")));
    // Return must not take the choice that throws the game away.
    return makeCancelOrAct(tr("Do you want to quit?"), tr("All progress will be lost."), QStringLiteral("QuitAlert"),
                           quit, true, parent);
}

PromptDialog *GamePrompts::hint(std::function<void()> onUse, QWidget *parent)
{
    auto *use = new ModernDialogButton(tr("Use hint"), 45, true, std::move(onUse));
    use->setObjectName(QStringLiteral("UseHint"));
    use->setTitleColor(Resources::color(QStringLiteral("accent")));
    // Return takes the hint the key asked for.
    return makeCancelOrAct(tr("Use a hint?"),
                           tr("A hint shows how many codes are left and types a good shot. "
                              "A match won with hints stays off the leaderboard."),
                           QStringLiteral("HintAlert"), use, false, parent);
}

PromptDialog *GamePrompts::strength(ComputerStrength current, std::function<void(ComputerStrength)> onChoice,
                                    QWidget *parent)
{
    auto *dialog = new PromptDialog(tr("Computer strength"), tr("How well should the computer play?"), parent);
    dialog->setButtonAlignment(PromptDialog::ButtonAlignment::vertical);
    dialog->setPreferredWidth(300);
    dialog->setObjectName(QStringLiteral("StrengthAlert"));
    dialog->setAccessibleName(tr("Computer strength"));
    QList<DialogButton *> buttons;
    for (ComputerStrength strength : ComputerStrengths::all) {
        const QString title = ComputerStrengths::displayTitle(strength);
        auto *button = new ModernDialogButton(title, 45, true, [onChoice, strength] {
            if (onChoice)
                onChoice(strength);
        });
        button->setObjectName(title);
        button->setAccessibleName(title);
        button->setTitleColor(Resources::color(QStringLiteral("accent")));
        // Return keeps the strength being played rather than cancelling.
        button->setDefault(strength == current);
        buttons.append(button);
    }
    auto *cancel = new ModernDialogButton(tr("Cancel"), 45, true, {});
    cancel->setObjectName(QStringLiteral("Cancel"));
    cancel->setAccessibleName(tr("Cancel"));
    cancel->setTitleColor(Resources::color(QStringLiteral("secondaryLabel")));
    buttons.append(cancel);
    dialog->addButtons(buttons);
    dialog->setCancelButton(cancel);
    applyScreenColours(*dialog);
    return dialog;
}

} // namespace kestrune
