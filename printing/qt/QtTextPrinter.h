#pragma once

#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QString>
#include <memory>
#include <optional>

#include "printing/TextPrinter.h"

class QPagedPaintDevice;
class QPdfWriter;
class QPrinter;

namespace elencario {

// The text device on a Qt printer: the system's default printer, or a PDF file. Text is laid out
// line by line from the top left corner of the printable area; the position along a line is kept
// as a real number, so that a run of spaces is exactly as wide as the font's own spaces.
class QtTextPrinter final : public TextPrinter {
  public:
    // Prints on the system's default printer, found by Prepare().
    QtTextPrinter();
    // Renders into the PDF file `file`: A4 with 10 mm margins, whatever the locale.
    [[nodiscard]] static std::unique_ptr<QtTextPrinter> ForPdf(const QString& file);
    ~QtTextPrinter() override;

    QtTextPrinter(const QtTextPrinter&) = delete;
    QtTextPrinter& operator=(const QtTextPrinter&) = delete;

    [[nodiscard]] PrinterStatus Prepare() override;
    PrinterStatus SetFontName(const std::string& name) override;
    PrinterStatus SetFontSize(float points) override;
    PrinterStatus PrintAndEndLine(std::string_view text) override;
    PrinterStatus PrintAndStay(std::string_view text) override;
    PrinterStatus EndLine() override;
    PrinterStatus EndDocument() override;

  private:
    explicit QtTextPrinter(const QString& pdfFile);

    PrinterStatus OpenJob();
    void ApplyFont();
    // Opens the job if needed and, at the start of a line that would not fit below the previous
    // ones, starts a new page.
    PrinterStatus MakeRoomForLine();
    PrinterStatus Print(std::string_view text);
    // Whatever has gone to the PDF file so far was written.
    [[nodiscard]] bool PdfWritten() const;

    // The PDF is written through a file of our own, so that a failed write is seen.
    std::unique_ptr<QFile> pdfFile_;
    std::unique_ptr<QPdfWriter> pdf_;
    std::unique_ptr<QPrinter> printer_;
    QPagedPaintDevice* device_ = nullptr;  // pdf_ or printer_
    QPainter painter_;
    QFont font_;
    std::optional<QFontMetricsF> metrics_;  // of font_ on the device, while a job is open
    qreal x_ = 0;  // from the left edge of the printable area, in device pixels
    qreal y_ = 0;  // top of the current line
    bool lineStarted_ = false;
};

}  // namespace elencario
