#include <gtest/gtest.h>
#include <signal.h>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QLabel>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QThread>
#include <QTimer>
#include <functional>

#include "printing/Printout.h"
#include "printing/qt/FinestraAvanzamento.h"
#include "printing/qt/QtTextPrinter.h"
#include "systems/Routines.h"
#include "systems/SystemReader.h"
#include "tests/printing_qt/PdfText.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TempFolder.h"

namespace elencario {
namespace {

using test::PdfText;
using enum PrinterStatus;

constexpr double kTol = 0.02;
constexpr double kPdfMarginPoints = 10 / 25.4 * 72;
const char* const kFonts[] = {"Segoe UI", "Courier New", "Verdana", "Trebuchet"};

double SpaceWidth(const char* family, float points) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    QFont font(QString::fromLatin1(family));
    font.setPointSizeF(points);
    return QFontMetricsF(font, &printer).horizontalAdvance(' ') * 72.0 / printer.resolution();
}

class PdfTest : public testing::Test {
  protected:
    [[nodiscard]] QString Pdf() const { return QString::fromStdString(folder_.Text() + "/p.pdf"); }
    VARIABILI Load(const std::string& rows, const std::string& name = "s.txt") {
        folder_.Write(name, rows);
        VARIABILI v;
        EXPECT_EQ(CaricaSistema(v, folder_.Text(), name), 0);
        return v;
    }
    // All the terni of 1..90: 117,480 rows, a job of some seconds.
    static std::string Terni() {
        std::string rows;
        for (int a = 1; a <= 90; ++a)
            for (int b = a + 1; b <= 90; ++b)
                for (int c = b + 1; c <= 90; ++c)
                    rows += std::to_string(a) + ' ' + std::to_string(b) + ' ' + std::to_string(c) +
                            "\r\n";
        return rows;
    }
    QString TerniFile() {
        return QString::fromStdString(TestoDaPercorso(folder_.Write("terni.txt", Terni())));
    }
    [[nodiscard]] QStringList Files() const { return QDir(Folder()).entryList(QDir::Files); }
    [[nodiscard]] QString Folder() const { return QString::fromStdString(folder_.Text()); }

