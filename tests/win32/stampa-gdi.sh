#!/usr/bin/env bash
# One case of the Windows printer end to end under wine, in the WINEPREFIX of scripts/test-windows,
# on the private print server, wine's default printer:
#   stampa-gdi.sh CASO CARTELLA_BUILD SORGENTI ELENCARIO_LINUX
# Comando: Sistema1.txt printed by `elencario.exe --stampa` lands as a PDF whose lines are those
# of the Linux listing with the same options, each begun where that listing begins it: against
# the same print with no margin, moved right by the margin's blanks (margini.awk).
# ServerUcciso: the server killed once a job has begun: the job fails, no PDF.
# SuFile: a file written through that printer replaces the one it is named after once the job is
# done (the test program checks it); the job reaches no queue.
# The print server needs root: without it, the cases are skipped (status 77).
set -euo pipefail
caso=$1 build=$2 sorgenti=$3 linux=${4:-}
cartella=$(mktemp -d "${TMPDIR:-/tmp}/elencario-gdi.XXXXXX")
# The print server's filters run as another user, and must reach its folder inside.
chmod 0755 "$cartella"
server=$cartella/server
trap '"$sorgenti/scripts/print-server" stop "$server" >/dev/null 2>&1 || true; rm -rf "$cartella"' EXIT
mkdir "$cartella/prova"

fallito() {
    echo "$caso: $*" >&2
    exit 1
}

stato=0
socket=$("$sorgenti/scripts/print-server" start "$server") || stato=$?
[ "$stato" -ne 77 ] || exit 77
[ "$stato" -eq 0 ] || fallito "il server di stampa non parte"
export CUPS_SERVER=$socket ELENCARIO_PROVA_GDI
ELENCARIO_PROVA_GDI=$(winepath -w "$cartella/prova")

# The test of the test program that `$1` selects; its report must name one test passed.
prova() {
    local uscita
    uscita=$(wine "$build/tests/win32/gdi_tests.exe" --gtest_filter="StampaGdiTest.$1" 2>&1) ||
        fallito "$uscita"
    grep -q '\[  PASSED  \] 1 test' <<<"$uscita" || fallito "$uscita"
}

# Waits for the one job on the server to leave the queue with its PDF written whole, a minute at
# the most, and moves that PDF to $1, so that the next job's is told apart.
attendi_pdf() {
    local pdfs=()
    for _ in $(seq 600); do
        pdfs=("$server"/pdf/*.pdf)
        if [ -s "${pdfs[0]}" ] && [ ${#pdfs[@]} -eq 1 ] && [ -z "$(lpstat -o 2>/dev/null)" ]; then
            mv "${pdfs[0]}" "$1"
            return
        fi
        sleep 0.1
    done
    fallito "nessun PDF dalla stampante"
}

# The lines of a listing as a reader sees them: the blanks between words counted as one, no empty
# lines; the hyphen drawn by wine's printer driver reads back as a soft hyphen.
righe() {
    sed 's/\xc2\xad/-/g' | tr -d '\f' | tr -s ' ' | sed 's/^ //; s/ $//' | grep -v '^$' || true
}

case $caso in
    Comando)
        [ -x "$linux" ] || fallito "manca l'elencario per Linux («$linux»)"
        sistema=$cartella/Sistema1.txt
        cp "$sorgenti/Shared/Sistemi/Sistema1.txt" "$sistema"
        elenco() { "$linux" --nome --numeri --margine "$1" "$sistema"; }
        for margine in 0 4; do
            errore=$(wine "$build/cli/elencario.exe" --stampa --nome --numeri --margine $margine \
                "$(winepath -w "$sistema")" 2>&1) || fallito "--margine $margine: $errore"
            attendi_pdf "$cartella/$margine.pdf"
        done
        stampate=$(pdftotext -layout "$cartella/4.pdf" - | righe)
        attese=$(elenco 4 | righe)
        [ "$stampate" = "$attese" ] || fallito "$(diff <(echo "$attese") <(echo "$stampate"))"
        margini=$(awk -f "$sorgenti/tests/win32/margini.awk" <(elenco 0) <(elenco 4) \
            <(pdftotext -bbox "$cartella/0.pdf" -) <(pdftotext -bbox "$cartella/4.pdf" -)) ||
            fallito "margine: $margini"
        ;;
    ServerUcciso)
        prova AJobWhoseServerIsKilledFails &
        figlio=$!
        for _ in $(seq 600); do
            [ -e "$cartella/prova/pagina" ] && break
            sleep 0.1
        done
        [ -e "$cartella/prova/pagina" ] || fallito "il lavoro non è cominciato"
        kill -KILL "$(cat "$server/cupsd.pid")"
        touch "$cartella/prova/ucciso"
        wait "$figlio" || exit 1
        ;;
    SuFile)
        prova ThePrintedFileReplacesTheTargetOnceTheJobIsDone
        ;;
    *)
        fallito "caso sconosciuto"
        ;;
esac
sleep 1
[ -z "$(ls -A "$server/pdf")" ] || fallito "stampato sul server: $(ls "$server/pdf")"
