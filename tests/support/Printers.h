#pragma once

// A failing comparison of the state structs shows names and values, not bytes. Every test file
// sees these (tests/CMakeLists.txt includes this header first).
#include <gtest/gtest.h>

#include <concepts>

#include "printing/MessageService.h"
#include "printing/Printout.h"
#include "systems/Variabili.h"

namespace elencario {

using testing::PrintToString;

inline void PrintTo(const VARIABILI& v, std::ostream* os) {
    const RowStore& righe = v.Combinazioni;
    *os << "{PercorsoSistemi " << PrintToString(v.PercorsoSistemi) << ", FileSistema "
        << PrintToString(v.FileSistema) << ", Combinazioni " << righe.size() << " {";
    for (std::size_t i = 0; i < righe.size() && i < 8; ++i) *os << PrintToString(righe[i]) << ' ';
    *os << (righe.size() > 8 ? "...}" : "}") << ", TotCombinazioni " << v.TotCombinazioni
        << ", NumeriGioco {";
    for (int n = 1; n <= kNumeroMassimo; ++n) {
        if (v.NumeriGioco[n] != 0) *os << n << ':' << v.NumeriGioco[n] << ' ';
    }
    *os << "}, TotNumeri " << v.TotNumeri << '}';
}

template <class O>
requires std::same_as<O, OpzioniStampa> || std::same_as<O, OpzioniConvertite>
void PrintTo(const O& o, std::ostream* os) {
    *os << std::boolalpha << "{carattere " << PrintToString(o.carattere) << ", grandezza "
        << PrintToString(o.grandezza) << ", colonneRiga " << PrintToString(o.colonneRiga)
        << ", margine " << PrintToString(o.margine) << ", nomeSistema " << o.nomeSistema
        << ", numeriInGioco " << o.numeriInGioco << '}';
}

inline void PrintTo(const MessageRequest& m, std::ostream* os) {
    constexpr const char* kIcone[] = {"None", "Error", "Warning"};
    *os << "{text " << PrintToString(m.text) << (m.buttons == Buttons::Ok ? ", Ok" : ", YesNo")
        << ", icon " << kIcone[static_cast<int>(m.icon)] << ", default "
        << (m.defaultButton == DefaultButton::First ? "First" : "Second") << ", title "
        << PrintToString(m.title) << '}';
}

}  // namespace elencario
