// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QRect>

class QWidget;

// Geometry is designed in twips (1/1440 inch): 15 twips a pixel at 96 dpi.
class Twips
{
public:
    static int toPixels(double twips, const QWidget *widget);
    static double fromPixels(int pixels, const QWidget *widget);
    static QRect toPixels(double left, double top, double width, double height,
                          const QWidget *widget);
};
