#include "cli/TestiComando.h"

#include "printing/SceltaStampante.h"
#include "printing/ScelteOpzioni.h"
#include "systems/Testi.h"
#include "verifica/ArchivioEstrazioni.h"

namespace elencario::testi {

namespace {

[[nodiscard]] std::string Unisci(std::string_view prima, std::string_view mezzo,
                                 std::string_view dopo) {
    std::string testo(prima);
    testo.append(mezzo).append(dopo);
    return testo;
}

}  // namespace

std::string Uso() {
    std::string uso =
        "Uso: elencario [--nome] [--numeri] [--carattere NOME] [--grandezza N] [--colonne N]\n"
        "                [--margine N] [--pdf FILE | --stampa] [--stampante NOME] [--copie N]\n"
        "                SISTEMA\n"
        "     elencario --verifica \"ESTRAZIONE\" [--carattere NOME] [--grandezza N]\n"
        "                [--margine N] [--pdf FILE | --stampa] [--stampante NOME] [--copie N]\n"
        "                SISTEMA\n"
        "     elencario --estrazioni FILE --data AAAA/MM/GG [--ruota XX] [--carattere NOME]\n"
        "                [--grandezza N] [--margine N] [--pdf FILE | --stampa]\n"
        "                [--stampante NOME] [--copie N] SISTEMA\n"
        "\n"
        "Carica il sistema SISTEMA e ne scrive l'elenco sullo standard output.\n"
        "  --nome            stampa il nome del sistema nell'intestazione\n"
        "  --numeri          stampa i numeri in gioco\n";
    const auto opzione = [&uso](std::string_view testo, const ScelteOpzione& scelte) {
        uso.append(testo).append(scelte.Iniziale()).append(")\n");
    };
    opzione("  --carattere NOME  carattere di stampa (predefinito: ", kSceltaCarattere);
    opzione("  --grandezza N     grandezza del carattere in punti (predefinita: ",
            kSceltaGrandezza);
    opzione("  --colonne N       combinazioni per riga (predefinite: ", kSceltaColonneRiga);
    opzione("  --margine N       margine sinistro in spazi (predefinito: ", kSceltaMargine);
    uso +=
        "  --pdf FILE        scrive l'elenco nel file PDF indicato (- per lo standard output)\n"
        "  --stampa          invia l'elenco alla stampante predefinita\n"
        "  --stampante NOME  invia l'elenco alla stampante NOME invece che alla predefinita\n"
        "  --copie N         con --stampa o --stampante, chiede al server di stampa N copie\n"
        "                    del lavoro (da 1 a 99; predefinita: 1)\n"
        "  --verifica \"ESTRAZIONE\"\n"
        "                    invece dell'elenco, verifica il sistema sull'estrazione: da 1 a 90\n"
        "                    numeri diversi da 1 a 90, separati da spazi o virgole; il\n"
        "                    resoconto dà le combinazioni vincenti (almeno 2 punti) e i premi\n"
        "  --estrazioni FILE invece dell'elenco, verifica il sistema sulle estrazioni del giorno\n"
        "                    --data AAAA/MM/GG nell'archivio FILE (una riga per ruota: data,\n"
        "                    ruota e cinque numeri separati da tabulazioni)\n"
        "  --ruota XX        solo l'estrazione della ruota XX (";
    uso.append(CodiciRuote()) += ")\n";
    uso +=
        "  --help            mostra questo aiuto\n"
        "\n"
        "Sullo standard output il resoconto della verifica non ha margine.\n";
    return uso;
}

std::string ValoreMancante(std::string_view opzione) {
    return Unisci("Manca il valore dell'opzione ", opzione, "");
}

std::string OpzioneSconosciuta(std::string_view opzione) {
    return Unisci("Opzione sconosciuta: ", opzione, "");
}

std::string SiEscludono(std::string_view prima, std::string_view seconda) {
    return Unisci("Le opzioni ", prima, " e ") + std::string(seconda) + " si escludono a vicenda";
}

std::string SoloConEstrazioni(std::string_view opzione) {
    return Unisci("L'opzione ", opzione, " vale solo con --estrazioni");
}

std::string SoloPerElenco(std::string_view opzione) {
    return Unisci("L'opzione ", opzione, " vale per l'elenco, non per la verifica");
}

std::string CopieNonValide(std::string_view copie) {
    return Unisci("Numero di copie non valido: ", copie, " (da 1 a ") +
           std::to_string(kCopieMassime) + ")";
}

std::string DataNonValida(std::string_view data) {
    return Unisci("Data non valida: ", data, " (attesa AAAA/MM/GG)");
}

std::string RuotaNonValida(std::string_view ruota) {
    return Unisci("Ruota non valida: ", ruota, " (una di ") + std::string(CodiciRuote()) + ")";
}

std::string PdfSulSistema(std::string_view pdf) {
    return Unisci("Il file PDF ", pdf, " è il sistema da stampare: non viene sovrascritto");
}

std::string PdfNonScrivibile(std::string_view pdf, std::string_view motivo) {
    return ImpossibileScrivere(IlFilePdf(pdf), motivo);
}

std::string NonUnPdf(std::string_view pdf) {
    return Unisci("Il file ", pdf, " non è un PDF: non viene sovrascritto");
}

std::string ArchivioIllegibile(std::string_view archivio, std::string_view motivo) {
    return Unisci("Impossibile leggere l'archivio delle estrazioni ", archivio, ": ") +
           std::string(motivo);
}

std::string AiutoNonScritto(std::string_view motivo) {
    return ImpossibileScrivere("l'aiuto", motivo);
}

}  // namespace elencario::testi
