// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "decompressionprogress.h"

#include "app/form1.h"
#include "controls/dialogs.h"
#include "decompression.h"
#include "decompressionunderway.h"
#include "system/clock.h"
#include "system/hiddenprocess.h"
#include "system/timer.h"
#include "workspace/longwork.h"

#include <QCoreApplication>
#include <QFileInfo>

DecompressionProgress::DecompressionProgress(form1 &form)
    : QObject(&form), m_form(form), m_ticks(new Timer(this))
{
    m_ticks->setInterval(tickMilliseconds);
    connect(m_ticks, &Timer::Tick, this, &DecompressionProgress::update);
}

DecompressionProgress::~DecompressionProgress() = default;

void DecompressionProgress::start()
{
    m_start = m_form.clock().milliseconds();
    m_fraction = 0;
    m_unfinishedLine.clear();
    m_display.reset();
    m_ticks->setEnabled(true);
}

void DecompressionProgress::stop()
{
    m_ticks->setEnabled(false);
    m_display.reset();
}

void DecompressionProgress::update()
{
    // The decompressor prints thousandths, a line each; the last whole line counts.
    const QList<QByteArray> lines
        = (m_unfinishedLine + m_form.decompression().process->readOutput()).split('\n');
    m_unfinishedLine = lines.last();
    for (qsizetype i = lines.size() - 2; i >= 0; --i) {
        bool number = false;
        const int thousandths = lines[i].toInt(&number);
        if (number) {
            m_fraction = qBound(0, thousandths, 1000) / 1000.0;
            break;
        }
    }
    // A Cancel pressed while other work runs is taken at once: the decompressor is stopped.
    if (m_display && m_display->cancelRequested())
        return CancelDecompression(m_form);
    if (m_form.busy())
        return; // its own progress shows; this one waits
    if (!m_display) {
        if (m_form.clock().milliseconds() - m_start < LongWork::quietMilliseconds)
            return;
        const QString name = QFileInfo(m_form.Timer2OpenFile).fileName();
        // The window stays free while the decompressor works: the user may type on.
        m_display = m_form.dialogs().showProgress(
            &m_form, QCoreApplication::translate("Decompression", "Uncompressing %1").arg(name),
            Dialogs::Keyboard::Leave);
    }
    m_display->setFraction(m_fraction);
    if (m_display->cancelRequested())
        CancelDecompression(m_form);
}
