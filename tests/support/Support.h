#pragma once

// What every test file sees first (tests/CMakeLists.txt): printers of the state structs that show
// names, not bytes; temporary folders; a recording printer; message boxes answered by script.
#include <gtest/gtest.h>

#include <concepts>
#include <deque>
#include <filesystem>
#include <fstream>
#include <new>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "printing/ComposizioneElencario.h"
#include "printing/ServizioMessaggi.h"
#include "printing/StampanteTesto.h"
#include "systems/LetturaSistema.h"
#include "systems/Percorsi.h"
#include "systems/Variabili.h"

namespace elencario {

using testing::PrintToString;
using Lines = std::vector<std::string>;  // a listing's lines, a printer's calls

inline void PrintTo(const VARIABILI& v, std::ostream* os) {
    const ArchivioRighe& righe = v.Combinazioni;
    *os << "{PercorsoSistemi " << PrintToString(v.PercorsoSistemi) << ", FileSistema "
        << PrintToString(v.FileSistema) << ", Combinazioni " << righe.size() << " {";
    for (std::size_t i = 0; i < righe.size() && i < 8; ++i) *os << PrintToString(righe[i]) << ' ';
    *os << (righe.size() > 8 ? "...}" : "}") << ", TotCombinazioni " << v.TotCombinazioni
        << ", TotNumeri " << v.TotNumeri << ", NumeriGioco {";
    for (int n = 1; n <= kNumeroMassimo; ++n)
        if (v.NumeriGioco[n] != 0) *os << n << ':' << v.NumeriGioco[n] << ' ';
    *os << "}}";
}

inline void PrintTo(const RichiestaMessaggio& m, std::ostream* os) {
    constexpr const char* kIcone[] = {"None", "Error", "Warning"};
    *os << "{text " << PrintToString(m.testo) << (m.pulsanti == Pulsanti::Ok ? ", Ok" : ", YesNo")
        << ", icon " << kIcone[static_cast<int>(m.icona)] << ", default "
        << (m.predefinito == PulsantePredefinito::Primo ? "First" : "Second") << ", title "
        << PrintToString(m.titolo) << '}';
}

namespace test {

// A row of a test's table prints as its name. The tables of the test files are in one of the two
// unnamed namespaces that see this printer: test's own below, and elencario's at the end.
template <typename Caso>
requires std::convertible_to<decltype(Caso::nome), std::string_view>
void PrintTo(const Caso& caso, std::ostream* os) {
    *os << caso.nome;
}
namespace {
using test::PrintTo;
}  // namespace

// A row of a test's table names its test.
inline constexpr auto NomeRiga = [](const auto& info) { return std::string(info.param.nome); };

// A folder of its own under the system's temporary folder, removed with everything in it.
class CartellaProvvisoria {
  public:
    CartellaProvvisoria() {
        std::random_device random;
        do {
            percorso_ = std::filesystem::temp_directory_path() /
                        ("elencario-test-" + std::to_string(random()) + std::to_string(random()));
        } while (!std::filesystem::create_directory(percorso_));
    }
    ~CartellaProvvisoria() {
        std::error_code ignorato;
        std::filesystem::remove_all(percorso_, ignorato);
    }
    CartellaProvvisoria(const CartellaProvvisoria&) = delete;
    CartellaProvvisoria& operator=(const CartellaProvvisoria&) = delete;

    [[nodiscard]] const std::filesystem::path& path() const { return percorso_; }
    [[nodiscard]] std::string Testo() const { return TestoDaPercorso(percorso_); }  // as UTF-8
    // Writes `copie` copies of `pezzo` to the file `nome`, without holding the file in memory.
    std::filesystem::path Scrivi(const std::string& nome, std::string_view pezzo,
                                 std::size_t copie = 1) const {
        const std::filesystem::path file = percorso_ / PercorsoDaTesto(nome);
        std::ofstream uscita(file, std::ios::binary);
        for (std::size_t i = 0; i < copie; ++i) uscita.write(pezzo.data(), std::ssize(pezzo));
        if (!uscita.flush()) throw std::runtime_error("cannot write test file " + nome);
        return file;
    }

