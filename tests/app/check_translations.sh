#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Morvane project
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Fails when a text the user reads is not translatable, or when a catalogue lacks a text of the
# sources or holds one unfinished. Usage: check_translations.sh LUPDATE SOURCE_DIR
set -euo pipefail

LUPDATE="$1"
ROOT="$2"
status=0

# Texts the user reads go through tr() or QCoreApplication::translate(); a literal of words
# outside them is a text nobody can translate. Names (the window's caption) carry the comment
# "a name, not translated".
untranslated=$(grep -rnE '(QStringLiteral|QLatin1String|QString|QStringView)\("[^"]*[A-Za-z]{2,} [A-Za-z]{2,}' \
                   "$ROOT/src" | grep -vE 'translate\(|tr\(|a name, not translated' || true)
if [ -n "$untranslated" ]; then
    echo "Texts outside tr() or translate():"
    echo "$untranslated"
    status=1
fi

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
for catalogue in "$ROOT"/translations/*.ts; do
    copy="$scratch/$(basename "$catalogue")"
    cp "$catalogue" "$copy"
    said=$("$LUPDATE" -locations none -no-obsolete "$ROOT/src" -ts "$copy" 2>&1)
    if grep -qi 'warning' <<<"$said"; then
        echo "$(basename "$catalogue"): lupdate warns:"
        grep -i 'warning' <<<"$said"
        status=1
    fi
    if ! cmp -s "$catalogue" "$copy"; then
        echo "$(basename "$catalogue") is not up to date with the sources (cmake --build build" \
             "--target update_translations, then translate):"
        diff "$catalogue" "$copy" | head -40 || true
        status=1
    fi
    if grep -q 'type="unfinished"' "$copy"; then
        echo "$(basename "$catalogue") has unfinished entries:"
        grep -B2 'type="unfinished"' "$copy" | grep '<source>' || true
        status=1
    fi
done
exit $status
