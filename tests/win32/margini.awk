# Where each printed line begins, against the Linux listing with the same options:
#   awk -f margini.awk ELENCO_0 ELENCO_N PAGINE_0 PAGINE_N
# ELENCO_0, ELENCO_N: the Linux listing with no margin and with the margin checked; PAGINE_0,
# PAGINE_N: `pdftotext -bbox` of the same two printed. The page's own left offset is unknown, so
# only shifts count, in blanks (how much a gap between two words on PAGINE_0 grows with each blank
# in it): each line of PAGINE_N begins where PAGINE_0's does plus the blanks ELENCO_N adds before
# it, and PAGINE_0's lines begin apart as ELENCO_0's do; within half a blank.
BEGIN { FS = "\"" }
FNR == 1 { f++; riga = 0; alto = "" }
f <= 2 {
    sub(/\r$/, ""); gsub(/\f/, "")
    if ($0 !~ /[^ ]/) next
    righe[f] = ++riga
    match($0, /^ */); rientro[f, riga] = RLENGTH
    resto = substr($0, RLENGTH + 1)
    for (parole = 1; match(resto, / +[^ ]/); resto = substr(resto, RSTART + RLENGTH - 1))
        vuoti[f, riga, ++parole] = RLENGTH - 1
    nparole[f, riga] = parole
    next
}
/<page / { alto = "" }
# <word xMin="…" yMin="…" xMax="…" yMax="…">
/<word / {
    if (alto == "" || $4 - alto > 1 || alto - $4 > 1) {
        righe[f] = ++riga
        parola = 0
        primo[f, riga] = $2
    }
    alto = $4
    parola++
    if (f == 3 && parola > 1 && (1, riga, parola) in vuoti) coppie[riga, parola] = $2 - fine
    fine = $6
    nstampate[f, riga] = parola
}
function verifica(i, atteso, misurato, formato) {
    if (misurato - atteso > 0.5 || atteso - misurato > 0.5) {
        printf formato, i, misurato, atteso
        errori++
    }
}
END {
    split("l'elenco col margine,la stampa senza margine,la stampa col margine", nomi, ",")
    for (g = 2; g <= 4; g++) if (righe[g] != righe[1]) {
        printf "%s ha %d righe invece di %d\n", nomi[g - 1], righe[g], righe[1]; exit 1
    }
    # Gaps count only on lines whose words the PDF reader found as the listing has them.
    for (k in coppie) {
        split(k, indice, SUBSEP)
        if (nstampate[3, indice[1]] != nparole[1, indice[1]]) continue
        n = vuoti[1, indice[1], indice[2]]; g = coppie[k]
        sn += n; sg += g; snn += n * n; sng += n * g; m++
    }
    if (m == 0) { print "nessuno spazio tra parole da misurare"; exit 1 }
    d = m * snn - sn * sn
    spazio = d > 0 ? (m * sng - sn * sg) / d : sg / sn
    if (spazio <= 0) { printf "larghezza di uno spazio non valida: %g\n", spazio; exit 1 }
    for (i = 1; i <= righe[1]; i++) {
        verifica(i, rientro[2, i] - rientro[1, i], (primo[4, i] - primo[3, i]) / spazio,
                 "riga %d: spostata di %.2f spazi, attesi %d\n")
        verifica(i, rientro[1, i] - rientro[1, 1], (primo[3, i] - primo[3, 1]) / spazio,
                 "riga %d senza margine: %.2f spazi dalla prima, attesi %d\n")
    }
    exit errori > 0
}
