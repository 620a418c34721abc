// The Qt outputs end to end: PDF files read back with poppler's tools, the command run as a user
// runs it, and jobs on a private print server.
#include <cups/cups.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPageSize>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <iterator>
#include <tuple>
#include <utility>
#include "cli/TestiComando.h"
#include "printing/Impaginatore.h"
#include "printing/qt/FilePdf.h"
#include "printing/qt/FinestraAvanzamento.h"
#include "printing/qt/InvioCups.h"
#include "printing/qt/UscitaPdf.h"
#include "systems/Testi.h"

namespace elencario {
namespace {

// Runs `programma`: its exit code (-1: it did not end normally), output and errors.
std::tuple<int, QString, QByteArray> Exec(const QString& programma, const QStringList& argomenti) {
    QProcess processo;
    processo.start(programma, argomenti);
    EXPECT_TRUE(processo.waitForFinished(60'000)) << programma.toStdString();
    return {processo.exitStatus() == QProcess::NormalExit ? processo.exitCode() : -1,
            QString::fromUtf8(processo.readAllStandardOutput()), processo.readAllStandardError()};
}

QString Output(const QString& programma, const QStringList& argomenti) {  // which must succeed
    const auto [codice, uscita, errori] = Exec(programma, argomenti);
    EXPECT_EQ(codice, 0) << programma.toStdString() << ": " << errori.toStdString();
    return uscita;
}

// The lines of `testo` that hold anything, each with its words joined by one blank.
QStringList Righe(const QString& testo) {
    QStringList righe;
    for (const QString& riga : testo.split(QRegularExpression("[\n\f]")))
        if (!riga.simplified().isEmpty()) righe << riga.simplified();
    return righe;
}

// Where pdftotext finds the words of `file`, in points from a page's top left corner.
std::vector<QRectF> Riquadri(const QString& file) {
    static const QRegularExpression parola(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)")re");
    std::vector<QRectF> riquadri;
    for (const QString& riga : Output("pdftotext", {"-bbox", file, "-"}).split('\n')) {
        const auto w = parola.match(riga);
        const auto n = [&w](int i) { return w.captured(i).toDouble(); };
        if (w.hasMatch()) riquadri.emplace_back(QPointF(n(1), n(2)), QPointF(n(3), n(4)));
    }
    return riquadri;
}

// The PDF file `file` as the command makes it.
std::unique_ptr<Impaginatore> PerPdf(const QString& file,
                                     std::unique_ptr<Avanzamento> avanzamento = nullptr) {
    return std::make_unique<Impaginatore>(
        std::make_unique<FilePdf>(std::make_unique<UscitaPdf>(file.toStdU16String())),
        std::move(avanzamento));
}

class PdfTest : public testing::Test {
  protected:
    [[nodiscard]] QString Folder() const { return QString::fromStdString(cartella_.Testo()); }
    [[nodiscard]] QString Pdf() const { return Folder() + "/p.pdf"; }
    // What the folder holds: each entry with its kind, a file with its first and last bytes.
    [[nodiscard]] std::vector<std::string> Inventario() const {
        std::vector<std::string> voci;
        for (const auto& voce : std::filesystem::directory_iterator(cartella_.path())) {
            std::string tipo = voce.is_symlink() ? "link" : voce.is_fifo() ? "pipe" : "cartella";
            if (voce.is_regular_file() && !voce.is_symlink()) {
                std::ifstream file(voce.path(), std::ios::binary);
                const std::string b(std::istreambuf_iterator<char>(file), {});
                tipo = b.substr(0, 5) + "…" + b.substr(std::max<std::size_t>(b.size(), 6) - 6);
            }
            voci.push_back(voce.path().filename().native() + ' ' + tipo);
        }
        std::ranges::sort(voci);
        return voci;
    }
    std::string Terni() const {  // all 117,480 of 1..90 in terni.txt: a job of some seconds
        std::string righe;
        for (int n = 0; n < 90 * 90 * 90; ++n)
            if (const int a = n / 8100 + 1, b = n / 90 % 90 + 1, c = n % 90 + 1; a < b && b < c)
                righe += QString::asprintf("%d %d %d\r\n", a, b, c).toStdString();
        cartella_.Scrivi("terni.txt", righe);
        return righe;
    }
    test::CartellaProvvisoria cartella_;
};

constexpr const char* kSistema1 = ELENCARIO_SAMPLES "/Sistema1.txt";

struct CasoCarattere {
    const char* nome;
    const char* carattere;
    const char* incorporato;  // what stands in for it on this machine
    std::int16_t perRiga;
    bool largo;  // the widest margin that leaves room for a whole row: only separators break
};
class CarattereTest : public PdfTest, public testing::WithParamInterface<CasoCarattere> {};

// Where lines break and pages fill is the layout's own test; here the real fonts' measures, as the
// command prints them: every line within the margins, every row once in order, the font embedded.
TEST_P(CarattereTest, EveryRowOnceInOrderWithinTheMargins) {
    const auto [nome, carattere, incorporato, perRiga, piuLargo] = GetParam();
    std::string file;  // eighty different sestine: two pages at one a line
    for (int i = 0; i < 80 * 6; ++i)
        file += std::to_string(10 + (i / 6 + 13 * (i % 6)) % 80) + (i % 6 < 5 ? " " : "\r\n");
    cartella_.Scrivi("s.txt", file);
    std::vector<std::string> righe;
    test::Sistema(file).Combinazioni.PerOgni(
        [&](std::string_view riga) { return righe.emplace_back(riga), true; });
    const auto sonda = PerPdf(Pdf());
    sonda->ImpostaCarattere(carattere);
    sonda->ImpostaGrandezza(9);
    int margine = 0;
    while (piuLargo && sonda->VerificaSpazio(margine + 1, [&] { return righe; }) == Spazio::Ok)
        ++margine;
    ASSERT_TRUE(!piuLargo || margine > 20);
    Output(ELENCARIO_BINARY,
           {"--carattere", carattere, "--grandezza", "9", "--colonne", QString::number(perRiga),
            "--margine", QString::number(margine), "--pdf", Pdf(), Folder() + "/s.txt"});
    const auto riquadri = Riquadri(Pdf());
    ASSERT_FALSE(riquadri.empty());
    QRectF tutto;  // what the words cover, on any page
    for (const QRectF& r : riquadri) tutto |= r;
    const QSizeF pagina = QPageSize(QPageSize::A4).size(QPageSize::Point);
    constexpr double kMargine = 10 / 25.4 * 72;  // of the page, in points
    // At the widest margin one blank more would not fit: the widest line ends within a blank of
    // the page's margin.
    EXPECT_TRUE(tutto.right() <= pagina.width() - kMargine + 0.5 &&
                (!piuLargo || tutto.right() > pagina.width() - kMargine - 6))
        << tutto.right();
    EXPECT_LE(tutto.bottom(), pagina.height() - kMargine + 1);
    // Each line begins below the one above it, never over it.
    for (std::size_t i = 1; i < riquadri.size(); ++i)
        if (riquadri[i].top() > riquadri[i - 1].top() + 0.5) {
            EXPECT_GE(riquadri[i].top(), riquadri[i - 1].bottom() - 0.5) << i;
        }
    EXPECT_TRUE(piuLargo || qAbs(tutto.left() - kMargine) < 0.5);
    QStringList parole = Output("pdftotext", {"-layout", Pdf(), "-"}).simplified().split(' ');
    parole.removeAll("-");
    const qsizetype inizio = parole.indexOf("Combinazioni:") + 2;  // after the header's count
    ASSERT_GT(inizio, 1);
    EXPECT_EQ(parole.mid(inizio).join(' ').toStdString(),
              QString::fromStdString(file).simplified().toStdString());
    const QString fonts = Output("pdffonts", {Pdf()});
    EXPECT_TRUE(fonts.contains(incorporato)) << fonts.toStdString();
}

// Each font once, each way of filling a line once.
INSTANTIATE_TEST_SUITE_P(
    Fonts, CarattereTest,
    testing::Values(CasoCarattere{"SegoeUI_10PerLine", "Segoe UI", "OpenSans", 10, false},
                    CasoCarattere{"CourierNew_1PerLine_Widest", "Courier New", "LiberationMono", 1,
                                  true},
                    CasoCarattere{"Verdana_10PerLine_Widest", "Verdana", "DejaVuSans", 10, true},
                    CasoCarattere{"Trebuchet_1PerLine", "Trebuchet", "OpenSans", 1, false}),
    test::NomeRiga);

// The earlier file is one put in place over another by the same output, ready for the next one.
TEST_F(PdfTest, ProgressWindowCountsPagesTakesTheKeysAndCancelsLeavingTheEarlierFile) {
    UscitaPdf uscita(Pdf().toStdU16String());
    for (const QByteArray testo : {"%PDF-uno", "%PDF-earlier"}) {
        ASSERT_TRUE(uscita.Apri() && uscita.write(testo) == testo.size() && uscita.Conferma())
            << uscita.Errore();
    }
    ASSERT_EQ(Inventario(), std::vector<std::string>{"p.pdf %PDF-…arlier"});
    const VARIABILI v = test::Sistema(Terni());
    const auto prima = Inventario();
    QLineEdit altro;
    altro.show();
    QString visti;
    int passi = 0;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* dialogo = QApplication::activeModalWidget();
        if (!dialogo) return;
        visti.clear();
        for (const QLabel* etichetta : dialogo->findChildren<QLabel*>())
            visti += etichetta->text() + '|';
        if (!visti.contains("Pagina")) return;
        auto* annulla = dialogo->findChild<QPushButton*>();
        if (passi++ == 0) {  // Return, meant for a question thought still open, leaves it going
            QKeyEvent invio(QEvent::KeyPress, Qt::Key_Return, {});
            QApplication::sendEvent(annulla, &invio);
            return;
        }
        QApplication::postEvent(&altro, new QKeyEvent(QEvent::KeyPress, Qt::Key_1, {}, "1"));
        QMetaObject::invokeMethod(
            &altro, [&] { altro.insert("2"); }, Qt::QueuedConnection);
        annulla->click();
        poll.stop();
    });
    poll.start(50);
    // The window, with pages slow enough for the poll to see one whatever the machine.
    struct Lenta final : Avanzamento {
        FinestraAvanzamento finestra;
        void Inizio() override { finestra.Inizio(); }
        bool Continua() override { return finestra.Continua(); }
        void Pagina(int p, int n) override { QThread::msleep(2), finestra.Pagina(p, n); }
        void Fine() override { finestra.Fine(); }
    };
    const auto stampante = PerPdf(Pdf(), std::make_unique<Lenta>());
    EXPECT_EQ(ComponiElencario(v, {"Courier New", 9, 1, 0, false, false}, *stampante),
              StatoStampa::Interrotta);
    EXPECT_EQ(passi, 2) << "il lavoro è finito prima di \"Annulla\"";
    EXPECT_TRUE(
        QRegularExpression("^Stampa in corso…\\|Pagina \\d+ di \\d+\\|$").match(visti).hasMatch())
        << visti.toStdString();
    EXPECT_EQ(altro.text(), "2") << "alla finestra, durante la stampa, il resto ma non i tasti";
    EXPECT_EQ(Inventario(), prima);
}

#if !defined(__SANITIZE_ADDRESS__)
// Out of memory anywhere in the job: no file, and the only message a print error.
TEST_F(PdfTest, CommandOutOfMemoryLeavesNoFile) {
    Terni();
    const auto prima = Inventario();
    // Starved, fontconfig may cache that it found no fonts: not in the machine's own caches.
    const test::CartellaProvvisoria fontconfig;
    const auto configurazione =
        fontconfig.Scrivi("fonts.conf", "<fontconfig><cachedir>" + fontconfig.Testo() +
                                            "</cachedir><include>/etc/fonts/fonts.conf"
                                            "</include></fontconfig>");
    qputenv("FONTCONFIG_FILE", QByteArray::fromStdString(configurazione.string()));
    bool erroreStampa = false;
    for (int mb = 80; mb <= 400; mb += 10) {
        const auto [codice, uscita, errori] =
            Exec("prlimit", {QString("--as=%1").arg(mb * 1'000'000), ELENCARIO_BINARY, "--pdf",
                             Pdf(), Folder() + "/terni.txt"});
        if (codice == 0) break;
        // The libraries could not even be mapped: too little memory to start printing at all.
        if (codice == 127 || errori.startsWith(testi::kModuloNonCaricato)) continue;
        erroreStampa = erroreStampa || errori == "Errore di stampa ..! \n";
        EXPECT_TRUE(codice == 1 && (errori == "Errore di stampa ..! \n" ||
                                    errori == "Si è verificato l' errore: 7\n"))
            << mb << " MB: " << codice << ' ' << errori.toStdString();
        EXPECT_EQ(Inventario(), prima);
    }
    EXPECT_TRUE(erroreStampa);
    EXPECT_TRUE(QFile::exists(Pdf()));
}
#endif

struct CasoComando {
    const char* nome;
    const char* riga;  // for bash: $E is the command, $D the folder, $S a sample system
    int stato;
    std::string errori;                      // $D is the folder
    std::vector<std::string> aggiunte = {};  // held after, besides what was there
};
class ComandoTest : public PdfTest, public testing::WithParamInterface<CasoComando> {};

// Beside a pipe, a link to it, a file named as the PDF but in UTF-8 and a big system, the command
// writes the file named only: refused by name before writing, nothing left when stopped.
TEST_P(ComandoTest, WritesTheFileNamedAndNothingElse) {
    const CasoComando& c = GetParam();
    ASSERT_EQ(mkfifo((cartella_.path() / "fifo").c_str(), 0600), 0);
    std::filesystem::create_symlink(cartella_.path() / "fifo", cartella_.path() / "link");
    cartella_.Scrivi("sis\xef\xbf\xbd.txt", "x");
    Terni();
    qputenv("E", ELENCARIO_BINARY);
    qputenv("D", Folder().toUtf8());
    qputenv("S", kSistema1);
    auto attese = Inventario();
    attese.insert(attese.end(), c.aggiunte.begin(), c.aggiunte.end());
    std::ranges::sort(attese);
    // Once the PDF is under way (its file made beside the system's), a signal.
    const QString segnale = R"(segnale() { "$E" --colonne 1 --pdf "$D/p.pdf" "$D/terni.txt" &
        for _ in $(seq 3000); do compgen -G "$D/p.pdf.*" >/dev/null && break; sleep 0.01; done
        kill -$1 $!; wait $!; }
    )";
    const auto [codice, uscita, errori] = Exec("bash", {"-c", segnale + c.riga});
    EXPECT_EQ(codice, c.stato);
    EXPECT_EQ(errori.toStdString(),
              QString::fromStdString(c.errori).replace("$D", Folder()).toStdString());
    EXPECT_EQ(Inventario(), attese);
}

