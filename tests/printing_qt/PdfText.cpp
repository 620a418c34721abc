#include "tests/printing_qt/PdfText.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <tuple>

namespace elencario::test {

QString PdfLine::Text() const {
    QStringList parts;
    for (const PdfWord& w : words) parts << w.text;
    return parts.join(' ');
}

QString Run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    const bool finished = process.waitForFinished(60'000);
    EXPECT_TRUE(finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0)
        << program.toStdString() << ": " << process.readAllStandardError().toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

PdfText ReadPdf(const QString& file) {
    static const QRegularExpression page(R"re(<page width="([\d.]+)" height="([\d.]+)")re");
    static const QRegularExpression word(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">(.*)</word>)re");
    PdfText pdf;
    std::vector<PdfWord> words;
    for (const QString& row : Run("pdftotext", {"-bbox", file, "-"}).split('\n')) {
        if (const auto m = page.match(row); m.hasMatch()) {
            ++pdf.pages;
            pdf.pageWidth = m.captured(1).toDouble();
            pdf.pageHeight = m.captured(2).toDouble();
        } else if (const auto w = word.match(row); w.hasMatch()) {
            words.push_back({pdf.pages, w.captured(1).toDouble(), w.captured(2).toDouble(),
                             w.captured(3).toDouble(), w.captured(4).toDouble(), w.captured(5)});
        }
    }
    // Words of one line share their top edge. pdftotext may read aligned columns one after the
    // other, so the order is rebuilt from the positions.
    std::ranges::sort(words, [](const PdfWord& a, const PdfWord& b) {
        return std::tie(a.page, a.yMin, a.xMin) < std::tie(b.page, b.yMin, b.xMin);
    });
    for (const PdfWord& w : words) {
        if (pdf.lines.empty() || pdf.lines.back().page != w.page ||
            std::abs(pdf.lines.back().y - w.yMin) > 0.5) {
            pdf.lines.push_back({w.page, w.yMin, {}});
        }
        pdf.lines.back().words.push_back(w);
    }
    for (PdfLine& line : pdf.lines) std::ranges::sort(line.words, {}, &PdfWord::xMin);
    return pdf;
}

}  // namespace elencario::test