  private:
    std::filesystem::path percorso_;
};

// The system of a file holding `righe`, loaded.
inline VARIABILI Sistema(const std::string& righe) {
    const CartellaProvvisoria cartella;
    cartella.Scrivi("s.txt", righe);
    VARIABILI v;
    EXPECT_EQ(CaricaSistema(v, cartella.Testo(), "s.txt"), 0);
    return v;
}

// How a recording printer fails: after `dopo` calls (negative: never) each gives `stato`, or
// throws std::bad_alloc when `lancia`.
struct Guasto {
    int dopo = -1;
    StatoStampa stato = StatoStampa::Fallita;
    bool lancia = false;
    StatoStampa prepara = StatoStampa::Ok;
    Spazio spazio = Spazio::Ok;  // the answer to the room check
    const char* errore = "";
};

// A printer that keeps every call in order ("font Segoe UI", "size 9.000000", "line TEXT",
// "stay TEXT", "end", "document") and the rows the room check was given. Given away, it hands
// its calls on to `erede` when it goes.
struct StampanteRegistratrice final : StampanteTesto {
    explicit StampanteRegistratrice(Guasto g = {}, StampanteRegistratrice* e = nullptr)
        : guasto(g), erede(e) {}
    ~StampanteRegistratrice() override {
        if (erede) erede->chiamate = chiamate;
    }
    StatoStampa Prepara() override { return guasto.prepara; }
    Spazio VerificaSpazio(int, const RigheCandidate& righe) override {
        candidati = righe();
        return guasto.spazio;
    }
    std::string Errore() const override { return guasto.errore; }
    StatoStampa ImpostaCarattere(const std::string& n) override { return Registra("font ", n); }
    StatoStampa ImpostaGrandezza(float p) override { return Registra("size ", std::to_string(p)); }
    StatoStampa StampaRiga(std::string_view t) override { return Registra("line ", t); }
    StatoStampa Stampa(std::string_view t) override { return Registra("stay ", t); }
    StatoStampa ACapo() override { return Registra("end"); }
    StatoStampa ChiudiDocumento() override { return Registra("document"); }
    StatoStampa Registra(std::string_view chiamata, std::string_view testo = {}) {
        if (guasto.dopo == 0) return guasto.lancia ? throw std::bad_alloc() : guasto.stato;
        if (guasto.dopo > 0) --guasto.dopo;
        chiamate.push_back(std::string(chiamata).append(testo));
        return StatoStampa::Ok;
    }
    bool DocumentoChiuso() const { return !chiamate.empty() && chiamate.back() == "document"; }
    // The printed lines.
    [[nodiscard]] Lines Elenco() const {
        Lines righe{""};
        for (const std::string& c : chiamate) {
            if (c.starts_with("line ") || c.starts_with("stay ")) righe.back() += c.substr(5);
            if (c.starts_with("line ") || c == "end") righe.emplace_back();
        }
        if (righe.back().empty()) righe.pop_back();
        return righe;
    }

    Guasto guasto;
    StampanteRegistratrice* erede;
    Lines chiamate, candidati;
};

// Message boxes answered from a script, else by their default button; every request is kept.
struct MessaggiCopione final : ServizioMessaggi {
    Risposta Chiedi(const RichiestaMessaggio& richiesta) override {
        chiesti.push_back(richiesta);
        if (!risposte.empty()) {
            const Risposta a = risposte.front();
            risposte.pop_front();
            return a;
        }
        if (richiesta.pulsanti == Pulsanti::Ok) return Risposta::Ok;
        return richiesta.predefinito == PulsantePredefinito::Primo ? Risposta::Si : Risposta::No;
    }

    std::deque<Risposta> risposte;
    std::vector<RichiestaMessaggio> chiesti;
};

}  // namespace test
namespace {
using test::PrintTo;
}  // namespace
}  // namespace elencario
