// Jobs through a real print server: a private cupsd whose default queue is cups-pdf, reached by
// CupsJob in this process and by the command.

#include <cups/cups.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>
#include <csignal>
#include <cstring>

#include "printing/qt/CupsJob.h"
#include "tests/printing_qt/PdfText.h"
#include "tests/support/TempFolder.h"

namespace elencario {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr std::chrono::milliseconds kLimit = 2s;
const QStringList kPages{"Pagina uno", "Pagina due", "Pagina tre"};

class PrintServerTest : public testing::Test {
  protected:
    [[nodiscard]] QString Folder() const { return QString::fromStdString(folder_.Text()); }

    // No printer or settings of the user's: only the server of the test.
    void SetUp() override {
        for (const char* name : {"PRINTER", "LPDEST", "HOME"})
            saved_.emplace_back(name, qgetenv(name));
        qunsetenv("PRINTER");
        qunsetenv("LPDEST");
        qputenv("HOME", Folder().toUtf8());
    }

    void TearDown() override {
        if (started_) {
            Signal(SIGCONT);
            test::Run(ELENCARIO_PRINT_SERVER, {"stop", Folder()});
        }
        if (silent_ >= 0) close(silent_);
        cupsSetServer(nullptr);
        for (const auto& [name, value] : saved_) {
            if (value.isNull())
                qunsetenv(name);
            else
                qputenv(name, value);
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

    // A socket that the kernel accepts connections on, into its backlog, and nobody answers.
    void ListenWithoutAnswering() {
        UseServer(Folder() + "/muto.sock");
        silent_ = socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, server_.toUtf8().constData(), sizeof(address.sun_path) - 1);
        ASSERT_EQ(bind(silent_, reinterpret_cast<const sockaddr*>(&address), sizeof(address)), 0);
        ASSERT_EQ(listen(silent_, 16), 0);
    }

    void Signal(int signal) const {
        QFile pid(Folder() + "/cupsd.pid");
        ASSERT_TRUE(pid.open(QIODevice::ReadOnly));
        ASSERT_EQ(kill(pid.readAll().trimmed().toInt(), signal), 0);
    }

    // A page of noise first, so that the upload takes many chunks, then a line to a page.
    [[nodiscard]] QString WritePdf(const QPageLayout& layout) const {
        const QString file = Folder() + "/lavoro.pdf";
        QPdfWriter pdf(file);
        pdf.setPageLayout(layout);
        QPainter painter(&pdf);
        QImage noise(900, 900, QImage::Format_RGB32);
        QRandomGenerator random(8);
        for (int y = 0; y < noise.height(); ++y) {
            auto* row = reinterpret_cast<quint32*>(noise.scanLine(y));
            for (int x = 0; x < noise.width(); ++x) row[x] = random.generate();
        }
        painter.drawImage(QRect(0, 0, pdf.width(), pdf.width()), noise);
        for (const QString& line : kPages) {
            pdf.newPage();
            painter.drawText(QPointF(0, pdf.height() / 2.0), line);
        }
        painter.end();
        EXPECT_GT(QFileInfo(file).size(), 8 * 64 * 1024);
        return file;
    }

    [[nodiscard]] QProcessEnvironment ServerEnvironment() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("CUPS_SERVER", server_);
        return env;
    }

    [[nodiscard]] QString Lpstat() const {
        QProcess lpstat;
        lpstat.setProcessEnvironment(ServerEnvironment());
        lpstat.start("lpstat", {"-o"});
        lpstat.waitForFinished();
        return QString::fromUtf8(lpstat.readAllStandardOutput());
    }

    [[nodiscard]] QFileInfoList Printed() const {
        return QDir(Folder() + "/pdf").entryInfoList({"*.pdf"}, QDir::Files);
    }

    // Waits for the queue to empty and the PDF to be written, then reads it.
    test::PdfText PrintedPdf() const {
        for (int attempt = 0; attempt < 600; ++attempt) {
            if (Lpstat().isEmpty() && Printed().size() == 1 && Printed().front().size() > 0) {
                return test::ReadPdf(Printed().front().filePath());
            }
            QThread::msleep(50);
        }
        ADD_FAILURE() << "nessun PDF dalla stampante";
        return {};
    }

