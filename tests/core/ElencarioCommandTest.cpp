#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
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
    std::string out, err;
};

class CommandTest : public ::testing::Test {
  public:
    // An argument "=TEXT" is the system, a file holding TEXT; "@=" is its name again, "@~" a hard
    // link to it (where links can be made), "@/" this folder, "@TEXT" another file holding TEXT.
    Esito Esegui(std::vector<std::string> argomenti, const UsciteStampa& uscite = {}) {
        std::string sistema;
        for (std::string& a : argomenti) {
            if (a.starts_with('=')) a = sistema = File("s.txt", a.substr(1));
        }
        for (std::string& a : argomenti) {
            std::error_code e;
            if (a == "@~") std::filesystem::create_hard_link(sistema, cartella.path() / "l", e);
            if (a == "@=" || (a == "@~" && e)) a = sistema;
            if (a == "@~") a = TestoDaPercorso(cartella.path() / "l");
            if (a == "@/") a = cartella.Text();
            if (a.starts_with('@')) a = File("a.pdf", a.substr(1));
        }
        std::FILE* out = std::tmpfile();
        std::FILE* err = std::tmpfile();
        Esito esito{EseguiElencario(argomenti, out, err, uscite), Contenuto(out), Contenuto(err)};
        std::fclose(out);
        std::fclose(err);
        return esito;
    }
    std::string File(const std::string& nome, std::string_view contenuto) {
        return TestoDaPercorso(cartella.Write(nome, contenuto));
    }

    test::TempFolder cartella;
};

TEST_F(CommandTest, WorkedExampleDefaultsHelpAndOutputsThisBuildLacks) {
    const std::string sistema =
        File("Sistema1.txt", "3 15 27\r\n3 15 42\r\n3 27 42\r\n15 27 42\r\n8 15 27\r\n");
    EXPECT_EQ(Esegui({"--nome", "--numeri", "--margine", "4", sistema}).out,
              "\n\n    SISTEMA1.TXT -  Numeri: 5 - Combinazioni: 5\n\n\n    IN GIOCO:\n"
              "    03 08 15 27 42 \n\n\n"
              "    3 15 27   -   3 15 42   -   3 27 42   -   15 27 42\n    8 15 27\n");
    const std::string m = "\n" + std::string(12, ' ');  // the window's starting options
    EXPECT_EQ(Esegui({sistema}).out, "\n" + m + "Numeri: 5 - Combinazioni: 5\n\n" + m +
                                         "3 15 27   -   3 15 42   -   3 27 42   -   15 27 42" + m +
                                         "8 15 27\n");
    for (const char* aiuto : {"--help", "-h"}) {
        const Esito e = Esegui({aiuto, "a.txt", "b.txt"});
        EXPECT_TRUE(e.stato == 0 && e.out.starts_with("Uso: elencario")) << aiuto;
    }
    EXPECT_TRUE(Esegui({"--pdf", "x", sistema}).err.starts_with("Questa versione non produce"));
    EXPECT_TRUE(Esegui({"--stampa", sistema}).err.starts_with("Questa versione non stampa"));
}

struct CasoComando {
    const char* nome;
    std::vector<std::string> argomenti;
    int stato;
    std::string err;           // a part of standard error; empty when nothing is said
    test::Guasto guasto = {};  // of the PDF file or printer
};

class CommandTableTest : public CommandTest, public ::testing::WithParamInterface<CasoComando> {};

TEST_P(CommandTableTest, StatusAndMessageNothingOnOutput) {
    const auto stampante = [&] {
        return std::make_unique<test::RecordingPrinter>(GetParam().guasto);
    };
    const Esito e =
        Esegui(GetParam().argomenti, {[&](const std::string&) { return stampante(); }, stampante});
    EXPECT_EQ(e.stato, GetParam().stato);
    EXPECT_EQ(e.out, "");
    EXPECT_EQ(e.err.empty(), GetParam().err.empty()) << e.err;
    EXPECT_NE(e.err.find(GetParam().err), std::string::npos) << e.err;
}

