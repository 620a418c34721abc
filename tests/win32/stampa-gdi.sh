#!/usr/bin/env bash
# One case of the Windows printer end to end under wine, in the WINEPREFIX of scripts/test-windows:
#   stampa-gdi.sh CASO CARTELLA_BUILD SORGENTI ELENCARIO_LINUX
# Comando, Finestra: Sistema1.txt printed by `elencario.exe --stampa` or by the window (a click on
# it, the button, "Sì") on the private print server, wine's default printer, lands as a PDF whose
# lines are those of the Linux listing with the same options, each begun where that listing begins
# it: against the same print with no margin, moved right by the margin's blanks (margini.awk).
# ServerUcciso: the server killed once the window's job has begun: "Errore di stampa ..! ", the
# window goes on, no PDF.
# SuFile: a file written through that printer replaces the one it is named after once the job is
# done (the test program checks it); the job reaches no queue.
# PdfSenzaStampante: where wine has no "Microsoft Print to PDF", --pdf says so, status 1, no file;
# the system named as the PDF is refused and left as it is.
# The print server needs root: without it, the cases that use it are skipped (status 77).
set -euo pipefail
caso=$1 build=$2 sorgenti=$3 linux=${4:-}
opzioni=(--nome --numeri --margine 4)
senza_margine=(--nome --numeri --margine 0)
cartella=$(mktemp -d "${TMPDIR:-/tmp}/elencario-gdi.XXXXXX")
# The print server's filters run as another user, and must reach its folder inside.
chmod 0755 "$cartella"
server=$cartella/server
trap '"$sorgenti/scripts/print-server" stop "$server" >/dev/null 2>&1 || true; rm -rf "$cartella"' EXIT
mkdir -p "$cartella/programma/Shared/Sistemi"
cp "$sorgenti/Shared/Sistemi/Sistema1.txt" "$cartella/programma/Shared/Sistemi/"
sistema=$cartella/programma/Shared/Sistemi/Sistema1.txt
elencario=$build/cli/elencario.exe
gdi_tests=$build/tests/win32/gdi_tests.exe

fallito() {
    echo "$caso: $*" >&2
    exit 1
}

# The lines of a listing as a reader sees them: the blanks between words counted as one, no empty
# lines; the hyphen drawn by wine's printer driver reads back as a soft hyphen.
righe() {
    sed 's/\xc2\xad/-/g' | tr -d '\f' | tr -s ' ' | sed 's/^ //; s/ $//' | grep -v '^$' || true
}

if [ "$caso" = PdfSenzaStampante ]; then
    # No print server: wine finds no printer at all, let alone the PDF one.
    export CUPS_SERVER=$cartella/nessun-server.sock
    pdf=$cartella/uscita.pdf
    # The command's --pdf onto $1: its status in $stato, what it wrote on standard error (its
    # lines ended as on Linux) in $errore.
    pdf_su() {
        stato=0
        errore=$(wine "$elencario" --pdf "$(winepath -w "$1")" "$(winepath -w "$sistema")" 2>&1 \
            >/dev/null | tr -d '\r'; exit "${PIPESTATUS[0]}") || stato=$?
    }
    pdf_su "$pdf"
    [ "$stato" -eq 1 ] || fallito "stato $stato invece di 1"
    atteso="La stampante Microsoft Print to PDF non è installata: il file non viene scritto"
    [ "$errore" = "$atteso" ] || fallito "messaggio «$errore»"
    [ ! -e "$pdf" ] || fallito "scritto $pdf"
    prima=$(sha256sum <"$sistema")
    pdf_su "$sistema"
    [ "$stato" -eq 2 ] || fallito "il sistema come PDF: stato $stato invece di 2"
    [[ "$errore" == *"è il sistema da stampare: non viene sovrascritto" ]] ||
        fallito "il sistema come PDF: «$errore»"
    [ "$(sha256sum <"$sistema")" = "$prima" ] || fallito "il sistema è cambiato"
    exit 0
fi

[ -x "$linux" ] || fallito "manca l'elencario per Linux («$linux»)"
stato=0
socket=$("$sorgenti/scripts/print-server" start "$server") || stato=$?
[ "$stato" -ne 77 ] || exit 77
[ "$stato" -eq 0 ] || fallito "il server di stampa non parte"
export CUPS_SERVER=$socket
export ELENCARIO_PROVA_GDI
ELENCARIO_PROVA_GDI=$(winepath -w "$cartella/programma")

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

# The command's print, with the options given.
stampa() {
    local stato=0 errore
    errore=$(wine "$elencario" --stampa "$@" "$(winepath -w "$sistema")" 2>&1) || stato=$?
    [ "$stato" -eq 0 ] || fallito "stato $stato: $errore"
}

# The tests of the test program that `$1` selects; its report must name one test passed.
prova() {
    local uscita
    uscita=$(wine "$gdi_tests" --gtest_filter="$1" 2>&1) || fallito "$uscita"
    grep -q '\[  PASSED  \] 1 test' <<<"$uscita" || fallito "$uscita"
}

case $caso in
    Comando | Finestra)
        stampa "${senza_margine[@]}"
        attendi_pdf "$cartella/senza-margine.pdf"
        if [ "$caso" = Comando ]; then stampa "${opzioni[@]}"; else prova "Gdi/*/Stampata"; fi
        ;;
    SuFile)
        prova "StampaSuFileTest.*"
        sleep 1
        [ -z "$(ls -A "$server/pdf")" ] || fallito "stampato sul server: $(ls "$server/pdf")"
        exit 0
        ;;
    ServerUcciso)
        prova "Gdi/StampaGdiTest.*/ServerUcciso" &
        figlio=$!
        for _ in $(seq 600); do
            [ -e "$cartella/programma/pagina" ] && break
            sleep 0.1
        done
        [ -e "$cartella/programma/pagina" ] || fallito "il lavoro non è cominciato"
        kill -KILL "$(cat "$server/cupsd.pid")"
        touch "$cartella/programma/ucciso"
        wait "$figlio" || exit 1
        sleep 1
        [ -z "$(ls -A "$server/pdf")" ] || fallito "stampato: $(ls "$server/pdf")"
        exit 0
        ;;
    *)
        fallito "caso sconosciuto"
        ;;
esac

attendi_pdf "$cartella/stampato.pdf"
stampate=$(pdftotext -layout "$cartella/stampato.pdf" - | righe)
attese=$("$linux" "${opzioni[@]}" "$sistema" | righe)
[ "$stampate" = "$attese" ] || fallito "$(diff <(echo "$attese") <(echo "$stampate"))"
margini=$(awk -f "$sorgenti/tests/win32/margini.awk" <("$linux" "${senza_margine[@]}" "$sistema") \
    <("$linux" "${opzioni[@]}" "$sistema") <(pdftotext -bbox "$cartella/senza-margine.pdf" -) \
    <(pdftotext -bbox "$cartella/stampato.pdf" -)) || fallito "margine: $margini"
