#include "verifica/TestiVerifica.h"

namespace elencario::testi {

std::string EstrazioneNonValida(std::string_view motivo) {
    return "Estrazione non valida: " + std::string(motivo);
}

std::string NonUnNumero(std::string_view pezzo) {
    std::string testo(1, '"');
    return testo.append(pezzo).append("\" non è un numero da 1 a 90");
}

std::string NumeroRipetuto(std::string_view pezzo) {
    std::string testo = "il numero \"";
    return testo.append(pezzo).append("\" è ripetuto");
}

std::string RigaArchivioNonValida(std::size_t riga) {
    return "Riga " + std::to_string(riga) +
           " dell'archivio non valida: attesa AAAA/MM/GG, ruota e cinque numeri diversi da 1 a 90 "
           "separati da tabulazioni";
}

std::string NessunaEstrazione(std::string_view data) {
    return "Nessuna estrazione del " + std::string(data) + " nell'archivio";
}

std::string RuotaSenzaEstrazione(std::string_view ruota, std::string_view data) {
    return "La ruota " + std::string(ruota) + " non ha estratto il " + std::string(data);
}

std::string IntestazioneRuota(std::string_view ruota, std::string_view data) {
    return "Ruota " + std::string(ruota) + " - " + std::string(data);
}

}  // namespace elencario::testi
