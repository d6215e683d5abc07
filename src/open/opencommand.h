#pragma once

#include <QString>

class form1;

// File > Open: asks for a file and routes it by kind. Text and plain INI files are converted
// and placed at once, compressed INI files are expanded first, other names are refused.
void OpenCommand(form1 &form);

// Opens a file exactly as if the user had chosen it in the Open dialog.
void OpenFile(form1 &form, const QString &path);

// Converts a text file and places it into the first empty slot under `title`. Save later
// writes to `savePath`, which is the file itself unless it was expanded from another.
bool OpenTextFile(form1 &form, const QString &path, const QString &title,
                  const QString &savePath = QString());
