#!/usr/bin/env bash
# Runs a Windows program of the cross build under Wine, in a prefix of its own beside the
# build (QUIBBLETON_WINEPREFIX, or wineprefix/ in the current build folder), quietly. The first
# run makes the prefix; runs after it wait for the Wine server of the same prefix.
set -euo pipefail
program=$1
shift
if [ -z "${WINEPREFIX:-}" ]; then
  if [ -n "${QUIBBLETON_WINEPREFIX:-}" ]; then
    export WINEPREFIX=$QUIBBLETON_WINEPREFIX
  else
    folder=$(cd "$(dirname "$program")" && pwd)
    # The build folder is the nearest folder above the program that holds CMakeCache.txt.
    while [ "$folder" != / ] && [ ! -f "$folder/CMakeCache.txt" ]; do folder=$(dirname "$folder"); done
    [ "$folder" = / ] && folder=$(cd "$(dirname "$program")" && pwd)
    export WINEPREFIX=$folder/wineprefix
  fi
fi
export WINEDEBUG=${WINEDEBUG:--all}
# Wine takes the system's ANSI code page from the locale, and the Unix file names' encoding too,
# so the locale must exist here: the machine's own by default (C.UTF-8 when it has none).
locale=${QUIBBLETON_WINE_LOCALE:-${LC_ALL:-${LANG:-C.UTF-8}}}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
# Two tests starting at once must not both make the prefix.
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  flock "$WINEPREFIX.lock" env LC_ALL="$locale" bash -c '[ -f "$WINEPREFIX/system.reg" ] || { wineboot -i && wineserver -w; }' >/dev/null 2>&1
fi
# Wine reads the fonts in the prefix's Fonts folder; Debian's fonts-wine, with the system's bitmap
# font "MS Sans Serif" and "Tahoma", is installed outside it. The program's captions are Russian,
# so the prefix gets the bitmap font's Cyrillic file, as a Russian system has (Wine keeps one file
# per family and style, so the Western one would hide it).
fonts=$WINEPREFIX/drive_c/windows/Fonts
if [ -d /usr/share/wine/fonts ] && [ -d "$fonts" ] && [ ! -e "$fonts/sserifer.fon" ]; then
  cp -n /usr/share/wine/fonts/sserifer.fon /usr/share/wine/fonts/tahoma.ttf /usr/share/wine/fonts/tahomabd.ttf \
    "$fonts"/ 2>/dev/null || true
  # Wine loads the bitmap fonts its registry lists, and lists only its own code page's.
  env LC_ALL="$locale" wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts' /v 'MS Sans Serif (Cyrillic)' \
    /d sserifer.fon /f >/dev/null 2>&1 || true
fi
exec env LC_ALL="$locale" wine "$program" "$@"
