#!/usr/bin/env bash
# Generates the UTF-8 locales named (ja_JP en_US ...) when this machine lacks them (with
# localedef, from the package locales; as root or with sudo). Wine takes a Windows program's
# locale and code page from LANG, and only for a locale the machine has.
set -euo pipefail
sudo=()
[ "$(id -u)" -ne 0 ] && sudo=(sudo)
for locale in "$@"; do
    if ! locale -a | grep -qix "$locale.utf-\?8"; then
        "${sudo[@]}" localedef -i "$locale" -f UTF-8 "$locale.UTF-8"
    fi
done
