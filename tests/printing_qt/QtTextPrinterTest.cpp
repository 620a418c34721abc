#include <gtest/gtest.h>
#include <signal.h>
#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include "printing/Printout.h"
#include "printing/qt/FinestraAvanzamento.h"
#include "printing/qt/QtTextPrinter.h"
#include "systems/SystemReader.h"
#include "tests/printing_qt/PdfText.h"
#include "tests/support/TempFolder.h"

namespace elencario {
namespace {

using enum PrinterStatus;
constexpr double kPdfMargin = 10 / 25.4 * 72;  // points

class PdfTest : public testing::Test {
  protected:
    [[nodiscard]] QString Folder() const { return QString::fromStdString(folder_.Text()); }
    [[nodiscard]] QString Pdf() const { return Folder() + "/p.pdf"; }
    [[nodiscard]] QStringList Files() const { return QDir(Folder()).entryList(QDir::Files); }
    VARIABILI Load(const std::string& rows, const std::string& name = "s.txt") {
        folder_.Write(name, rows);
        VARIABILI v;
        EXPECT_EQ(CaricaSistema(v, folder_.Text(), name), 0);
        return v;
    }
    VARIABILI Terni() {  // all 117,480 of 1..90 in terni.txt: a job of some seconds
        std::string rows;
        for (int n = 0; n < 90 * 90 * 90; ++n)
            if (const int a = n / 8100 + 1, b = n / 90 % 90 + 1, c = n % 90 + 1; a < b && b < c)
                rows += QString::asprintf("%d %d %d\r\n", a, b, c).toStdString();
        return Load(rows, "terni.txt");
    }
    test::TempFolder folder_;
};

// The font and what stands in for it on this machine, rows a line, the widest margin or none.
using Wrap = std::tuple<std::pair<const char*, const char*>, std::int16_t, bool>;
class WrapTest : public PdfTest, public testing::WithParamInterface<Wrap> {};

// Also the pages, and the command with the same options: the same font, every line in its place.
TEST_P(WrapTest, EveryRowOnceInOrderWithinTheMarginsAsTheCommandPrintsIt) {
    const auto [names, perLine, widest] = GetParam();
    const auto [font, embedded] = names;
    std::string file;  // eighty different sestine, two pages at one a line
    for (int i = 0; i < 80 * 6; ++i)
        file += std::to_string(10 + (i / 6 + 13 * (i % 6)) % 80) + (i % 6 < 5 ? " " : "\r\n");
    const VARIABILI v = Load(file);
    OpzioniConvertite o{font, 9, perLine, 0, false, false};
    const auto probe = QtTextPrinter::ForPdf(Pdf());  // as wide as the page takes
    probe->SetFontName(font);
    probe->SetFontSize(9);
    while (widest &&
           probe->VerificaSpazio(o.margine + 1, [&] { return RighePiuLarghe(v); }) == Spazio::Ok)
        ++o.margine;
    ASSERT_TRUE(!widest || o.margine > 20);
    ASSERT_EQ(ComponiElencario(v, o, *QtTextPrinter::ForPdf(Pdf())), Ok);
    const test::PdfText pdf = test::ReadPdf(Pdf());
    const double right = pdf.pageWidth - kPdfMargin, bottom = pdf.pageHeight - kPdfMargin;
    EXPECT_TRUE(widest || qAbs(pdf.lines[0].left - kPdfMargin) < 0.5);
    QStringList words;
    bool grid = false;  // past the header a line breaks between rows, never inside one
    for (std::size_t i = 0; i < pdf.lines.size(); ++i) {
        const test::PdfLine& line = pdf.lines[i];
        const std::string seen = line.text.toStdString();
        EXPECT_NEAR(line.left, pdf.lines[0].left, 0.5) << seen;
        EXPECT_TRUE(line.right <= right + 0.5 && line.bottom <= bottom + 1) << seen;
        // A new page starts at the top, and only once the page before is full.
        EXPECT_TRUE(
            i < 2 || line.page == pdf.lines[i - 1].page ||
            (qAbs(line.y - kPdfMargin) < 2 &&
             pdf.lines[i - 1].bottom + pdf.lines[i - 1].y - pdf.lines[i - 2].y > bottom - 1))
            << seen;
        const qsizetype before = words.size();
        words << line.text.split(' ');
        words.removeAll("-");
        EXPECT_TRUE(!grid || (words.size() - before) % 6 == 0) << seen;
        grid = grid || (words.contains("Combinazioni:") && words.last() != "Combinazioni:");
    }
    EXPECT_EQ(pdf.pages, pdf.lines.back().page) << "pagina vuota in fondo";
    EXPECT_GE(pdf.pages, perLine == 1 ? 2 : 1);
    const qsizetype count = words.indexOf("Combinazioni:") + 1;
    ASSERT_GT(count, 0);
    EXPECT_EQ(words.value(count), "80") << "l'intestazione conta ciò che è stampato";
    EXPECT_EQ(words.mid(count + 1).join(' '), QString::fromStdString(file).simplified());

    const QString cli = Folder() + "/c.pdf";
    test::Output(ELENCARIO_BINARY,
                 {"--carattere", font, "--grandezza", "9", "--colonne", QString::number(perLine),
                  "--margine", QString::number(o.margine), "--pdf", cli, Folder() + "/s.txt"});
    const QString fonts = test::Output("pdffonts", {Pdf()});
    EXPECT_TRUE(fonts.contains(embedded) && test::Output("pdffonts", {cli}) == fonts)
        << fonts.toStdString();
    const auto placed = [](const QString& f) {  // every word where it is, as pdftotext reads it
        return test::Output("pdftotext", {"-bbox", f, "-"}).section("<doc>", 1).toStdString();
    };
    EXPECT_EQ(placed(cli), placed(Pdf()));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Fonts, WrapTest, testing::Combine(
    testing::Values(std::pair{"Segoe UI", "OpenSans"}, std::pair{"Courier New", "LiberationMono"},
                    std::pair{"Verdana", "DejaVuSans"}, std::pair{"Trebuchet", "OpenSans"}),
    testing::Values(1, 5, 10), testing::Bool()),
    [](const auto& info) {
        return QString(std::get<0>(info.param).first).remove(' ').toStdString() + "_" +
               std::to_string(std::get<1>(info.param)) + "PerLine" +
               (std::get<2>(info.param) ? "_Widest" : "");
    });
// clang-format on

// Refused before anything is written: sizes and margins no page takes, a file that cannot be made.
TEST_F(PdfTest, HugeSizesMarginsAndUnwritableFilesAreRefusedAtOnce) {
    const VARIABILI v = Load("1 2 3\r\n");
    using enum Spazio;
    for (const auto& [size, margin, answer] :
         {std::tuple<std::int16_t, std::int16_t, Spazio>{32767, 0, CarattereTroppoGrande},
          {200, 0, CarattereTroppoGrande},
          {9, 32767, MargineTroppoLargo}}) {
        const OpzioniConvertite o{"Courier New", size, 4, margin, false, false};
        EXPECT_EQ(ComponiElencario(v, o, *QtTextPrinter::ForPdf(Pdf())).spazio, answer) << size;
    }
    const QString missing = Folder() + "/manca/p.pdf";
    const auto unwritable = QtTextPrinter::ForPdf(missing);
    EXPECT_EQ(unwritable->Prepare(), PrintError);
    EXPECT_TRUE(unwritable->Errore().starts_with("Impossibile scrivere il file PDF " +
                                                 missing.toStdString() + ": "));
    EXPECT_EQ(Files(), QStringList{"s.txt"});
}

TEST_F(PdfTest, ProgressWindowCountsPagesTakesTheKeysAndCancelsLeavingTheEarlierFile) {
    folder_.Write("p.pdf", "%PDF-earlier");
    const VARIABILI v = Terni();
    QLineEdit other;
    other.show();
    QString seen;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        seen.clear();
        for (const QLabel* label : dialog ? dialog->findChildren<QLabel*>() : QList<QLabel*>())
            seen += label->text() + '|';
        if (!seen.contains("Pagina")) return;
        QApplication::postEvent(&other, new QKeyEvent(QEvent::KeyPress, Qt::Key_1, {}, "1"));
        dialog->findChild<QPushButton*>()->click();
        poll.stop();
    });
    poll.start(50);
    const auto printer = QtTextPrinter::ForPdf(Pdf(), std::make_unique<FinestraAvanzamento>());
    EXPECT_EQ(ComponiElencario(v, {"Courier New", 9, 1, 0, false, false}, *printer), Cancelled);
    EXPECT_TRUE(
        QRegularExpression("^Stampa in corso…\\|Pagina \\d+ di \\d+\\|$").match(seen).hasMatch())
        << seen.toStdString();
    EXPECT_EQ(other.text(), "") << "i tasti durante la stampa non vanno alla finestra";
    EXPECT_EQ(printer->Errore(), "");
    EXPECT_EQ(test::Output("cat", {Pdf()}), "%PDF-earlier");
    EXPECT_EQ(Files(), (QStringList{"p.pdf", "terni.txt"}));
}

