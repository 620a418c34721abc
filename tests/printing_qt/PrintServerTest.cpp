// The command through a real print server: a private cupsd whose default queue is cups-pdf.

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDir>
#include <QProcess>
#include <QThread>
#include <cmath>
#include <cstring>
#include <string>

#include "tests/printing_qt/PdfText.h"
#include "tests/support/TempFolder.h"

namespace elencario {
namespace {

using test::PdfText;

struct Outcome {
    int code = -1;
    QString out;
    QString err;
};

class PrintServerTest : public testing::Test {
  protected:
    [[nodiscard]] QString Folder() const { return QString::fromStdString(folder_.Text()); }

    void StartServer() {
        cupsServer_ = test::Run(ELENCARIO_PRINT_SERVER, {"start", Folder()}).trimmed();
        ASSERT_FALSE(cupsServer_.isEmpty());
        started_ = true;
    }

    void TearDown() override {
        if (started_) test::Run(ELENCARIO_PRINT_SERVER, {"stop", Folder()});
    }

    // The print server's settings alone: no default printer of the user's, no display.
    [[nodiscard]] QProcessEnvironment Environment() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name :
             {"PRINTER", "LPDEST", "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
            env.remove(name);
        }
        env.insert("HOME", Folder());
        env.insert("CUPS_SERVER", cupsServer_);
        return env;
    }

