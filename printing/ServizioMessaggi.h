#pragma once

#include <optional>
#include <string>
#include <utility>

namespace elencario {

enum class Pulsanti { Ok, SiNo };
enum class Icona { Nessuna, Errore, Avviso };
enum class PulsantePredefinito { Primo, Secondo };
enum class Risposta { Ok, Si, No };

// One modal message box: the text is shown exactly as given, spaces included. A box without a
// title of its own shows the program's title.
struct RichiestaMessaggio {
    std::string testo;
    Pulsanti pulsanti = Pulsanti::Ok;
    Icona icona = Icona::Nessuna;
    PulsantePredefinito predefinito = PulsantePredefinito::Primo;
    std::optional<std::string> titolo;

    bool operator==(const RichiestaMessaggio&) const = default;
};

// The OK box with the error icon and no title that reports every failure.
[[nodiscard]] inline RichiestaMessaggio AvvisoErrore(std::string testo) {
    return {std::move(testo), Pulsanti::Ok, Icona::Errore, PulsantePredefinito::Primo,
            std::nullopt};
}

// Shows message boxes and waits for the answer. The window shows real ones; tests script them.
class ServizioMessaggi {
  public:
    virtual ~ServizioMessaggi() = default;
    virtual Risposta Chiedi(const RichiestaMessaggio& richiesta) = 0;
};

}  // namespace elencario
