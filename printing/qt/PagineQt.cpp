#include "printing/qt/PagineQt.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <limits>

#include "systems/Testi.h"

namespace elencario {

namespace {
constexpr int kRisoluzione = 1200;
}

std::unique_ptr<QPdfWriter> ScrittorePdf(QIODevice* file, const QPageLayout& pagina) {
    auto pdf = std::make_unique<QPdfWriter>(file);
    pdf->setResolution(kRisoluzione);
    pdf->setPageLayout(pagina);
    pdf->setTitle(QString::fromLatin1(testi::kNomeLavoro));
    return pdf;
}

PagineQt::PagineQt() = default;

PagineQt::~PagineQt() = default;

void PagineQt::Metriche() {
    QPagedPaintDevice* const d = Dispositivo();
    metriche_ = std::make_unique<QFontMetricsF>(carattere_, d);
    grezzo_ = QRawFont::fromFont(QFont(carattere_, d));
    std::array<QChar, 128> caratteri{};
    for (std::size_t c = 0; c < caratteri.size(); ++c) caratteri[c] = QChar(static_cast<ushort>(c));
    int quanti = static_cast<int>(glifi_.size());
    std::array<QPointF, 128> avanzamenti{};
    if (!grezzo_.isValid() ||
        !grezzo_.glyphIndexesForChars(caratteri.data(), quanti, glifi_.data(), &quanti) ||
        !grezzo_.advancesForGlyphIndexes(glifi_.data(), avanzamenti.data(), quanti,
                                         QRawFont::SeparateAdvances)) {
        grezzo_ = QRawFont();
        return;
    }
    for (std::size_t c = 0; c < avanzamenti_.size(); ++c) avanzamenti_[c] = avanzamenti[c].x();
}

bool PagineQt::Ascii(std::string_view testo) {
    return std::all_of(testo.begin(), testo.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x80 && static_cast<unsigned char>(c) >= 0x20;
    });
}

void PagineQt::Carattere(const std::string& nome, float punti) {
    carattere_.setFamily(QString::fromStdString(nome));
    if (punti > 0) carattere_.setPointSizeF(punti);
    metriche_.reset();
}

MisurePagina PagineQt::Misure() {
    QPagedPaintDevice* const d = Dispositivo();
    Metriche();
    MisurePagina m{static_cast<double>(d->width()), static_cast<double>(d->height()),
                   metriche_->lineSpacing(), metriche_->height()};
    // A size beyond what the font engine renders comes back as a far smaller font: no page
    // takes it either.
    const qreal pixel = carattere_.pointSizeF() * d->logicalDpiY() / 72.0;
    if (pixel > d->height() || metriche_->height() < pixel / 2) {
        m.altezzaRiga = std::numeric_limits<double>::infinity();
    }
    return m;
}

double PagineQt::Larghezza(std::string_view testo) {
    if (!metriche_) Metriche();
    if (grezzo_.isValid() && Ascii(testo)) {
        double larghezza = 0;
        for (const char c : testo) larghezza += avanzamenti_[static_cast<unsigned char>(c)];
        return larghezza;
    }
    return metriche_->horizontalAdvance(
        QString::fromUtf8(testo.data(), static_cast<qsizetype>(testo.size())));
}

StatoStampa PagineQt::Inizia() {
    if (!metriche_) Metriche();
    pittore_ = std::make_unique<QPainter>();
    if (!pittore_->begin(Dispositivo())) return NonIniziata();
    pittore_->setFont(carattere_);
    return StatoStampa::Ok;
}

StatoStampa PagineQt::Disegna(double alto, std::string_view testo) {
    if (grezzo_.isValid() && Ascii(testo)) {
        indici_.resize(static_cast<qsizetype>(testo.size()));
        posizioni_.resize(static_cast<qsizetype>(testo.size()));
        // A PDF places every glyph on its own: of a run of blanks only the first is drawn, which
        // tells readers of the file that a word ends, and the others leave their room.
        double x = 0;
        qsizetype n = 0;
        char prima = 0;
        for (const char carattere : testo) {
            const auto c = static_cast<unsigned char>(carattere);
            const bool disegna = c != ' ' || prima != ' ';
            prima = carattere;
            if (disegna) {
                indici_[n] = glifi_[c];
                posizioni_[n++] = QPointF(x, 0);
            }
            x += avanzamenti_[c];
        }
        indici_.resize(n);
        posizioni_.resize(n);
        QGlyphRun riga;
        riga.setRawFont(grezzo_);
        riga.setGlyphIndexes(indici_);
        riga.setPositions(posizioni_);
        pittore_->drawGlyphRun(QPointF(0, alto + metriche_->ascent()), riga);
        return StatoStampa::Ok;
    }
    pittore_->drawText(QPointF(0, alto + metriche_->ascent()),
                       QString::fromUtf8(testo.data(), static_cast<qsizetype>(testo.size())));
    return StatoStampa::Ok;
}

StatoStampa PagineQt::NuovaPagina() {
    // A PDF streams out page by page: a failed write shows by the next page.
    if (!Dispositivo()->newPage() || !Scritte()) return Guasto();
    return StatoStampa::Ok;
}

StatoStampa PagineQt::Termina(const std::function<bool()>& continua) {
    if (!pittore_->end()) return Guasto();
    pittore_.reset();
    return Consegna(continua);
}

void PagineQt::Abbandona() noexcept {
    const bool aperte = pittore_ && pittore_->isActive();
    try {
        Ferma(aperte);
        // Ending a PDF writes its last pages, which may need memory there is not.
        if (aperte) pittore_->end();
        pittore_.reset();
        Ritira();
    } catch (...) {
        // Withdrawn all the same: the job was never handed over. The painter, stuck half-way
        // through its end, and its device are let go rather than ended a second time.
        if (pittore_ && pittore_->isActive()) {
            static_cast<void>(pittore_.release());
            Lascia();
        }
        Ritira();
    }
}

}  // namespace elencario
