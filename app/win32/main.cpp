#include <windows.h>

#include <commctrl.h>

#include <cstdlib>

#include "app/Eseguibile.h"
#include "app/win32/FrmAmainWin32.h"
#include "app/win32/MessaggiWin32.h"
#include "printing/Impaginatore.h"
#include "printing/win32/FinestraAvanzamentoWin32.h"
#include "printing/win32/StampanteGdi.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const INITCOMMONCONTROLSEX controlli{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controlli);
    elencario::MessaggiWin32 messaggi;
    auto finestra = elencario::FrmAmainWin32::Apri(elencario::CartellaEseguibile(), messaggi, [] {
        return std::make_unique<elencario::Impaginatore>(
            std::make_unique<elencario::StampanteGdi>(),
            std::make_unique<elencario::FinestraAvanzamentoWin32>());
    });
    if (!finestra) return EXIT_FAILURE;
    messaggi.ImpostaProprietario(finestra->Handle());
    finestra->EsciAllaChiusura();
    finestra->Mostra();
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (::IsDialogMessageW(finestra->Handle(), &msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return EXIT_SUCCESS;
}