    test::TempFolder folder_;
};

// ---- Every row on paper, at every font, per-line count and margin, or nothing at all ----

struct Wrap {
    const char* font;
    std::int16_t perLine;
    int margin;  // -1: the widest the page allows
};

class WrapTest : public PdfTest, public testing::WithParamInterface<Wrap> {};

TEST_P(WrapTest, EveryRowOnceInOrderAtTheMarginNothingPastTheEdge) {
    std::vector<std::string> rows;  // forty sestine of 80..90, all different
    std::string file;
    for (int i = 0; i < 40; ++i) {
        rows.emplace_back();
        for (int k = 0; k < 6; ++k) rows[i] += std::to_string(80 + (i * 7 + k * 3) % 11) + ' ';
        rows[i].pop_back();
        file += rows[i] + "\r\n";
    }
    const VARIABILI v = Load(file);
    OpzioniConvertite o{GetParam().font, 9, GetParam().perLine, 0, false, false};
    std::int16_t margin = static_cast<std::int16_t>(GetParam().margin);
    if (margin < 0) {
        // The widest accepted margin; one space more is refused as the margin's fault.
        const auto probe = QtTextPrinter::ForPdf(Pdf());
        ASSERT_EQ(probe->SetFontName(o.carattere), Ok);
        ASSERT_EQ(probe->SetFontSize(9), Ok);
        while (probe->VerificaSpazio(margin + 1, RighePiuLarghe(v)) == Spazio::Ok) ++margin;
        ASSERT_GT(margin, 20);
        o.margine = static_cast<std::int16_t>(margin + 1);
        EXPECT_EQ(ComponiElencario(v, o, *QtTextPrinter::ForPdf(Pdf())).spazio,
                  Spazio::MargineTroppoLargo);
        EXPECT_FALSE(QFile::exists(Pdf()));
    }
    o.margine = margin;
    ASSERT_EQ(ComponiElencario(v, o, *QtTextPrinter::ForPdf(Pdf())), Ok);
    const PdfText pdf = test::ReadPdf(Pdf());
    const double left = kPdfMarginPoints + margin * SpaceWidth(GetParam().font, 9);
    QStringList words;
    bool grid = false;  // past the header: a line breaks between rows, never inside one
    for (const test::PdfLine& line : pdf.lines) {
        EXPECT_NEAR(line.Left(), left, 0.5) << line.Text().toStdString();
        EXPECT_LE(line.words.back().xMax, pdf.pageWidth - kPdfMarginPoints + 0.5);
        const qsizetype before = words.size();
        for (const auto& w : line.words)
            if (w.text != "-") words << w.text;
        if (grid) {
            EXPECT_EQ((words.size() - before) % 6, 0) << line.Text().toStdString();
        }
        const qsizetype at = words.indexOf("Combinazioni:");
        grid = grid || (at >= 0 && at + 1 < words.size());
    }
    const qsizetype count = words.indexOf("Combinazioni:") + 1;
    ASSERT_GT(count, 0);
    EXPECT_EQ(words[count].toUInt(), rows.size()) << "l'intestazione conta ciò che è stampato";
    const QStringList numbers = words.mid(count + 1);
    ASSERT_EQ(numbers.size(), 6 * static_cast<qsizetype>(rows.size()));
    for (std::size_t r = 0; r < rows.size(); ++r)
        EXPECT_EQ(numbers.mid(static_cast<qsizetype>(6 * r), 6).join(' ').toStdString(), rows[r]);
}

std::vector<Wrap> WrapRows() {
    std::vector<Wrap> cases;
    for (const char* font : kFonts)
        for (const std::int16_t perLine : {1, 5, 10})
            for (const int margin : {0, 12, -1}) cases.push_back({font, perLine, margin});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Fonts, WrapTest, testing::ValuesIn(WrapRows()), [](const auto& info) {
    QString name =
        QString("%1_%2PerLine_Margin%3")
            .arg(info.param.font)
            .arg(info.param.perLine)
            .arg(info.param.margin < 0 ? QString("Widest") : QString::number(info.param.margin));
    return name.remove(' ').toStdString();
});

TEST_F(PdfTest, HugeSizesAndMarginsAreRefusedAtOnce) {
    const VARIABILI v = Load("1 2 3\r\n");
    const std::tuple<std::int16_t, std::int16_t, Spazio> cases[] = {
        {32767, 0, Spazio::CarattereTroppoGrande},
        {200, 0, Spazio::CarattereTroppoGrande},
        {9, 32767, Spazio::MargineTroppoLargo}};
    for (const auto& [size, margin, answer] : cases) {
        const OpzioniConvertite o{"Courier New", size, 4, margin, false, false};
        EXPECT_EQ(ComponiElencario(v, o, *QtTextPrinter::ForPdf(Pdf())).spazio, answer) << size;
    }
    EXPECT_EQ(Files(), QStringList{"s.txt"});
}

// ---- Pages ----

std::string Numbered(int n) {
    return "riga " + std::to_string(100 + n);
}

TEST_F(PdfTest, LongListingContinuesOnNewPagesWithNothingLostOrRepeated) {
    constexpr int kLines = 200;
    auto print = [&](int lines) {
        const auto p = QtTextPrinter::ForPdf(Pdf());
        EXPECT_EQ(p->Prepare(), Ok);
        EXPECT_EQ(p->SetFontName("Courier New"), Ok);
        EXPECT_EQ(p->SetFontSize(10), Ok);
        for (int n = 1; n <= lines; ++n) EXPECT_EQ(p->PrintAndEndLine(Numbered(n)), Ok);
        EXPECT_EQ(p->EndDocument(), Ok);
        return test::ReadPdf(Pdf());
    };
    const PdfText pdf = print(kLines);
    ASSERT_EQ(pdf.lines.size(), static_cast<std::size_t>(kLines));
    int perPage = 0;
    for (int n = 1; n <= kLines; ++n) {
        const test::PdfLine& line = pdf.lines[static_cast<std::size_t>(n - 1)];
        EXPECT_EQ(line.Text().toStdString(), Numbered(n));
        if (line.page == 1) perPage = n;
        if (line.page > 1 && n % perPage == 1) {
            EXPECT_NEAR(line.y, pdf.lines[0].y, kTol);
        }
    }
    // The last line of a page fits above the bottom margin, the next one would not have.
    const test::PdfLine& last = pdf.lines[static_cast<std::size_t>(perPage - 1)];
    const double spacing = pdf.lines[1].y - pdf.lines[0].y;
    const double bottom = pdf.pageHeight - kPdfMarginPoints;
    const double height = last.words.front().yMax - last.y;
    EXPECT_LE(last.y + height, bottom + 1);
    EXPECT_GT(last.y + spacing + height, bottom - 1);
    EXPECT_GE(pdf.pages, 3);
    EXPECT_EQ(pdf.pages, (kLines + perPage - 1) / perPage) << "nessuna pagina vuota in fondo";
    EXPECT_EQ(print(perPage).pages, 1) << "una pagina piena non apre la successiva";
}

// ---- The PDF file: written whole or not at all ----

// Stops the job after `pages` pages.
struct StopAfter final : Avanzamento {
    explicit StopAfter(int pages) : pages(pages) {}
    bool Continua() override { return seen < pages; }
    void Pagina(int page, int) override { seen = page; }
    int pages;
    int seen = 0;
};

TEST_F(PdfTest, CancelledOrUnwritableLeavesTheEarlierFileAndNoOther) {
    folder_.Write("p.pdf", "%PDF-earlier");
    std::string ones;
    for (int i = 0; i < 3000; ++i) ones += "1\r\n";
    const VARIABILI v = Load(ones);
    const OpzioniConvertite o{"Courier New", 9, 1, 0, false, false};
    auto stopped = QtTextPrinter::ForPdf(Pdf(), std::make_unique<StopAfter>(2));
    EXPECT_EQ(ComponiElencario(v, o, *stopped), Cancelled);
    EXPECT_EQ(stopped->Errore(), "");
    stopped.reset();
    const QString missing = Folder() + "/manca/p.pdf";
    const auto unwritable = QtTextPrinter::ForPdf(missing);
    EXPECT_EQ(unwritable->Prepare(), PrintError);
    EXPECT_EQ(unwritable->Errore().rfind(
                  "Impossibile scrivere il file PDF " + missing.toStdString() + ": ", 0),
              0u);
    QFile earlier(Pdf());
    ASSERT_TRUE(earlier.open(QIODevice::ReadOnly));
    EXPECT_EQ(earlier.readAll(), "%PDF-earlier");
    EXPECT_EQ(Files(), (QStringList{"p.pdf", "s.txt"}));
}

// ---- Progress and cancel in the window ----

TEST_F(PdfTest, ProgressWindowCountsPagesTakesTheKeysAndCancels) {
    const VARIABILI v = Load(Terni(), "terni.txt");
    QPushButton other("altro");
    int clicks = 0;
    QObject::connect(&other, &QPushButton::clicked, [&] { ++clicks; });
    other.show();
    QString seen;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) return;
        seen.clear();
        for (const QLabel* label : dialog->findChildren<QLabel*>()) seen += label->text() + '|';
        if (!seen.contains("Pagina")) return;
        for (const auto type : {QEvent::KeyPress, QEvent::KeyRelease})
            QApplication::postEvent(&other,
                                    new QKeyEvent(type, Qt::Key_Space, Qt::NoModifier, " "));
        dialog->findChild<QPushButton*>()->click();
        poll.stop();
    });
    poll.start(50);
    const OpzioniConvertite o{"Courier New", 9, 1, 0, false, false};
    EXPECT_EQ(ComponiElencario(
                  v, o, *QtTextPrinter::ForPdf(Pdf(), std::make_unique<FinestraAvanzamento>())),
              Cancelled);
    EXPECT_TRUE(seen.startsWith("Stampa in corso…|Pagina ")) << seen.toStdString();
    EXPECT_TRUE(QRegularExpression("Pagina \\d+ di \\d+\\|").match(seen).hasMatch())
        << seen.toStdString();
    EXPECT_EQ(clicks, 0) << "i tasti durante la stampa non vanno alla finestra";
    EXPECT_FALSE(QFile::exists(Pdf()));
}

