#include "printing/qt/QtTextPrinter.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFontMetricsF>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryFile>
#include <QThread>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <functional>
#include <new>

#include "printing/qt/CupsJob.h"
#include "printing/qt/UscitaPdf.h"

namespace elencario {

namespace {

using enum StatoStampa;

constexpr std::chrono::milliseconds kServerLimit{30'000};
constexpr const char* kJobName = "Stampa Elencario";
constexpr int kResolution = 1200;
constexpr std::size_t kBlocco = 1 << 20;
constexpr std::size_t kRigheTraControlli = 512;
constexpr QStringView kSeparatore = u"   -   ";
constexpr qsizetype kFineSeparatore = 4;  // a broken line keeps "   -" to show it goes on

// The longest start of `text` that fits in `room`, never splitting a surrogate pair.
qsizetype FittingLength(const QFontMetricsF& metrics, QStringView text, qreal room) {
    qsizetype fits = 0;
    qsizetype tooLong = text.size() + 1;
    while (tooLong - fits > 1) {
        const qsizetype middle = fits + (tooLong - fits) / 2;
        if (metrics.horizontalAdvance(text.left(middle).toString()) <= room)
            fits = middle;
        else
            tooLong = middle;
    }
    if (fits > 0 && text.at(fits - 1).isHighSurrogate()) --fits;
    return fits;
}

qsizetype Spazi(QStringView text, qsizetype from) {
    while (from < text.size() && text.at(from) == u' ') ++from;
    return from;
}

// Gives `fuori` the printed lines that `riga` takes: the whole of it when it fits in `room`,
// else pieces broken at the last separator that fits, or else at the last blank, each further
// piece opened by the same margin as the first. Only a word wider than the whole line is cut.
template <typename F>
void Spezza(const QString& riga, const QFontMetricsF& metrics, qreal room, F&& fuori) {
    if (metrics.horizontalAdvance(riga) <= room) {
        fuori(riga);
        return;
    }
    QString margine = riga.left(Spazi(riga, 0));
    if (metrics.horizontalAdvance(margine) >= room) margine.clear();
    QString resto = riga;
    while (metrics.horizontalAdvance(resto) > room) {
        const qsizetype testo = Spazi(resto, 0);
        const qsizetype entra = FittingLength(metrics, resto, room);
        qsizetype fine = -1;
        qsizetype ripresa = -1;
        if (const qsizetype s = resto.lastIndexOf(kSeparatore, entra); s > testo) {
            // The dash stays at the end when it fits, so the line shows that it goes on.
            fine = s + kFineSeparatore <= entra ? s + kFineSeparatore : s;
            ripresa = s + kSeparatore.size();
        } else if (const qsizetype b = entra < resto.size() ? resto.lastIndexOf(u' ', entra) : -1;
                   b > testo) {
            fine = b;
            ripresa = Spazi(resto, b);
        } else {
            fine = std::max(entra, testo + 1);
            ripresa = fine;
        }
        fuori(resto.left(fine));
        if (ripresa >= resto.size()) return;
        resto = margine + resto.mid(ripresa);
    }
    fuori(resto);
}

}  // namespace

QtTextPrinter::QtTextPrinter(std::unique_ptr<Avanzamento> avanzamento)
    : avanzamento_(std::move(avanzamento)) {}

QtTextPrinter::QtTextPrinter(std::unique_ptr<UscitaPdf> pdfFile,
                             std::unique_ptr<Avanzamento> avanzamento)
    : avanzamento_(std::move(avanzamento)),
      pdfFile_(std::move(pdfFile)),
      pdf_(std::make_unique<QPdfWriter>(pdfFile_.get())) {
    pdf_->setResolution(kResolution);
    pdf_->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                    QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
    pdf_->setTitle(QString::fromLatin1(kJobName));
    device_ = pdf_.get();
}

std::unique_ptr<QtTextPrinter> QtTextPrinter::ForPdf(std::unique_ptr<UscitaPdf> uscita,
                                                     std::unique_ptr<Avanzamento> avanzamento) {
    return std::unique_ptr<QtTextPrinter>(
        new QtTextPrinter(std::move(uscita), std::move(avanzamento)));
}

std::unique_ptr<QtTextPrinter> QtTextPrinter::ForPdf(const std::filesystem::path& file,
                                                     std::unique_ptr<Avanzamento> avanzamento) {
    return ForPdf(std::make_unique<UscitaPdf>(file), std::move(avanzamento));
}

std::unique_ptr<QtTextPrinter> QtTextPrinter::ForPdf(const QString& file,
                                                     std::unique_ptr<Avanzamento> avanzamento) {
    return ForPdf(std::filesystem::path(file.toStdU16String()), std::move(avanzamento));
}

QtTextPrinter::~QtTextPrinter() {
    // A job left unfinished is withdrawn: nothing reaches the printer, no PDF is put in place.
    Abbandona();
    if (iniziato_ && avanzamento_) avanzamento_->Fine();
}

void QtTextPrinter::Abbandona() noexcept {
    try {
        if (printer_ && painter_ && painter_->isActive()) printer_->abort();
        if (pdfFile_) pdfFile_->Annulla();
        // Ending a PDF writes its last pages, which may need memory there is not.
        if (painter_ && painter_->isActive()) painter_->end();
        if (lavoro_) {
            pdf_.reset();
            device_ = nullptr;
        }
    } catch (...) {
        // Withdrawn all the same: the job was never handed over. The painter, stuck half-way
        // through its end, and its device are let go rather than ended a second time.
        if (painter_ && painter_->isActive()) {
            static_cast<void>(painter_.release());
            static_cast<void>(pdf_.release());
            static_cast<void>(printer_.release());
            device_ = nullptr;
        }
    }
    lavoro_.reset();
    blocchi_.clear();
}

bool QtTextPrinter::Continua() {
    if (!avanzamento_) return true;
    if (!iniziato_) {
        iniziato_ = true;
        avanzamento_->Inizio();
    }
    return avanzamento_->Continua();
}

StatoStampa QtTextPrinter::Prepara() {
    if (pdfFile_) {
        if (pdfFile_->Apri()) return Ok;
        return ErrorePdf();
    }
    if (device_ != nullptr) return Ok;
    return CercaStampante();
}

#ifdef ELENCARIO_CUPS

std::function<bool()> QtTextPrinter::Avanti(bool& annullato) {
    return [this, &annullato] {
        annullato = annullato || !Continua();
        return !annullato;
    };
}

StatoStampa QtTextPrinter::CercaStampante() {
    bool annullato = false;
    const auto trovata = FindDefaultDestination(kServerLimit, Avanti(annullato));
    if (annullato) return Interrotta;
    if (!trovata) return SenzaStampante;
    // Private to the user, removed with the job whatever its outcome.
    lavoro_ = std::make_unique<QTemporaryFile>(QDir::tempPath() + "/elencario-XXXXXX.pdf");
    if (!lavoro_->open()) return Interrompi(Fallita);
    destinazione_ = std::make_unique<CupsDestination>(*trovata);
    pdf_ = std::make_unique<QPdfWriter>(lavoro_.get());
    pdf_->setResolution(kResolution);
    pdf_->setPageLayout(destinazione_->layout);
    pdf_->setTitle(QString::fromLatin1(kJobName));
    device_ = pdf_.get();
    return Ok;
}

StatoStampa QtTextPrinter::Consegna() {
    if (!lavoro_->flush() || lavoro_->error() != QFileDevice::NoError) return Interrompi(Fallita);
    bool annullato = false;
    const CupsOutcome esito =
        SubmitPdf(*destinazione_, lavoro_->fileName(), QString::fromLatin1(kJobName), kServerLimit,
                  Avanti(annullato));
    pdf_.reset();
    device_ = nullptr;
    lavoro_.reset();
    switch (esito) {
        case CupsOutcome::Accepted:
            return Ok;
        case CupsOutcome::Cancelled:
            return Interrotta;
        case CupsOutcome::Failed:
            break;
    }
    return annullato ? Interrotta : Fallita;
}

#else

StatoStampa QtTextPrinter::CercaStampante() {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) return SenzaStampante;
    auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    // With no usable printer Qt turns the printer into a PDF writer with no file: refuse it.
    if (!printer->isValid() || printer->outputFormat() != QPrinter::NativeFormat) {
        return SenzaStampante;
    }
    printer->setDocName(QString::fromLatin1(kJobName));
    printer_ = std::move(printer);
    device_ = printer_.get();
    return Continua() ? Ok : Interrotta;
}

StatoStampa QtTextPrinter::Consegna() {
    return printer_->printerState() != QPrinter::Error ? Ok : Fallita;
}

#endif

bool QtTextPrinter::ScritturaFallita() const {
    if (pdfFile_) return pdfFile_->Fallita();
    return lavoro_ && lavoro_->error() != QFileDevice::NoError;
}

Spazio QtTextPrinter::VerificaSpazio(int margine, const RigheCandidate& righe) {
    if (device_ == nullptr) return Spazio::Ok;
    // A size beyond what the font engine renders comes back as a far smaller font: refused too.
    const qreal pixel = font_.pointSizeF() * device_->logicalDpiY() / 72.0;
    if (pixel > device_->height()) return Spazio::CarattereTroppoGrande;
    const QFontMetricsF metrics(font_, device_);
    const qreal larghezza = device_->width();
    if (metrics.height() > device_->height() || metrics.height() < pixel / 2) {
        return Spazio::CarattereTroppoGrande;
    }
    qreal riga = 0;
    for (const std::string& r : righe()) {
        riga = std::max(riga, metrics.horizontalAdvance(QString::fromStdString(r)));
    }
    // Huge margins are measured as many single spaces, not as one huge text.
    const qreal spazi = metrics.horizontalAdvance(u' ') * margine;
    if (spazi + riga <= larghezza) return Spazio::Ok;
    return riga <= larghezza ? Spazio::MargineTroppoLargo : Spazio::CarattereTroppoGrande;
}

StatoStampa QtTextPrinter::ImpostaCarattere(const std::string& name) {
    font_.setFamily(QString::fromStdString(name));
    return Ok;
}

StatoStampa QtTextPrinter::ImpostaGrandezza(float points) {
    // A size no font can take leaves the previous one in force.
    if (points > 0) font_.setPointSizeF(points);
    return Ok;
}

StatoStampa QtTextPrinter::StampaRiga(std::string_view text) {
    riga_.append(text);
    return ACapo();
}

StatoStampa QtTextPrinter::Stampa(std::string_view text) {
    riga_.append(text);
    return Ok;
}

StatoStampa QtTextPrinter::ACapo() {
    riga_.push_back('\n');
    if (blocchi_.empty() || blocchi_.back().capacity() - blocchi_.back().size() < riga_.size()) {
        blocchi_.emplace_back().reserve(std::max(kBlocco, riga_.size()));
    }
    blocchi_.back() += riga_;
    riga_.clear();
    if (++righeDaControllo_ < kRigheTraControlli) return Ok;
    righeDaControllo_ = 0;
    return Continua() ? Ok : Interrompi(Interrotta);
}

template <typename F>
bool QtTextPrinter::OgniRiga(F&& riga) const {
    for (const std::string& blocco : blocchi_) {
        for (std::size_t inizio = 0; inizio < blocco.size();) {
            const std::size_t fine = blocco.find('\n', inizio);
            if (!riga(QString::fromUtf8(blocco.data() + inizio,
                                        static_cast<qsizetype>(fine - inizio)))) {
                return false;
            }
            inizio = fine + 1;
        }
    }
    return true;
}

StatoStampa QtTextPrinter::ChiudiDocumento() {
    if (!riga_.empty()) ACapo();
    if (blocchi_.empty()) return Ok;
    StatoStampa status = Fallita;
    try {
        status = Render();
    } catch (const std::bad_alloc&) {
        status = Interrompi(Fallita);
    }
    blocchi_.clear();
    if (iniziato_ && avanzamento_) avanzamento_->Fine();
    iniziato_ = false;
    return status;
}

StatoStampa QtTextPrinter::Render() {
    if (const StatoStampa status = Prepara(); status != Ok) return status;
    // A PDF job awaits no printer, so nothing has started it yet: it starts before its first
    // page is announced.
    if (!Continua()) return Interrompi(Interrotta);
    painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(device_)) return pdfFile_ ? ErrorePdf() : Interrompi(SenzaStampante);
    painter_->setFont(font_);
    const QFontMetricsF metrics(painter_->font(), device_);
    const qreal room = device_->width();
    const qreal spacing = metrics.lineSpacing();
    const qreal free = device_->height() - metrics.height();
    // Every line is as tall as the font: so many fit on a page, the first one always.
    const qint64 perPage = free < 0 ? 1 : 1 + static_cast<qint64>(std::floor(free / spacing));

