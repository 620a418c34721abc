#include "app/win32/MessaggiWin32.h"

#include "systems/Utf16.h"
#include "systems/Testi.h"

namespace elencario {

namespace {

thread_local HHOOK gancio = nullptr;

// Sets the Italian button texts when a box of this thread opens. The language the system would
// pick for them cannot be changed for one program, and under some systems not at all.
LRESULT CALLBACK AllaApertura(int codice, WPARAM wParam, LPARAM lParam) {
    if (codice == HCBT_ACTIVATE) {
        const auto box = reinterpret_cast<HWND>(wParam);
        wchar_t classe[16] = {};
        ::GetClassNameW(box, classe, 16);
        if (std::wstring_view(classe) == L"#32770") {
            ::SetDlgItemTextW(box, IDYES, L"S\u00EC");
            ::SetDlgItemTextW(box, IDNO, L"No");
            ::SetDlgItemTextW(box, IDOK, L"OK");
        }
    }
    return ::CallNextHookEx(gancio, codice, wParam, lParam);
}

}  // namespace

UINT StileMessaggio(const RichiestaMessaggio& request) {
    UINT stile = request.buttons == Pulsanti::SiNo ? MB_YESNO : MB_OK;
    if (request.icon == Icona::Errore) stile |= MB_ICONERROR;
    if (request.icon == Icona::Avviso) stile |= MB_ICONWARNING;
    if (request.defaultButton == PulsantePredefinito::Secondo) stile |= MB_DEFBUTTON2;
    return stile;
}

Risposta MessaggiWin32::Chiedi(const RichiestaMessaggio& request) {
    const HHOOK prima = gancio;
    gancio = ::SetWindowsHookExW(WH_CBT, AllaApertura, nullptr, ::GetCurrentThreadId());
    const int risposta = ::MessageBoxW(
        proprietario_, Utf16(request.text).c_str(),
        Utf16(request.title.value_or(testi::kTitoloProgramma)).c_str(), StileMessaggio(request));
    if (gancio != nullptr) ::UnhookWindowsHookEx(gancio);
    gancio = prima;
    switch (risposta) {
        case IDYES:
            return Risposta::Si;
        case IDNO:
            return Risposta::No;
        default:
            // A box that could not be shown takes its safe answer: No to a question.
            return request.buttons == Pulsanti::Ok ? Risposta::Ok : Risposta::No;
    }
}

}  // namespace elencario
