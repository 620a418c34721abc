// The Qt printer through the real PDF renderer (read back with poppler's pdftotext), and jobs
// through a private print server.
#include <cups/cups.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <tuple>
#include <utility>
#include <vector>
#include "printing/ComposizioneElencario.h"
#include "printing/Impaginatore.h"
#include "printing/qt/FilePdf.h"
#include "printing/qt/FinestraAvanzamento.h"
#include "printing/qt/InvioCups.h"
#include "printing/qt/UscitaPdf.h"
#include "systems/LetturaSistema.h"

namespace elencario {
namespace {

// Runs `program`, calling `during` once it has started: its exit code (-1: it did not end
// normally), output and errors.
inline std::tuple<int, QString, QByteArray> Exec(
    const QString& program, const QStringList& arguments,
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
    const auto [code, out, err] = Exec(program, arguments);
    EXPECT_EQ(code, 0) << program.toStdString() << ": " << err.toStdString();
    return out;
}

struct RigaPdf {  // the words of a page sharing one top edge, in points from its top left corner
    int page = 0;
    double y = 0, left = 0, right = 0, bottom = 0;
    QString text;  // joined by one blank
};

struct TestoPdf {
    int pages = 0;
    double pageWidth = 0, pageHeight = 0;
    std::vector<RigaPdf> lines;  // page by page, top to bottom
};

// `file` as poppler's pdftotext -bbox reads it.
inline TestoPdf LeggiPdf(const QString& file) {
    static const QRegularExpression page(R"re(<page width="([\d.]+)" height="([\d.]+)")re");
    static const QRegularExpression word(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">(.*)</word>)re");
    TestoPdf pdf;
    std::vector<RigaPdf> words;
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
    std::ranges::sort(words, [](const RigaPdf& a, const RigaPdf& b) {
        return std::tie(a.page, a.y, a.left) < std::tie(b.page, b.y, b.left);
    });
    for (const RigaPdf& w : words) {
        RigaPdf* last = pdf.lines.empty() ? nullptr : &pdf.lines.back();
        if (last && last->page == w.page && qAbs(last->y - w.y) <= 0.5)
            last->text += ' ' + w.text, last->right = w.right;
        else
            pdf.lines.push_back(w);
    }
    return pdf;
}

using enum StatoStampa;

// The PDF file `file` as the command and the window's tests make it.
std::unique_ptr<Impaginatore> PerPdf(const QString& file,
                                     std::unique_ptr<Avanzamento> avanzamento = nullptr) {
    return std::make_unique<Impaginatore>(
        std::make_unique<FilePdf>(std::make_unique<UscitaPdf>(file.toStdU16String())),
        std::move(avanzamento));
}

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
    test::CartellaProvvisoria folder_;
};

struct CasoCarattere {
    const char* carattere;
    const char* incorporato;  // what stands in for it on this machine
    std::int16_t perRiga;
    bool largo;  // the widest margin that leaves room for a whole row: only separators break
};
class CarattereTest : public PdfTest, public testing::WithParamInterface<CasoCarattere> {};

// Where lines break and pages fill is the layout's own test; here the real fonts' measures: every
// line within the margins, every row once in order, the font embedded, as the command prints it.
TEST_P(CarattereTest, EveryRowOnceInOrderWithinTheMarginsAsTheCommandPrintsIt) {
    const auto [font, embedded, perLine, widest] = GetParam();
    std::string file;  // eighty different sestine, two pages at one a line
    for (int i = 0; i < 80 * 6; ++i)
        file += std::to_string(10 + (i / 6 + 13 * (i % 6)) % 80) + (i % 6 < 5 ? " " : "\r\n");
    const VARIABILI v = Load(file);
    OpzioniConvertite o{font, 9, perLine, 0, false, false};
    const auto probe = PerPdf(Pdf());
    probe->ImpostaCarattere(font);
    probe->ImpostaGrandezza(9);
    std::vector<std::string> rows;
    v.Combinazioni.PerOgni([&](std::string_view row) { return rows.emplace_back(row), true; });
    while (widest && probe->VerificaSpazio(o.margine + 1, [&] { return rows; }) == Spazio::Ok)
        ++o.margine;
    ASSERT_TRUE(!widest || o.margine > 20);
    ASSERT_EQ(ComponiElencario(v, o, *PerPdf(Pdf())), Ok);
    const TestoPdf pdf = LeggiPdf(Pdf());
    EXPECT_TRUE(widest || qAbs(pdf.lines[0].left - kPdfMargin) < 0.5);
    QStringList words;
    for (const RigaPdf& line : pdf.lines) {
        EXPECT_TRUE(line.right <= pdf.pageWidth - kPdfMargin + 0.5 &&
                    line.bottom <= pdf.pageHeight - kPdfMargin + 1)
            << line.text.toStdString();
        words << line.text.split(' ');
    }
    words.removeAll("-");
    EXPECT_GE(pdf.pages, perLine == 1 ? 2 : 1);
    const qsizetype count = words.indexOf("Combinazioni:") + 1;
    ASSERT_GT(count, 0);
    EXPECT_EQ(words.value(count), "80") << "l'intestazione conta ciò che è stampato";
    EXPECT_EQ(words.mid(count + 1).join(' '), QString::fromStdString(file).simplified());
    const QString cli = Folder() + "/c.pdf";
    Output(ELENCARIO_BINARY,
           {"--carattere", font, "--grandezza", "9", "--colonne", QString::number(perLine),
            "--margine", QString::number(o.margine), "--pdf", cli, Folder() + "/s.txt"});
    const QString fonts = Output("pdffonts", {Pdf()});
    EXPECT_TRUE(fonts.contains(embedded) && Output("pdffonts", {cli}) == fonts)
        << fonts.toStdString();
    const auto placed = [](const QString& f) {  // every word where it is, as pdftotext reads it
        return Output("pdftotext", {"-bbox", f, "-"}).section("<doc>", 1).toStdString();
    };
    EXPECT_EQ(placed(cli), placed(Pdf()));
}

// Each font once, each way of filling a line once.
INSTANTIATE_TEST_SUITE_P(Fonts, CarattereTest,
                         testing::Values(CasoCarattere{"Segoe UI", "OpenSans", 10, false},
                                         CasoCarattere{"Courier New", "LiberationMono", 1, true},
                                         CasoCarattere{"Verdana", "DejaVuSans", 10, true},
                                         CasoCarattere{"Trebuchet", "OpenSans", 1, false}),
                         [](const auto& info) {
                             return QString(info.param.carattere).remove(' ').toStdString() + "_" +
                                    std::to_string(info.param.perRiga) + "PerLine" +
                                    (info.param.largo ? "_Widest" : "");
                         });

// A size no page takes is refused before anything is written, and so is a file that cannot be
// made; a file put in place leaves the output ready for the next one.
TEST_F(PdfTest, RefusedAtOnceOrPutInPlaceAndReadyAgain) {
    const VARIABILI v = Load("1 2 3\r\n");
    EXPECT_EQ(
        ComponiElencario(v, {"Courier New", 32767, 4, 0, false, false}, *PerPdf(Pdf())).spazio,
        Spazio::CarattereTroppoGrande);
    const QString missing = Folder() + "/manca/p.pdf";
    const auto unwritable = PerPdf(missing);
    EXPECT_EQ(unwritable->Prepara(), Fallita);
    EXPECT_TRUE(unwritable->Errore().starts_with("Impossibile scrivere il file PDF " +
                                                 missing.toStdString() + ": "));
    EXPECT_EQ(Files(), QStringList{"s.txt"});
    UscitaPdf output(Pdf().toStdU16String());
    for (const QByteArray text : {"%PDF-uno", "%PDF-due"}) {
        ASSERT_TRUE(output.Apri());
        ASSERT_EQ(output.write(text), text.size());
        EXPECT_TRUE(output.Conferma()) << output.Errore();
        EXPECT_EQ(Output("cat", {Pdf()}), text);
    }
    EXPECT_EQ(Files(), (QStringList{"p.pdf", "s.txt"}));
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
    // The window, with pages slow enough for the poll to see one whatever the machine.
    struct Lenta final : Avanzamento {
        FinestraAvanzamento finestra;
        void Inizio() override { finestra.Inizio(); }
        bool Continua() override { return finestra.Continua(); }
        void Pagina(int p, int n) override {
            QThread::msleep(2);
            finestra.Pagina(p, n);
        }
        void Fine() override { finestra.Fine(); }
    };
    const auto printer = PerPdf(Pdf(), std::make_unique<Lenta>());
    EXPECT_EQ(ComponiElencario(v, {"Courier New", 9, 1, 0, false, false}, *printer), Interrotta);
    EXPECT_TRUE(
        QRegularExpression("^Stampa in corso…\\|Pagina \\d+ di \\d+\\|$").match(seen).hasMatch())
        << seen.toStdString();
    EXPECT_EQ(other.text(), "") << "i tasti durante la stampa non vanno alla finestra";
    EXPECT_EQ(printer->Errore(), "");
    EXPECT_EQ(Output("cat", {Pdf()}), "%PDF-earlier");
    EXPECT_EQ(Files(), (QStringList{"p.pdf", "terni.txt"}));
}

// Interrupted or out of memory: no file, and the only message a print error.
TEST_F(PdfTest, CommandInterruptedOrOutOfMemoryLeavesNoFile) {
    Terni();
    const QString terni = Folder() + "/terni.txt";
    for (const int segnale : {SIGINT, SIGTERM}) {
        const auto [code, out, err] =
            Exec(ELENCARIO_BINARY, {"--colonne", "1", "--pdf", Pdf(), terni}, [&](QProcess& p) {
                // The PDF is under way once its file is made beside the system's.
                while (Files().size() < 2 && !p.waitForFinished(20)) continue;
                if (p.state() == QProcess::Running)
                    kill(static_cast<pid_t>(p.processId()), segnale);
            });
        EXPECT_EQ(code, 130) << segnale;
        EXPECT_EQ(err, "");
        EXPECT_EQ(Files(), QStringList{"terni.txt"});
    }
#if !defined(__SANITIZE_ADDRESS__)
    // Starved, fontconfig may cache that it found no fonts: not in the machine's own caches.
    const test::CartellaProvvisoria fontconfig;
    const auto conf = fontconfig.Write("fonts.conf", "<fontconfig><cachedir>" + fontconfig.Text() +
                                                         "</cachedir><include>/etc/fonts/fonts.conf"
                                                         "</include></fontconfig>");
    qputenv("FONTCONFIG_FILE", QByteArray::fromStdString(conf.string()));
    bool printError = false;
    for (int mb = 80; mb <= 400; mb += 10) {
        const auto [code, out, err] = Exec("prlimit", {QString("--as=%1").arg(mb * 1'000'000),
                                                       ELENCARIO_BINARY, "--pdf", Pdf(), terni});
        if (code == 0) break;
        // The libraries could not even be mapped: too little memory to start printing at all.
        if (code == 127 || err.startsWith("Impossibile caricare il modulo di stampa:")) continue;
        printError = printError || err == "Errore di stampa ..! \n";
        EXPECT_TRUE(code == 1 &&
                    (err == "Errore di stampa ..! \n" || err == "Si è verificato l' errore: 7\n"))
            << mb << " MB: " << code << ' ' << err.toStdString();
        EXPECT_EQ(Files(), QStringList{"terni.txt"});
    }
    qunsetenv("FONTCONFIG_FILE");
    EXPECT_TRUE(printError);
    EXPECT_TRUE(QFile::exists(Pdf()));
#endif
}

// Targets that are not regular files are refused by name and left as they were; a name that is
// not UTF-8 is the name written; standard output takes the PDF, and a full disk says why.
TEST_F(PdfTest, CommandWritesTheFileNamedAndNothingElse) {
    const QByteArray folder = Folder().toUtf8();
    ASSERT_EQ(mkfifo(folder + "/fifo", 0600), 0);
    ASSERT_TRUE(QFile::link(Folder() + "/fifo", Folder() + "/link"));
    const auto run = [&](const QByteArray& arguments, const char* redirect = "") {
        const int status = std::system("'" ELENCARIO_BINARY "' " + arguments + " 2>'" + folder +
                                       "/err' " + redirect);
        return std::pair(WEXITSTATUS(status), Output("cat", {Folder() + "/err"}).toStdString());
    };
    const auto pdf = [&](const QByteArray& file, const char* redirect = "") {
        return run("--pdf '" + file + "' " ELENCARIO_SAMPLES "/Sistema1.txt", redirect);
    };
    for (const char* target : {"/fifo", "/link", ""}) {
        EXPECT_EQ(
            pdf(folder + target),
            std::pair(2, "Impossibile scrivere il file PDF " + (folder + target).toStdString() +
                             (*target ? ": è una pipe, non un file\n"
                                      : ": è una cartella, non un file\n")));
    }
    EXPECT_EQ(pdf("/dev/null").first, 2);
    const auto kind = [](const char* entry) {
        struct stat s {};
        return lstat(entry, &s) == 0 ? s.st_mode & S_IFMT : 0;
    };
    EXPECT_EQ(kind("/dev/null"), S_IFCHR);
    EXPECT_EQ(kind(folder + "/link"), S_IFLNK);
    EXPECT_EQ(kind(folder + "/fifo"), S_IFIFO);
    const QByteArray latin = folder + "/sis\xe9.txt", replaced = folder + "/sis\xef\xbf\xbd.txt";
    ASSERT_TRUE(std::ofstream(replaced.constData()) << "x");
    EXPECT_EQ(pdf(latin), std::pair(0, std::string()));
    std::string head(5, '\0');
    std::ifstream(latin.constData(), std::ios::binary).read(head.data(), 5);
    EXPECT_EQ(head, "%PDF-");
    EXPECT_EQ(Output("cat", {QString::fromUtf8(replaced)}), "x");
    EXPECT_EQ(pdf("-", ("> '" + folder + "/out.pdf'").constData()), std::pair(0, std::string()));
    EXPECT_TRUE(LeggiPdf(Folder() + "/out.pdf").lines.size() > 2);
    EXPECT_EQ(run("--help", ">/dev/full"),
              std::pair(1, std::string("Impossibile scrivere l'aiuto: spazio esaurito sul "
                                       "dispositivo\n")));
    EXPECT_EQ(pdf("-", "> /dev/full"),
              std::pair(1, std::string("Impossibile scrivere il PDF sullo standard output: "
                                       "spazio esaurito sul dispositivo\n")));
}

// A command copied without its printing module still lists as text, and says why it cannot
// make the PDF.
TEST_F(PdfTest, CommandWithoutItsModuleSaysWhy) {
    const QString alone = Folder() + "/elencario",
                  sistema = QString(ELENCARIO_SAMPLES) + "/Sistema1.txt";
    ASSERT_TRUE(QFile::copy(ELENCARIO_BINARY, alone));
    EXPECT_EQ(std::get<0>(Exec(alone, {sistema})), 0);
    const auto [code, out, err] = Exec(alone, {"--pdf", Pdf(), sistema});
    EXPECT_EQ(code, 1);
    EXPECT_EQ(err.toStdString(),
              "Impossibile caricare il modulo di stampa: manca "
              "elencario-stampa.so (cercato in " +
                  Folder().toStdString() + " e in " +
                  QDir::cleanPath(Folder() + "/../lib/stampa-elencario").toStdString() + ")\n");
    EXPECT_EQ(Files(), QStringList{"elencario"});
}

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
constexpr std::chrono::milliseconds kLimit = 2s;

// Each test runs in a process of its own (ctest): what it puts in the environment may stay there.
class PrintServerTest : public PdfTest {
  protected:
    void TearDown() override {
        if (!avviato_) return;
        Signal(SIGCONT, false);
        Output(ELENCARIO_PRINT_SERVER, {"stop", Folder()});
    }
    void SetUp() override {  // no printer or settings of the user's, for us and our commands
        qunsetenv("PRINTER");
        qunsetenv("LPDEST");
        qputenv("HOME", Folder().toUtf8());
        const auto [code, out, err] = Exec(ELENCARIO_PRINT_SERVER, {"start", Folder()});
        if (code == kSenzaPermessi) GTEST_SKIP() << err.toStdString();
        avviato_ = code == 0;
        const QString socket = out.trimmed();
        ASSERT_TRUE(code == 0 && !socket.isEmpty()) << err.toStdString();
        qputenv("CUPS_SERVER", socket.toUtf8());
        cupsSetServer(socket.toUtf8().constData());
    }
    // A server that was killed may already be gone, reaped by whoever adopted it: only one that
    // must be alive is checked.
    void Signal(int signal, bool vivo = true) const {
        const int pid = Output("cat", {Folder() + "/cupsd.pid"}).trimmed().toInt();
        ASSERT_GT(pid, 1);
        const int esito = kill(pid, signal);
        if (vivo) {
            ASSERT_EQ(esito, 0) << "il server di stampa " << pid << " non c'è più";
        }
    }

