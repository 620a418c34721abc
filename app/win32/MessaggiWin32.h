#pragma once

#include <windows.h>

#include "printing/ServizioMessaggi.h"

namespace elencario {

// The MessageBoxW flags of a request: buttons, icon and default button, nothing else (the exit
// question's are 308).
[[nodiscard]] UINT StileMessaggio(const RichiestaMessaggio& richiesta);

// Message boxes as the system draws them, owned by a window when one is given. Their buttons
// read "Sì", "No" and "OK" whatever the language of Windows: the texts are set as each box opens.
class MessaggiWin32 final : public ServizioMessaggi {
  public:
    void ImpostaProprietario(HWND proprietario) { proprietario_ = proprietario; }
    Risposta Chiedi(const RichiestaMessaggio& richiesta) override;

  private:
    HWND proprietario_ = nullptr;
};

}  // namespace elencario
