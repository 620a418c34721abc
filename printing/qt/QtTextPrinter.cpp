#include "printing/qt/QtTextPrinter.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <chrono>

#include "printing/qt/PrintServerProbe.h"

namespace elencario {

namespace {

using enum PrinterStatus;

constexpr std::chrono::milliseconds kServerLimit{2500};
constexpr const char* kJobName = "Stampa Elencario";

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

QtTextPrinter::QtTextPrinter(std::unique_ptr<QPrinter> pdf) : printer_(std::move(pdf)) {}

std::unique_ptr<QtTextPrinter> QtTextPrinter::ForPdf(const QString& file) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(file);
    printer->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                       QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
    printer->setDocName(QString::fromLatin1(kJobName));
    return std::unique_ptr<QtTextPrinter>(new QtTextPrinter(std::move(printer)));
}

QtTextPrinter::~QtTextPrinter() {
    // A job left unfinished after a failure is withdrawn rather than printed in part.
    if (painter_.isActive()) {
        printer_->abort();
        painter_.end();
    }
}

PrinterStatus QtTextPrinter::Prepare() {
    if (printer_) {
        // Without a file name Qt would quietly fall back to another output.
        const bool pdf = printer_->outputFormat() == QPrinter::PdfFormat;
        return !pdf || !printer_->outputFileName().isEmpty() ? Ok : NoPrinter;
    }
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
    const bool ended = painter_.end();
    return ended && printer_->printerState() != QPrinter::Error ? Ok : PrintError;
}

PrinterStatus QtTextPrinter::OpenJob() {
    if (painter_.isActive()) return Ok;
    if (!printer_) {
        if (const PrinterStatus status = Prepare(); status != Ok) return status;
    }
    if (!painter_.begin(printer_.get())) return NoPrinter;
    x_ = 0;
    y_ = 0;
    lineStarted_ = false;
    ApplyFont();
    return Ok;
}

void QtTextPrinter::ApplyFont() {
    painter_.setFont(font_);
    metrics_.emplace(painter_.font(), printer_.get());
}

PrinterStatus QtTextPrinter::MakeRoomForLine() {
    if (const PrinterStatus status = OpenJob(); status != Ok) return status;
    if (lineStarted_) return Ok;
    lineStarted_ = true;
    // A line taller than the page still goes on a page of its own.
    const qreal pageHeight = printer_->pageRect(QPrinter::DevicePixel).height();
    if (y_ > 0 && y_ + metrics_->height() > pageHeight) {
        if (!printer_->newPage()) return PrintError;
        y_ = 0;
    }
    return Ok;
}

PrinterStatus QtTextPrinter::Print(std::string_view text) {
    if (const PrinterStatus status = MakeRoomForLine(); status != Ok) return status;
    const QString line = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    const qreal width = metrics_->horizontalAdvance(line);
    const qreal room = printer_->pageRect(QPrinter::DevicePixel).width() - x_;
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
