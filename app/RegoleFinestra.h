#pragma once

// Everything the window decides, whatever draws it: the start-up and its refusal, what a file
// chosen in File1 loads and what the counter, its tooltip and File1's highlight then show, the
// print button's flow and the exit question. Each front-end creates its widgets, hands their
// events here and shows what comes back; message boxes and the printer come in as seams.

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "printing/EsitiStampa.h"
#include "printing/OpzioniStampa.h"
#include "printing/ServizioMessaggi.h"
#include "printing/StampanteTesto.h"
#include "systems/Variabili.h"

namespace elencario {

// Makes the printer for one print job; nothing when none can be made.
using FabbricaStampante = std::function<std::unique_ptr<StampanteTesto>()>;

// What the window shows of the loaded system: the counter's text, its tooltip, and the file
// File1 highlights (empty when no system is loaded).
struct SistemaMostrato {
    std::string contatore;
    std::string suggerimento;
    std::filesystem::path evidenziato;

    bool operator==(const SistemaMostrato&) const = default;
};

// The exit question, with its title, Yes and No, the warning icon and No as default.
[[nodiscard]] RichiestaMessaggio DomandaUscita();

class RegoleFinestra {
  public:
    RegoleFinestra(ServizioMessaggi& messaggi, FabbricaStampante fabbricaStampante);

    // The systems folder beside `cartellaEseguibile` (the core's path text). False, after the
    // refusal message, when it is missing: the window must not be shown.
    [[nodiscard]] bool Avvia(const std::string& cartellaEseguibile);
    // The folder both lists start on.
    [[nodiscard]] std::filesystem::path CartellaIniziale() const;

    // File1 chose `nome` (the core's path text) in `cartella`: loads it, has `mostra` show the
    // outcome at once, then reports a failure. A failed load keeps the system loaded before.
    void SceltoFile(const std::filesystem::path& cartella, const std::string& nome,
                    const std::function<void(const SistemaMostrato&)>& mostra);
    [[nodiscard]] SistemaMostrato Mostrato() const;

    // The print button, with the options as the window holds them.
    EsitoStampa Stampa(const OpzioniStampa& opzioni);

    // A close request: true when the window may close.
    [[nodiscard]] bool ConfermaUscita();
    // A folder that the folder list cannot open or list.
    void CartellaNonAccessibile();

    [[nodiscard]] const VARIABILI& Variabili() const { return variabili_; }

  private:
    VARIABILI variabili_;
    ServizioMessaggi& messaggi_;
    FabbricaStampante fabbricaStampante_;
};

// The largest font size, from `punti` down in steps of a quarter point to 1 at the least, at
// which `misura` (the width and height of the text at a size) fits `larghezza` × `altezza`.
[[nodiscard]] double GrandezzaAdattata(
    double punti, int larghezza, int altezza,
    const std::function<std::pair<int, int>(double punti)>& misura);

}  // namespace elencario
