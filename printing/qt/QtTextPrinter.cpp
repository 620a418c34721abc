#include "printing/qt/QtTextPrinter.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <chrono>

#include "printing/qt/PrintServerProbe.h"

namespace elencario {

namespace {

using enum PrinterStatus;

constexpr std::chrono::milliseconds kServerLimit{2500};
constexpr const char* kJobName = "Stampa Elencario";
constexpr int kResolution = 1200;

// The longest start of `text` that fits in `room`, never splitting a surrogate pair.
qsizetype FittingLength(const QFontMetricsF& metrics, const QString& text, qreal room) {
    qsizetype fits = 0;
    qsizetype tooLong = text.size() + 1;
    while (tooLong - fits > 1) {
        const qsizetype middle = fits + (tooLong - fits) / 2;
        if (metrics.horizontalAdvance(text.left(middle)) <= room)
            fits = middle;
        else
            tooLong = middle;
    }
    if (fits > 0 && text.at(fits - 1).isHighSurrogate()) --fits;
    return fits;
}

}  // namespace

QtTextPrinter::QtTextPrinter() = default;

QtTextPrinter::QtTextPrinter(const QString& pdfFile)
    : pdfFile_(std::make_unique<QFile>(pdfFile)),
      pdf_(std::make_unique<QPdfWriter>(pdfFile_.get())) {
    pdf_->setResolution(kResolution);
    pdf_->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                    QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
    pdf_->setTitle(QString::fromLatin1(kJobName));
    device_ = pdf_.get();
}

std::unique_ptr<QtTextPrinter> QtTextPrinter::ForPdf(const QString& file) {
    return std::unique_ptr<QtTextPrinter>(new QtTextPrinter(file));
}

QtTextPrinter::~QtTextPrinter() {
    // A job left unfinished after a failure is withdrawn where the printer allows it.
    if (painter_.isActive()) {
        if (printer_) printer_->abort();
        painter_.end();
    }
}

PrinterStatus QtTextPrinter::Prepare() {
    if (pdf_) return pdfFile_->fileName().isEmpty() ? NoPrinter : Ok;
    if (printer_) return Ok;
    if (!PrintServerAnswers(kServerLimit)) return NoPrinter;
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) return NoPrinter;
    auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    // With no usable printer Qt turns the printer into a PDF writer with no file: refuse it.
    if (!printer->isValid() || printer->outputFormat() != QPrinter::NativeFormat) {
        return NoPrinter;
    }
    printer->setDocName(QString::fromLatin1(kJobName));
    printer_ = std::move(printer);
    device_ = printer_.get();
    return Ok;
}

PrinterStatus QtTextPrinter::SetFontName(const std::string& name) {
    font_.setFamily(QString::fromStdString(name));
    if (painter_.isActive()) ApplyFont();
    return Ok;
}

PrinterStatus QtTextPrinter::SetFontSize(float points) {
    // A size no font can take leaves the previous one in force.
    if (points > 0) font_.setPointSizeF(points);
    if (painter_.isActive()) ApplyFont();
    return Ok;
}

PrinterStatus QtTextPrinter::PrintAndEndLine(std::string_view text) {
    const PrinterStatus status = Print(text);
    return status == Ok ? EndLine() : status;
}

PrinterStatus QtTextPrinter::PrintAndStay(std::string_view text) {
    return Print(text);
}

PrinterStatus QtTextPrinter::EndLine() {
    if (const PrinterStatus status = MakeRoomForLine(); status != Ok) return status;
    y_ += metrics_->lineSpacing();
    x_ = 0;
    lineStarted_ = false;
    return Ok;
}

PrinterStatus QtTextPrinter::EndDocument() {
    if (!painter_.isActive()) return Ok;
    bool ended = painter_.end();
    if (pdf_) {
        ended = ended && PdfWritten();
        pdfFile_->close();
        ended = ended && pdfFile_->error() == QFileDevice::NoError;
    } else {
        ended = ended && printer_->printerState() != QPrinter::Error;
    }
    return ended ? Ok : PrintError;
}

bool QtTextPrinter::PdfWritten() const {
    return pdfFile_->flush() && pdfFile_->error() == QFileDevice::NoError;
}

PrinterStatus QtTextPrinter::OpenJob() {
    if (painter_.isActive()) return Ok;
    if (const PrinterStatus status = Prepare(); status != Ok) return status;
    if (pdf_ && !pdfFile_->open(QIODevice::WriteOnly)) return NoPrinter;
    if (!painter_.begin(device_)) {
        if (pdf_) pdfFile_->close();
        return NoPrinter;
    }
    x_ = 0;
    y_ = 0;
    lineStarted_ = false;
    ApplyFont();
    return Ok;
}

void QtTextPrinter::ApplyFont() {
    painter_.setFont(font_);
    metrics_.emplace(painter_.font(), device_);
}

PrinterStatus QtTextPrinter::MakeRoomForLine() {
    if (const PrinterStatus status = OpenJob(); status != Ok) return status;
    if (lineStarted_) return Ok;
    lineStarted_ = true;
    // A line taller than the page still goes on a page of its own.
    if (y_ > 0 && y_ + metrics_->height() > device_->height()) {
        // The PDF streams out page by page: a failed write shows by the next page.
        if (!device_->newPage() || (pdf_ && !PdfWritten())) return PrintError;
        y_ = 0;
    }
    return Ok;
}

PrinterStatus QtTextPrinter::Print(std::string_view text) {
    if (const PrinterStatus status = MakeRoomForLine(); status != Ok) return status;
    const QString line = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    const qreal width = metrics_->horizontalAdvance(line);
    const qreal room = device_->width() - x_;
    const QPointF baseline(x_, y_ + metrics_->ascent());
    if (width <= room) {
        painter_.drawText(baseline, line);
    } else if (const qsizetype fits = FittingLength(*metrics_, line, room); fits > 0) {
        painter_.drawText(baseline, line.left(fits));
    }
    x_ += width;
    return Ok;
}

}  // namespace elencario