std::string NonScritto(const char* file, const char* motivo) {
    return testi::ImpossibileScrivere(testi::IlFilePdf(file), motivo) + "\n";
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Targets, ComandoTest, testing::Values(
    CasoComando{"LinkToAPipe", R"("$E" --pdf "$D/link" "$S")", 2,
                NonScritto("$D/link", "è una pipe, non un file")},
    CasoComando{"Device", R"("$E" --pdf /dev/null "$S")", 2,
                NonScritto("/dev/null", "è un dispositivo, non un file")},
    CasoComando{"NoSuchFolder", R"("$E" --pdf "$D/manca/p.pdf" "$S")", 1,
                NonScritto("$D/manca/p.pdf", "file o cartella inesistente")},
    CasoComando{"SizeNoPageTakes", R"("$E" --grandezza 32767 --pdf "$D/p.pdf" "$S")", 2,
                testi::kGrandezzaNonValida + std::string("\n")},
    CasoComando{"NotUtf8", R"("$E" --pdf "$D/sis"$'\xe9'".txt" "$S")", 0, "",
                {"sis\xe9.txt %PDF-…%%EOF\n"}},
    CasoComando{"StandardOutput", R"("$E" --pdf - "$S" > "$D/out.pdf")", 0, "",
                {"out.pdf %PDF-…%%EOF\n"}},
    CasoComando{"FullDisk", R"("$E" --pdf - "$S" > /dev/full)", 1,
                testi::ImpossibileScrivere(testi::kPdfSulloStandardOutput,
                                           "spazio esaurito sul dispositivo") + "\n"},
    CasoComando{"CtrlC", "segnale INT", 130, ""},
    CasoComando{"Terminated", "segnale TERM", 130, ""},
    // Copied without its printing module, it still lists as text, and says why it cannot print.
    CasoComando{"WithoutItsModule", R"(mkdir "$D/bin" && cp "$E" "$D/bin" &&
                "$D/bin/elencario" "$S" >/dev/null && "$D/bin/elencario" --pdf "$D/p.pdf" "$S")", 1,
                testi::kModuloNonCaricato + testi::ModuloMancante("elencario-stampa.so", "$D/bin",
                                                                  "$D/lib/stampa-elencario") + "\n",
                {"bin cartella"}}),
    test::NomeRiga);
