#!/usr/bin/env bash
# Packs the Windows build with cpack, installs the installer silently under wine (WINEPREFIX as
# the caller set it), meets the installed programs as a user would, uninstalls silently and looks
# for anything left behind; then the same programs from the unpacked ZIP.
# Usage: installer-test-windows.sh BUILD-FOLDER SAMPLES-FOLDER APRI-FINESTRA.exe
set -Eeuo pipefail
trap 'echo "installer-test-windows.sh: fallito alla riga $LINENO" >&2' ERR
build=$1
samples=$2
apri=$3
tmp=$(mktemp -d "${TMPDIR:-/tmp}/elencario-installer.XXXXXX")
trap 'rm -rf "$tmp"' EXIT

"${CPACK:-cpack}" --config "$build/CPackConfig.cmake" -B "$tmp/pacchi" >/dev/null
installer=$(echo "$tmp"/pacchi/stampa-elencario-*-win64.exe)
zip=$(echo "$tmp"/pacchi/stampa-elencario-*-win64.zip)
# One file to download, with no DLL beside it.
[ "$(stat -c %s "$installer")" -lt 1500000 ]

# What a user meets in the folder: the two programs with the samples beside them, the command
# listing a sample and the window opening on them and closing after the exit question.
programmi() {
    local dir=$1 listato
    diff <(ls "$samples") <(ls "$dir/Shared/Sistemi")
    listato=$(wine "$dir/elencario.exe" --nome "$(winepath -w "$dir/Shared/Sistemi/Sistema1.txt")")
    grep -q "SISTEMA1.TXT -  Numeri: 5 - Combinazioni: 5" <<<"$listato"
    wine "$apri" "$(winepath -w "$dir/stampa-elencario.exe")"
}

c=$(winepath -u 'C:\')
cartella="$c/Program Files/Stampa Elencario"
menu="$c/ProgramData/Microsoft/Windows/Start Menu/Programs/Stampa Elencario"
chiave='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Stampa Elencario'
[ ! -e "$cartella" ] && [ ! -e "$menu" ]

wine "$installer" /S
[ -f "$cartella/Uninstall.exe" ]
programmi "$cartella"
# The Start-menu entry leads to the program, whose own icon it shows.
strings -a "$menu/Stampa Elencario.lnk" | grep -qF 'C:\Program Files\Stampa Elencario\stampa-elencario.exe'
wrestool -l --type=14 "$cartella/stampa-elencario.exe" | grep -q 'type=14'
[ -f "$menu/Disinstalla Stampa Elencario.lnk" ]
wine reg query "$chiave" | grep -q 'UninstallString'

# The uninstaller runs from a copy of itself and returns at once: its work is waited for, for a
# time that ends.
wine "$cartella/Uninstall.exe" /S
for _ in $(seq 300); do
    [ -e "$cartella" ] || [ -e "$menu" ] || break
    sleep 0.1
done
[ ! -e "$cartella" ] && [ ! -e "$menu" ]
! wine reg query "$chiave" >/dev/null 2>&1
! wine reg query 'HKLM\Software\Stampa Elencario' >/dev/null 2>&1

# The ZIP runs where it is unpacked.
mkdir "$tmp/zip"
(cd "$tmp/zip" && cmake -E tar xf "$zip")
programmi "$(echo "$tmp"/zip/stampa-elencario-*-win64)"
