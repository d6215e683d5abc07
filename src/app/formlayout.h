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

class FormLayout
{
public:
    static constexpr float minimumWidth = 6500, minimumHeight = 5000;

    // Nothing is laid out while the window is minimized.
    static std::optional<FormLayoutPlan> plan(float outerWidth, float outerHeight, bool minimized);
};
