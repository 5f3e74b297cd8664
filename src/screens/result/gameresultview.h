#pragma once

#include <QImage>
#include <QPainterPath>
#include <QWidget>

#include <functional>
#include <memory>

class QAbstractButton;

namespace Ui {
class GameResultView;
}

namespace kestrune {

class Button;
class ImageButton;
class PatternView;

// A card with one finished board: a strip of triangles along its top and
// bottom edges, the board image at its own aspect ratio (a tap on it is the
// card's view button) and a share button below. The card casts a soft shadow
// that leaves out the share button's row. GUI thread only.
class GameResultView : public QWidget
{
    Q_OBJECT

public:
    // Height of the share button's row under the card body; the shadow
    // stops above it.
    static constexpr int shareRowHeight = 45;
    // Room around the content for the shadow.
    static constexpr int shadowMargin = 4;

    enum class ShareButtonSide { leading, trailing };

    explicit GameResultView(QWidget *parent = nullptr);
    ~GameResultView() override;

    // Shows the image (a null one shows nothing and takes no height).
    void setImage(const QImage &image);

    // Set by the owner; an unset callback makes the tap do nothing.
    void setShareAction(std::function<void(QAbstractButton *)> action) { m_shareAction = std::move(action); }
    void setViewAction(std::function<void()> action) { m_viewAction = std::move(action); }
    void shareButtonAction(QAbstractButton *sender);
    void viewButtonAction();

    // Which side of the card the share button sits on.
    ShareButtonSide shareButtonSide() const { return m_side; }
    void setShareButtonSide(ShareButtonSide side);

    QWidget *view() const { return m_view; }
    PatternView *topImageView() const;
    PatternView *bottomImageView() const;
    ImageButton *imageView() const;
    Button *shareButton() const;
    // The shape the shadow is cast from, in the card's coordinates: the
    // content's rectangle without the share button's row.
    QPainterPath shadowPath() const { return m_shadowPath; }

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    std::unique_ptr<Ui::GameResultView> ui;
    QWidget *m_view;
    std::function<void(QAbstractButton *)> m_shareAction;
    std::function<void()> m_viewAction;
    ShareButtonSide m_side = ShareButtonSide::leading;
    QPainterPath m_shadowPath;
};

} // namespace kestrune
