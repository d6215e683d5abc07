// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAccessible>
#include <QtGlobal>

// Qt switches accessibility on when its platform plugin finds a screen reader, which the
// offscreen platform never does. QAccessible::setActive only tells Qt's observers; the switch
// QAccessible::isActive reads is QPlatformAccessibility::setActive, exported by Qt but declared
// only in its private headers, which are not installed. These declarations reach it: the
// offscreen platform keeps the default QPlatformAccessibility, and ScreenReader checks that the
// switch took, so that a platform with an accessibility of its own fails loudly instead.
class QPlatformAccessibility
{
public:
    void setActive(bool active);
};

class QPlatformIntegration
{
public:
    QPlatformAccessibility *accessibility() const;
};

class QGuiApplicationPrivate
{
public:
    static QPlatformIntegration *platform_integration;
};

// Accessibility as it is with a screen reader running, for the code that only runs then.
class ScreenReader
{
public:
    ScreenReader() : m_wasActive(QAccessible::isActive()) { setActive(true); }
    ~ScreenReader() { setActive(m_wasActive); }
    ScreenReader(const ScreenReader &) = delete;
    ScreenReader &operator=(const ScreenReader &) = delete;

    // The test entries that run a suite a second time with a screen reader set
    // MORVANE_SCREEN_READER=1; called before the first test.
    static void startIfAsked()
    {
        if (qEnvironmentVariableIntValue("MORVANE_SCREEN_READER") != 0)
            setActive(true);
    }

    // On a platform with an accessibility of its own the switch does not take; a test meant for
    // a screen reader would then test nothing, so it stops instead.
    static void setActive(bool active)
    {
        QGuiApplicationPrivate::platform_integration->accessibility()->setActive(active);
        if (QAccessible::isActive() != active)
            qFatal("accessibility could not be switched %s", active ? "on" : "off");
    }

private:
    bool m_wasActive;
};
