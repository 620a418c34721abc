#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace elencario {

// How a job, or one step of it, went: SenzaStampante, no printer to send to; Fallita, the printer
// or the file failed; Interrotta, the user (or a signal) stopped the job and nothing reached the
// printer.
enum class StatoStampa { Ok, SenzaStampante, Fallita, Interrotta };

// Whether the listing fits across and down the printable area, asked before the first print.
enum class Spazio { Ok, MargineTroppoLargo, CarattereTroppoGrande };

// Gives the rows that may be the widest on paper; gathered only for a device that measures them,
// since it takes a pass over every row.
using RigheCandidate = std::function<std::vector<std::string>()>;

// The printer driven as a text device. The first print opens the job; the font stays in force
// for the whole job; every line starts at the left edge of the printable area and pages follow
// one another by themselves; a line wider than the printable area goes on over further lines at
// the same margin, broken at a blank. Every operation reports how it went: once one fails, the
// caller stops sending.
class TextPrinter {
  public:
    virtual ~TextPrinter() = default;

    // Asked once before anything is sent: is there a printer to send to?
    [[nodiscard]] virtual StatoStampa Prepara() { return StatoStampa::Ok; }

    // With the font already set: do `margine` spaces followed by the widest of `righe()` fit on
    // one line, and does one line fit on a page? A device without a width always answers Ok.
    [[nodiscard]] virtual Spazio VerificaSpazio(int margine, const RigheCandidate& righe) {
        (void)margine;
        (void)righe;
        return Spazio::Ok;
    }

    virtual StatoStampa ImpostaCarattere(const std::string& nome) = 0;
    virtual StatoStampa ImpostaGrandezza(float punti) = 0;
    virtual StatoStampa StampaRiga(std::string_view testo) = 0;
    // Prints `testo` and stays on the line; ACapo ends it.
    virtual StatoStampa Stampa(std::string_view testo) = 0;
    virtual StatoStampa ACapo() = 0;
    // Whole lines at once, each ended by '\n': for a device that takes many lines in one go. Any
    // other gets them one by one, up to the first that fails.
    virtual StatoStampa StampaRighe(std::string_view righe) {
        StatoStampa s = StatoStampa::Ok;
        for (std::size_t inizio = 0; inizio < righe.size() && s == StatoStampa::Ok;) {
            const std::size_t fine = righe.find('\n', inizio);
            s = StampaRiga(righe.substr(inizio, fine - inizio));
            inizio = fine + 1;
        }
        return s;
    }
    // Finishes the job and hands it to the printer.
    virtual StatoStampa ChiudiDocumento() = 0;

    // The printer's own account of its last failure (naming a file, a reason), when it has one.
    [[nodiscard]] virtual std::string Errore() const { return {}; }
};

}  // namespace elencario