    qint64 lines = 0;
    std::size_t counted = 0;
    const bool measured = OgniRiga([&](const QString& riga) {
        Spezza(riga, metrics, room, [&](const QString&) { ++lines; });
        return ++counted % kRigheTraControlli != 0 || Continua();
    });
    if (!measured) return Interrompi(Interrotta);
    const int pages = static_cast<int>((lines + perPage - 1) / perPage);

    qint64 onPage = 0;
    int page = 1;
    if (avanzamento_) avanzamento_->Pagina(page, pages);
    bool failed = false;
    const bool drawn = OgniRiga([&](const QString& riga) {
        Spezza(riga, metrics, room, [&](const QString& pezzo) {
            if (failed) return;
            if (onPage == perPage) {
                // The PDF streams out page by page: a failed write shows by the next page.
                failed = !device_->newPage() || ScritturaFallita();
                onPage = 0;
                ++page;
                if (avanzamento_) avanzamento_->Pagina(page, pages);
            }
            if (!pezzo.isEmpty()) {
                painter_->drawText(
                    QPointF(0, static_cast<qreal>(onPage) * spacing + metrics.ascent()), pezzo);
            }
            ++onPage;
        });
        return !failed && (onPage != 1 || Continua());
    });
    if (failed) return ErrorePdf();
    if (!drawn) return Interrompi(Interrotta);
    if (!painter_->end()) return ErrorePdf();
    if (pdfFile_) return pdfFile_->Conferma() ? Ok : ErrorePdf();
    return Consegna();
}

StatoStampa QtTextPrinter::Interrompi(StatoStampa status) {
    Abbandona();
    return status;
}

StatoStampa QtTextPrinter::ErrorePdf() {
    // A job for the printer is a print error; the user's own file is named with the reason.
    if (pdfFile_) {
        errore_ = pdfFile_->Errore();
    }
    return Interrompi(Fallita);
}

}  // namespace elencario
