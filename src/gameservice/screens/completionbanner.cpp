#include "completionbanner.h"

#include "views/widgets/accessiblesummary.h"

#include <QAccessible>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

namespace kestrune {

CompletionBanner::CompletionBanner(const QString &title, const QString &description, QWidget *window)
    : QFrame(window, window ? Qt::Widget : Qt::ToolTip)
    , m_title(new QLabel(title, this))
{
    setObjectName(QStringLiteral("completionBanner"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    auto *layout = new QVBoxLayout(this);
    auto *heading = new QLabel(tr("Achievement complete"), this);
    QFont bold = heading->font();
    bold.setBold(true);
    m_title->setFont(bold);
    layout->addWidget(heading);
    layout->addWidget(m_title);
    if (!description.isEmpty())
        layout->addWidget(new QLabel(description, this));
    // Read whole, and at once: it comes unasked and soon goes again.
    AccessibleSummary::readAsOne(this, QAccessible::AlertMessage);
    setAccessibleName(tr("Achievement complete: %1").arg(title));
    setAccessibleDescription(description);
    adjustSize();
    if (window) {
        // On one line each where they fit; wrapped to the window where a
        // long text (a translation, say) would stand out of it.
        const int room = window->width() - 2 * windowMargin;
        if (width() > room) {
            for (QLabel *label : findChildren<QLabel *>())
                label->setWordWrap(true);
            setFixedWidth(room);
            setFixedHeight(heightForWidth(room));
            layout->activate();
        }
        move((window->width() - width()) / 2, windowMargin);
    }
    show();
    raise();
    QAccessibleEvent shown(this, QAccessible::Alert);
    QAccessible::updateAccessibility(&shown);
    QTimer::singleShot(visibleMs, this, &QWidget::close);
}

QString CompletionBanner::title() const
{
    return m_title->text();
}

void CompletionBanner::mousePressEvent(QMouseEvent *)
{
    close();
}

} // namespace kestrune
