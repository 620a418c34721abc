#pragma once

#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace elencario {

// Interrotta: the user (or a signal) stopped the job; nothing reached the printer.
enum class StatoStampa { Ok, SenzaStampante, Fallita, Interrotta };

// Whether the listing fits across and down the printable area, asked before the first print.
enum class Spazio { Ok, MargineTroppoLargo, CarattereTroppoGrande };

// Gives the numbers that may be the widest on paper; gathered only for a device that measures
// them, since it takes a pass over every row.
using RigheCandidate = std::function<std::vector<std::string>()>;

// What joins the rows of a printed line: three spaces, a hyphen, three spaces.
inline constexpr std::string_view kSeparatore = "   -   ";

// Printed lines handed over many at a time: `testo` as the listing shows them, each ended by
// '\n' and opened by `margine` spaces; `separatori` are where the separators between rows start,
// in order, as offsets in `testo`. A device that breaks wide lines breaks them there first.
struct LottoRighe {
    std::string_view testo;
    std::size_t margine = 0;
    std::span<const std::size_t> separatori = {};
};

// The printer driven as a text device. The first print opens the job; the font stays in force
// for the whole job; every line starts at the left edge of the printable area and pages follow
// one another by themselves; a line wider than the printable area goes on over further lines at
// the same margin, broken at a blank. Every operation reports how it went: once one fails, the
// caller stops sending.
class StampanteTesto {
  public:
    virtual ~StampanteTesto() = default;

    // Asked once before anything is sent: is there a printer to send to?
    [[nodiscard]] virtual StatoStampa Prepara() { return StatoStampa::Ok; }

    // With the font already set: do `margine` spaces followed by the widest of `righe()` (the
    // numbers of the rows) fit on one line, and does one line fit on a page? A device without a
    // width always answers Ok.
    [[nodiscard]] virtual Spazio VerificaSpazio(int margine, const RigheCandidate& righe) {
        (void)margine;
        (void)righe;
        return Spazio::Ok;
    }

    virtual StatoStampa ImpostaCarattere(const std::string& nome) = 0;
    virtual StatoStampa ImpostaGrandezza(float punti) = 0;
    virtual StatoStampa StampaRiga(std::string_view testo) = 0;
    virtual StatoStampa Stampa(std::string_view testo) = 0;
    virtual StatoStampa ACapo() = 0;
    // Whole lines at once: for a device that takes many lines in one go. Any other gets them one
    // by one, up to the first that fails.
    virtual StatoStampa StampaRighe(const LottoRighe& lotto) {
        const std::string_view righe = lotto.testo;
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