    test::TempFolder folder_;
    QString server_;
    bool started_ = false;
    int silent_ = -1;
    std::vector<std::pair<const char*, QByteArray>> saved_;
};

std::vector<std::string> LineTexts(const test::PdfText& pdf) {
    std::vector<std::string> texts;
    for (const test::PdfLine& line : pdf.lines) texts.push_back(line.Text().toStdString());
    return texts;
}

TEST_F(PrintServerTest, JobOnTheDefaultMediaLandsWhole) {
    ASSERT_NO_FATAL_FAILURE(StartServer());
    // The private server's queue, printing to the edges, given a default media of its own.
    const QString queue = "elencario-" + QDir(Folder()).dirName().replace('-', '_');
    QProcess lpadmin;
    lpadmin.setProcessEnvironment(ServerEnvironment());
    lpadmin.start("/usr/sbin/lpadmin", {"-p", queue, "-o", "PageSize=A5"});
    ASSERT_TRUE(lpadmin.waitForFinished() && lpadmin.exitCode() == 0);
    const auto destination = FindDefaultDestination(kLimit);
    ASSERT_TRUE(destination.has_value());
    EXPECT_EQ(destination->name, queue);
    EXPECT_EQ(destination->layout.pageSize().id(), QPageSize::A5);
    EXPECT_EQ(destination->layout.margins(QPageLayout::Millimeter), QMarginsF());

    int asked = 0;
    const CupsOutcome outcome =
        SubmitPdf(*destination, WritePdf(destination->layout), "Prova", kLimit, [&asked] {
            ++asked;
            return true;
        });
    ASSERT_EQ(outcome, CupsOutcome::Accepted);
    EXPECT_GE(asked, 8) << "chiesto tra un pezzo e l'altro";
    const test::PdfText pdf = PrintedPdf();
    EXPECT_EQ(pdf.pages, 4);
    EXPECT_NEAR(pdf.pageWidth, destination->layout.fullRect(QPageLayout::Point).width(), 1);
    std::vector<std::string> expected;
    for (const QString& line : kPages) expected.push_back(line.toStdString());
    EXPECT_EQ(LineTexts(pdf), expected);
}

struct BrokenCase {
    const char* testName;
    int signal;  // sent to the server at the first call of keepGoing; 0: keepGoing says stop
    CupsOutcome outcome;
    std::chrono::milliseconds within;
};

void PrintTo(const BrokenCase& c, std::ostream* os) {
    *os << c.testName;
}

class BrokenJobTest : public PrintServerTest, public testing::WithParamInterface<BrokenCase> {};

TEST_P(BrokenJobTest, EndsInTimeAndPrintsNothing) {
    const BrokenCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(StartServer());
    const auto destination = FindDefaultDestination(kLimit);
    ASSERT_TRUE(destination.has_value());
    const QString pdf = WritePdf(destination->layout);

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
        EXPECT_EQ(Lpstat(), "") << "lavoro rimasto in coda";
    }
    Signal(SIGCONT);
    QThread::msleep(1000);
    EXPECT_TRUE(Printed().isEmpty()) << "stampato un lavoro incompleto";
}

INSTANTIATE_TEST_SUITE_P(
    Jobs, BrokenJobTest,
    testing::Values(BrokenCase{"ServerKilled", SIGKILL, CupsOutcome::Failed, kLimit},
                    BrokenCase{"ServerStopped", SIGSTOP, CupsOutcome::Failed, kLimit * 3 / 2},
                    BrokenCase{"UserCancels", 0, CupsOutcome::Cancelled, kLimit}),
    [](const testing::TestParamInfo<BrokenCase>& info) {
        return std::string(info.param.testName);
    });

enum class Missing { Server, DefaultQueue, Answer };

struct NoDestinationCase {
    const char* testName;
    Missing missing;
};

void PrintTo(const NoDestinationCase& c, std::ostream* os) {
    *os << c.testName;
}

class NoDestinationTest : public PrintServerTest,
                          public testing::WithParamInterface<NoDestinationCase> {};

TEST_P(NoDestinationTest, NoneWithinTheLimit) {
    switch (GetParam().missing) {
        case Missing::Server:
            UseServer(Folder() + "/nessuno.sock");
            break;
        case Missing::DefaultQueue:
            ASSERT_NO_FATAL_FAILURE(StartServer());
            qputenv("PRINTER", "coda-inesistente");
            break;
        case Missing::Answer:
            ASSERT_NO_FATAL_FAILURE(ListenWithoutAnswering());
            break;
    }
    const auto start = Clock::now();
    EXPECT_FALSE(FindDefaultDestination(kLimit).has_value());
    EXPECT_LT(Clock::now() - start, kLimit + 500ms);
}

INSTANTIATE_TEST_SUITE_P(Printers, NoDestinationTest,
                         testing::Values(NoDestinationCase{"NoPrintServer", Missing::Server},
                                         NoDestinationCase{"DefaultQueueMissing",
                                                           Missing::DefaultQueue},
                                         NoDestinationCase{"ServerNeverAnswers", Missing::Answer}),
                         [](const testing::TestParamInfo<NoDestinationCase>& info) {
                             return std::string(info.param.testName);
                         });

// The command end to end: the whole listing reaches the default printer.
TEST_F(PrintServerTest, CommandPrintsTheWorkedExample) {
    ASSERT_NO_FATAL_FAILURE(StartServer());
    const QString example = QString(ELENCARIO_SAMPLES) + "/Sistema1.txt";
    const QStringList options{"--nome", "--numeri", "--margine", "4"};
    std::vector<std::string> expected;
    for (const QString& line :
         test::Run(ELENCARIO_BINARY, options + QStringList{example}).split('\n')) {
        if (!line.simplified().isEmpty()) expected.push_back(line.simplified().toStdString());
    }

    QProcess command;
    command.setProcessEnvironment(ServerEnvironment());
    command.start(ELENCARIO_BINARY, options + QStringList{"--stampa", example});
    ASSERT_TRUE(command.waitForFinished(60'000));
    ASSERT_EQ(command.exitCode(), 0) << command.readAllStandardError().toStdString();
    EXPECT_EQ(LineTexts(PrintedPdf()), expected);
}

}  // namespace
}  // namespace elencario
