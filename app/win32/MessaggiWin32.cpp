#include "app/win32/MessaggiWin32.h"

#include "systems/Testi.h"
#include "systems/Utf16.h"

namespace elencario {

namespace {

thread_local HHOOK gancio = nullptr;

// Sets the Italian button texts when a box of this thread opens. The language the system would
// pick for them cannot be changed for one program, and under some systems not at all.
LRESULT CALLBACK AllaApertura(int codice, WPARAM wParam, LPARAM lParam) {
    if (codice == HCBT_ACTIVATE) {
        const auto scatola = reinterpret_cast<HWND>(wParam);
        wchar_t classe[16] = {};
        ::GetClassNameW(scatola, classe, 16);
        if (std::wstring_view(classe) == L"#32770") {
            ::SetDlgItemTextW(scatola, IDYES, L"S\u00EC");
            ::SetDlgItemTextW(scatola, IDNO, L"No");
            ::SetDlgItemTextW(scatola, IDOK, L"OK");
        }
    }
    return ::CallNextHookEx(gancio, codice, wParam, lParam);
}

}  // namespace

UINT StileMessaggio(const RichiestaMessaggio& richiesta) {
    UINT stile = richiesta.pulsanti == Pulsanti::SiNo ? MB_YESNO : MB_OK;
    if (richiesta.icona == Icona::Errore) stile |= MB_ICONERROR;
    if (richiesta.icona == Icona::Avviso) stile |= MB_ICONWARNING;
    if (richiesta.predefinito == PulsantePredefinito::Secondo) stile |= MB_DEFBUTTON2;
    return stile;
}

Risposta MessaggiWin32::Chiedi(const RichiestaMessaggio& richiesta) {
    const HHOOK prima = gancio;
    gancio = ::SetWindowsHookExW(WH_CBT, AllaApertura, nullptr, ::GetCurrentThreadId());
    const int risposta =
        ::MessageBoxW(proprietario_, Utf16(richiesta.testo).c_str(),
                      Utf16(richiesta.titolo.value_or(testi::kTitoloProgramma)).c_str(),
                      StileMessaggio(richiesta));
    if (gancio != nullptr) ::UnhookWindowsHookEx(gancio);
    gancio = prima;
    switch (risposta) {
        case IDYES:
            return Risposta::Si;
        case IDNO:
            return Risposta::No;
        default:
            // A box that could not be shown takes its safe answer: No to a question.
            return richiesta.pulsanti == Pulsanti::Ok ? Risposta::Ok : Risposta::No;
    }
}

}  // namespace elencario
