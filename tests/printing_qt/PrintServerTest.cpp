// Jobs through a real print server: a private cupsd whose default queue is cups-pdf, reached by
// CupsJob in this process and by the command.

#include <cups/cups.h>
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>
#include <csignal>

#include "printing/qt/CupsJob.h"
#include "tests/printing_qt/PdfText.h"
#include "tests/support/TempFolder.h"

namespace elencario {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using Texts = std::vector<std::string>;

constexpr std::chrono::milliseconds kLimit = 2s;
const Texts kPages{"Pagina uno", "Pagina due", "Pagina tre"};

class PrintServerTest : public testing::Test {
  protected:
    [[nodiscard]] QString Folder() const { return QString::fromStdString(folder_.Text()); }

    // No printer or settings of the user's: only the server of the test.
    void SetUp() override {
        for (const char* name : {"PRINTER", "LPDEST", "HOME"}) {
            saved_.emplace_back(name, qgetenv(name));
            qunsetenv(name);
        }
        qputenv("HOME", Folder().toUtf8());
    }

    void TearDown() override {
        if (started_) {
            Signal(SIGCONT);
            test::Run(ELENCARIO_PRINT_SERVER, {"stop", Folder()});
        }
        cupsSetServer(nullptr);
        for (const auto& [name, value] : saved_) {
            value.isNull() ? qunsetenv(name) : qputenv(name, value);
        }
    }

    void StartServer() {
        UseServer(test::Run(ELENCARIO_PRINT_SERVER, {"start", Folder()}).trimmed());
        ASSERT_FALSE(server_.isEmpty());
        started_ = true;
    }

    void UseServer(const QString& socket) {
        server_ = socket;
        cupsSetServer(socket.toUtf8().constData());
    }

    void Signal(int signal) const {
        QFile pid(Folder() + "/cupsd.pid");
        ASSERT_TRUE(pid.open(QIODevice::ReadOnly));
        ASSERT_EQ(kill(pid.readAll().trimmed().toInt(), signal), 0);
    }

    // A line to a page; with `noise` a page of noise first, so that the upload takes many chunks.
    [[nodiscard]] QString WritePdf(const QPageLayout& layout, bool noise = true) const {
        const QString file = Folder() + "/lavoro.pdf";
        QPdfWriter pdf(file);
        pdf.setPageLayout(layout);
        QPainter painter(&pdf);
        if (noise) {
            QImage image(900, 900, QImage::Format_RGB32);
            QRandomGenerator random(8);
            for (int y = 0; y < image.height(); ++y) {
                random.fillRange(reinterpret_cast<quint32*>(image.scanLine(y)), image.width());
            }
            painter.drawImage(QRect(0, 0, pdf.width(), pdf.width()), image);
            pdf.newPage();
        }
        for (const std::string& line : kPages) {
            painter.drawText(QPointF(0, pdf.height() / 2.0), QString::fromStdString(line));
            if (&line != &kPages.back()) pdf.newPage();
        }
        painter.end();
        EXPECT_GT(QFileInfo(file).size(), noise ? 8 * 64 * 1024 : 0);
        return file;
    }

