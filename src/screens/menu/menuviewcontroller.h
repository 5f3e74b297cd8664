#pragma once

#include "menuenvironment.h"

#include "game/rx/disposebag.h"
#include "platform/device/screensize.h"
#include "screens/navigation/viewcontroller.h"
#include "views/radialmenu/blurview.h"
#include "views/radialmenu/radialmenudelegate.h"

#include <QFont>
#include <QPointer>
#include <QString>

#include <memory>
#include <optional>

class QVariantAnimation;

namespace Ui {
class MenuViewController;
}

namespace kestrune {

class Button;
class OutlineLabel;
class RadialMenu;
class WinLoseBar;
class SignInViewController;

// The root screen: a quotation, the radial mode selector, the statistics
// and game-service buttons and the win/lose bar. Picking a mode performs
// the segue "singleplayer", "multiplayer" or "computer" (two players, the
// second one the computer); the statistics button performs
// "statistics". GUI thread only.
class MenuViewController : public ViewController, public RadialMenuDelegate
{
    Q_OBJECT

public:
    static constexpr int gameServiceAnimationMs = 300;
    static constexpr qreal blurAlpha = 0.8;

    explicit MenuViewController(const MenuEnvironment &environment, QWidget *parent = nullptr);
    ~MenuViewController() override;

    // Whether a mode selection may still start a game: true from each
    // appearance until the first selection.
    bool isRadialMenuInteractionAllowed() const { return m_interactionAllowed; }

    // Quotation font size in points for a screen-size class; the author
    // uses half of it.
    static int quotationFontSize(ScreenSize size);
    static qreal ringDistance(bool tablet) { return tablet ? 220 : 190; }

    OutlineLabel *quotationLabel() const;
    OutlineLabel *quotationAuthorLabel() const;
    RadialMenu *playButton() const;
    Button *statisticsButton() const;
    Button *gameServiceButton() const;
    WinLoseBar *bottomBar() const;
    // The blur behind the open ring; null while it is closed.
    BlurView *blurView() const { return m_blur; }

    // Where the game-service button stands: its leading offset (its width
    // negated while hidden) and the space between it and the statistics
    // button; their targets while the animation runs.
    qreal gameServiceButtonLeading() const { return m_gameServiceLeading; }
    qreal verticalSpacingButtons() const { return m_buttonSpacing; }
    int bottomBarHeight() const { return m_bottomBarHeight; }

    void setGameServiceButtonAvailable(bool available, bool animated);
    void updateWinLoseBar();

    void radialMenuWillDisplay(RadialMenu &menu, Button *button, int index) override;
    void radialMenuButtonWillSelected(RadialMenu &menu, Button *button, int index) override;
    void radialMenuButtonDidSelected(RadialMenu &menu, Button *button, int index) override;
    void menuCollapsed(RadialMenu &menu) override;

protected:
    void viewDidLoad() override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void setupViews();
    void setupBindings();
    void appear(bool animated);
    void presentPendingSignIn();
    void applyColors();
    void layoutViews();
    void removeBlur();

    std::unique_ptr<Ui::MenuViewController> ui;
    MenuEnvironment m_environment;
    rx::DisposeBag m_disposeBag;
    // A sign-in screen the service asked for, until the menu can show it.
    std::optional<std::shared_ptr<SignInViewController>> m_pendingSignIn;
    QPointer<BlurView> m_blur;
    QVariantAnimation *m_gameServiceAnimation;
    qreal m_gameServiceLeading = 0;
    qreal m_buttonSpacing = 8;
    qreal m_shownLeading = 0;
    qreal m_shownSpacing = 8;
    int m_bottomBarHeight = 10;
    bool m_interactionAllowed = true;
    // What the quotation was last broken into lines for.
    struct WrappedFor
    {
        QString text;
        QFont font;
        qreal width = -1;
    } m_wrappedFor;
};

} // namespace kestrune
