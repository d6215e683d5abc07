// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "captionfit.h"

#include <QFontMetricsF>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <algorithm>

namespace {

constexpr double kSmallestPoints = 8;

// The room the style leaves for the caption: the button less its frame.
double room(const QPushButton *button)
{
    QStyleOptionButton option;
    option.initFrom(button);
    return button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button).width();
}

bool fits(const QPushButton *button, const QFont &font)
{
    return QFontMetricsF(font).horizontalAdvance(button->text()) <= room(button);
}

} // namespace

void fitCaptions(const QList<QPushButton *> &group)
{
    if (group.isEmpty())
        return;
    QFont font = group.first()->font();
    const auto allFit = [&] {
        return std::all_of(group.begin(), group.end(),
                           [&](const QPushButton *button) { return fits(button, font); });
    };
    while (!allFit() && font.pointSizeF() - 0.5 >= kSmallestPoints)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    for (QPushButton *button : group) {
        if (font != button->font())
            button->setFont(font);
        if (fits(button, font))
            continue;
        const QString caption = button->text();
        button->setToolTip(caption);
        button->setAccessibleName(caption);
        button->setText(QFontMetricsF(font).elidedText(caption, Qt::ElideRight, room(button)));
    }
}
