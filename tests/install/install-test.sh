#!/usr/bin/env bash
# Installs the build into a temporary prefix, and packs it as a .deb unpacked into another, then
# meets each installed tree as a user would. Usage: install-test.sh BUILD-FOLDER SAMPLES-FOLDER
set -Eeuo pipefail
trap 'echo "install-test.sh: fallito alla riga $LINENO" >&2' ERR
build=$1
samples=$2
id=it.elencario.StampaElencario
tmp=$(mktemp -d "${TMPDIR:-/tmp}/elencario-install.XXXXXX")
trap 'rm -rf "$tmp"' EXIT

# The window must reach its event loop and show itself: offscreen, the refusal box of a missing
# systems folder would keep the process alive just the same, so it runs on a virtual X display
# where its caption is looked for. A display that fails to come up on a busy machine is tried
# again; a window that never shows fails every try.
finestra() {
    for prova in 1 2 3; do
        xvfb-run -a -e "$tmp/xvfb.log" bash -c '"$1" & for _ in $(seq 100); do
            if xwininfo -root -tree | grep -qF "\"   STAMPA ELENCARIO - by Vorlix\""; then
                kill $!; exit 0
            fi
            sleep 0.1
        done; kill $!; exit 1' finestra "$1" && return 0
        echo "finestra: tentativo $prova fallito" >&2
        cat "$tmp/xvfb.log" >&2 || true
    done
    return 1
}

installato() {
    local p=$1 sistemi=$1/share/stampa-elencario/Sistemi icona
    diff <(ls "$samples") <(ls "$sistemi")
    # The command finds its printing module where it was installed.
    "$p/bin/elencario" --pdf "$tmp/listato.pdf" "$sistemi/Sistema1.txt"
    grep -q '^%PDF-' "$tmp/listato.pdf"
    grep -q 'alla stampante predefinita' "$p/share/man/man1/elencario.1"
    grep -q 'alla stampante NOME invece che alla predefinita' "$p/share/man/man1/elencario.1"
    grep -q 'server di stampa N copie' "$p/share/man/man1/elencario.1"
    desktop-file-validate "$p/share/applications/$id.desktop"
    appstreamcli validate --no-net "$p/share/metainfo/$id.metainfo.xml" >/dev/null
    icona=$(sed -n 's/^Icon=//p' "$p/share/applications/$id.desktop")
    grep -q '<svg' "$p/share/icons/hicolor/scalable/apps/$icona.svg"
    finestra "$p/bin/stampa-elencario"
}

"${CMAKE:-cmake}" --install "$build" --prefix "$tmp/prefisso" >/dev/null
installato "$tmp/prefisso"

"${CPACK:-cpack}" -G DEB --config "$build/CPackConfig.cmake" -B "$tmp/deb" >/dev/null
deb=$(echo "$tmp"/deb/stampa-elencario_*.deb)
# The dependencies are computed from what the programs link to, with the fonts that stand in for
# the offered ones.
depends=$(dpkg-deb -f "$deb" Depends)
grep -q 'libqt6widgets6' <<<"$depends"
grep -q 'fonts-dejavu-core' <<<"$depends"
dpkg-deb -x "$deb" "$tmp/radice"
installato "$tmp/radice/usr"
