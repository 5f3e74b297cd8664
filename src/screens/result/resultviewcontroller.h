#pragma once

#include "gameresultview.h"
#include "resultcards.h"
#include "resultgameservice.h"
#include "sharedialog.h"

#include "game/rx/disposebag.h"
#include "screens/navigation/viewcontroller.h"
#include "views/widgets/outlinelabel.h"

#include <QImage>
#include <QList>
#include <QPointer>

#include <memory>
#include <string>
#include <vector>

class QAbstractButton;
class QKeyEvent;
class QLabel;

namespace Ui {
class ResultViewController;
}

namespace kestrune {

class Button;
class GameManaging;
struct MatchOutcome;
class NamedImageView;
class NumberView;
class ResultViewControllerDelegate;

// The screen after a decided match: the outcome's picture and texts (a
// match against the computer names the winner as "You" or "The computer";
// a match lost to the computer shows the code the player was looking for,
// whatever the screen's size; an assisted single-player match says how many
// hints it took), the single player's points in digit views, one card per
// board image (each peeks in from its side and slides in on a tap), the play
// button that asks the delegate for a new match and returns to the game
// screen, and the menu button (or Escape, or Alt+Left) that goes back to the
// menu. The play button has the focus when the screen appears; a card's share
// button takes focus only while the card is slid in.
//
// The inputs (gameManager, gameResults, delegate) come with the outcome the
// game screen hands over, or are set after creating the screen and before
// pushing it. The screen loads when it is
// first about to appear (or shown, off a stack), or earlier through an
// explicit loadView(); inputs set after loading change nothing. GUI thread
// only.
class ResultViewController : public ViewController
{
    Q_OBJECT

public:
    // The card offsets: peeking in by 25 points, or slid in to the card's
    // width + 15; toggled over 0.3 s.
    static constexpr qreal peekingCardOffset = ResultCards::peekingOffset;
    static constexpr qreal openCardMargin = ResultCards::openMargin;
    static constexpr int cardAnimationMs = ResultCards::animationMs;
    static constexpr int descriptionFontReduction = 4;
    // The share of a tablet's sizes a window shorter than the device keeps:
    // its height over the device's, never below this.
    static constexpr qreal smallestTabletScale = 0.68;
    static constexpr qreal minimumDescriptionPointSize = 12;
    // The result picture on a phone, and the least it gives way to texts.
    static constexpr int phonePictureSize = 150;
    static constexpr int smallestPhonePictureSize = 64;
    static qreal tabletScale(int windowHeight);

    using Card = ResultCards::Card;

    explicit ResultViewController(QWidget *parent = nullptr);
    // With the inputs of the outcome the game screen handed over.
    explicit ResultViewController(const MatchOutcome &outcome, QWidget *parent = nullptr);
    ~ResultViewController() override;

    // Sets the three inputs from an outcome, as the constructor above does.
    void setOutcome(const MatchOutcome &outcome);

    // The finished match, shared with the game screen so that a new match
    // started by playAgain() while this screen leaves cannot pull it away.
    std::shared_ptr<GameManaging> gameManager() const { return m_gameManager; }
    void setGameManager(std::shared_ptr<GameManaging> manager) { m_gameManager = std::move(manager); }
    // Board images, one per player in player order (at twice the device pixels).
    QList<QImage> gameResults() const { return m_gameResults; }
    void setGameResults(const QList<QImage> &images) { m_gameResults = images; }
    // Held weakly (see ResultViewControllerDelegate); null once it is gone.
    ResultViewControllerDelegate *delegate() const;
    void setDelegate(ResultViewControllerDelegate *delegate);

    // The game service's challenges: the one the match was played against,
    // and challenging another player with a won single-player match's
    // score. None: neither. Not owned; set before the screen loads.
    void setGameService(ResultGameService *service) { m_gameService = service; }

    // Where share dialogs save and copy to; tests replace the system's.
    void setShareServices(ShareDialog::Services services) { m_shareServices = std::move(services); }

    // Runs setupViews, setupBindings and showResult, once.
    void loadView();