// clang-format on

using namespace std::chrono_literals;
using Orologio = std::chrono::steady_clock;
constexpr std::chrono::milliseconds kLimit = 2s;

// Each test runs in a process of its own (ctest): what it puts in the environment may stay there.
class PrintServerTest : public PdfTest {
  protected:
    void SetUp() override {  // no printer or settings of the user's, for us and our commands
        qunsetenv("PRINTER");
        qunsetenv("LPDEST");
        qputenv("HOME", Folder().toUtf8());
        const auto [codice, uscita, errori] = Exec(ELENCARIO_PRINT_SERVER, {"start", Folder()});
        if (codice == 77) GTEST_SKIP() << errori.toStdString();  // not root
        avviato_ = codice == 0;
        ASSERT_TRUE(avviato_ && !uscita.trimmed().isEmpty()) << errori.toStdString();
        qputenv("CUPS_SERVER", uscita.trimmed().toUtf8());
        cupsSetServer(uscita.trimmed().toUtf8().constData());
    }
    void TearDown() override {
        if (!avviato_) return;
        Signal(SIGCONT, false);
        Output(ELENCARIO_PRINT_SERVER, {"stop", Folder()});
    }
    // Only a server that must be alive is checked: a killed one may already be reaped.
    void Signal(int signal, bool vivo = true) const {
        const int pid = Output("cat", {Folder() + "/cupsd.pid"}).trimmed().toInt();
        ASSERT_GT(pid, 1);
        ASSERT_TRUE(kill(pid, signal) == 0 || !vivo) << "il server di stampa non c'è più";
    }
    bool avviato_ = false;
};

