#include "navigationbar.h"

#include "barbuttonitem.h"
#include "navigationitem.h"

#include "platform/resources/resources.h"
#include "views/widgets/button.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>

namespace kestrune {

NavigationBar::NavigationBar(QWidget *parent)
    : QWidget(parent)
    , m_leftLayout(new QHBoxLayout)
    , m_rightLayout(new QHBoxLayout)
    , m_title(new QLabel(this))
{
    setObjectName(QStringLiteral("NavigationBar"));
    setAccessibleName(tr("Navigation bar"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 0, 4, 0);
    layout->setSpacing(0);
    m_leftLayout->setSpacing(0);
    m_rightLayout->setSpacing(0);
    m_title->setAlignment(Qt::AlignCenter);
    QFont font = m_title->font();
    font.setPixelSize(17);
    font.setWeight(QFont::DemiBold);
    m_title->setFont(font);
    // The title stays centred on the bar whatever the items on either side.
    layout->addLayout(m_leftLayout, 1);
    layout->addWidget(m_title, 2);
    layout->addLayout(m_rightLayout, 1);
    m_leftLayout->addStretch();
    m_rightLayout->insertStretch(0);
    setMinimumHeight(0);
}

NavigationBar::~NavigationBar()
{
    clearItems();
}

NavigationItem *NavigationBar::item() const
{
    return m_item;
}

void NavigationBar::setItem(NavigationItem *item)
{
    if (m_item == item)
        return;
    if (m_item)
        disconnect(m_item, nullptr, this, nullptr);
    m_item = item;
    if (m_item)
        connect(m_item, &NavigationItem::changed, this, &NavigationBar::rebuild);
    rebuild();
}

QString NavigationBar::title() const
{
    return m_title->text();
}

QWidget *NavigationBar::widgetFor(const BarButtonItem *item) const
{
    for (const Shown &shown : m_shown) {
        if (shown.item == item)
            return shown.widget;
    }
    return nullptr;
}

void NavigationBar::clearItems()
{
    for (const Shown &shown : std::as_const(m_shown)) {
        if (!shown.widget)
            continue;
        if (shown.isCustom) {
            // A custom widget belongs to its item: hand it back, hidden.
            shown.widget->hide();
            shown.widget->setParent(nullptr);
        } else {
            delete shown.widget;
        }
    }
    m_shown.clear();
}

QWidget *NavigationBar::makeWidget(BarButtonItem *item)
{
    if (QWidget *custom = item->customView()) {
        custom->setParent(this);
        custom->show();
        m_shown.append({item, custom, true});
        return custom;
    }
    auto *button = new Button(this);
    button->setImageName(item->imageName());
    button->setObjectName(item->accessibilityIdentifier());
    button->setAccessibleName(item->accessibleName().isEmpty() ? item->accessibilityIdentifier()
                                                               : item->accessibleName());
    button->setToolTip(item->toolTip());
    button->setAccessibleDescription(item->toolTip());
    button->setFixedSize(itemSide, itemSide);
    button->setIconSize(QSize(iconSide, iconSide));
    button->setEnabled(item->isEnabled());
    button->setFocusPolicy(Qt::TabFocus);
    connect(button, &QPushButton::clicked, item, &BarButtonItem::trigger);
    // A renamed or disabled item shows at once.
    connect(item, &BarButtonItem::changed, this, &NavigationBar::rebuild, Qt::UniqueConnection);
    m_shown.append({item, button, false});
    return button;
}

void NavigationBar::rebuild()
{
    clearItems();
    m_title->setText(m_item ? m_item->title() : QString());
    if (!m_item)
        return;
    int at = 0;
    for (BarButtonItem *item : m_item->leftItems())
        m_leftLayout->insertWidget(at++, makeWidget(item), 0, Qt::AlignVCenter);
    if (BarButtonItem *item = m_item->rightItem())
        m_rightLayout->addWidget(makeWidget(item), 0, Qt::AlignVCenter);
}

QSize NavigationBar::sizeHint() const
{
    return {QWidget::sizeHint().width(), barHeight};
}

QSize NavigationBar::minimumSizeHint() const
{
    return {0, 0};
}

void NavigationBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Resources::color(QStringLiteral("systemBackground")));
    painter.setPen(QPen(Resources::color(QStringLiteral("rowSeparator")), 1));
    painter.drawLine(0, height() - 1, width(), height() - 1);
}

} // namespace kestrune
