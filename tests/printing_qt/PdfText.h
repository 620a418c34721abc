#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace elencario::test {

// A word of a PDF as poppler's pdftotext places it, in points from the page's top left corner.
struct PdfWord {
    int page = 0;
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
    QString text;
};

// The words of a line: those of one page sharing one top edge, left to right.
struct PdfLine {
    int page = 0;
    double y = 0;
    std::vector<PdfWord> words;

    [[nodiscard]] QString Text() const;  // the words joined by one space
    [[nodiscard]] double Left() const { return words.front().xMin; }
};

struct PdfText {
    int pages = 0;
    double pageWidth = 0;
    double pageHeight = 0;
    std::vector<PdfLine> lines;  // page by page, top to bottom
};

// Reads `file` back with pdftotext -bbox; a failure fails the running test.
PdfText ReadPdf(const QString& file);

// Runs `program` and gives its standard output; a failure fails the running test.
QString Run(const QString& program, const QStringList& arguments);

}  // namespace elencario::test
