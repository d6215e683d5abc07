// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>

struct TwipsRect
{
    float left = 0, top = 0, width = 0, height = 0;
    bool operator==(const TwipsRect &) const = default;
};

// Where the resizable controls of the main window go for a given outer window size, in twips.
// The window never gets smaller than 6500 x 5000; the tab strip and the editors stretch with it
// and the search row follows the tab strip's lower edge and right-hand end.
struct FormLayoutPlan
{
    float windowWidth = 0, windowHeight = 0; // after the minimum is enforced
    bool sizeCorrected = false;
    TwipsRect tabStrip, editors, find, findNext, search;
};

// The design rectangles of the main window's controls, in twips. The file buttons' rectangles
// are relative to the frame, everything else to the client area.
namespace Design {
inline constexpr float clientWidth = 10635, clientHeight = 7710;
inline constexpr TwipsRect quickBar { 75, 105, 1215, 1560 };
inline constexpr TwipsRect openButton { 120, 240, 975, 320 };
inline constexpr TwipsRect closeButton { 120, 540, 975, 320 };
inline constexpr TwipsRect saveButton { 120, 840, 975, 320 };
inline constexpr TwipsRect saveAsButton { 120, 1140, 975, 320 };
inline constexpr TwipsRect tabStrip { 1305, 45, 9240, 7110 };
inline constexpr float tabHeight = 280;
inline constexpr TwipsRect editors { 1380, 375, 9105, 6705 };
inline constexpr TwipsRect find { 5610, 7275, 735, 255 };
inline constexpr TwipsRect findNext { 6330, 7275, 975, 255 };
inline constexpr TwipsRect search { 7410, 7245, 3015, 285 };
} // namespace Design

class FormLayout
{
public:
    static constexpr float minimumWidth = 6500, minimumHeight = 5000;

    // Nothing is laid out while the window is minimized.
    static std::optional<FormLayoutPlan> plan(float outerWidth, float outerHeight, bool minimized);

    // The controls for exactly this outer size, also one below the minimum: a window that cannot
    // take the minimum (capped by the window system) is still laid out for the size it has.
    static FormLayoutPlan arrange(float outerWidth, float outerHeight);
};