  private:
    static constexpr int kSenzaPermessi = 77;  // print-server's status when it is not root
    bool avviato_ = false;
};

TEST_F(PrintServerTest, TheCommandsJobLandsWholeOnTheDefaultMedia) {
    // The private queue prints to the edges; it is given a default media of its own.
    const QString queue = Output("lpstat", {"-d"}).section(':', 1).trimmed();
    Output("/usr/sbin/lpadmin", {"-p", queue, "-o", "PageSize=A5"});
    const QStringList options{"--nome", "--numeri", "--margine", "4",
                              QString(ELENCARIO_SAMPLES) + "/Sistema1.txt"};
    QStringList listing;
    for (const QString& line : Output(ELENCARIO_BINARY, options).split('\n'))
        if (!line.simplified().isEmpty()) listing << line.simplified();
    Output(ELENCARIO_BINARY, QStringList{"--stampa"} + options);
    for (int attempt = 0; attempt < 600; ++attempt, QThread::msleep(50)) {
        const QFileInfoList pdfs = QDir(Folder() + "/pdf").entryInfoList(QDir::Files);
        if (!Output("lpstat", {"-o"}).isEmpty() || pdfs.size() != 1 || pdfs[0].size() == 0)
            continue;
        const TestoPdf printed = LeggiPdf(pdfs[0].filePath());
        EXPECT_NEAR(printed.pageWidth, QPageSize(QPageSize::A5).size(QPageSize::Point).width(), 1);
        QStringList texts;
        for (const RigaPdf& line : printed.lines) texts << line.text;
        EXPECT_EQ(texts.join('|').toStdString(), listing.join('|').toStdString());
        return;
    }
    ADD_FAILURE() << "nessun PDF dalla stampante";
}

// With no room for the job's PDF in the temporary folder, nothing reaches the server.
TEST_F(PrintServerTest, AFullTemporaryFolderIsAPrintErrorAndQueuesNothing) {
    const QString pieno = Folder() + "/pieno";
    QDir().mkpath(pieno);
    if (std::get<0>(Exec("mount", {"-t", "tmpfs", "-o", "size=4k", "tmpfs", pieno})) != 0)
        GTEST_SKIP() << "no tmpfs can be mounted here";
    qputenv("TMPDIR", pieno.toUtf8());
    const auto [code, out, err] =
        Exec(ELENCARIO_BINARY, {"--stampa", QString(ELENCARIO_SAMPLES) + "/Integrale6.TXT"});
    qunsetenv("TMPDIR");
    Output("umount", {pieno});
    EXPECT_EQ(code, 1);
    EXPECT_EQ(err.toStdString(), "Errore di stampa ..! \n");
    QThread::msleep(1000);
    EXPECT_TRUE(Output("lpstat", {"-o"}).isEmpty());
    EXPECT_TRUE(QDir(Folder() + "/pdf").isEmpty());
}

// The jobs the server has not finished: the queue each was sent to and the copies asked of it.
std::vector<std::pair<QString, int>> LavoriTrattenuti() {
    ipp_t* request = ippNewRequest(IPP_OP_GET_JOBS);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
                 "ipp://localhost/");
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "which-jobs", nullptr,
                 "not-completed");
    const char* const wanted[] = {"job-printer-uri", "copies"};
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 2, nullptr,
                  wanted);
    ipp_t* answer = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
    std::vector<std::pair<QString, int>> jobs;
    std::pair<QString, int> job{{}, 0};
    for (ipp_attribute_t* a = ippFirstAttribute(answer); a != nullptr;
         a = ippNextAttribute(answer)) {
        const QString name = QString::fromUtf8(ippGetName(a));
        if (name.isEmpty() && !job.first.isEmpty()) jobs.push_back(std::exchange(job, {{}, 0}));
        if (name == "job-printer-uri") job.first = QString::fromUtf8(ippGetString(a, 0, nullptr));
        if (name == "copies") job.second = ippGetInteger(a, 0);
    }
    if (!job.first.isEmpty()) jobs.push_back(job);
    ippDelete(answer);
    return jobs;
}