using Lavori = std::vector<std::pair<std::string, int>>;

// The jobs the server has not finished: the queue each was sent to and the copies asked of it.
Lavori LavoriTrattenuti() {
    ipp_t* richiesta = ippNewRequest(IPP_OP_GET_JOBS);
    ippAddString(richiesta, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
                 "ipp://localhost/");
    ippAddString(richiesta, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "which-jobs", nullptr,
                 "not-completed");
    const char* const voluto[] = {"job-printer-uri", "copies"};
    ippAddStrings(richiesta, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 2, nullptr,
                  voluto);
    ipp_t* risposta = cupsDoRequest(CUPS_HTTP_DEFAULT, richiesta, "/");
    Lavori lavori;
    for (ipp_attribute_t* a = ippFirstAttribute(risposta); a; a = ippNextAttribute(risposta)) {
        const QString nome = QString::fromUtf8(ippGetName(a));
        if (nome.isEmpty() || lavori.empty()) lavori.emplace_back();  // a job's attributes begin
        if (nome == "job-printer-uri")                                // the queue's name ends it
            lavori.back().first =
                QString::fromUtf8(ippGetString(a, 0, nullptr)).section('/', -1).toStdString();
        if (nome == "copies") lavori.back().second = ippGetInteger(a, 0);
    }
    ippDelete(risposta);
    std::erase(lavori, Lavori::value_type{});
    return lavori;
}