const std::string kUso = "\nUso: elencario";
const std::string kPdfScrittura = "Impossibile scrivere il file PDF x.pdf: disco pieno";
const std::vector<std::string> kPdf{"--pdf", "x.pdf", "=1"};
using enum PrinterStatus;
// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, CommandTableTest, ::testing::Values(
    CasoComando{"LoadFails", {"=1 91"}, 1, "Si è verificato l' errore: 9\n"},
    CasoComando{"NoRows", {"=\r\n"}, 1, "Selezionare un Sistema ..! \n"},
    CasoComando{"PerLine", {"--colonne", "0", "=1"}, 2, "Colonne Riga non valide ..! \n"},
    CasoComando{"Size", {"--grandezza", "9,5", "=1"}, 2, "Grandezza carattere non valida ..! \n"},
    CasoComando{"Margin", {"--margine", "-2", "=1"}, 2, "Margine Sx non valido ..! \n"},
    CasoComando{"UnknownOption", {"--colore", "=1"}, 2, "Opzione sconosciuta: --colore" + kUso},
    CasoComando{"PdfAndPrinter", {"--pdf", "x", "--stampa", "=1"}, 2,
                "Le opzioni --pdf e --stampa si escludono a vicenda" + kUso},
    CasoComando{"NoFile", {}, 2, "Indicare il file del sistema" + kUso},
    CasoComando{"EmptyName", {""}, 2, "Indicare il file del sistema" + kUso},
    CasoComando{"TwoFiles", {"a.txt", "b.txt"}, 2, "Indicare un solo sistema" + kUso},
    CasoComando{"NoValue", {"--margine"}, 2, "Manca il valore dell'opzione --margine" + kUso},
    CasoComando{"PdfValueIsAnOption", {"--pdf", "--nome", "=1"}, 2,
                "Manca il valore dell'opzione --pdf" + kUso},
    CasoComando{"DashHIsAFileAfterDashes", {"--", "-h"}, 1, "File non trovato ..! \n"},
    CasoComando{"PdfOverTheSystem", {"--pdf", "@=", "=1"}, 2, " è il sistema da stampare: non "},
    CasoComando{"PdfOverTheSystemThroughALink", {"--pdf", "@~", "=1"}, 2, " è il sistema da "},
    CasoComando{"PdfOverAFileNotPdf", {"--pdf", "@%PDF", "=1"}, 2, " non è un PDF: non viene "},
    CasoComando{"PdfOverAnEarlierPdf", {"--pdf", "@%PDF-1", "=1"}, 0, ""},
    CasoComando{"PdfOverAnEmptyFile", {"--pdf", "@", "=1"}, 0, ""},
    CasoComando{"PdfFolderLeftToTheWriter", {"--pdf", "@/", "=1"}, 0, ""},
    CasoComando{"PdfNotWritten", kPdf, 1, kPdfScrittura + "\n", {.prepara = PrintError,
                .errore = kPdfScrittura}},
    CasoComando{"PdfMarginTooWide", kPdf, 2, "Margine Sx non valido ..! \n",
                {.spazio = Spazio::MargineTroppoLargo}},
    CasoComando{"PdfInterrupted", kPdf, 130, "", {.dopo = 3, .stato = Cancelled}},
    CasoComando{"NoPrinter", {"--stampa", "=1"}, 1, "Nessuna stampante disponibile ..! \n",
                {.prepara = NoPrinter}},
    CasoComando{"PrinterFails", {"--stampa", "=1"}, 1, "Errore di stampa ..! \n", {.dopo = 3}},
    CasoComando{"Printed", {"--stampa", "=1"}, 0, ""}),
    [](const auto& info) { return std::string(info.param.nome); });
// clang-format on

#ifndef _WIN32
// The built program itself: its status and what reaches the stream `comando` leaves it.
std::pair<int, std::string> Programma(const std::string& comando) {
    std::FILE* p = ::popen(comando.c_str(), "r");
    const std::string testo = Contenuto(p);
    const int stato = ::pclose(p);
    return {WIFEXITED(stato) ? WEXITSTATUS(stato) : -1, testo};
}

TEST_F(CommandTest, ProgramPrintsASampleByItsBareNameAndFailsOnStandardError) {
    EXPECT_EQ(Programma("cd '" ELENCARIO_SAMPLES "' && '" ELENCARIO_BINARY "' Sistema1.txt 2>&1"),
              std::pair(0, Esegui({ELENCARIO_SAMPLES "/Sistema1.txt"}).out));
    const std::string bom = File("b.txt",
                                 "\xEF\xBB\xBF"
                                 "1");
    EXPECT_EQ(Programma("'" ELENCARIO_BINARY "' '" + bom + "' 2>&1 >/dev/null"),
              std::pair(1, std::string("File non compatibile ..! \n")));
}
#endif

}  // namespace
}  // namespace elencario
