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
#include "cli/TestiComando.h"
#include "printing/ComposizioneElencario.h"
#include "printing/Impaginatore.h"
#include "printing/qt/FilePdf.h"
#include "printing/qt/FinestraAvanzamento.h"
#include "printing/qt/InvioCups.h"
#include "printing/qt/UscitaPdf.h"
#include "systems/LetturaSistema.h"
#include "systems/Testi.h"

namespace elencario {
namespace {

// Runs `programma`, calling `during` once it has started: its exit code (-1: it did not end
// normally), output and errors.
inline std::tuple<int, QString, QByteArray> Exec(
    const QString& programma, const QStringList& argomenti,
    const std::function<void(QProcess&)>& during = {}) {
    QProcess processo;
    processo.start(programma, argomenti);
    EXPECT_TRUE(processo.waitForStarted()) << programma.toStdString();
    if (during) during(processo);
    EXPECT_TRUE(processo.waitForFinished(60'000)) << programma.toStdString();
    return {processo.exitStatus() == QProcess::NormalExit ? processo.exitCode() : -1,
            QString::fromUtf8(processo.readAllStandardOutput()), processo.readAllStandardError()};
}

// The output of `programma`, which must succeed.
inline QString Output(const QString& programma, const QStringList& argomenti) {
    const auto [codice, uscita, errori] = Exec(programma, argomenti);
    EXPECT_EQ(codice, 0) << programma.toStdString() << ": " << errori.toStdString();
    return uscita;
}

struct RigaPdf {  // the words of a page sharing one top edge, in points from its top left corner
    int pagina = 0;
    double y = 0, sinistra = 0, destra = 0, basso = 0;
    QString testo;  // joined by one blank
};

struct TestoPdf {
    int pagine = 0;
    double larghezzaPagina = 0, altezzaPagina = 0;
    std::vector<RigaPdf> righe;  // page by page, top to bottom
};

// `file` as poppler's pdftotext -bbox reads it.
inline TestoPdf LeggiPdf(const QString& file) {
    static const QRegularExpression pagina(R"re(<page width="([\d.]+)" height="([\d.]+)")re");
    static const QRegularExpression parola(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">(.*)</word>)re");
    TestoPdf pdf;
    std::vector<RigaPdf> parole;
    for (const QString& riga : Output("pdftotext", {"-bbox", file, "-"}).split('\n')) {
        if (const auto m = pagina.match(riga); m.hasMatch()) {
            ++pdf.pagine;
            pdf.larghezzaPagina = m.captured(1).toDouble();
            pdf.altezzaPagina = m.captured(2).toDouble();
        } else if (const auto w = parola.match(riga); w.hasMatch()) {
            parole.push_back({pdf.pagine, w.captured(2).toDouble(), w.captured(1).toDouble(),
                              w.captured(3).toDouble(), w.captured(4).toDouble(), w.captured(5)});
        }
    }
    // pdftotext may read aligned columns one after the other: the order comes from the positions.
    std::ranges::sort(parole, [](const RigaPdf& a, const RigaPdf& b) {
        return std::tie(a.pagina, a.y, a.sinistra) < std::tie(b.pagina, b.y, b.sinistra);
    });
    for (const RigaPdf& w : parole) {
        RigaPdf* ultima = pdf.righe.empty() ? nullptr : &pdf.righe.back();
        if (ultima && ultima->pagina == w.pagina && qAbs(ultima->y - w.y) <= 0.5)
            ultima->testo += ' ' + w.testo, ultima->destra = w.destra;
        else
            pdf.righe.push_back(w);
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
    [[nodiscard]] QString Folder() const { return QString::fromStdString(cartella_.Testo()); }
    [[nodiscard]] QString Pdf() const { return Folder() + "/p.pdf"; }
    [[nodiscard]] QStringList Files() const { return QDir(Folder()).entryList(QDir::Files); }
    VARIABILI Load(const std::string& righe, const std::string& nome = "s.txt") {
        cartella_.Scrivi(nome, righe);
        VARIABILI v;
        EXPECT_EQ(CaricaSistema(v, cartella_.Testo(), nome), 0);
        return v;
    }
    VARIABILI Terni() {  // all 117,480 of 1..90 in terni.txt: a job of some seconds
        std::string righe;
        for (int n = 0; n < 90 * 90 * 90; ++n)
            if (const int a = n / 8100 + 1, b = n / 90 % 90 + 1, c = n % 90 + 1; a < b && b < c)
                righe += QString::asprintf("%d %d %d\r\n", a, b, c).toStdString();
        return Load(righe, "terni.txt");
    }
    test::CartellaProvvisoria cartella_;
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
    const auto [carattere, incorporato, perRiga, piuLarga] = GetParam();
    std::string file;  // eighty different sestine: two pages at one a line
    for (int i = 0; i < 80 * 6; ++i)
        file += std::to_string(10 + (i / 6 + 13 * (i % 6)) % 80) + (i % 6 < 5 ? " " : "\r\n");
    const VARIABILI v = Load(file);
    OpzioniConvertite o{carattere, 9, perRiga, 0, false, false};
    const auto sonda = PerPdf(Pdf());
    sonda->ImpostaCarattere(carattere);
    sonda->ImpostaGrandezza(9);
    std::vector<std::string> righe;
    v.Combinazioni.PerOgni([&](std::string_view riga) { return righe.emplace_back(riga), true; });
    while (piuLarga && sonda->VerificaSpazio(o.margine + 1, [&] { return righe; }) == Spazio::Ok)
        ++o.margine;
    ASSERT_TRUE(!piuLarga || o.margine > 20);
    ASSERT_EQ(ComponiElencario(v, o, *PerPdf(Pdf())), Ok);
    const TestoPdf pdf = LeggiPdf(Pdf());
    EXPECT_TRUE(piuLarga || qAbs(pdf.righe[0].sinistra - kPdfMargin) < 0.5);
    QStringList parole;
    for (const RigaPdf& riga : pdf.righe) {
        EXPECT_TRUE(riga.destra <= pdf.larghezzaPagina - kPdfMargin + 0.5 &&
                    riga.basso <= pdf.altezzaPagina - kPdfMargin + 1)
            << riga.testo.toStdString();
        parole << riga.testo.split(' ');
    }
    parole.removeAll("-");
    const qsizetype inizio = parole.indexOf("Combinazioni:") + 2;  // after the header's count
    ASSERT_GT(inizio, 1);
    EXPECT_EQ(parole.mid(inizio).join(' '), QString::fromStdString(file).simplified());
    const QString cli = Folder() + "/c.pdf";
    Output(ELENCARIO_BINARY,
           {"--carattere", carattere, "--grandezza", "9", "--colonne", QString::number(perRiga),
            "--margine", QString::number(o.margine), "--pdf", cli, Folder() + "/s.txt"});
    const QString fonts = Output("pdffonts", {Pdf()});
    EXPECT_TRUE(fonts.contains(incorporato) && Output("pdffonts", {cli}) == fonts)
        << fonts.toStdString();
    const auto collocate = [](const QString& f) {  // every word where it is, as pdftotext reads it
        return Output("pdftotext", {"-bbox", f, "-"}).section("<doc>", 1).toStdString();
    };
    EXPECT_EQ(collocate(cli), collocate(Pdf()));
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
    const QString mancante = Folder() + "/manca/p.pdf";
    const auto nonScrivibile = PerPdf(mancante);
    EXPECT_EQ(nonScrivibile->Prepara(), Fallita);
    EXPECT_TRUE(nonScrivibile->Errore().starts_with(
        testi::ImpossibileScrivere(testi::IlFilePdf(mancante.toStdString()), "")));
    EXPECT_EQ(Files(), QStringList{"s.txt"});
    UscitaPdf uscitaComando(Pdf().toStdU16String());
    for (const QByteArray testo : {"%PDF-uno", "%PDF-due"}) {
        ASSERT_TRUE(uscitaComando.Apri());
        ASSERT_EQ(uscitaComando.write(testo), testo.size());
        EXPECT_TRUE(uscitaComando.Conferma()) << uscitaComando.Errore();
        EXPECT_EQ(Output("cat", {Pdf()}), testo);
    }
    EXPECT_EQ(Files(), (QStringList{"p.pdf", "s.txt"}));
}

TEST_F(PdfTest, ProgressWindowCountsPagesTakesTheKeysAndCancelsLeavingTheEarlierFile) {
    cartella_.Scrivi("p.pdf", "%PDF-earlier");
    const VARIABILI v = Terni();
    QLineEdit altro;
    altro.show();
    QString visti;
    bool invioDato = false;
    bool annullato = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* dialogo = QApplication::activeModalWidget();
        visti.clear();
        for (const QLabel* etichetta :
             dialogo ? dialogo->findChildren<QLabel*>() : QList<QLabel*>())
            visti += etichetta->text() + '|';
        if (!visti.contains("Pagina")) return;
        auto* annulla = dialogo->findChild<QPushButton*>();
        if (!invioDato) {
            // Return, meant for a question the user thinks still open, leaves the job going.
            QKeyEvent invio(QEvent::KeyPress, Qt::Key_Return, {});
            QApplication::sendEvent(annulla, &invio);
            invioDato = true;
            return;
        }
        QApplication::postEvent(&altro, new QKeyEvent(QEvent::KeyPress, Qt::Key_1, {}, "1"));
        annulla->click();
        annullato = true;
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
    const auto stampante = PerPdf(Pdf(), std::make_unique<Lenta>());
    EXPECT_EQ(ComponiElencario(v, {"Courier New", 9, 1, 0, false, false}, *stampante), Interrotta);
    EXPECT_TRUE(annullato) << "il lavoro è finito prima di \"Annulla\"";
    EXPECT_TRUE(
        QRegularExpression("^Stampa in corso…\\|Pagina \\d+ di \\d+\\|$").match(visti).hasMatch())
        << visti.toStdString();
    EXPECT_EQ(altro.text(), "") << "i tasti durante la stampa non vanno alla finestra";
    EXPECT_EQ(stampante->Errore(), "");
    EXPECT_EQ(Output("cat", {Pdf()}), "%PDF-earlier");
    EXPECT_EQ(Files(), (QStringList{"p.pdf", "terni.txt"}));
}

// Interrupted or out of memory: no file, and the only message a print error.
TEST_F(PdfTest, CommandInterruptedOrOutOfMemoryLeavesNoFile) {
    Terni();
    const QString terni = Folder() + "/terni.txt";
    for (const int segnale : {SIGINT, SIGTERM}) {
        const auto [codice, uscita, errori] =
            Exec(ELENCARIO_BINARY, {"--colonne", "1", "--pdf", Pdf(), terni}, [&](QProcess& p) {
                // The PDF is under way once its file is made beside the system's.
                while (Files().size() < 2 && !p.waitForFinished(20)) continue;
                if (p.state() == QProcess::Running)
                    kill(static_cast<pid_t>(p.processId()), segnale);
            });
        EXPECT_EQ(codice, 130) << segnale;
        EXPECT_EQ(errori, "");
        EXPECT_EQ(Files(), QStringList{"terni.txt"});
    }
#if !defined(__SANITIZE_ADDRESS__)
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
            Exec("prlimit",
                 {QString("--as=%1").arg(mb * 1'000'000), ELENCARIO_BINARY, "--pdf", Pdf(), terni});
        if (codice == 0) break;
        // The libraries could not even be mapped: too little memory to start printing at all.
        if (codice == 127 || errori.startsWith(testi::kModuloNonCaricato)) continue;
        erroreStampa = erroreStampa || errori == "Errore di stampa ..! \n";
        EXPECT_TRUE(codice == 1 && (errori == "Errore di stampa ..! \n" ||
                                    errori == "Si è verificato l' errore: 7\n"))
            << mb << " MB: " << codice << ' ' << errori.toStdString();
        EXPECT_EQ(Files(), QStringList{"terni.txt"});
    }
    qunsetenv("FONTCONFIG_FILE");
    EXPECT_TRUE(erroreStampa);
    EXPECT_TRUE(QFile::exists(Pdf()));
#endif
}

// Targets that are not regular files are refused by name and left as they were; a name that is
// not UTF-8 is the name written; standard output takes the PDF, and a full disk says why.
TEST_F(PdfTest, CommandWritesTheFileNamedAndNothingElse) {
    const QByteArray cartella = Folder().toUtf8();
    ASSERT_EQ(mkfifo(cartella + "/fifo", 0600), 0);
    ASSERT_TRUE(QFile::link(Folder() + "/fifo", Folder() + "/link"));
    const auto pdf = [&](const QByteArray& file, const char* redirigi = "") {
        const int stato = std::system("'" ELENCARIO_BINARY "' --pdf '" + file +
                                      "' " ELENCARIO_SAMPLES "/Sistema1.txt 2>'" + cartella +
                                      "/err' " + redirigi);
        return std::pair(WEXITSTATUS(stato), Output("cat", {Folder() + "/err"}).toStdString());
    };
    for (const char* bersaglio : {"/fifo", "/link", ""}) {
        EXPECT_EQ(pdf(cartella + bersaglio),
                  std::pair(2, testi::ImpossibileScrivere(
                                   testi::IlFilePdf((cartella + bersaglio).toStdString()),
                                   *bersaglio ? "è una pipe, non un file"
                                              : "è una cartella, non un file") +
                                   "\n"));
    }
    EXPECT_EQ(pdf("/dev/null").first, 2);
    const auto kind = [](const char* entry) {
        struct stat s {};
        return lstat(entry, &s) == 0 ? s.st_mode & S_IFMT : 0;
    };
    EXPECT_EQ(kind("/dev/null"), S_IFCHR);
    EXPECT_EQ(kind(cartella + "/link"), S_IFLNK);
    EXPECT_EQ(kind(cartella + "/fifo"), S_IFIFO);
    const QByteArray latin = cartella + "/sis\xe9.txt",
                     sostituito = cartella + "/sis\xef\xbf\xbd.txt";
    ASSERT_TRUE(std::ofstream(sostituito.constData()) << "x");
    EXPECT_EQ(pdf(latin), std::pair(0, std::string()));
    std::string head(5, '\0');
    std::ifstream(latin.constData(), std::ios::binary).read(head.data(), 5);
    EXPECT_EQ(head, "%PDF-");
    EXPECT_EQ(Output("cat", {QString::fromUtf8(sostituito)}), "x");
    EXPECT_EQ(pdf("-", ("> '" + cartella + "/out.pdf'").constData()), std::pair(0, std::string()));
    EXPECT_TRUE(LeggiPdf(Folder() + "/out.pdf").righe.size() > 2);
    EXPECT_EQ(pdf("-", "> /dev/full"),
              std::pair(1, testi::ImpossibileScrivere(testi::kPdfSulloStandardOutput,
                                                      "spazio esaurito sul dispositivo") +
                               "\n"));
}

// A command copied without its printing module still lists as text, and says why it cannot
// make the PDF.
TEST_F(PdfTest, CommandWithoutItsModuleSaysWhy) {
    const QString isolata = Folder() + "/elencario",
                  sistema = QString(ELENCARIO_SAMPLES) + "/Sistema1.txt";
    ASSERT_TRUE(QFile::copy(ELENCARIO_BINARY, isolata));
    EXPECT_EQ(std::get<0>(Exec(isolata, {sistema})), 0);
    const auto [codice, uscita, errori] = Exec(isolata, {"--pdf", Pdf(), sistema});
    EXPECT_EQ(codice, 1);
    EXPECT_EQ(errori.toStdString(),
              testi::kModuloNonCaricato +
                  testi::ModuloMancante(
                      "elencario-stampa.so", Folder().toStdString(),
                      QDir::cleanPath(Folder() + "/../lib/stampa-elencario").toStdString()) +
                  "\n");
    EXPECT_EQ(Files(), QStringList{"elencario"});
}

using namespace std::chrono_literals;
using Orologio = std::chrono::steady_clock;
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
        const auto [codice, uscita, errori] = Exec(ELENCARIO_PRINT_SERVER, {"start", Folder()});
        if (codice == kSenzaPermessi) GTEST_SKIP() << errori.toStdString();
        avviato_ = codice == 0;
        const QString socket = uscita.trimmed();
        ASSERT_TRUE(codice == 0 && !socket.isEmpty()) << errori.toStdString();
        qputenv("CUPS_SERVER", socket.toUtf8());
        cupsSetServer(socket.toUtf8().constData());
    }
    // A server that was killed may already be gone, reaped by whoever adopted it: only one that
    // must be alive is checked.
    void Signal(int signal, bool vivo = true) const {
        const int pid = Output("cat", {Folder() + "/cupsd.pid"}).trimmed().toInt();
        ASSERT_GT(pid, 1);
        ASSERT_TRUE(kill(pid, signal) == 0 || !vivo)
            << "il server di stampa " << pid << " non c'è più";
    }

  private:
    static constexpr int kSenzaPermessi = 77;  // print-server's status when it is not root
    bool avviato_ = false;
};

TEST_F(PrintServerTest, TheCommandsJobLandsWholeOnTheDefaultMedia) {
    // The private queue prints to the edges; it is given a default media of its own.
    const QString queue = Output("lpstat", {"-d"}).section(':', 1).trimmed();
    Output("/usr/sbin/lpadmin", {"-p", queue, "-o", "PageSize=A5"});
    const QStringList opzioni{"--nome", "--numeri", "--margine", "4",
                              QString(ELENCARIO_SAMPLES) + "/Sistema1.txt"};
    QStringList elenco;
    for (const QString& riga : Output(ELENCARIO_BINARY, opzioni).split('\n'))
        if (!riga.simplified().isEmpty()) elenco << riga.simplified();
    Output(ELENCARIO_BINARY, QStringList{"--stampa"} + opzioni);
    for (int tentativo = 0; tentativo < 600; ++tentativo, QThread::msleep(50)) {
        const QFileInfoList documenti = QDir(Folder() + "/pdf").entryInfoList(QDir::Files);
        if (!Output("lpstat", {"-o"}).isEmpty() || documenti.size() != 1 ||
            documenti[0].size() == 0)
            continue;
        const TestoPdf stampato = LeggiPdf(documenti[0].filePath());
        EXPECT_NEAR(stampato.larghezzaPagina,
                    QPageSize(QPageSize::A5).size(QPageSize::Point).width(), 1);
        QStringList scritte;
        for (const RigaPdf& riga : stampato.righe) scritte << riga.testo;
        EXPECT_EQ(scritte.join('|').toStdString(), elenco.join('|').toStdString());
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
    const auto [codice, uscita, errori] =
        Exec(ELENCARIO_BINARY, {"--stampa", QString(ELENCARIO_SAMPLES) + "/Integrale6.TXT"});
    qunsetenv("TMPDIR");
    Output("umount", {pieno});
    EXPECT_EQ(codice, 1);
    EXPECT_EQ(errori.toStdString(), "Errore di stampa ..! \n");
    QThread::msleep(1000);
    EXPECT_TRUE(Output("lpstat", {"-o"}).isEmpty());
    EXPECT_TRUE(QDir(Folder() + "/pdf").isEmpty());
}

// The jobs the server has not finished: the queue each was sent to and the copies asked of it.
std::vector<std::pair<QString, int>> LavoriTrattenuti() {
    ipp_t* richiesta = ippNewRequest(IPP_OP_GET_JOBS);
    ippAddString(richiesta, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
                 "ipp://localhost/");
    ippAddString(richiesta, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "which-jobs", nullptr,
                 "not-completed");
    const char* const voluto[] = {"job-printer-uri", "copies"};
    ippAddStrings(richiesta, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 2, nullptr,
                  voluto);
    ipp_t* risposta = cupsDoRequest(CUPS_HTTP_DEFAULT, richiesta, "/");
    std::vector<std::pair<QString, int>> lavori;
    std::pair<QString, int> lavoro{{}, 0};
    for (ipp_attribute_t* a = ippFirstAttribute(risposta); a != nullptr;
         a = ippNextAttribute(risposta)) {
        const QString nome = QString::fromUtf8(ippGetName(a));
        if (nome.isEmpty() && !lavoro.first.isEmpty())
            lavori.push_back(std::exchange(lavoro, {{}, 0}));
        if (nome == "job-printer-uri")
            lavoro.first = QString::fromUtf8(ippGetString(a, 0, nullptr));
        if (nome == "copies") lavoro.second = ippGetInteger(a, 0);
    }
    if (!lavoro.first.isEmpty()) lavori.push_back(lavoro);
    ippDelete(risposta);
    return lavori;
}

struct Destinazione {
    const char* nome;
    friend void PrintTo(const Destinazione& c, std::ostream* os) { *os << c.nome; }
    QStringList argomenti;  // "@2" is the second queue
    int stato;
    QString errori;
    bool second;  // the job's queue: the second or the default one
    int copie;    // 0: no job
};
class DestinationTest : public PrintServerTest, public testing::WithParamInterface<Destinazione> {};

// Both queues stopped, the job stays on the server with what it was asked for; let go, it prints
// on its own queue only.
TEST_P(DestinationTest, TheJobGoesToTheQueueNamedWithTheCopiesAsked) {
    const Destinazione& c = GetParam();
    const QString first = Output("lpstat", {"-d"}).section(':', 1).trimmed();
    const QString second = first + "-seconda";
    for (const QString& queue : {first, second}) Output("/usr/sbin/cupsdisable", {queue});
    QStringList argomenti = c.argomenti;
    argomenti.replaceInStrings(QRegularExpression("^@2$"), second);
    const auto [codice, uscita, errori] =
        Exec(ELENCARIO_BINARY, argomenti << QString(ELENCARIO_SAMPLES) + "/Sistema1.txt");
    EXPECT_EQ(codice, c.stato);
    EXPECT_EQ(errori.toStdString(), c.errori.toStdString());
    const auto lavori = LavoriTrattenuti();
    if (c.copie == 0) {
        EXPECT_TRUE(lavori.empty());
        return;
    }
    const QString queue = c.second ? second : first;
    ASSERT_EQ(lavori.size(), 1u);
    EXPECT_TRUE(lavori[0].first.endsWith("/printers/" + queue)) << lavori[0].first.toStdString();
    EXPECT_EQ(lavori[0].second, c.copie);
    Output("/usr/sbin/cupsenable", {queue});
    const QDir stampato(Folder() + (c.second ? "/pdf-seconda" : "/pdf"));
    const QDir altro(Folder() + (c.second ? "/pdf" : "/pdf-seconda"));
    for (int tentativo = 0; tentativo < 600 && stampato.isEmpty(); ++tentativo) QThread::msleep(50);
    EXPECT_FALSE(stampato.isEmpty()) << "nessun PDF dalla stampante " << queue.toStdString();
    EXPECT_TRUE(altro.isEmpty());
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
    [](const auto& info) { return std::string(info.param.nome); });
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
    const QString pdf = Folder() + "/lavoro.pdf";
    QPdfWriter scrittore(pdf);
    scrittore.setPageLayout(destinazione->pagina);
    QImage immagine(900, c.manyChunks ? 900 : 9, QImage::Format_RGB32);
    for (int y = 0; y < immagine.height(); ++y)
        QRandomGenerator(y).fillRange(reinterpret_cast<quint32*>(immagine.scanLine(y)), 900);
    QPainter(&scrittore).drawImage(QRect(0, 0, scrittore.width(), scrittore.width()), immagine);
    ASSERT_GT(QFileInfo(pdf).size(), c.manyChunks ? 8 * 64 * 1024 : 0);
    int chiesti = 0;
    const auto avvio = Orologio::now();
    EXPECT_EQ(InviaPdf(*destinazione, pdf, "Prova", kLimit,
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
    [](const auto& info) { return std::string(info.param.nome); });
// clang-format on

}  // namespace
}  // namespace elencario
