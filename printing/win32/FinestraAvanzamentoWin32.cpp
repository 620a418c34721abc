#include "printing/win32/FinestraAvanzamentoWin32.h"

#include <commctrl.h>

#include "systems/Testi.h"
#include "systems/Utf16.h"

namespace elencario {

namespace {

using namespace std::chrono_literals;

constexpr auto kMessaggiOgni = 30ms;
constexpr const wchar_t* kClasse = L"ElencarioAvanzamento";
constexpr int kIdAnnulla = 1;

bool DaUtente(UINT m) {
    return (m >= WM_KEYFIRST && m <= WM_KEYLAST) || (m >= WM_MOUSEFIRST && m <= WM_MOUSELAST) ||
           (m >= WM_NCMOUSEMOVE && m <= WM_NCXBUTTONDBLCLK);
}

}  // namespace

FinestraAvanzamentoWin32::FinestraAvanzamentoWin32(std::chrono::milliseconds attesa)
    : attesa_(attesa) {}

FinestraAvanzamentoWin32::~FinestraAvanzamentoWin32() {
    Fine();
}

void FinestraAvanzamentoWin32::Inizio() {
    annullato_ = false;
    pagina_ = pagine_ = 0;
    inizio_ = ultimiMessaggi_ = Orologio::now();
    inCorso_ = true;
}

bool FinestraAvanzamentoWin32::Continua() {
    if (!inCorso_) return !annullato_;
    const auto ora = Orologio::now();
    const bool daMostrare = hwnd_ == nullptr && ora - inizio_ >= attesa_;
    if (daMostrare || ora - ultimiMessaggi_ >= kMessaggiOgni) {
        if (daMostrare) Mostra();
        Consegna();
        ultimiMessaggi_ = Orologio::now();
    }
    return !annullato_;
}

void FinestraAvanzamentoWin32::Pagina(int pagina, int pagine) {
    pagina_ = pagina;
    pagine_ = pagine;
    Aggiorna();
}

void FinestraAvanzamentoWin32::Aggiorna() {
    if (hwnd_ == nullptr || pagine_ == 0) return;
    ::SetWindowTextW(etichetta_, Utf16(testi::PaginaDi(pagina_, pagine_)).c_str());
    ::SendMessageW(barra_, PBM_SETRANGE32, 0, pagine_);
    ::SendMessageW(barra_, PBM_SETPOS, static_cast<WPARAM>(pagina_ - 1), 0);
}

void FinestraAvanzamentoWin32::Consegna() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // The program is asked to end: the job stops, and the loop gets the request back.
            annullato_ = true;
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        const bool nostra = hwnd_ != nullptr && (msg.hwnd == hwnd_ || ::IsChild(hwnd_, msg.hwnd));
        if (DaUtente(msg.message) && !nostra) continue;
        if (nostra && ::IsDialogMessageW(hwnd_, &msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

void FinestraAvanzamentoWin32::Fine() {
    if (!inCorso_) return;
    // Whatever was typed during the job is taken now, and dropped.
    Consegna();
    inCorso_ = false;
    if (hwnd_ != nullptr) {
        // The owner first, so that it is the window activated when the progress goes.
        if (proprietario_ != nullptr) ::EnableWindow(proprietario_, TRUE);
        ::DestroyWindow(hwnd_);
        hwnd_ = nullptr;
    }
    if (carattere_ != nullptr) ::DeleteObject(carattere_);
    carattere_ = nullptr;
}

LRESULT CALLBACK FinestraAvanzamentoWin32::Procedura(HWND hwnd, UINT msg, WPARAM wParam,
                                                     LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        const auto* crea = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(crea->lpCreateParams));
    }
    auto* finestra =
        reinterpret_cast<FinestraAvanzamentoWin32*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (finestra != nullptr) {
        if ((msg == WM_COMMAND && LOWORD(wParam) == kIdAnnulla) || msg == WM_CLOSE) {
            finestra->annullato_ = true;
            return 0;
        }
    }
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

void FinestraAvanzamentoWin32::Mostra() {
    const HINSTANCE istanza = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW classe{};
    classe.cbSize = sizeof classe;
    classe.lpfnWndProc = Procedura;
    classe.hInstance = istanza;
    classe.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    classe.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    classe.lpszClassName = kClasse;
    ::RegisterClassExW(&classe);  // already there from an earlier job: as good

    proprietario_ = ::GetActiveWindow();
    const UINT dpi =
        proprietario_ != nullptr ? ::GetDpiForWindow(proprietario_) : ::GetDpiForSystem();
    const auto px = [dpi](int punti96) { return ::MulDiv(punti96, static_cast<int>(dpi), 96); };
    RECT r{0, 0, px(300), px(124)};
    const DWORD stile = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    ::AdjustWindowRectExForDpi(&r, stile, FALSE, WS_EX_DLGMODALFRAME, dpi);
    RECT sopra{};
    if (proprietario_ == nullptr || !::GetWindowRect(proprietario_, &sopra)) {
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &sopra, 0);
    }
    const int larga = r.right - r.left;
    const int alta = r.bottom - r.top;
    hwnd_ = ::CreateWindowExW(WS_EX_DLGMODALFRAME, kClasse, Utf16(testi::kTitoloProgramma).c_str(),
                              stile, (sopra.left + sopra.right - larga) / 2,
                              (sopra.top + sopra.bottom - alta) / 2, larga, alta, proprietario_,
                              nullptr, istanza, this);
    if (hwnd_ == nullptr) return;  // the job goes on without it

    NONCLIENTMETRICSW metriche{};
    metriche.cbSize = sizeof metriche;
    if (::SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metriche, &metriche, 0, dpi)) {
        carattere_ = ::CreateFontIndirectW(&metriche.lfMessageFont);
    }
    const auto controllo = [&](const wchar_t* classeControllo, const wchar_t* testo, DWORD s, int x,
                               int y, int l, int a, int id) {
        const HWND h = ::CreateWindowExW(
            0, classeControllo, testo, WS_CHILD | WS_VISIBLE | s, px(x), px(y), px(l), px(a), hwnd_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), istanza, nullptr);
        if (carattere_ != nullptr)
            ::SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(carattere_), FALSE);
        return h;
    };
    controllo(L"STATIC", Utf16(testi::kStampaInCorso).c_str(), SS_LEFT, 12, 10, 276, 20, 0);
    etichetta_ = controllo(L"STATIC", L"", SS_LEFT, 12, 32, 276, 20, 0);
    barra_ = controllo(PROGRESS_CLASSW, L"", 0, 12, 56, 276, 16, 0);
    // Not the default button: Enter pressed in the belief that a question is still open must not
    // cancel the job.
    controllo(L"BUTTON", Utf16(testi::kAnnulla).c_str(), WS_TABSTOP | BS_PUSHBUTTON, 204, 86, 84,
              26, kIdAnnulla);
    Aggiorna();
    if (proprietario_ != nullptr) ::EnableWindow(proprietario_, FALSE);
    ::ShowWindow(hwnd_, SW_SHOW);
    ::UpdateWindow(hwnd_);
}

}  // namespace elencario
