# Where each printed line begins, against the Linux listing with the same options:
#   awk -f margini.awk ELENCO_0 ELENCO_N PAGINE_0 PAGINE_N
# ELENCO_0, ELENCO_N: the Linux listing with no margin and with the margin checked; PAGINE_0,
# PAGINE_N: `pdftotext -bbox` of the same two listings printed. The page's own left offset is
# unknown, so only shifts are compared: a blank's width is measured on PAGINE_0 (how much the gap
# between two words grows with each blank between them), then each line of PAGINE_N must begin
# where the same line of PAGINE_0 does, moved by the blanks that ELENCO_N adds before it, and the
# lines of PAGINE_0 must begin apart from one another as ELENCO_0's do; within half a blank.
function spazi(s,   n) {
    n = 0
    while (substr(s, n + 1, 1) == " ") n++
    return n
}
function attributo(riga, nome) {
    match(riga, nome "=\"[^\"]*\"")
    return substr(riga, RSTART + length(nome) + 2, RLENGTH - length(nome) - 3) + 0
}
FNR == 1 { f++; riga = 0; alto = "" }
f <= 2 {
    sub(/\r$/, ""); gsub(/\f/, "")
    if ($0 !~ /[^ ]/) next
    riga++
    righe[f] = riga
    rientro[f, riga] = spazi($0)
    resto = substr($0, rientro[f, riga] + 1)
    parole = 0
    while (resto != "") {
        parole++
        match(resto, /^[^ ]+/)
        resto = substr(resto, RLENGTH + 1)
        n = spazi(resto)
        resto = substr(resto, n + 1)
        if (resto != "") vuoti[f, riga, parole + 1] = n
    }
    nparole[f, riga] = parole
    next
}
/<page / { alto = "" }
/<word / {
    x0 = attributo($0, "xMin"); x1 = attributo($0, "xMax"); y = attributo($0, "yMin")
    if (alto == "" || y - alto > 1 || alto - y > 1) {
        riga++
        righe[f] = riga
        parola = 0
        primo[f, riga] = x0
    }
    alto = y
    parola++
    if (f == 3 && parola > 1 && (1, riga, parola) in vuoti) {
        coppie[riga, parola] = x0 - fine
    }
    fine = x1
    nstampate[f, riga] = parola
}
END {
    split("l'elenco col margine,la stampa senza margine,la stampa col margine", nomi, ",")
    for (g = 2; g <= 4; g++) {
        if (righe[g] != righe[1]) {
            printf "%s ha %d righe invece di %d\n", nomi[g - 1], righe[g], righe[1]
            exit 1
        }
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
        atteso = rientro[2, i] - rientro[1, i]
        misurato = (primo[4, i] - primo[3, i]) / spazio
        if (misurato - atteso > 0.5 || atteso - misurato > 0.5) {
            printf "riga %d: spostata di %.2f spazi, attesi %d\n", i, misurato, atteso
            errori++
        }
        atteso = rientro[1, i] - rientro[1, 1]
        misurato = (primo[3, i] - primo[3, 1]) / spazio
        if (misurato - atteso > 0.5 || atteso - misurato > 0.5) {
            printf "riga %d senza margine: %.2f spazi dalla prima, attesi %d\n", i, misurato, atteso
            errori++
        }
    }
    exit errori > 0
}
