#include <gtest/gtest.h>

#include <QFile>
#include <QFontMetricsF>
#include <QPrinter>
#include <cmath>
#include <functional>

#include "printing/qt/QtTextPrinter.h"
#include "tests/printing_qt/PdfText.h"
#include "tests/support/TempFolder.h"

namespace elencario {
namespace {

using test::PdfText;
using enum PrinterStatus;

constexpr double kPointTolerance = 0.02;
constexpr double kPdfMarginPoints = 10 / 25.4 * 72;

struct Font {
    const char* testName;
    const char* family;
    float points;
};

void PrintTo(const Font& font, std::ostream* os) {
    *os << font.testName;
}

// The font's space and line spacing as Qt measures them on a PDF printer, in points.
struct FontMeasures {
    double space;
    double lineSpacing;
};

FontMeasures Measure(const Font& font) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    QFont qfont(QString::fromLatin1(font.family));
    qfont.setPointSizeF(font.points);
    const QFontMetricsF metrics(qfont, &printer);
    const double toPoints = 72.0 / printer.resolution();
    return {metrics.horizontalAdvance(' ') * toPoints, metrics.lineSpacing() * toPoints};
}

class QtTextPrinterTest : public testing::Test {
  protected:
    [[nodiscard]] QString PdfFile() const {
        return QString::fromStdString((folder_.path() / "prova.pdf").string());
    }

    // Sends `lines` in `font` through a PDF printer and reads the document back.
    PdfText Print(const Font& font, const std::function<void(TextPrinter&)>& lines) {
        const auto printer = QtTextPrinter::ForPdf(PdfFile());
        EXPECT_EQ(printer->Prepare(), Ok);
        EXPECT_EQ(printer->SetFontName(font.family), Ok);
        EXPECT_EQ(printer->SetFontSize(font.points), Ok);
        lines(*printer);
        EXPECT_EQ(printer->EndDocument(), Ok);
        return test::ReadPdf(PdfFile());
    }