    // Runs a program against the print server of the test; it must succeed.
    QString Client(const QString& program, const QStringList& arguments) const {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("CUPS_SERVER", server_);
        process.setProcessEnvironment(env);
        process.start(program, arguments);
        EXPECT_TRUE(process.waitForFinished(60'000) && process.exitCode() == 0)
            << program.toStdString() << process.readAllStandardError().toStdString();
        return QString::fromUtf8(process.readAllStandardOutput());
    }

    // Waits for the queue to empty and the PDF to be written, then reads it.
    test::PdfText PrintedPdf() const {
        for (int attempt = 0; attempt < 600; ++attempt, QThread::msleep(50)) {
            const QFileInfoList pdfs = QDir(Folder() + "/pdf").entryInfoList(QDir::Files);
            if (Client("lpstat", {"-o"}).isEmpty() && pdfs.size() == 1 && pdfs[0].size() > 0) {
                return test::ReadPdf(pdfs[0].filePath());
            }
        }
        ADD_FAILURE() << "nessun PDF dalla stampante";
        return {};
    }

    test::TempFolder folder_;
    QString server_;
    bool started_ = false;
    std::vector<std::pair<const char*, QByteArray>> saved_;
};

Texts LineTexts(const test::PdfText& pdf) {
    Texts texts;
    for (const test::PdfLine& line : pdf.lines) texts.push_back(line.Text().toStdString());
    return texts;
}

TEST_F(PrintServerTest, JobOnTheDefaultMediaLandsWhole) {
    ASSERT_NO_FATAL_FAILURE(StartServer());
    // The private server's queue, printing to the edges, given a default media of its own.
    const QString queue = "elencario-" + QDir(Folder()).dirName().replace('-', '_');
    Client("/usr/sbin/lpadmin", {"-p", queue, "-o", "PageSize=A5"});
    const auto destination = FindDefaultDestination(kLimit);
    ASSERT_TRUE(destination.has_value());
    EXPECT_EQ(destination->name, queue);
    EXPECT_EQ(destination->layout.pageSize().id(), QPageSize::A5);
    EXPECT_EQ(destination->layout.margins(QPageLayout::Millimeter), QMarginsF());

    int asked = 0;
    const QString pdf = WritePdf(destination->layout);
    ASSERT_EQ(SubmitPdf(*destination, pdf, "Prova", kLimit, [&asked] { return ++asked > 0; }),
              CupsOutcome::Accepted);
    EXPECT_GE(asked, 8) << "chiesto tra un pezzo e l'altro";
    const test::PdfText printed = PrintedPdf();
    EXPECT_EQ(printed.pages, 4);
    EXPECT_NEAR(printed.pageWidth, destination->layout.fullRect(QPageLayout::Point).width(), 1);
    EXPECT_EQ(LineTexts(printed), kPages);
}

struct BrokenCase {
    const char* testName;
    int signal;  // sent to the server at the first call of keepGoing; 0: keepGoing says stop
    CupsOutcome outcome;
    std::chrono::milliseconds within;
    bool manyChunks = true;  // else the whole PDF is sent before the server is asked to answer
};

class BrokenJobTest : public PrintServerTest, public testing::WithParamInterface<BrokenCase> {};

TEST_P(BrokenJobTest, EndsInTimeAndPrintsNothing) {
    const BrokenCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(StartServer());
    const auto destination = FindDefaultDestination(kLimit);
    ASSERT_TRUE(destination.has_value());
    const QString pdf = WritePdf(destination->layout, c.manyChunks);

    int asked = 0;
    const auto start = Clock::now();
    const CupsOutcome outcome = SubmitPdf(*destination, pdf, "Prova", kLimit, [&] {
        if (asked++ > 0) return true;
        if (c.signal != 0) Signal(c.signal);
        return c.signal != 0;
    });
    EXPECT_EQ(outcome, c.outcome);
    EXPECT_LT(Clock::now() - start, c.within);
    if (c.signal == SIGKILL) return;
    if (c.signal == 0) {
        EXPECT_EQ(Client("lpstat", {"-o"}).toStdString(), "") << "lavoro rimasto in coda";
    }
    Signal(SIGCONT);
    QThread::msleep(1000);
    EXPECT_TRUE(QDir(Folder() + "/pdf").isEmpty()) << "stampato un lavoro non confermato";
}

INSTANTIATE_TEST_SUITE_P(
    Jobs, BrokenJobTest,
    testing::Values(BrokenCase{"ServerKilled", SIGKILL, CupsOutcome::Failed, kLimit / 2},
                    BrokenCase{"ServerStopped", SIGSTOP, CupsOutcome::Failed, kLimit * 3 / 2},
                    BrokenCase{"ServerStoppedBeforeAnswering", SIGSTOP, CupsOutcome::Failed,
                               kLimit * 3 / 2, false},
                    BrokenCase{"UserCancels", 0, CupsOutcome::Cancelled, kLimit / 2}),
    [](const auto& info) { return std::string(info.param.testName); });

TEST_F(PrintServerTest, NoDestinationWithinTheLimit) {
    const auto none = [](const char* why) {
        const auto start = Clock::now();
        EXPECT_FALSE(FindDefaultDestination(kLimit).has_value()) << why;
        EXPECT_LT(Clock::now() - start, kLimit + 500ms) << why;
    };
    UseServer(Folder() + "/nessuno.sock");
    none("nessun server");
    ASSERT_NO_FATAL_FAILURE(StartServer());
    qputenv("PRINTER", "coda-inesistente");
    none("coda predefinita inesistente");
    qunsetenv("PRINTER");
    Signal(SIGSTOP);  // connections wait in the kernel's backlog, unanswered
    none("server fermo");
    const auto start = Clock::now();
    EXPECT_FALSE(FindDefaultDestination(kLimit, [] { return false; }).has_value());
    EXPECT_LT(Clock::now() - start, kLimit * 3 / 4) << "annullata";  // the library waits 1 s itself
}

// The command end to end: the whole listing reaches the default printer.
TEST_F(PrintServerTest, CommandPrintsTheWorkedExample) {
    ASSERT_NO_FATAL_FAILURE(StartServer());
    const QStringList options{"--nome", "--numeri", "--margine", "4",
                              QString(ELENCARIO_SAMPLES) + "/Sistema1.txt"};
    Texts listing;
    for (const QString& line : test::Run(ELENCARIO_BINARY, options).split('\n')) {
        if (!line.simplified().isEmpty()) listing.push_back(line.simplified().toStdString());
    }
    Client(ELENCARIO_BINARY, QStringList{"--stampa"} + options);
    EXPECT_EQ(LineTexts(PrintedPdf()), listing);
}

}  // namespace
}  // namespace elencario
