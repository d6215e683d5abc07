// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QCoreApplication;

// Installs the translations for the user's language, as the desktop's locale names it: Qt's own,
// which the file dialogs and standard buttons use, the editor component's, and Morvane's. Where
// there are none (English, C), the program speaks its own English.
void LoadTranslations(QCoreApplication &app);