struct Destinazione {
    const char* nome;
    QStringList stampa;  // how it is printed: "@2" is the second queue
    QStringList cosa;    // what is printed of Sistema1.txt
    QString errori;      // none when the command succeeds, else it fails with status 1
    int coda = 0;        // the job's queue: 1 the default one, 2 the second; 0 no job
    int copie = 0;
    bool pieno = false;  // no room in the temporary folder
};
class DestinationTest : public PrintServerTest, public testing::WithParamInterface<Destinazione> {};

// Both queues stopped, the job stays on the server with what it was asked for; let go, it prints
// whole on its own queue only, on that queue's default media.
TEST_P(DestinationTest, TheJobGoesToTheQueueNamedWithTheCopiesAsked) {
    const Destinazione& c = GetParam();
    const QString prima = Output("lpstat", {"-d"}).section(':', 1).trimmed();
    const QStringList code{prima, prima + "-seconda"};
    // The private queues print to the edges; each is given a default media of its own.
    const QStringList media{"A5", "A3"};
    for (int i : {0, 1}) {
        Output("/usr/sbin/lpadmin", {"-p", code[i], "-o", "PageSize=" + media[i]});
        Output("/usr/sbin/cupsdisable", {code[i]});
    }
    const QString pieno = Folder() + "/pieno";
    const QStringList tmpfs{"-t", "tmpfs", "-o", "size=4k", "tmpfs", pieno};
    if (c.pieno && (!QDir().mkpath(pieno) || std::get<0>(Exec("mount", tmpfs)) != 0))
        GTEST_SKIP() << "no tmpfs can be mounted here";
    if (c.pieno) qputenv("TMPDIR", pieno.toUtf8());
    const QStringList cosa = c.cosa + QStringList{kSistema1};
    QStringList stampa = c.stampa;
    const auto [codice, uscita, errori] =
        Exec(ELENCARIO_BINARY, stampa.replaceInStrings(QRegularExpression("^@2$"), code[1]) + cosa);
    if (c.pieno) {
        qunsetenv("TMPDIR");
        Output("umount", {pieno});
    }
    EXPECT_EQ(codice, c.errori.isEmpty() ? 0 : 1);
    EXPECT_EQ(errori.toStdString(), c.errori.toStdString());
    const QString coda = code[std::max(c.coda, 1) - 1];
    EXPECT_EQ(LavoriTrattenuti(), (c.coda == 0 ? Lavori{} : Lavori{{coda.toStdString(), c.copie}}));
    if (c.coda == 0) return;
    Output("/usr/sbin/cupsenable", {coda});
    const QDir stampati(Folder() + (c.coda == 2 ? "/pdf-seconda" : "/pdf"));
    for (int tentativo = 0; tentativo < 600; ++tentativo, QThread::msleep(50)) {
        const QFileInfoList documenti = stampati.entryInfoList(QDir::Files);
        if (!Output("lpstat", {"-o"}).isEmpty() || documenti.size() != 1 ||
            documenti[0].size() == 0)
            continue;
        const QString file = documenti[0].filePath();
        EXPECT_TRUE(Output("pdfinfo", {file}).contains("(" + media[c.coda - 1] + ")"));
        // Laid out for that media, not shrunk onto it: letters as high as in the command's PDF.
        Output(ELENCARIO_BINARY, QStringList{"--pdf", Pdf()} + cosa);
        EXPECT_NEAR(Riquadri(file)[0].width(), Riquadri(Pdf())[0].width(), 0.2);
        EXPECT_EQ(Righe(Output("pdftotext", {"-layout", file, "-"})).join('|').toStdString(),
                  Righe(Output(ELENCARIO_BINARY, cosa)).join('|').toStdString());
        return;
    }
    ADD_FAILURE() << "nessun PDF dalla stampante " << coda.toStdString();
}

