// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "formlayout.h"

namespace {

constexpr float kTabStripWidthMargin = 1490, kTabStripHeightMargin = 1420;
constexpr float kEditorWidthInset = 160, kEditorHeightInset = 390;
constexpr float kSearchRowGap = 100;
constexpr float kSearchOffset = 1800, kFindOffset = 3520, kFindNextOffset = 2800;

} // namespace

std::optional<FormLayoutPlan> FormLayout::plan(float outerWidth, float outerHeight, bool minimized)
{
    if (minimized)
        return std::nullopt;
    const float width = outerWidth < minimumWidth ? minimumWidth : outerWidth;
    const float height = outerHeight < minimumHeight ? minimumHeight : outerHeight;
    FormLayoutPlan plan = arrange(width, height);
    plan.sizeCorrected = width != outerWidth || height != outerHeight;
    return plan;
}

FormLayoutPlan FormLayout::arrange(float outerWidth, float outerHeight)
{
    FormLayoutPlan plan;
    plan.windowWidth = outerWidth;
    plan.windowHeight = outerHeight;

    plan.tabStrip = Design::tabStrip;
    plan.tabStrip.width = outerWidth - kTabStripWidthMargin;
    plan.tabStrip.height = outerHeight - kTabStripHeightMargin;

    plan.editors = Design::editors;
    plan.editors.width = plan.tabStrip.width - kEditorWidthInset;
    plan.editors.height = plan.tabStrip.height - kEditorHeightInset;

    const float searchTop = plan.tabStrip.height + kSearchRowGap;
    plan.search = { plan.tabStrip.width - kSearchOffset, searchTop, Design::search.width,
                    Design::search.height };
    plan.find
        = { plan.tabStrip.width - kFindOffset, searchTop, Design::find.width, Design::find.height };
    plan.findNext = { plan.tabStrip.width - kFindNextOffset, searchTop, Design::findNext.width,
                      Design::findNext.height };
    return plan;
}