struct Destinazione {
    const char* name;
    friend void PrintTo(const Destinazione& c, std::ostream* os) { *os << c.name; }
    QStringList arguments;  // "@2" is the second queue
    int status;
    QString err;
    bool second;  // the job's queue: the second or the default one
    int copies;   // 0: no job
};
class DestinationTest : public PrintServerTest, public testing::WithParamInterface<Destinazione> {};

// Both queues stopped, the job stays on the server with what it was asked for; let go, it prints
// on its own queue only.
TEST_P(DestinationTest, TheJobGoesToTheQueueNamedWithTheCopiesAsked) {
    const Destinazione& c = GetParam();
    const QString first = Output("lpstat", {"-d"}).section(':', 1).trimmed();
    const QString second = first + "-seconda";
    for (const QString& queue : {first, second}) Output("/usr/sbin/cupsdisable", {queue});
    QStringList arguments = c.arguments;
    arguments.replaceInStrings(QRegularExpression("^@2$"), second);
    const auto [code, out, err] =
        Exec(ELENCARIO_BINARY, arguments << QString(ELENCARIO_SAMPLES) + "/Sistema1.txt");
    EXPECT_EQ(code, c.status);
    EXPECT_EQ(err.toStdString(), c.err.toStdString());
    const auto jobs = LavoriTrattenuti();
    if (c.copies == 0) {
        EXPECT_TRUE(jobs.empty());
        return;
    }
    const QString queue = c.second ? second : first;
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_TRUE(jobs[0].first.endsWith("/printers/" + queue)) << jobs[0].first.toStdString();
    EXPECT_EQ(jobs[0].second, c.copies);
    Output("/usr/sbin/cupsenable", {queue});
    const QDir printed(Folder() + (c.second ? "/pdf-seconda" : "/pdf"));
    const QDir other(Folder() + (c.second ? "/pdf" : "/pdf-seconda"));
    for (int attempt = 0; attempt < 600 && printed.isEmpty(); ++attempt) QThread::msleep(50);
    EXPECT_FALSE(printed.isEmpty()) << "nessun PDF dalla stampante " << queue.toStdString();
    EXPECT_TRUE(other.isEmpty());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Queues, DestinationTest, testing::Values(
    Destinazione{"DefaultOneCopy", {"--stampa"}, 0, "", false, 1},
    Destinazione{"NamedThreeCopies", {"--stampante", "@2", "--copie", "3"}, 0, "", true, 3},
    Destinazione{"CheckOnDefaultNinetyNine", {"--verifica", "3 15", "--stampa", "--copie", "99"},
                 0, "", false, 99},
    Destinazione{"NoSuchQueue", {"--stampante", "nessuna-coda"}, 1,
                 "Nessuna stampante disponibile ..! nessuna-coda\n", false, 0},
    Destinazione{"NotAQueueName", {"--stampante", "../jobs"}, 1,
                 "Nessuna stampante disponibile ..! ../jobs\n", false, 0}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

struct Broken {
    const char* name;
    int signal;  // sent to the server at the first call of keepGoing; 0: keepGoing says stop
    bool manyChunks = true;  // else the whole PDF is sent before the server is asked to answer
};
class BrokenJobTest : public PrintServerTest, public testing::WithParamInterface<Broken> {};

TEST_P(BrokenJobTest, EndsInTimeAndPrintsNothing) {
    const Broken& c = GetParam();
    const auto destination = CercaDestinazionePredefinita(kLimit);
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
    EXPECT_EQ(InviaPdf(*destination, pdf, "Prova", kLimit,
                       [&] {
                           if (asked++ == 0 && c.signal != 0) Signal(c.signal);
                           return asked > 1 || c.signal != 0;
                       }),
              c.signal != 0 ? EsitoCups::Fallito : EsitoCups::Annullato);
    // A stopped server is given up on after the limit, anything else at once.
    EXPECT_LT(Clock::now() - start, c.signal == SIGSTOP ? kLimit * 3 / 2 : kLimit / 2);
    if (c.signal == SIGKILL) return;
    EXPECT_TRUE(c.signal != 0 || Output("lpstat", {"-o"}).isEmpty()) << "lavoro in coda";
    const auto lookup = Clock::now();  // nor does the look-up wait for a stopped server
    EXPECT_TRUE(c.signal != SIGSTOP || !CercaDestinazionePredefinita(kLimit).has_value());
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
