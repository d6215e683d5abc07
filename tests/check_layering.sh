#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Morvane project
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Fails when a folder of src/ includes a folder it may not. The layers, from the bottom:
#   core/system, core/text      the system's services; text and its codecs
#   core/rtf, core/files        RTF both ways; reading files, the private folder
#   core/save, core/recovery    the writer of users' files; the copies of unsaved edits
#   core/convert, core/bini     the INI-to-RTF converter; the compressed format
#   document                    how a document reaches the editor component, and its styles
#   editor, controls            the widgets: the editor control; tabs, dialogs, screen units
#   window                      the main window's desktop behaviour: layout, drops, Tab, screen
#   app <-> the commands        the main window and the commands it routes to (workspace,
#                               open, search, about), which reach it back as the free
#                               procedures of a program of this shape do: the one circle
# A folder may include itself and what the table below lets it. Usage: check_layering.sh SRC
set -euo pipefail

SRC="$1"
declare -A allowed=(
    [core/system]=""
    [core/text]=""
    [core/rtf]="core/text core/system"
    [core/files]="core/text core/system"
    [core/save]="core/files core/text core/system"
    [core/recovery]="core/save core/files core/text core/system"
    [core/convert]="core/rtf core/files core/text core/system"
    [core/bini]="core/system"
    [document]="core/rtf core/files core/text core/system"
    [editor]="document core/save core/rtf core/files core/text core/system"
    [window]="core/files core/system"
    [controls]="core/system"
    [workspace]="app controls editor core/recovery core/save core/convert core/rtf core/files core/text core/system"
    [open]="app workspace controls editor core/bini core/convert core/files core/text core/system"
    [search]="app workspace controls editor core/text"
    [about]="app controls"
    [app]="workspace open search about window controls editor core/convert core/rtf core/files core/text core/system"
)

# The folder a quoted include names, as the include path resolves it (src/ and src/core/).
folder_of() {
    local name="$1"
    case "$name" in
        */*) ;;
        *) echo "."; return ;;
    esac
    local top="${name%%/*}"
    if [ -d "$SRC/core/$top" ]; then echo "core/$top"; else echo "$top"; fi
}

status=0
for folder in "${!allowed[@]}"; do
    [ -d "$SRC/$folder" ] || { echo "no folder src/$folder"; status=1; continue; }
    while IFS=: read -r file line include; do
        name=$(sed -E 's/.*#include "([^"]+)".*/\1/' <<<"$include")
        target=$(folder_of "$name")
        if [ "$target" = "." ] || [ "$target" = "$folder" ]; then continue; fi
        if ! grep -qw -- "$target" <<<"${allowed[$folder]}"; then
            echo "src/$folder may not include src/$target: ${file#"$SRC"/}:$line: $name"
            status=1
        fi
    done < <(grep -rnE '^#include "' "$SRC/$folder" --include='*.h' --include='*.cpp' || true)
done
# Every folder of code is in the table, so that a new one is placed in the order too.
for dir in "$SRC"/*/ "$SRC"/core/*/; do
    folder="${dir#"$SRC"/}"
    folder="${folder%/}"
    [ "$folder" = core ] && continue
    [ -n "${allowed[$folder]+set}" ] || { echo "src/$folder is in no layer"; status=1; }
done
exit $status
