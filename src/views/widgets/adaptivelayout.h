#pragma once

#include <QHBoxLayout>
#include <QRect>
#include <QVBoxLayout>

#include <functional>

namespace kestrune {

// A box layout that lets its widget adapt spacings, margins and sizes to the
// rectangle it is about to lay out, just before it does. A widget sees its
// own resize only after its layout has handled it, so metrics set in the
// widget's resizeEvent() come a pass late: the children are laid out at the
// old metrics first and then again, and text that fits itself to its size
// is fitted twice.
//
// The adapter runs on every pass, so it must set only what changed (see
// adaptSpacing()): a change invalidates the layout, and lays it out again.
template <class BoxLayout>
class AdaptiveLayout : public BoxLayout
{
public:
    using Adapter = std::function<void(const QRect &rect)>;

    using BoxLayout::BoxLayout;

    void setAdapter(Adapter adapter)
    {
        m_adapter = std::move(adapter);
        BoxLayout::invalidate();
    }

    void setGeometry(const QRect &rect) override
    {
        if (m_adapter)
            m_adapter(rect);
        BoxLayout::setGeometry(rect);
    }

private:
    Adapter m_adapter;
};

using AdaptiveHBoxLayout = AdaptiveLayout<QHBoxLayout>;
using AdaptiveVBoxLayout = AdaptiveLayout<QVBoxLayout>;

// Sets a box layout's spacing unless it has it already: the toolkit
// invalidates the layout even for the spacing it has.
inline void adaptSpacing(QBoxLayout *layout, int spacing)
{
    if (layout->spacing() != spacing)
        layout->setSpacing(spacing);
}

} // namespace kestrune
