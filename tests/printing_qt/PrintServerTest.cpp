// Jobs through a real print server: a private cupsd whose default queue is cups-pdf, reached by
// CupsJob in this process and by the command.
#include <cups/cups.h>
#include <gtest/gtest.h>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
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
constexpr std::chrono::milliseconds kLimit = 2s;

// Each test runs in a process of its own (ctest), so what it puts in the environment stays there.
class PrintServerTest : public testing::Test {
  protected:
    [[nodiscard]] QString Folder() const { return QString::fromStdString(folder_.Text()); }
    void TearDown() override {
        if (started_) {
            Signal(SIGCONT);
            test::Output(ELENCARIO_PRINT_SERVER, {"stop", Folder()});
        }
    }
    void StartServer() {  // no printer or settings of the user's, for us and our commands
        qunsetenv("PRINTER");
        qunsetenv("LPDEST");
        qputenv("HOME", Folder().toUtf8());
        const QString socket = test::Output(ELENCARIO_PRINT_SERVER, {"start", Folder()}).trimmed();
        ASSERT_FALSE(socket.isEmpty());
        qputenv("CUPS_SERVER", socket.toUtf8());
        cupsSetServer(socket.toUtf8().constData());
        started_ = true;
    }
    void Signal(int signal) const {
        const int pid = test::Output("cat", {Folder() + "/cupsd.pid"}).trimmed().toInt();
        ASSERT_GT(pid, 1);
        ASSERT_EQ(kill(pid, signal), 0);
    }
    // A page of noise; with `large` so much that the upload takes many chunks.
    [[nodiscard]] QString WritePdf(const QPageLayout& layout, bool large) const {
        const QString file = Folder() + "/lavoro.pdf";
        QPdfWriter pdf(file);
        pdf.setPageLayout(layout);
        QImage image(900, large ? 900 : 9, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y)
            QRandomGenerator(y).fillRange(reinterpret_cast<quint32*>(image.scanLine(y)), 900);
        QPainter(&pdf).drawImage(QRect(0, 0, pdf.width(), pdf.width()), image);
        EXPECT_GT(QFileInfo(file).size(), large ? 8 * 64 * 1024 : 0);
        return file;
    }
    test::TempFolder folder_;
    bool started_ = false;
};

TEST_F(PrintServerTest, TheCommandsJobLandsWholeOnTheDefaultMedia) {
    ASSERT_NO_FATAL_FAILURE(StartServer());
    // The private queue prints to the edges; it is given a default media of its own.
    const QString queue = test::Output("lpstat", {"-d"}).section(':', 1).trimmed();
    test::Output("/usr/sbin/lpadmin", {"-p", queue, "-o", "PageSize=A5"});
    const QStringList options{"--nome", "--numeri", "--margine", "4",
                              QString(ELENCARIO_SAMPLES) + "/Sistema1.txt"};
    std::vector<std::string> listing;
    for (const QString& line : test::Output(ELENCARIO_BINARY, options).split('\n'))
        if (!line.simplified().isEmpty()) listing.push_back(line.simplified().toStdString());
    test::Output(ELENCARIO_BINARY, QStringList{"--stampa"} + options);
    for (int attempt = 0; attempt < 600; ++attempt, QThread::msleep(50)) {
        const QFileInfoList pdfs = QDir(Folder() + "/pdf").entryInfoList(QDir::Files);
        if (!test::Output("lpstat", {"-o"}).isEmpty() || pdfs.size() != 1 || pdfs[0].size() == 0)
            continue;
        const test::PdfText printed = test::ReadPdf(pdfs[0].filePath());
        EXPECT_NEAR(printed.pageWidth, QPageSize(QPageSize::A5).size(QPageSize::Point).width(), 1);
        std::vector<std::string> texts;
        for (const test::PdfLine& line : printed.lines) texts.push_back(line.text.toStdString());
        EXPECT_EQ(texts, listing);
        return;
    }
    ADD_FAILURE() << "nessun PDF dalla stampante";
}

struct Broken {
    const char* name;
    int signal;  // sent to the server at the first call of keepGoing; 0: keepGoing says stop
    CupsOutcome outcome;
    std::chrono::milliseconds within;
    bool manyChunks = true;  // else the whole PDF is sent before the server is asked to answer
};

class BrokenJobTest : public PrintServerTest, public testing::WithParamInterface<Broken> {};

TEST_P(BrokenJobTest, EndsInTimeAndPrintsNothing) {
    const Broken& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(StartServer());
    const auto destination = FindDefaultDestination(kLimit);
    ASSERT_TRUE(destination.has_value());
    const QString pdf = WritePdf(destination->layout, c.manyChunks);
    int asked = 0;
    const auto start = Clock::now();
    EXPECT_EQ(SubmitPdf(*destination, pdf, "Prova", kLimit,
                        [&] {
                            if (asked++ == 0 && c.signal != 0) Signal(c.signal);
                            return asked > 1 || c.signal != 0;
                        }),
              c.outcome);
    EXPECT_LT(Clock::now() - start, c.within);
    if (c.signal == SIGKILL) return;
    EXPECT_TRUE(c.signal != 0 || test::Output("lpstat", {"-o"}).isEmpty()) << "lavoro in coda";
    const auto lookup = Clock::now();  // nor does the look-up wait for a stopped server
    EXPECT_TRUE(c.signal != SIGSTOP || !FindDefaultDestination(kLimit).has_value());
    EXPECT_LT(Clock::now() - lookup, kLimit + 500ms);
    Signal(SIGCONT);
    QThread::msleep(1000);
    EXPECT_TRUE(QDir(Folder() + "/pdf").isEmpty()) << "stampato un lavoro non confermato";
}

INSTANTIATE_TEST_SUITE_P(
    Jobs, BrokenJobTest,
    testing::Values(Broken{"ServerKilled", SIGKILL, CupsOutcome::Failed, kLimit / 2},
                    Broken{"ServerStopped", SIGSTOP, CupsOutcome::Failed, kLimit * 3 / 2},
                    Broken{"ServerStoppedBeforeAnswering", SIGSTOP, CupsOutcome::Failed,
                           kLimit * 3 / 2, false},
                    Broken{"UserCancels", 0, CupsOutcome::Cancelled, kLimit / 2}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace elencario