// Interrupted or out of memory: no file, and the only message a print error.
TEST_F(PdfTest, CommandInterruptedOrOutOfMemoryLeavesNoFile) {
    Terni();
    const QString terni = Folder() + "/terni.txt";
    const auto [code, out, err] =
        test::Run(ELENCARIO_BINARY, {"--colonne", "1", "--pdf", Pdf(), terni}, [&](QProcess& p) {
            const auto writing = [&] {  // the PDF is under way once it is open
                const QDir fds(QString("/proc/%1/fd").arg(p.processId()));
                return std::ranges::any_of(fds.entryInfoList(QDir::Files | QDir::System),
                                           [&](const QFileInfo& fd) {
                                               return fd.symLinkTarget().startsWith(Folder()) &&
                                                      !fd.symLinkTarget().endsWith(".txt");
                                           });
            };
            while (!writing() && !p.waitForFinished(20)) continue;
            if (p.state() == QProcess::Running) kill(static_cast<pid_t>(p.processId()), SIGINT);
        });
    EXPECT_EQ(code, 130);
    EXPECT_EQ(err, "");
    EXPECT_EQ(Files(), QStringList{"terni.txt"});
#if !defined(__SANITIZE_ADDRESS__)
    bool printError = false;
    for (int mb = 80; mb <= 400; mb += 10) {
        const auto [code, out, err] = test::Run(
            "prlimit",
            {QString("--as=%1").arg(mb * 1'000'000), ELENCARIO_BINARY, "--pdf", Pdf(), terni});
        if (code == 0) break;
        if (code == 127) continue;  // the loader could not even map the libraries
        printError = printError || err == "Errore di stampa ..! \n";
        EXPECT_TRUE(code == 1 &&
                    (err == "Errore di stampa ..! \n" || err == "Si è verificato l' errore: 7\n"))
            << mb << " MB: " << code << ' ' << err.toStdString();
        EXPECT_EQ(Files(), QStringList{"terni.txt"});
    }
    EXPECT_TRUE(printError);
    EXPECT_TRUE(QFile::exists(Pdf()));
#endif
}

}  // namespace
}  // namespace elencario