const QStringList kElenco{"--nome", "--numeri", "--margine", "4"};
// clang-format off
INSTANTIATE_TEST_SUITE_P(Queues, DestinationTest, testing::Values(
    Destinazione{"NamedThreeCopies", {"--stampante", "@2", "--copie", "3"}, kElenco, "", 2, 3},
    Destinazione{"CheckOnDefaultNinetyNine", {"--stampa", "--copie", "99"}, {"--verifica", "3 15"},
                 "", 1, 99},
    Destinazione{"NoSuchQueue", {"--stampante", "nessuna-coda"}, {},
                 "Nessuna stampante disponibile ..! nessuna-coda\n"},
    Destinazione{"NotAQueueName", {"--stampante", "../jobs"}, {},
                 "Nessuna stampante disponibile ..! ../jobs\n"},
    // No room for the job's PDF: nothing reaches the server.
    Destinazione{"FullTemporaryFolder", {"--stampa"}, {}, "Errore di stampa ..! \n", 0, 0, true}),
    test::NomeRiga);
// clang-format on

struct Broken {
    const char* nome;
    int signal;  // sent to the server at the first call of keepGoing; 0: keepGoing says stop
    bool manyChunks = true;  // else the whole PDF is sent before the server is asked to answer
};
class BrokenJobTest : public PrintServerTest, public testing::WithParamInterface<Broken> {};