    Outcome Elencario(const QStringList& arguments, const QProcessEnvironment& env) const {
        QProcess process;
        process.setProcessEnvironment(env);
        process.start(ELENCARIO_BINARY, arguments);
        // Generous: a print server that never answers must not hold the command for minutes.
        EXPECT_TRUE(process.waitForFinished(60'000)) << "il comando non finisce";
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }

    // Waits for the queue to empty and the PDF to be written, then reads it.
    PdfText PrintedPdf() const {
        const QDir out(Folder() + "/pdf");
        QProcess lpstat;
        lpstat.setProcessEnvironment(Environment());
        for (int attempt = 0; attempt < 600; ++attempt) {
            lpstat.start("lpstat", {"-o"});
            lpstat.waitForFinished();
            const QFileInfoList pdfs = out.entryInfoList({"*.pdf"}, QDir::Files);
            if (lpstat.readAllStandardOutput().isEmpty() && !pdfs.isEmpty() &&
                pdfs.front().size() > 0) {
                EXPECT_EQ(pdfs.size(), 1);
                return test::ReadPdf(pdfs.front().filePath());
            }
            QThread::msleep(50);
        }
        ADD_FAILURE() << "nessun PDF dalla stampante";
        return {};
    }

    test::TempFolder folder_;
    QString cupsServer_;
    bool started_ = false;
};

// The text lines of a plain listing, each as its words joined by one space, with its line
// number: the spaces inside a line are the layout tests' concern.
std::vector<std::pair<int, std::string>> TextLines(const QString& listing) {
    std::vector<std::pair<int, std::string>> lines;
    int number = 0;
    for (const QString& line : listing.split('\n')) {
        if (const QString words = line.simplified(); !words.isEmpty()) {
            lines.emplace_back(number, words.toStdString());
        }
        ++number;
    }
    return lines;
}

// The PDF holds the text lines of `listing` in order, with the same blank lines between those
// that share a page.
void ExpectSameListing(const PdfText& pdf, const QString& listing) {
    const auto expected = TextLines(listing);
    std::vector<std::string> texts;
    std::vector<std::string> printed;
    for (const auto& line : expected) texts.push_back(line.second);
    for (const test::PdfLine& line : pdf.lines) printed.push_back(line.Text().toStdString());
    ASSERT_EQ(printed, texts);

    double spacing = 1e9;
    for (std::size_t i = 1; i < pdf.lines.size(); ++i) {
        if (pdf.lines[i].page == pdf.lines[i - 1].page) {
            spacing = std::min(spacing, pdf.lines[i].y - pdf.lines[i - 1].y);
        }
    }
    for (std::size_t i = 1; i < pdf.lines.size(); ++i) {
        if (pdf.lines[i].page != pdf.lines[i - 1].page) continue;
        const double gap = (pdf.lines[i].y - pdf.lines[i - 1].y) / spacing;
        EXPECT_EQ(std::lround(gap), expected[i].first - expected[i - 1].first) << texts[i];
    }
}

TEST_F(PrintServerTest, WorkedExampleArrivesWholeThroughTheDefaultPrinter) {
    ASSERT_NO_FATAL_FAILURE(StartServer());
    const QString example = QString(ELENCARIO_SAMPLES) + "/Sistema1.txt";
    const QStringList options{"--nome", "--numeri", "--margine", "4"};
    const QString listing = test::Run(ELENCARIO_BINARY, options + QStringList{example});
    ASSERT_EQ(listing.count('\n'), 11);

    const Outcome printed = Elencario(options + QStringList{"--stampa", example}, Environment());
    ASSERT_EQ(printed.code, 0) << printed.err.toStdString();
    const PdfText pdf = PrintedPdf();
    EXPECT_EQ(pdf.pages, 1);
    ExpectSameListing(pdf, listing);
    for (const test::PdfLine& line : pdf.lines) {
        EXPECT_NEAR(line.Left(), pdf.lines[0].Left(), 0.05) << "stesso margine";
    }
}

TEST_F(PrintServerTest, ThreePageSystemArrivesWholeThroughTheDefaultPrinter) {
    ASSERT_NO_FATAL_FAILURE(StartServer());
    std::string rows;
    for (int a = 1; a <= 10; ++a)
        for (int b = a + 1; b <= 20; ++b)
            rows += std::to_string(a) + ' ' + std::to_string(b) + " 90\r\n";
    const QString system = QString::fromStdString(folder_.Write("Lungo.txt", rows).string());
    const QStringList options{"--colonne", "1", "--carattere", "Courier New", "--grandezza", "12"};
    const QString listing = test::Run(ELENCARIO_BINARY, options + QStringList{system});

    ASSERT_EQ(Elencario(options + QStringList{"--stampa", system}, Environment()).code, 0);
    const PdfText pdf = PrintedPdf();
    EXPECT_EQ(pdf.pages, 3);
    ExpectSameListing(pdf, listing);
}

enum class Missing { Server, DefaultQueue, Answer };

struct NoPrinterCase {
    const char* testName;
    Missing missing;
};

void PrintTo(const NoPrinterCase& c, std::ostream* os) {
    *os << c.testName;
}

class NoPrinterTest : public PrintServerTest, public testing::WithParamInterface<NoPrinterCase> {
  protected:
    // A socket that the kernel accepts connections on, into its backlog, and nobody answers.
    void ListenWithoutAnswering(const std::string& path) {
        silent_ = socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, path.c_str(), sizeof(address.sun_path) - 1);
        ASSERT_EQ(bind(silent_, reinterpret_cast<const sockaddr*>(&address), sizeof(address)), 0);
        ASSERT_EQ(listen(silent_, 16), 0);
    }

    void TearDown() override {
        if (silent_ >= 0) close(silent_);
        PrintServerTest::TearDown();
    }

    int silent_ = -1;
};

TEST_P(NoPrinterTest, ReportsNoPrinterAndPrintsNothing) {
    const QString unused = Folder() + "/nessuno.sock";
    switch (GetParam().missing) {
        case Missing::Server:
            cupsServer_ = unused;
            break;
        case Missing::DefaultQueue:
            ASSERT_NO_FATAL_FAILURE(StartServer());
            break;
        case Missing::Answer:
            ASSERT_NO_FATAL_FAILURE(ListenWithoutAnswering(unused.toStdString()));
            cupsServer_ = unused;
            break;
    }
    QProcessEnvironment env = Environment();
    if (GetParam().missing == Missing::DefaultQueue) env.insert("PRINTER", "coda-inesistente");

    const Outcome o = Elencario({"--stampa", QString(ELENCARIO_SAMPLES) + "/Sistema1.txt"}, env);
    EXPECT_EQ(o.code, 1);
    EXPECT_TRUE(o.err.endsWith("Nessuna stampante disponibile ..! \n")) << o.err.toStdString();
    EXPECT_TRUE(o.out.isEmpty());
    if (started_) {
        QThread::msleep(300);
        EXPECT_TRUE(QDir(Folder() + "/pdf").isEmpty()) << "stampato lo stesso";
    }
}

INSTANTIATE_TEST_SUITE_P(Printers, NoPrinterTest,
                         testing::Values(NoPrinterCase{"NoPrintServer", Missing::Server},
                                         NoPrinterCase{"DefaultQueueMissing",
                                                       Missing::DefaultQueue},
                                         NoPrinterCase{"ServerNeverAnswers", Missing::Answer}),
                         [](const testing::TestParamInfo<NoPrinterCase>& info) {
                             return std::string(info.param.testName);
                         });

}  // namespace
}  // namespace elencario
