#include "formlayout.h"

namespace {

constexpr TwipsRect kTabStripDesign { 1305, 45, 9240, 7110 };
constexpr TwipsRect kEditorDesign { 1380, 375, 9105, 6705 };
constexpr TwipsRect kFindDesign { 5610, 7275, 735, 255 };
constexpr TwipsRect kFindNextDesign { 6330, 7275, 975, 255 };
constexpr TwipsRect kSearchDesign { 7410, 7245, 3015, 285 };

constexpr float kTabStripWidthMargin = 1490, kTabStripHeightMargin = 1420;
constexpr float kEditorWidthInset = 160, kEditorHeightInset = 390;
constexpr float kSearchRowGap = 100;
constexpr float kSearchOffset = 1800, kFindOffset = 3520, kFindNextOffset = 2800;

} // namespace

std::optional<FormLayoutPlan> FormLayout::plan(float outerWidth, float outerHeight, bool minimized)
{
    if (minimized)
        return std::nullopt;
    FormLayoutPlan plan;
    plan.windowWidth = outerWidth < minimumWidth ? minimumWidth : outerWidth;
    plan.windowHeight = outerHeight < minimumHeight ? minimumHeight : outerHeight;
    plan.sizeCorrected = plan.windowWidth != outerWidth || plan.windowHeight != outerHeight;

    plan.tabStrip = kTabStripDesign;
    plan.tabStrip.width = plan.windowWidth - kTabStripWidthMargin;
    plan.tabStrip.height = plan.windowHeight - kTabStripHeightMargin;

    plan.editors = kEditorDesign;
    plan.editors.width = plan.tabStrip.width - kEditorWidthInset;
    plan.editors.height = plan.tabStrip.height - kEditorHeightInset;

    const float searchTop = plan.tabStrip.height + kSearchRowGap;
    plan.search = { plan.tabStrip.width - kSearchOffset, searchTop, kSearchDesign.width,
                    kSearchDesign.height };
    plan.find
        = { plan.tabStrip.width - kFindOffset, searchTop, kFindDesign.width, kFindDesign.height };
    plan.findNext = { plan.tabStrip.width - kFindNextOffset, searchTop, kFindNextDesign.width,
                      kFindNextDesign.height };
    return plan;
}
