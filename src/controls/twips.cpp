// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "twips.h"

#include <QWidget>
#include <cmath>

namespace {

constexpr double kTwipsPerInch = 1440;

double dotsPerInch(const QWidget *widget)
{
    const int dpi = widget ? widget->logicalDpiX() : 96;
    return dpi > 0 ? dpi : 96;
}

} // namespace

int Twips::toPixels(double twips, const QWidget *widget)
{
    return int(std::lround(twips * dotsPerInch(widget) / kTwipsPerInch));
}

double Twips::fromPixels(int pixels, const QWidget *widget)
{
    return pixels * kTwipsPerInch / dotsPerInch(widget);
}

QRect Twips::toPixels(double left, double top, double width, double height, const QWidget *widget)
{
    return QRect(toPixels(left, widget), toPixels(top, widget), toPixels(width, widget),
                 toPixels(height, widget));
}
