// A PDF file written by a job through a printer that writes files: the target is replaced only
// by a job that ends well; any other end leaves it as it was and no new file beside it.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <optional>

#include "printing/win32/FileSostituito.h"
#include "systems/MotiviErrore.h"

namespace elencario::test {
namespace {

namespace fs = std::filesystem;
using enum StatoStampa;

constexpr const char* kConto = "conto della stampante";
constexpr const char* kRifiuto = "rifiutato: ";

// How the printer behaves, step by step.
struct Comportamento {
    StatoStampa prepara = Ok;
    StatoStampa disegna = Ok;
    StatoStampa termina = Ok;
    bool scrive = true;  // whether it writes anything into its file
    bool finito = true;  // false: the job is let go half-way, its device destroyed unfinished
};

// A printer that writes the file it is given as a printer driver does: opened at the start of the
// job and written page by page, held open until the job ends.
class StampanteSuFile final : public DispositivoPagine {
  public:
    StampanteSuFile(const std::wstring& file, Comportamento c) : file_(file), c_(c) {}

    StatoStampa Prepara(const std::function<bool()>&) override { return c_.prepara; }
    void Carattere(const std::string&, float) override {}
    MisurePagina Misure() override { return {100, 100, 10, 10}; }
    double Larghezza(std::string_view testo) override { return static_cast<double>(testo.size()); }
    StatoStampa Inizia() override {
        uscita_.open(file_, std::ios::binary | std::ios::trunc);
        return uscita_ ? Ok : Fallita;
    }
    StatoStampa Disegna(double, std::string_view testo) override {
        if (c_.scrive) uscita_ << testo << std::flush;
        return c_.disegna;
    }
    StatoStampa NuovaPagina() override { return Ok; }
    StatoStampa Termina(const std::function<bool()>&) override {
        uscita_.close();
        return c_.termina;
    }
    void Abbandona() noexcept override { uscita_.close(); }
    std::string Errore() const override { return kConto; }

  private:
    fs::path file_;
    Comportamento c_;
    std::ofstream uscita_;
};

std::optional<std::string> Contenuto(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<fs::path> File(const fs::path& cartella) {
    std::vector<fs::path> file;
    for (const auto& voce : fs::directory_iterator(cartella))
        file.push_back(voce.path().filename());
    return file;
}

// The job as the page layout runs it: abandoned at the first step that fails.
StatoStampa Esegui(DispositivoPagine& d, bool finito) {
    const auto sempre = [] { return true; };
    StatoStampa stato = d.Prepara(sempre);
    if (stato == Ok) stato = d.Inizia();
    if (stato == Ok) stato = d.Disegna(0, "%PDF-nuovo");
    if (stato == Ok && !finito) return Interrotta;
    if (stato == Ok) return d.Termina(sempre);
    d.Abbandona();
    return stato;
}

// What is at the target before the job.
enum class Prima { Nulla, File, Cartella, FileTenuto };

struct Caso {
    const char* nome;
    Prima prima;
    Comportamento comportamento;
    StatoStampa atteso;
    std::string errore;       // what the job says of its end
    bool soloInizio = false;  // the error's text begins with `errore`, its reason is the system's
};

class FileSostituitoTest : public ::testing::TestWithParam<Caso> {};

TEST_P(FileSostituitoTest, OnlyAJobThatEndsWellReplacesTheTargetAndNoNewFileStays) {
    const Caso& caso = GetParam();
    CartellaProvvisoria cartella;
    const fs::path destinazione = cartella.path() / "uscita.pdf";
    if (caso.prima == Prima::Cartella) fs::create_directory(destinazione);
    if (caso.prima == Prima::File || caso.prima == Prima::FileTenuto) {
        cartella.Scrivi("uscita.pdf", "%PDF-vecchio");
    }
    // Held open by another program that shares it with no one.
    const HANDLE tenuto = caso.prima != Prima::FileTenuto
                              ? INVALID_HANDLE_VALUE
                              : ::CreateFileW(destinazione.c_str(), GENERIC_READ, 0, nullptr,
                                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_EQ(tenuto == INVALID_HANDLE_VALUE, caso.prima != Prima::FileTenuto);
    {
        const Comportamento c = caso.comportamento;
        FileSostituito f(
            destinazione, [](std::string_view motivo) { return kRifiuto + std::string(motivo); },
            [c](const std::wstring& file) { return std::make_unique<StampanteSuFile>(file, c); });
        EXPECT_EQ(Esegui(f, c.finito), caso.atteso);
        if (caso.soloInizio) {
            EXPECT_TRUE(f.Errore().starts_with(caso.errore) && f.Errore() != caso.errore)
                << f.Errore();
        } else {
            EXPECT_EQ(f.Errore(), caso.errore);
        }
    }
    if (tenuto != INVALID_HANDLE_VALUE) ::CloseHandle(tenuto);

    if (caso.atteso == Ok) {
        EXPECT_EQ(Contenuto(destinazione), "%PDF-nuovo");
    } else if (caso.prima == Prima::Cartella) {
        EXPECT_TRUE(fs::is_directory(destinazione));
    } else {
        EXPECT_EQ(Contenuto(destinazione), caso.prima == Prima::Nulla
                                               ? std::nullopt
                                               : std::optional<std::string>("%PDF-vecchio"));
    }
    const bool resta = caso.prima != Prima::Nulla || caso.atteso == Ok;
    EXPECT_EQ(File(cartella.path()),
              resta ? std::vector<fs::path>{"uscita.pdf"} : std::vector<fs::path>{});
}

const std::string kCartella = kRifiuto + MotivoNonFile(fs::file_type::directory);

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Casi, FileSostituitoTest,
    ::testing::Values(
        Caso{"Sostituito", Prima::File, {}, Ok, ""},
        Caso{"Creato", Prima::Nulla, {}, Ok, ""},
        Caso{"StampanteMancante", Prima::File, {.prepara = SenzaStampante}, SenzaStampante, kConto},
        Caso{"DisegnoFallito", Prima::File, {.disegna = Fallita}, Fallita, kConto},
        Caso{"FineFallitaSenzaFile", Prima::Nulla, {.termina = Fallita}, Fallita, kConto},
        Caso{"FineInterrotta", Prima::File, {.termina = Interrotta}, Interrotta, kConto},
        Caso{"LasciatoAMeta", Prima::File, {.finito = false}, Interrotta, kConto},
        Caso{"NienteScritto", Prima::File, {.scrive = false}, Fallita, kRifiuto, true},
        Caso{"SuUnaCartella", Prima::Cartella, {}, Fallita, kCartella},
        Caso{"FileInUso", Prima::FileTenuto, {}, Fallita, kRifiuto, true}),
    [](const auto& info) { return std::string(info.param.nome); });
// clang-format on

}  // namespace
}  // namespace elencario::test
