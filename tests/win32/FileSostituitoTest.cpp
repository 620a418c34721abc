// A PDF file written by a job through a printer that writes files: the target is replaced only
// by a job that ends well; any other end leaves it as it was and no new file beside it.
#include <fcntl.h>
#include <io.h>
#include <share.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>

#include "printing/win32/FileSostituito.h"
#include "systems/MotiviErrore.h"

namespace elencario::test {
namespace {

namespace fs = std::filesystem;
using enum StatoStampa;

constexpr const char* kConto = "conto della stampante";
constexpr const char* kRifiuto = "rifiutato: ";

// What goes wrong: the printer at a step of the job; NienteScritto: it writes nothing into its
// file; AMeta: the job is let go half-way, its device destroyed unfinished; Cartella: the target
// is a folder; FileTenuto: another program holds the target open and shares it with no one.
enum class Passo { Nessuno, Prepara, Disegna, Termina, NienteScritto, AMeta, Cartella, FileTenuto };

// `stato`: the job's end, and what the printer gives at `passo`. `errore`: what the job says of
// it; kRifiuto alone: that word followed by the system's reason.
struct Caso {
    const char* nome;
    Passo passo;
    StatoStampa stato;
    std::string errore;
};

// A printer that writes the file it is given as a printer driver does: opened at the start of the
// job and written page by page, held open until the job ends; at `passo` it gives `stato`.
struct StampanteSuFile final : DispositivoPagine {
    StampanteSuFile(const std::wstring& file, const Caso& caso) : file_(file), caso_(caso) {}

    StatoStampa Prepara(const std::function<bool()>&) override { return Esito(Passo::Prepara); }
    void Carattere(const std::string&, float) override {}
    MisurePagina Misure() override { return {100, 100, 10, 10}; }
    double Larghezza(std::string_view testo) override { return static_cast<double>(testo.size()); }
    StatoStampa Inizia() override {
        uscita_.open(file_, std::ios::binary | std::ios::trunc);
        return uscita_ ? Ok : Fallita;
    }
    StatoStampa Disegna(double, std::string_view testo) override {
        if (caso_.passo != Passo::NienteScritto) uscita_ << testo << std::flush;
        return Esito(Passo::Disegna);
    }
    StatoStampa NuovaPagina() override { return Ok; }
    StatoStampa Termina(const std::function<bool()>&) override {
        uscita_.close();
        return Esito(Passo::Termina);
    }
    void Abbandona() noexcept override { uscita_.close(); }
    std::string Errore() const override { return kConto; }
    StatoStampa Esito(Passo p) const { return p == caso_.passo ? caso_.stato : Ok; }
    fs::path file_;
    const Caso& caso_;
    std::ofstream uscita_;
};

class FileSostituitoTest : public ::testing::TestWithParam<Caso> {};

TEST_P(FileSostituitoTest, OnlyAJobThatEndsWellReplacesTheTargetAndNoNewFileStays) {
    const Caso& caso = GetParam();
    CartellaProvvisoria cartella;
    const fs::path destinazione = cartella.path() / "uscita.pdf";
    const bool suCartella = caso.passo == Passo::Cartella;
    if (suCartella) fs::create_directory(destinazione);
    if (!suCartella) cartella.Scrivi("uscita.pdf", "%PDF-vecchio");
    const int tenuto =
        caso.passo == Passo::FileTenuto ? _wsopen(destinazione.c_str(), _O_RDONLY, _SH_DENYRW) : -1;
    ASSERT_EQ(tenuto != -1, caso.passo == Passo::FileTenuto);
    {
        FileSostituito f(
            destinazione, [](std::string_view motivo) { return kRifiuto + std::string(motivo); },
            [&caso](const std::wstring& file) {
                return std::make_unique<StampanteSuFile>(file, caso);
            });
        // The job as the page layout runs it: abandoned at the first step that fails.
        const auto sempre = [] { return true; };
        StatoStampa stato = f.Prepara(sempre);
        if (stato == Ok) stato = f.Inizia();
        if (stato == Ok) stato = f.Disegna(0, "%PDF-nuovo");
        if (stato != Ok) f.Abbandona();
        if (stato == Ok) stato = caso.passo == Passo::AMeta ? Interrotta : f.Termina(sempre);
        EXPECT_EQ(stato, caso.stato);
        const std::string errore = f.Errore();
        EXPECT_TRUE(caso.errore == kRifiuto ? errore.starts_with(kRifiuto) && errore != kRifiuto
                                            : errore == caso.errore)
            << errore;
    }
    if (tenuto != -1) _close(tenuto);

    std::ifstream scritto(destinazione, std::ios::binary);  // no bytes from a folder
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(scritto), {}),
              caso.stato == Ok ? "%PDF-nuovo"
              : suCartella     ? ""
                               : "%PDF-vecchio");
    EXPECT_EQ(fs::is_directory(destinazione), suCartella);
    EXPECT_EQ(std::distance(fs::directory_iterator(cartella.path()), {}), 1);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Casi, FileSostituitoTest,
    ::testing::Values(
        Caso{"Sostituito", Passo::Nessuno, Ok, ""},
        Caso{"StampanteMancante", Passo::Prepara, SenzaStampante, kConto},
        Caso{"DisegnoFallito", Passo::Disegna, Fallita, kConto},
        Caso{"FineInterrotta", Passo::Termina, Interrotta, kConto},
        Caso{"LasciatoAMeta", Passo::AMeta, Interrotta, kConto},
        Caso{"NienteScritto", Passo::NienteScritto, Fallita, kRifiuto},
        Caso{"SuUnaCartella", Passo::Cartella, Fallita,
             kRifiuto + MotivoNonFile(fs::file_type::directory)},
        Caso{"FileInUso", Passo::FileTenuto, Fallita, kRifiuto}),
    NomeRiga);
// clang-format on

}  // namespace
}  // namespace elencario::test