// ---- The command: interruptions, memory, and the same page as the window ----

struct Ended {
    int code;
    QByteArray err;
};

Ended Command(const QString& program, const QStringList& arguments,
              const std::function<void(QProcess&)>& during = {}) {
    QProcess process;
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForStarted());
    if (during) during(process);
    EXPECT_TRUE(process.waitForFinished(60'000));
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardError()};
}

TEST_F(PdfTest, CommandInterruptedLeavesNoFileAndSaysNothingOffATerminal) {
    const QString terni = TerniFile();
    const Ended run =
        Command(ELENCARIO_BINARY, {"--colonne", "1", "--pdf", Pdf(), terni}, [&](QProcess& p) {
            // Once the PDF is under way: its file is open.
            const QDir fds(QString("/proc/%1/fd").arg(p.processId()));
            auto writing = [&] {
                for (const QFileInfo& fd : fds.entryInfoList(QDir::Files | QDir::System))
                    if (fd.symLinkTarget().startsWith(Folder()) &&
                        !fd.symLinkTarget().endsWith(".txt"))
                        return true;
                return false;
            };
            while (!writing() && !p.waitForFinished(20)) continue;
            if (p.state() == QProcess::Running) ::kill(static_cast<pid_t>(p.processId()), SIGINT);
        });
    EXPECT_EQ(run.code, 130);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(Files(), QStringList{"terni.txt"});

    // On a terminal the pages are counted on one line of standard error.
    const QString line = test::Run(
        "script",
        {"-qec", QString("'%1' --pdf '%2' '%3'").arg(ELENCARIO_BINARY, Pdf(), terni), "/dev/null"});
    const QString pages = QString::number(test::ReadPdf(Pdf()).pages);
    EXPECT_TRUE(line.contains(QRegularExpression("\rStampa in corso… Pagina \\d+ di " + pages +
                                                 " \r.*Pagina " + pages + " di " + pages)))
        << line.toStdString();
}

