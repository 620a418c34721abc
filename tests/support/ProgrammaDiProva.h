#pragma once

// What the window tests start from: a program folder holding Shared/Sistemi, message boxes
// answered from a script and a printer that records each job; and the drop-downs' entries.

#include "app/RegoleFinestra.h"
#include "printing/ScelteOpzioni.h"

namespace elencario::test {

struct ProgrammaDiProva {
    // `nome`, the program folder's name, is the core's path text.
    explicit ProgrammaDiProva(const std::string& nome)
        : sistemi(provvisoria.path() / PercorsoDaTesto(nome) / "Shared" / "Sistemi") {
        std::filesystem::create_directories(sistemi);
    }
    // Writes the system file `nome` (the core's path text, subfolders made as needed).
    void Scrivi(const std::string& nome, std::string_view testo) const {
        const std::filesystem::path file = sistemi / PercorsoDaTesto(nome);
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << testo;
    }
    [[nodiscard]] std::string Cartella() const {
        return TestoDaPercorso(sistemi.parent_path().parent_path());
    }
    [[nodiscard]] FabbricaStampante Fabbrica() {
        return [this] { return std::make_unique<StampanteRegistratrice>(Guasto{}, &stampante); };
    }

    CartellaProvvisoria provvisoria;
    const std::filesystem::path sistemi;
    MessaggiCopione messaggi;
    StampanteRegistratrice stampante;
};

// Each drop-down of the window with its entries, then the index of the one it starts on.
inline std::vector<std::pair<const char*, Lines>> Tendine() {
    std::vector<std::pair<const char*, Lines>> tendine;
    for (const auto& [nome, scelte] : {std::pair{"cmbCarattere", kSceltaCarattere},
                                       {"cmbGrandezza", kSceltaGrandezza},
                                       {"cmbColonneRiga", kSceltaColonneRiga},
                                       {"cmbMargine", kSceltaMargine}}) {
        tendine.emplace_back(nome, Lines(scelte.voci.begin(), scelte.voci.end()));
        tendine.back().second.push_back(std::to_string(scelte.iniziale));
    }
    return tendine;
}

}  // namespace elencario::test
