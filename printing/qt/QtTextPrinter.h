#pragma once

#include <QFont>
#include <QString>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "printing/TextPrinter.h"
#include "printing/qt/Avanzamento.h"

class QFontMetricsF;
class QPagedPaintDevice;
class QPainter;
class QPdfWriter;
class QPrinter;
class QTemporaryFile;

namespace elencario {

struct CupsDestination;
class UscitaPdf;

// The text device on a Qt printer: the system's default printer, or a PDF file. The job's lines
// are gathered first; at the end of the document they are broken where wider than the printable
// area, counted into pages, and only then drawn page by page from the top left corner, so that
// the progress knows the number of pages from the first one and a cancelled job sends nothing.
// Where printing goes through CUPS the job is rendered into a private temporary PDF on the
// destination's default media and that finished file is handed to the print server, whose
// answer, within a time limit, is the outcome; elsewhere Qt's own printer takes the pages.
class QtTextPrinter final : public TextPrinter {
  public:
    // Prints on the system's default printer, found by Prepara().
    explicit QtTextPrinter(std::unique_ptr<Avanzamento> avanzamento = nullptr);
    // Renders a PDF into `uscita`: A4 with 10 mm margins, whatever the locale.
    [[nodiscard]] static std::unique_ptr<QtTextPrinter> ForPdf(
        std::unique_ptr<UscitaPdf> uscita, std::unique_ptr<Avanzamento> avanzamento = nullptr);
    // Into the file `file`, written beside itself and put in place only once whole.
    [[nodiscard]] static std::unique_ptr<QtTextPrinter> ForPdf(
        const std::filesystem::path& file, std::unique_ptr<Avanzamento> avanzamento = nullptr);
    [[nodiscard]] static std::unique_ptr<QtTextPrinter> ForPdf(
        const QString& file, std::unique_ptr<Avanzamento> avanzamento = nullptr);
    ~QtTextPrinter() override;

    QtTextPrinter(const QtTextPrinter&) = delete;
    QtTextPrinter& operator=(const QtTextPrinter&) = delete;

    [[nodiscard]] StatoStampa Prepara() override;
    [[nodiscard]] Spazio VerificaSpazio(int margine, const RigheCandidate& righe) override;
    StatoStampa ImpostaCarattere(const std::string& nome) override;
    StatoStampa ImpostaGrandezza(float punti) override;
    StatoStampa StampaRiga(std::string_view testo) override;
    StatoStampa Stampa(std::string_view testo) override;
    StatoStampa ACapo() override;
    StatoStampa ChiudiDocumento() override;
    [[nodiscard]] std::string Errore() const override { return errore_; }

  private:
    QtTextPrinter(std::unique_ptr<UscitaPdf> pdfFile, std::unique_ptr<Avanzamento> avanzamento);

    [[nodiscard]] StatoStampa CercaStampante();
    // Asks the progress, at most every few milliseconds, whether to go on.
    [[nodiscard]] bool Continua();
    // Whether to go on, for a wait on the print server; a no is kept in `annullato`.
    [[nodiscard]] std::function<bool()> Avanti(bool& annullato);
    StatoStampa Render();
    StatoStampa Interrompi(StatoStampa status);
    void Abbandona() noexcept;
    StatoStampa ErrorePdf();
    // Whether the PDF under way has failed to be written.
    [[nodiscard]] bool ScritturaFallita() const;
    StatoStampa Consegna();
    // Calls `riga` with every line gathered so far, in order.
    template <typename F>
    bool OgniRiga(F&& riga) const;

    std::unique_ptr<Avanzamento> avanzamento_;
    std::string errore_;
    // The PDF is written through a file of our own, so that a failed write is seen.
    std::unique_ptr<UscitaPdf> pdfFile_;
    // The job for the print server, and where it goes.
    std::unique_ptr<QTemporaryFile> lavoro_;
    std::unique_ptr<CupsDestination> destinazione_;
    std::unique_ptr<QPdfWriter> pdf_;
    std::unique_ptr<QPrinter> printer_;
    QPagedPaintDevice* device_ = nullptr;  // pdf_ or printer_
    std::unique_ptr<QPainter> painter_;
    QFont font_;
    // The job's lines, each ended by '\n', in blocks so that a large job never moves them.
    std::vector<std::string> blocchi_;
    std::string riga_;  // the line under way
    std::size_t righeDaControllo_ = 0;
    bool iniziato_ = false;
};

}  // namespace elencario
