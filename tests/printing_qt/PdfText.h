#pragma once

#include <gtest/gtest.h>
#include <QProcess>
#include <QRegularExpression>
#include <algorithm>
#include <functional>
#include <tuple>
#include <vector>

namespace elencario::test {

// Runs `program`, calling `during` once it has started: its exit code (-1: it did not end
// normally), output and errors.
inline std::tuple<int, QString, QByteArray> Run(const QString& program,
                                                const QStringList& arguments,
                                                const std::function<void(QProcess&)>& during = {}) {
    QProcess process;
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForStarted()) << program.toStdString();
    if (during) during(process);
    EXPECT_TRUE(process.waitForFinished(60'000)) << program.toStdString();
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()), process.readAllStandardError()};
}

// The output of `program`, which must succeed.
inline QString Output(const QString& program, const QStringList& arguments) {
    const auto [code, out, err] = Run(program, arguments);
    EXPECT_EQ(code, 0) << program.toStdString() << ": " << err.toStdString();
    return out;
}

struct PdfLine {  // the words of a page sharing one top edge, in points from its top left corner
    int page = 0;
    double y = 0, left = 0, right = 0, bottom = 0;
    QString text;  // joined by one blank
};

struct PdfText {
    int pages = 0;
    double pageWidth = 0, pageHeight = 0;
    std::vector<PdfLine> lines;  // page by page, top to bottom
};

// `file` as poppler's pdftotext -bbox reads it.
inline PdfText ReadPdf(const QString& file) {
    static const QRegularExpression page(R"re(<page width="([\d.]+)" height="([\d.]+)")re");
    static const QRegularExpression word(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">(.*)</word>)re");
    PdfText pdf;
    std::vector<PdfLine> words;
    for (const QString& row : Output("pdftotext", {"-bbox", file, "-"}).split('\n')) {
        if (const auto m = page.match(row); m.hasMatch()) {
            ++pdf.pages;
            pdf.pageWidth = m.captured(1).toDouble();
            pdf.pageHeight = m.captured(2).toDouble();
        } else if (const auto w = word.match(row); w.hasMatch()) {
            words.push_back({pdf.pages, w.captured(2).toDouble(), w.captured(1).toDouble(),
                             w.captured(3).toDouble(), w.captured(4).toDouble(), w.captured(5)});
        }
    }
    // pdftotext may read aligned columns one after the other: the order comes from the positions.
    std::ranges::sort(words, [](const PdfLine& a, const PdfLine& b) {
        return std::tie(a.page, a.y, a.left) < std::tie(b.page, b.y, b.left);
    });
    for (const PdfLine& w : words) {
        PdfLine* last = pdf.lines.empty() ? nullptr : &pdf.lines.back();
        if (last && last->page == w.page && qAbs(last->y - w.y) <= 0.5)
            last->text += ' ' + w.text, last->right = w.right;
        else
            pdf.lines.push_back(w);
    }
    return pdf;
}

}  // namespace elencario::test