    test::TempFolder folder_;
};

class FontLayoutTest : public QtTextPrinterTest, public testing::WithParamInterface<Font> {};

TEST_P(FontLayoutTest, MarginsAreWholeSpacesOfTheFont) {
    const int margins[] = {0, 1, 4, 12, 40};
    const PdfText pdf = Print(GetParam(), [&](TextPrinter& p) {
        for (const int m : margins) {
            EXPECT_EQ(p.PrintAndEndLine(std::string(static_cast<std::size_t>(m), ' ') + "X"), Ok);
        }
    });
    ASSERT_EQ(pdf.lines.size(), std::size(margins));
    const double left = pdf.lines[0].Left();
    const double space = (pdf.lines.back().Left() - left) / margins[std::size(margins) - 1];
    EXPECT_NEAR(space, Measure(GetParam()).space, kPointTolerance);
    for (std::size_t i = 0; i < std::size(margins); ++i) {
        EXPECT_NEAR(pdf.lines[i].Left() - left, margins[i] * space, kPointTolerance)
            << "margine di " << margins[i] << " spazi";
    }
}

TEST_P(FontLayoutTest, PrintAndStayContinuesTheLineAtTheFontsSpacing) {
    const PdfText pdf = Print(GetParam(), [](TextPrinter& p) {
        EXPECT_EQ(p.PrintAndEndLine("    IN GIOCO:"), Ok);
        for (const char* piece : {"    ", "03 ", "08 ", "15 "})
            EXPECT_EQ(p.PrintAndStay(piece), Ok);
        EXPECT_EQ(p.EndLine(), Ok);
        EXPECT_EQ(p.EndLine(), Ok);
        EXPECT_EQ(p.PrintAndEndLine("    03 08 15 "), Ok);
    });
    ASSERT_EQ(pdf.lines.size(), 3U);
    const test::PdfLine& pieces = pdf.lines[1];
    const test::PdfLine& whole = pdf.lines[2];
    ASSERT_EQ(pieces.Text(), "03 08 15");
    ASSERT_EQ(whole.Text(), "03 08 15");
    for (std::size_t i = 0; i < pieces.words.size(); ++i) {
        EXPECT_NEAR(pieces.words[i].xMin, whole.words[i].xMin, kPointTolerance) << i;
    }
    const double spacing = Measure(GetParam()).lineSpacing;
    EXPECT_NEAR(pieces.y - pdf.lines[0].y, spacing, kPointTolerance);
    EXPECT_NEAR(whole.y - pieces.y, 2 * spacing, kPointTolerance) << "una riga vuota in mezzo";
}

INSTANTIATE_TEST_SUITE_P(Fonts, FontLayoutTest,
                         testing::Values(Font{"CourierNew10", "Courier New", 10},
                                         Font{"Arial9", "Arial", 9},
                                         Font{"SegoeUI9Substituted", "Segoe UI", 9},
                                         Font{"TimesNewRoman14", "Times New Roman", 14}),
                         [](const testing::TestParamInfo<Font>& info) {
                             return std::string(info.param.testName);
                         });

constexpr Font kCourier{"", "Courier New", 10};

std::string Numbered(int n) {
    std::string text = "riga " + std::to_string(1000 + n);
    return text.erase(5, 1);
}

TEST_F(QtTextPrinterTest, LongListingContinuesOnNewPagesWithNothingLostOrRepeated) {
    constexpr int kLines = 200;
    const PdfText pdf = Print(kCourier, [](TextPrinter& p) {
        for (int n = 1; n <= kLines; ++n) EXPECT_EQ(p.PrintAndEndLine(Numbered(n)), Ok);
    });
    ASSERT_EQ(pdf.lines.size(), static_cast<std::size_t>(kLines));
    int perPage = 0;
    for (int n = 1; n <= kLines; ++n) {
        const test::PdfLine& line = pdf.lines[static_cast<std::size_t>(n - 1)];
        EXPECT_EQ(line.Text().toStdString(), Numbered(n));
        if (line.page == 1) perPage = n;
        if (n > 1 && line.page != pdf.lines[static_cast<std::size_t>(n - 2)].page) {
            EXPECT_NEAR(line.y, pdf.lines[0].y, kPointTolerance) << "in cima alla pagina";
        }
    }
    // The last line of a page fits above the bottom margin, the next one would not have.
    const test::PdfLine& last = pdf.lines[static_cast<std::size_t>(perPage - 1)];
    const double bottom = pdf.pageHeight - kPdfMarginPoints;
    const double height = last.words.front().yMax - last.y;
    EXPECT_LE(last.y + height, bottom + 1);
    EXPECT_GT(last.y + Measure(kCourier).lineSpacing + height, bottom - 1);
    EXPECT_GE(pdf.pages, 3);
    EXPECT_EQ(pdf.pages, (kLines + perPage - 1) / perPage) << "nessuna pagina vuota in fondo";

    const PdfText full = Print(kCourier, [&](TextPrinter& p) {
        for (int n = 1; n <= perPage; ++n) EXPECT_EQ(p.PrintAndEndLine(Numbered(n)), Ok);
    });
    EXPECT_EQ(full.pages, 1) << "una pagina piena non apre la successiva";
}

TEST_F(QtTextPrinterTest, LineWiderThanThePageIsCutAtTheRightEdge) {
    std::string wide;
    for (int n = 0; n < 40; ++n) wide += "parola" + std::to_string(n + 10) + ' ';
    const PdfText pdf = Print(kCourier, [&](TextPrinter& p) {
        EXPECT_EQ(p.PrintAndEndLine("prima"), Ok);
        EXPECT_EQ(p.PrintAndStay(wide), Ok);
        EXPECT_EQ(p.PrintAndStay("coda"), Ok);
        EXPECT_EQ(p.EndLine(), Ok);
        EXPECT_EQ(p.PrintAndEndLine("dopo"), Ok);
    });
    ASSERT_EQ(pdf.lines.size(), 3U);
    EXPECT_EQ(pdf.lines[0].Text(), "prima");
    EXPECT_EQ(pdf.lines[2].Text(), "dopo");
    const test::PdfLine& cut = pdf.lines[1];
    EXPECT_NEAR(cut.y - pdf.lines[0].y, pdf.lines[2].y - cut.y, kPointTolerance);
    EXPECT_TRUE(wide.starts_with(cut.Text().toStdString())) << cut.Text().toStdString();
    const double rightEdge = pdf.pageWidth - kPdfMarginPoints;
    const double lastEnd = cut.words.back().xMax;
    EXPECT_LE(lastEnd, rightEdge + 0.5);
    EXPECT_GT(lastEnd, rightEdge - 2 * Measure(kCourier).space) << "tagliata prima del bordo";
}

TEST_F(QtTextPrinterTest, PdfThatCannotBeOpenedIsNoPrinterOneThatFailsIsPrintError) {
    const auto unnamed = QtTextPrinter::ForPdf(QString());
    EXPECT_EQ(unnamed->Prepare(), NoPrinter);

    const QString unreachable = PdfFile() + "/manca/prova.pdf";
    const auto printer = QtTextPrinter::ForPdf(unreachable);
    ASSERT_EQ(printer->Prepare(), Ok);
    EXPECT_EQ(printer->PrintAndEndLine("riga"), NoPrinter);
    EXPECT_FALSE(QFile::exists(unreachable));

    // Opens, and refuses every byte.
    const auto full = QtTextPrinter::ForPdf("/dev/full");
    ASSERT_EQ(full->Prepare(), Ok);
    PrinterStatus status = Ok;
    for (int n = 0; n < 500 && status == Ok; ++n) status = full->PrintAndEndLine(Numbered(n));
    if (status == Ok) status = full->EndDocument();
    EXPECT_EQ(status, PrintError);
}

}  // namespace
}  // namespace elencario