#if !defined(__SANITIZE_ADDRESS__)
TEST_F(PdfTest, CommandOutOfMemoryIsAPrintErrorNeverACrash) {
    const QString terni = TerniFile();
    bool printError = false;
    for (int mb = 80; mb <= 400; mb += 10) {
        const Ended run = Command("prlimit", {QString("--as=%1").arg(mb * 1'000'000),
                                              ELENCARIO_BINARY, "--pdf", Pdf(), terni});
        if (run.code == 0) break;
        // Below some limit the loader cannot even map the libraries: not the program's doing.
        if (run.code == 127) continue;
        EXPECT_EQ(run.code, 1) << mb << " MB: " << run.err.toStdString();
        printError = printError || run.err == "Errore di stampa ..! \n";
        EXPECT_TRUE(run.err == "Errore di stampa ..! \n" ||
                    run.err == "Si è verificato l' errore: 7\n")
            << mb << " MB: " << run.err.toStdString();
        EXPECT_EQ(Files(), QStringList{"terni.txt"});
    }
    EXPECT_TRUE(printError);
    EXPECT_TRUE(QFile::exists(Pdf()));
}
#endif

struct SameFont {
    const char* name;
    const char* embedded;  // what stands in for it on this machine
};

class SameFontTest : public PdfTest, public testing::WithParamInterface<SameFont> {};

TEST_P(SameFontTest, WindowAndCommandEmbedTheSameFontAndPlaceEveryWordAlike) {
    const VARIABILI v = Load("3 15 27\r\n3 15 42\r\n3 27 42\r\n15 27 42\r\n8 15 27\r\n");
    test::ScriptedMessages yes;
    const OpzioniStampa o{GetParam().name, "11", "3", "7", true, true};
    ASSERT_EQ(StampaElencario(v, o, yes, *QtTextPrinter::ForPdf(Pdf())), EsitoStampa::Stampato);
    const QString command = Folder() + "/c.pdf";
    ASSERT_EQ(Command(ELENCARIO_BINARY, {"--nome", "--numeri", "--carattere", o.carattere.c_str(),
                                         "--grandezza", "11", "--colonne", "3", "--margine", "7",
                                         "--pdf", command, Folder() + "/s.txt"})
                  .code,
              0);
    const QString fonts = test::Run("pdffonts", {Pdf()});
    EXPECT_TRUE(fonts.contains(GetParam().embedded)) << fonts.toStdString();
    EXPECT_EQ(test::Run("pdffonts", {command}), fonts);
    const PdfText window = test::ReadPdf(Pdf());
    const PdfText cli = test::ReadPdf(command);
    ASSERT_EQ(cli.lines.size(), window.lines.size());
    for (std::size_t i = 0; i < window.lines.size(); ++i) {
        ASSERT_EQ(cli.lines[i].Text(), window.lines[i].Text());
        EXPECT_NEAR(cli.lines[i].Left(), window.lines[i].Left(), kTol);
        EXPECT_NEAR(cli.lines[i].y, window.lines[i].y, kTol);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, SameFontTest,
    testing::Values(SameFont{"Segoe UI", "OpenSans"}, SameFont{"Courier New", "LiberationMono"},
                    SameFont{"Verdana", "DejaVuSans"}, SameFont{"Trebuchet", "OpenSans"}),
    [](const auto& info) { return QString(info.param.name).remove(' ').toStdString(); });

}  // namespace
}  // namespace elencario
