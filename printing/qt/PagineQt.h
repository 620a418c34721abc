#pragma once

#include <QFont>
#include <QList>
#include <QPointF>
#include <QRawFont>
#include <QString>
#include <array>
#include <memory>
#include <optional>

#include "printing/DispositivoPagine.h"

class QFontMetricsF;
class QPageLayout;
class QPagedPaintDevice;
class QPainter;
class QPdfWriter;
class QIODevice;

namespace elencario {

// What the Qt outputs share: the font measured and the lines drawn on a Qt paint device that the
// output provides, by a painter that lives from the first page to the end of the job.
class PagineQt : public DispositivoPagine {
  public:
    PagineQt();
    ~PagineQt() override;

    void Carattere(const std::string& nome, float punti) override;
    [[nodiscard]] MisurePagina Misure() override;
    [[nodiscard]] double Larghezza(std::string_view testo) override;
    [[nodiscard]] StatoStampa Inizia() override;
    [[nodiscard]] StatoStampa Disegna(double alto, std::string_view testo) override;
    [[nodiscard]] StatoStampa NuovaPagina() override;
    [[nodiscard]] StatoStampa Termina(const std::function<bool()>& continua) override;
    void Abbandona() noexcept override;

  protected:
    // The device the pages go to; none until the output is prepared.
    [[nodiscard]] virtual QPagedPaintDevice* Dispositivo() const = 0;
    // The status of a first page that could not be begun, and of a page that could not be
    // written.
    [[nodiscard]] virtual StatoStampa NonIniziata() { return StatoStampa::SenzaStampante; }
    [[nodiscard]] virtual StatoStampa Guasto() { return StatoStampa::Fallita; }
    // Whether the pages written so far reached their file.
    [[nodiscard]] virtual bool Scritte() const { return true; }
    // Hands the finished pages over.
    [[nodiscard]] virtual StatoStampa Consegna(const std::function<bool()>& continua) = 0;
    // Withdraws what the output itself began; the painter is already ended.
    virtual void Ritira() noexcept {}
    // Called first when the job is withdrawn, the pages still open when `aperte`.
    virtual void Ferma(bool aperte) noexcept { (void)aperte; }
    // Lets go of the output's own devices, when ending the painter failed half-way.
    virtual void Lascia() noexcept {}

  private:
    // The font measured on the device, and the glyphs and advances of its ASCII characters.
    void Metriche();
    // Whether `testo` is all ASCII, the only text drawn from the table.
    [[nodiscard]] static bool Ascii(std::string_view testo);

    QFont carattere_;
    std::unique_ptr<QFontMetricsF> metriche_;
    std::unique_ptr<QPainter> pittore_;
    // Rows and the header are measured and drawn from these, not shaped again on every line:
    // the listing is ASCII but for the system's name.
    QRawFont grezzo_;
    std::array<quint32, 128> glifi_{};
    std::array<double, 128> avanzamenti_{};
    QList<quint32> indici_;
    QList<QPointF> posizioni_;
};

// A PDF writer on `file` with the resolution of every PDF of the program and `pagina`.
[[nodiscard]] std::unique_ptr<QPdfWriter> ScrittorePdf(QIODevice* file, const QPageLayout& pagina);

}  // namespace elencario
