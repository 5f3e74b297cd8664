#pragma once

#include "views/widgets/dialogbutton.h"

namespace kestrune {

// A dialog button in the quieter colours: its title in the secondary label
// colour and its separator in the secondary background colour.
class ModernDialogButton : public DialogButton
{
    Q_OBJECT

public:
    ModernDialogButton(const QString &title, int height, bool dismissOnTap, std::function<void()> action,
                       QWidget *parent = nullptr);

protected:
    void setupView() override;
};

} // namespace kestrune
