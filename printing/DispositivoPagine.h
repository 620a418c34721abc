#pragma once

// What a paged output offers the layout of a job (Impaginatore): a font to measure and draw
// with, the printable area, lines drawn at a height, pages one after another, and the job
// finished or abandoned. A PDF file, a print server's job and a system printer are each one.

#include <functional>
#include <string>
#include <string_view>

#include "printing/StampanteTesto.h"

namespace elencario {

// In the device's own units, measured from the top left corner of the printable area.
struct MisurePagina {
    double larghezza = 0;    // of the printable area
    double altezza = 0;      // of the printable area
    double interlinea = 0;   // from the top of one line to the top of the next
    double altezzaRiga = 0;  // how tall one line of text is; more than `altezza` when none fits
};

class DispositivoPagine {
  public:
    virtual ~DispositivoPagine() = default;

    // Finds the printer or opens the file; `continua`, asked while it waits, says whether to go
    // on. Called once, before anything else.
    [[nodiscard]] virtual StatoStampa Prepara(const std::function<bool()>& continua) = 0;
    // The font of what is measured and drawn from now on; `punti` is always above 0.
    virtual void Carattere(const std::string& nome, float punti) = 0;
    [[nodiscard]] virtual MisurePagina Misure() = 0;
    // How wide `testo` (UTF-8) is in the current font.
    [[nodiscard]] virtual double Larghezza(std::string_view testo) = 0;
    // Opens the first page.
    [[nodiscard]] virtual StatoStampa Inizia() = 0;
    // Draws `testo` (UTF-8) with its top `alto` below the top of the printable area, from its
    // left edge.
    [[nodiscard]] virtual StatoStampa Disegna(double alto, std::string_view testo) = 0;
    [[nodiscard]] virtual StatoStampa NuovaPagina() = 0;
    // Finishes the job and hands it over; `continua` as for Prepara.
    [[nodiscard]] virtual StatoStampa Termina(const std::function<bool()>& continua) = 0;
    // Withdraws whatever was begun: nothing reaches the printer, no file is put in place. May be
    // called at any point, more than once.
    virtual void Abbandona() noexcept = 0;
    // The device's own account of its last failure, when it has one.
    [[nodiscard]] virtual std::string Errore() const { return {}; }
};

}  // namespace elencario