    // The offset of a card: for the left card the distance of its trailing
    // edge from the screen's leading edge, for the right card that of its
    // leading edge from the trailing edge. The value the card is heading
    // for; offsetShown() is where it is drawn during the animation.
    qreal cardOffset(Card card) const { return m_cards->offset(card); }
    void setCardOffset(Card card, qreal offset) { m_cards->setOffset(card, offset); }
    qreal cardOffsetShown(Card card) const { return m_cards->shown(card); }
    // The view button of a card: 25 becomes the card's width + 15, any other
    // offset becomes 25, animated over 0.3 s.
    void toggleGameResultView(Card card) { m_cards->toggle(card); }

    // Shows the share sheet for the image over this screen; nothing without
    // a navigation stack. Returns the dialog shown, or null.
    ShareDialog *share(const QImage &image, QAbstractButton *sender);
    // What the share sheet offers with a board: the match's boards as marks,
    // its outcome and the home page; the invitation alone without a match.
    QString shareText() const;

    // The outlets; a removed view reads as null.
    NamedImageView *imageView() const;
    QLabel *resultLabel() const;
    OutlineLabel *resultDescriptionLabel() const { return m_resultDescriptionLabel; }
    // The line of an assisted match; null in any other.
    QLabel *assistedLabel() const { return m_assistedLabel; }
    // That line's text for `hints` (> 0) hints in a match that was won or not:
    // "Assisted: 2 hints", and "\nNot on the leaderboard" after it for a win.
    static QString assistedText(int hints, bool won);
    // The line about the challenge the single-player match was played
    // against; hidden in any other match.
    QLabel *challengeLabel() const;
    // That line's text: "You beat Bob's 610." or "Bob's 610 still stands."
    static QString challengeText(const ResultGameService::Challenge &challenge, bool beaten);
    // "Challenge a player", after a won single-player match with a score
    // while the service can send challenges; hidden otherwise.
    Button *challengeButton() const;
    Button *playButton() const;
    Button *menuButton() const;
    // Back to the root screen, the menu, past the finished match.
    void backToMenu();
    QWidget *numberStackView() const;
    QWidget *pointsStackView() const { return m_pointsStackView; }
    QWidget *outerStackerView() const;
    GameResultView *leftGameResultView() const { return m_leftCard; }
    GameResultView *rightGameResultView() const { return m_rightCard; }
    QList<NumberView *> numberViews() const;

signals:
    // After the outcome went to assistive technology as an alert on the
    // headline, each time the screen has appeared.
    void resultAnnounced(const QString &headline);

protected:
    void viewDidLoad() override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // Fonts, picture, digits, button and margins at the device's sizes; a
    // tablet's times `tabletScale`.
    void applySizes(qreal tabletScale);

    void setupViews();
    void setupBindings();
    void showResult();
    void showPoints(std::int64_t points);
    void removePointsDisplay();
    void removeDescription();
    void showAssisted(bool won);
    void showChallenge();
    void challengeTapped();
    void fitDescription();
    void fitPicture();
    void willAppear(bool animated);
    void playAgainTapped();
    void announceResult();
    void layoutCards();
    static bool isBackKey(const QKeyEvent &event);

    std::unique_ptr<Ui::ResultViewController> ui;
    QWidget *m_contentView;
    ResultCards *m_cards;
    GameResultView *m_leftCard;
    GameResultView *m_rightCard;
    QPointer<OutlineLabel> m_resultDescriptionLabel;
    QMargins m_phoneMargins;
    // The description's font before it is fitted to the window's width.
    qreal m_descriptionPointSize = 0;
    QString m_descriptionText; // as the summary gave it, before any breaks
    qreal m_tabletScale = 1.0;
    QPointer<QLabel> m_assistedLabel;
    QPointer<QWidget> m_pointsStackView;
    std::shared_ptr<GameManaging> m_gameManager;
    QList<QImage> m_gameResults;
    ResultViewControllerDelegate *m_delegate = nullptr;
    ResultGameService *m_gameService = nullptr;
    std::int64_t m_points = 0;
    QPointer<QObject> m_delegateObject;
    bool m_delegateIsObject = false;
    ShareDialog::Services m_shareServices = ShareDialog::systemServices();
    bool m_loaded = false;
    rx::DisposeBag m_disposeBag;
};

} // namespace kestrune
