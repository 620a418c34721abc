#include "app/RegoleFinestra.h"

#include <utility>

#include "printing/PulsanteStampa.h"
#include "printing/StampanteAssente.h"
#include "systems/CartellaSistemi.h"
#include "systems/LetturaSistema.h"
#include "systems/Percorsi.h"
#include "systems/Routines.h"
#include "systems/Testi.h"

namespace elencario {

RichiestaMessaggio DomandaUscita() {
    return {testi::kDomandaUscita, Pulsanti::SiNo, Icona::Avviso, PulsantePredefinito::Secondo,
            std::string(testi::kTitoloUscita)};
}

RegoleFinestra::RegoleFinestra(ServizioMessaggi& messaggi, FabbricaStampante fabbricaStampante)
    : messaggi_(messaggi), fabbricaStampante_(std::move(fabbricaStampante)) {}

bool RegoleFinestra::Avvia(const std::string& cartellaEseguibile) {
    variabili_.PercorsoSistemi = CercaPercorsoSistemi(cartellaEseguibile);
    if (EsisteCartella(variabili_.PercorsoSistemi)) return true;
    messaggi_.Chiedi(AvvisoErrore(testi::kNonTrovoSistemi));
    return false;
}

std::filesystem::path RegoleFinestra::CartellaIniziale() const {
    return PercorsoDaTesto(variabili_.PercorsoSistemi);
}

void RegoleFinestra::SceltoFile(const std::filesystem::path& cartella, const std::string& nome,
                                const std::function<void(const SistemaMostrato&)>& mostra) {
    if (nome.empty()) return;
    const int errore = CaricaSistema(variabili_, TestoDaPercorso(cartella), nome);
    mostra(Mostrato());
    if (errore != 0) messaggi_.Chiedi(AvvisoErrore(MessaggioCaricamento(errore)));
}

SistemaMostrato RegoleFinestra::Mostrato() const {
    if (variabili_.FileSistema.empty()) return {"0", testi::kNessunSistemaCaricato, {}};
    return {std::to_string(variabili_.TotCombinazioni), variabili_.FileSistema,
            PercorsoDaTesto(variabili_.FileSistema)};
}

EsitoStampa RegoleFinestra::Stampa(const OpzioniStampa& opzioni) {
    std::unique_ptr<StampanteTesto> stampante = fabbricaStampante_ ? fabbricaStampante_() : nullptr;
    if (!stampante) stampante = std::make_unique<StampanteAssente>();
    return StampaElencario(variabili_, opzioni, messaggi_, *stampante);
}

bool RegoleFinestra::ConfermaUscita() {
    return messaggi_.Chiedi(DomandaUscita()) == Risposta::Si;
}

void RegoleFinestra::CartellaNonAccessibile() {
    messaggi_.Chiedi(AvvisoErrore(testi::kCartellaNonAccessibile));
}

double GrandezzaAdattata(double punti, int larghezza, int altezza,
                         const std::function<std::pair<int, int>(double punti)>& misura) {
    for (;; punti -= 0.25) {
        const auto [l, a] = misura(punti);
        if ((l <= larghezza && a <= altezza) || punti <= 1) return punti;
    }
}

}  // namespace elencario
