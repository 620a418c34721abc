#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "cli/Elencario.h"
#include "systems/Routines.h"
#include "tests/support/RecordingPrinter.h"
#include "tests/support/TempFolder.h"

namespace elencario {
namespace {

std::string Contenuto(std::FILE* f) {
    std::string testo;
    std::rewind(f);
    char blocco[4096];
    for (std::size_t n; (n = std::fread(blocco, 1, sizeof blocco, f)) > 0;) testo.append(blocco, n);
    return testo;
}

struct Esito {
    int stato;
    std::string out;
    std::string err;
};

class CommandTest : public ::testing::Test {
  public:
    Esito Esegui(std::vector<std::string> argomenti, const UsciteStampa& uscite = {}) {
        std::FILE* out = std::tmpfile();
        std::FILE* err = std::tmpfile();
        EXPECT_NE(out, nullptr);
        EXPECT_NE(err, nullptr);
        const int stato = EseguiElencario(argomenti, out, err, uscite);
        Esito e{stato, Contenuto(out), Contenuto(err)};
        std::fclose(out);
        std::fclose(err);
        return e;
    }
    std::string File(const std::string& nome, std::string_view contenuto) {
        return TestoDaPercorso(cartella.Write(nome, contenuto));
    }

    test::TempFolder cartella;
};

const char* const kEsempio = "3 15 27\r\n3 15 42\r\n3 27 42\r\n15 27 42\r\n8 15 27\r\n";

TEST_F(CommandTest, WorkedExampleIsElevenLines) {
    const Esito e =
        Esegui({"--nome", "--numeri", "--margine", "4", File("Sistema1.txt", kEsempio)});
    EXPECT_EQ(e.stato, 0);
    EXPECT_EQ(e.err, "");
    EXPECT_EQ(e.out,
              "\n\n    SISTEMA1.TXT -  Numeri: 5 - Combinazioni: 5\n\n\n    IN GIOCO:\n"
              "    03 08 15 27 42 \n\n\n"
              "    3 15 27   -   3 15 42   -   3 27 42   -   15 27 42\n    8 15 27\n");
}

TEST_F(CommandTest, DefaultsAreTheWindowsStartingValues) {
    const Esito e = Esegui({File("s.txt", kEsempio)});
    EXPECT_EQ(e.stato, 0);
    const std::string m(12, ' ');
    EXPECT_EQ(e.out, "\n\n" + m + "Numeri: 5 - Combinazioni: 5\n\n\n" + m +
                         "3 15 27   -   3 15 42   -   3 27 42   -   15 27 42\n" + m + "8 15 27\n");
}

struct CasoFallito {
    const char* nome;
    std::string contenuto;  // empty name below means the file is not created
    std::vector<std::string> opzioni;
    int stato;
    std::string err;
};

// Test rows print as their names.
void PrintTo(const CasoFallito& c, std::ostream* os) {
    *os << c.nome;
}

class CommandFailureTest : public CommandTest, public ::testing::WithParamInterface<CasoFallito> {};

TEST_P(CommandFailureTest, MessageOnStandardErrorNothingOnOutput) {
    const CasoFallito& c = GetParam();
    std::vector<std::string> argomenti = c.opzioni;
    argomenti.push_back(c.contenuto == "<manca>" ? cartella.Text() + kSeparatore + "manca.txt"
                                                 : File("s.txt", c.contenuto));
    const Esito e = Esegui(argomenti);
    EXPECT_EQ(e.stato, c.stato);
    EXPECT_EQ(e.out, "");
    EXPECT_EQ(e.err.substr(0, c.err.size()), c.err);
}

INSTANTIATE_TEST_SUITE_P(
    Failures, CommandFailureTest,
    ::testing::Values(
        CasoFallito{"NotANumber", "1 x", {}, 1, "File non compatibile ..! \n"},
        CasoFallito{"OutOfRange", "1 91", {}, 1, "Si è verificato l' errore: 9\n"},
        CasoFallito{"Missing", "<manca>", {}, 1, "File non trovato ..! \n"},
        CasoFallito{"NoRows", "\r\n", {}, 1, "Selezionare un Sistema ..! \n"},
        CasoFallito{"PerLineRefused", "1", {"--colonne", "0"}, 2, "Colonne Riga non valide ..! \n"},
        CasoFallito{
            "SizeRefused", "1", {"--grandezza", "9,5"}, 2, "Grandezza carattere non valida ..! \n"},
        CasoFallito{"MarginRefused", "1", {"--margine", "-2"}, 2, "Margine Sx non valido ..! \n"},
        CasoFallito{"UnknownOption", "1", {"--colore"}, 2, "Opzione sconosciuta: --colore\n"},
        CasoFallito{"MissingValue",
                    "1",
                    {"--pdf", "x.pdf", "--stampa"},
                    2,
                    "Le opzioni --pdf e --stampa si escludono a vicenda\n"}),
    [](const auto& info) { return std::string(info.param.nome); });

struct CasoPdf {
    const char* nome;
    std::function<std::string(CommandTest&, const std::string& sistema)> pdf;  // the --pdf value
    std::function<void(test::RecordingPrinter&)> stampante;
    int stato;
    std::string err;  // how standard error begins
};

void PrintTo(const CasoPdf& c, std::ostream* os) {
    *os << c.nome;
}

class PdfOutputTest : public CommandTest, public ::testing::WithParamInterface<CasoPdf> {};

TEST_P(PdfOutputTest, RefusedOrWrittenWithItsOwnStatus) {
    const std::string sistema = File("s.txt", kEsempio);
    test::RecordingPrinter stampante;
    GetParam().stampante(stampante);
    UsciteStampa uscite;
    uscite.pdf = [&](const std::string&) {
        return std::make_unique<test::RecordingPrinter>(stampante);
    };
    const Esito e = Esegui({"--pdf", GetParam().pdf(*this, sistema), sistema}, uscite);
    EXPECT_EQ(e.stato, GetParam().stato);
    EXPECT_EQ(e.err.substr(0, GetParam().err.size()), GetParam().err);
}

const auto kNessunGuasto = [](test::RecordingPrinter&) {};

INSTANTIATE_TEST_SUITE_P(
    Pdf, PdfOutputTest,
    ::testing::Values(CasoPdf{"OverTheSystem", [](auto&, auto& s) { return s; }, kNessunGuasto, 2,
                              "Il file PDF " + std::string()},
                      CasoPdf{"OverTheSystemThroughALink",
                              [](CommandTest& t, const std::string& s) {
                                  const auto link = t.cartella.path() / "link.pdf";
                                  std::error_code e;  // no links here: the name itself
                                  std::filesystem::create_hard_link(PercorsoDaTesto(s), link, e);
                                  return e ? s : TestoDaPercorso(link);
                              },
                              kNessunGuasto, 2, "Il file PDF "},
                      CasoPdf{"OverAFileNotPdf",
                              [](CommandTest& t, auto&) { return t.File("a.pdf", "%PDF"); },
                              kNessunGuasto, 2, "Il file "},
                      CasoPdf{"OverAnEarlierPdf",
                              [](CommandTest& t, auto&) { return t.File("a.pdf", "%PDF-1.4"); },
                              kNessunGuasto, 0, ""},
                      CasoPdf{"AFolderIsLeftToThePdfWriter",
                              [](CommandTest& t, auto&) { return t.cartella.Text(); },
                              kNessunGuasto, 0, ""},
                      CasoPdf{"ValueLooksLikeAnOption", [](auto&, auto&) { return "--nome"; },
                              kNessunGuasto, 2, "Manca il valore dell'opzione --pdf"},
                      CasoPdf{"NotWritten", [](auto&, auto&) { return "x.pdf"; },
                              [](auto& p) {
                                  p.prepareStatus = PrinterStatus::PrintError;
                                  p.errore = "Impossibile scrivere il file PDF x.pdf: disco pieno";
                              },
                              1, "Impossibile scrivere il file PDF x.pdf: disco pieno\n"},
                      CasoPdf{"MarginTooWide", [](auto&, auto&) { return "x.pdf"; },
                              [](auto& p) { p.spazio = Spazio::MargineTroppoLargo; }, 2,
                              "Margine Sx non valido ..! \n"},
                      CasoPdf{"Interrupted", [](auto&, auto&) { return "x.pdf"; },
                              [](auto& p) {
                                  p.callsBeforeFailure = 3;
                                  p.failure = PrinterStatus::Cancelled;
                              },
                              130, ""}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST_F(CommandTest, UsageErrorsAndHelp) {
    const std::pair<std::vector<std::string>, std::string> usi[] = {
        {{}, "Indicare il file del sistema\n"},
        {{""}, "Indicare il file del sistema\n"},
        {{"a.txt", "b.txt"}, "Indicare un solo sistema\n"},
        {{"--margine"}, "Manca il valore dell'opzione --margine\n"},
        {{"--", "-h"}, "File non trovato ..! \n"}};
    for (const auto& [argomenti, messaggio] : usi) {
        const Esito e = Esegui(argomenti);
        EXPECT_EQ(e.stato, messaggio.starts_with("File") ? 1 : 2) << messaggio;
        EXPECT_EQ(e.err.substr(0, messaggio.size()), messaggio);
    }
    for (const char* aiuto : {"--help", "-h"}) {
        const Esito e = Esegui({aiuto, "a.txt", "b.txt"});
        EXPECT_EQ(e.stato, 0) << aiuto;
        EXPECT_EQ(e.out.rfind("Uso: elencario", 0), 0u) << aiuto;
    }
}

TEST_F(CommandTest, NegativePerLineCountPrintsLikeItsMagnitude) {
    const std::string sistema = File("s.txt", kEsempio);
    const Esito meno = Esegui({"--colonne", "-2", sistema});
    EXPECT_EQ(meno.stato, 0);
    EXPECT_EQ(meno.out, Esegui({"--colonne", "2", sistema}).out);
}

#ifndef _WIN32
// The built program itself, through its exit status and its two streams.
Esito Programma(const std::string& argomenti, const test::TempFolder& cartella) {
    const std::string err = TestoDaPercorso(cartella.path() / "err.txt");
    std::FILE* p = ::popen(
        (std::string("'") + ELENCARIO_BINARY + "' " + argomenti + " 2>'" + err + "'").c_str(), "r");
    EXPECT_NE(p, nullptr);
    std::string out;
    char blocco[4096];
    for (std::size_t n; (n = std::fread(blocco, 1, sizeof blocco, p)) > 0;) out.append(blocco, n);
    const int stato = ::pclose(p);
    std::FILE* f = std::fopen(err.c_str(), "rb");
    const std::string testoErr = Contenuto(f);
    std::fclose(f);
    return {WIFEXITED(stato) ? WEXITSTATUS(stato) : -1, out, testoErr};
}

TEST_F(CommandTest, ProgramPrintsSampleAndFailsWithStatus) {
    const Esito ok =
        Programma(std::string("--numeri '") + ELENCARIO_SAMPLES + "/Sistema1.txt'", cartella);
    EXPECT_EQ(ok.stato, 0);
    EXPECT_NE(ok.out.find("            03 08 15 27 42 \n"), std::string::npos);
    EXPECT_EQ(ok.err, "");

    const std::string conBom = File("b.txt",
                                    "\xEF\xBB\xBF"
                                    "1 2");
    const Esito ko = Programma("'" + conBom + "'", cartella);
    EXPECT_EQ(ko.stato, 1);
    EXPECT_EQ(ko.out, "");
    EXPECT_EQ(ko.err, "File non compatibile ..! \n");
}
#endif

}  // namespace
}  // namespace elencario
