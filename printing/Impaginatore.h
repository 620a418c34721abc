#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "printing/Avanzamento.h"
#include "printing/DispositivoPagine.h"
#include "printing/StampanteTesto.h"

namespace elencario {

// The text device on a paged output: lays the job's lines out on the pages of `dispositivo`.
// A line wider than the printable area is broken at the last separator between rows that fits
// (keeping "   -" at its end when that fits too), else at the last blank, and goes on at the
// line's margin; only a word wider than a whole line is cut. The lines are gathered first and
// counted into pages at the end of the document, and only then drawn page by page from the top
// left corner, so that the progress knows the number of pages from the first one and a job
// cancelled before its end sends nothing. The progress is asked whether to go on while the
// lines are gathered, while the device waits, and before every page.
class Impaginatore final : public StampanteTesto {
  public:
    explicit Impaginatore(std::unique_ptr<DispositivoPagine> dispositivo,
                          std::unique_ptr<Avanzamento> avanzamento = nullptr);
    // A job left unfinished is withdrawn.
    ~Impaginatore() override;

    Impaginatore(const Impaginatore&) = delete;
    Impaginatore& operator=(const Impaginatore&) = delete;

    [[nodiscard]] StatoStampa Prepara() override;
    // Refuses only what no line can take: a line taller than the page, or a margin and a single
    // number of `righe()` wider than it. A device that cannot be prepared answers Ok here and
    // fails at the first print.
    [[nodiscard]] Spazio VerificaSpazio(int margine, const RigheCandidate& righe) override;
    StatoStampa ImpostaCarattere(const std::string& nome) override;
    StatoStampa ImpostaGrandezza(float punti) override;
    // A line given as text goes on, when broken, under its first non-blank.
    StatoStampa StampaRiga(std::string_view testo) override;
    StatoStampa Stampa(std::string_view testo) override;
    StatoStampa ACapo() override;
    StatoStampa StampaRighe(const LottoRighe& lotto) override;
    StatoStampa ChiudiDocumento() override;
    [[nodiscard]] std::string Errore() const override { return dispositivo_->Errore(); }

  private:
    // Prepares the device and sets the font on it, once per font.
    [[nodiscard]] StatoStampa Misura();
    [[nodiscard]] bool Continua();
    // Breaks one line into the lines it takes on paper. `separatori` are offsets in `riga`.
    StatoStampa Accoda(std::string_view riga, std::size_t margine,
                       std::span<const std::size_t> separatori);
    void Conserva(std::string_view linea);
    StatoStampa Disegna();
    StatoStampa Interrompi(StatoStampa stato);

    std::unique_ptr<DispositivoPagine> dispositivo_;
    std::unique_ptr<Avanzamento> avanzamento_;
    StatoStampa preparato_ = StatoStampa::Ok;
    bool tentato_ = false;                  // Prepara was called
    StatoStampa guasto_ = StatoStampa::Ok;  // once a call failed, every one after does
    std::string carattere_;
    float punti_ = 0;
    bool misurato_ = false;
    MisurePagina misure_;
    double spazio_ = 0;  // the width of a blank
    // The job's lines as they go on paper, each ended by '\n', in blocks so that a large job
    // never moves them.
    std::vector<std::string> blocchi_;
    std::size_t linee_ = 0;
    std::string riga_;  // the line under way
    std::size_t righeDaControllo_ = 0;
    bool iniziato_ = false;  // the progress was told that the job started
    bool aperto_ = false;    // the device holds a job under way
};

}  // namespace elencario