TEST_P(BrokenJobTest, EndsInTimeAndPrintsNothing) {
    const Broken& c = GetParam();
    const auto destinazione = CercaDestinazionePredefinita(kLimit);
    ASSERT_TRUE(destinazione.has_value());
    if (c.manyChunks) Terni();
    Output(ELENCARIO_BINARY, {"--pdf", Pdf(), c.manyChunks ? Folder() + "/terni.txt" : kSistema1});
    ASSERT_GT(QFileInfo(Pdf()).size(), c.manyChunks ? 8 * 64 * 1024 : 0);
    int chiesti = 0;
    const auto avvio = Orologio::now();
    EXPECT_EQ(InviaPdf(*destinazione, Pdf(), "Prova", kLimit,
                       [&] {
                           if (chiesti++ == 0 && c.signal != 0) Signal(c.signal);
                           return chiesti > 1 || c.signal != 0;
                       }),
              c.signal != 0 ? EsitoCups::Fallito : EsitoCups::Annullato);
    // A stopped server is given up on after the limit, anything else at once.
    EXPECT_LT(Orologio::now() - avvio, c.signal == SIGSTOP ? kLimit * 3 / 2 : kLimit / 2);
    if (c.signal == SIGKILL) return;
    EXPECT_TRUE(c.signal != 0 || Output("lpstat", {"-o"}).isEmpty()) << "lavoro in coda";
    const auto ricerca = Orologio::now();  // nor does the look-up wait for a stopped server
    EXPECT_TRUE(c.signal != SIGSTOP || !CercaDestinazionePredefinita(kLimit).has_value());
    EXPECT_LT(Orologio::now() - ricerca, kLimit + 500ms);
    Signal(SIGCONT);
    QThread::msleep(1000);
    EXPECT_TRUE(QDir(Folder() + "/pdf").isEmpty()) << "stampato un lavoro non confermato";
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Jobs, BrokenJobTest, testing::Values(
    Broken{"ServerKilled", SIGKILL}, Broken{"ServerStopped", SIGSTOP},
    Broken{"ServerStoppedBeforeAnswering", SIGSTOP, false}, Broken{"UserCancels", 0}),
    test::NomeRiga);
// clang-format on

}  // namespace
}  // namespace elencario
