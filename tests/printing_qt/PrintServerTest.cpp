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

// Each test runs in a process of its own (ctest): what it puts in the environment may stay there.
class PrintServerTest : public testing::Test {
  protected:
    [[nodiscard]] QString Folder() const { return QString::fromStdString(folder_.Text()); }
    void TearDown() override {
        Signal(SIGCONT);
        test::Output(ELENCARIO_PRINT_SERVER, {"stop", Folder()});
    }
    void SetUp() override {  // no printer or settings of the user's, for us and our commands
        qunsetenv("PRINTER");
        qunsetenv("LPDEST");
        qputenv("HOME", Folder().toUtf8());
        const QString socket = test::Output(ELENCARIO_PRINT_SERVER, {"start", Folder()}).trimmed();
        ASSERT_FALSE(socket.isEmpty());
        qputenv("CUPS_SERVER", socket.toUtf8());
        cupsSetServer(socket.toUtf8().constData());
    }
    void Signal(int signal) const {
        const int pid = test::Output("cat", {Folder() + "/cupsd.pid"}).trimmed().toInt();
        ASSERT_GT(pid, 1);
        ASSERT_EQ(kill(pid, signal), 0);
    }
    test::TempFolder folder_;
};

TEST_F(PrintServerTest, TheCommandsJobLandsWholeOnTheDefaultMedia) {
    // The private queue prints to the edges; it is given a default media of its own.
    const QString queue = test::Output("lpstat", {"-d"}).section(':', 1).trimmed();
    test::Output("/usr/sbin/lpadmin", {"-p", queue, "-o", "PageSize=A5"});
    const QStringList options{"--nome", "--numeri", "--margine", "4",
                              QString(ELENCARIO_SAMPLES) + "/Sistema1.txt"};
    QStringList listing;
    for (const QString& line : test::Output(ELENCARIO_BINARY, options).split('\n'))
        if (!line.simplified().isEmpty()) listing << line.simplified();
    test::Output(ELENCARIO_BINARY, QStringList{"--stampa"} + options);
    for (int attempt = 0; attempt < 600; ++attempt, QThread::msleep(50)) {
        const QFileInfoList pdfs = QDir(Folder() + "/pdf").entryInfoList(QDir::Files);
        if (!test::Output("lpstat", {"-o"}).isEmpty() || pdfs.size() != 1 || pdfs[0].size() == 0)
            continue;
        const test::PdfText printed = test::ReadPdf(pdfs[0].filePath());
        EXPECT_NEAR(printed.pageWidth, QPageSize(QPageSize::A5).size(QPageSize::Point).width(), 1);
        QStringList texts;
        for (const test::PdfLine& line : printed.lines) texts << line.text;
        EXPECT_EQ(texts.join('|').toStdString(), listing.join('|').toStdString());
        return;
    }
    ADD_FAILURE() << "nessun PDF dalla stampante";
}

// With no room for the job's PDF in the temporary folder, nothing reaches the server.
TEST_F(PrintServerTest, AFullTemporaryFolderIsAPrintErrorAndQueuesNothing) {
    const QString pieno = Folder() + "/pieno";
    QDir().mkpath(pieno);
    if (std::get<0>(test::Run("mount", {"-t", "tmpfs", "-o", "size=4k", "tmpfs", pieno})) != 0)
        GTEST_SKIP() << "no tmpfs can be mounted here";
    qputenv("TMPDIR", pieno.toUtf8());
    const auto [code, out, err] =
        test::Run(ELENCARIO_BINARY, {"--stampa", QString(ELENCARIO_SAMPLES) + "/Integrale6.TXT"});
    qunsetenv("TMPDIR");
    test::Output("umount", {pieno});
    EXPECT_EQ(code, 1);
    EXPECT_EQ(err.toStdString(), "Errore di stampa ..! \n");
    QThread::msleep(1000);
    EXPECT_TRUE(test::Output("lpstat", {"-o"}).isEmpty());
    EXPECT_TRUE(QDir(Folder() + "/pdf").isEmpty());
}

struct Broken {
    const char* name;
    int signal;  // sent to the server at the first call of keepGoing; 0: keepGoing says stop
    bool manyChunks = true;  // else the whole PDF is sent before the server is asked to answer
};
class BrokenJobTest : public PrintServerTest, public testing::WithParamInterface<Broken> {};

TEST_P(BrokenJobTest, EndsInTimeAndPrintsNothing) {
    const Broken& c = GetParam();
    const auto destination = FindDefaultDestination(kLimit);
    ASSERT_TRUE(destination.has_value());
    const QString pdf = Folder() + "/lavoro.pdf";
    QPdfWriter writer(pdf);
    writer.setPageLayout(destination->layout);
    QImage image(900, c.manyChunks ? 900 : 9, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        QRandomGenerator(y).fillRange(reinterpret_cast<quint32*>(image.scanLine(y)), 900);
    QPainter(&writer).drawImage(QRect(0, 0, writer.width(), writer.width()), image);
    ASSERT_GT(QFileInfo(pdf).size(), c.manyChunks ? 8 * 64 * 1024 : 0);
    int asked = 0;
    const auto start = Clock::now();
    EXPECT_EQ(SubmitPdf(*destination, pdf, "Prova", kLimit,
                        [&] {
                            if (asked++ == 0 && c.signal != 0) Signal(c.signal);
                            return asked > 1 || c.signal != 0;
                        }),
              c.signal != 0 ? CupsOutcome::Failed : CupsOutcome::Cancelled);
    // A stopped server is given up on after the limit, anything else at once.
    EXPECT_LT(Clock::now() - start, c.signal == SIGSTOP ? kLimit * 3 / 2 : kLimit / 2);
    if (c.signal == SIGKILL) return;
    EXPECT_TRUE(c.signal != 0 || test::Output("lpstat", {"-o"}).isEmpty()) << "lavoro in coda";
    const auto lookup = Clock::now();  // nor does the look-up wait for a stopped server
    EXPECT_TRUE(c.signal != SIGSTOP || !FindDefaultDestination(kLimit).has_value());
    EXPECT_LT(Clock::now() - lookup, kLimit + 500ms);
    Signal(SIGCONT);
    QThread::msleep(1000);
    EXPECT_TRUE(QDir(Folder() + "/pdf").isEmpty()) << "stampato un lavoro non confermato";
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Jobs, BrokenJobTest, testing::Values(
    Broken{"ServerKilled", SIGKILL}, Broken{"ServerStopped", SIGSTOP},
    Broken{"ServerStoppedBeforeAnswering", SIGSTOP, false}, Broken{"UserCancels", 0}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

}  // namespace
}  // namespace elencario
