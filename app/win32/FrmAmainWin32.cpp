#include "app/win32/FrmAmainWin32.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>

#include "app/Disposizione.h"
#include "app/VociCartella.h"
#include "app/win32/TestoFinestra.h"
#include "printing/ScelteOpzioni.h"
#include "systems/Percorsi.h"
#include "systems/Routines.h"
#include "systems/Testi.h"
#include "systems/Utf16.h"

namespace elencario {

namespace {

constexpr wchar_t kClasse[] = L"frmAmain";
constexpr int kPrimoId = 100;
constexpr int kRisorsaIcona = 1;
constexpr int kRisorsaImmagine = 2;
constexpr COLORREF kGrigio = RGB(192, 192, 192);
constexpr COLORREF kGrigioChiaro = RGB(224, 224, 224);
constexpr COLORREF kVerdeAcqua = RGB(53, 134, 132);
constexpr COLORREF kArancioScuro = RGB(192, 64, 0);
constexpr int kRigheTendina = 8;  // rows an opened drop-down shows

HINSTANCE Istanza() {
    return ::GetModuleHandleW(nullptr);
}

HFONT Carattere(double punti, int dpi) {
    const int altezza = -static_cast<int>(std::lround(punti * dpi / 72.0));
    return ::CreateFontW(altezza, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                         OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                         DEFAULT_PITCH | FF_DONTCARE, Utf16(kCarattereFinestra).c_str());
}

DWORD Stile(const SchedaControllo& c) {
    const DWORD base =
        WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | (PrendeFuoco(c.tipo) ? WS_TABSTOP : 0);
    const DWORD allineamento = c.allineamento == Allineamento::Centro   ? SS_CENTER
                               : c.allineamento == Allineamento::Destra ? SS_RIGHT
                                                                        : SS_LEFT;
    switch (c.tipo) {
        case Tipo::Riquadro:
            return base | BS_GROUPBOX;
        case Tipo::Etichetta:
            return base | allineamento;
        case Tipo::Contatore:
            return base | allineamento | WS_BORDER | SS_NOTIFY;
        case Tipo::Opzione:
            return base | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL;
        case Tipo::Casella:
            return base | BS_AUTOCHECKBOX;
        case Tipo::Pulsante:
            return base | BS_PUSHBUTTON;
        case Tipo::Cartelle:
        case Tipo::File:
            return base | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
        case Tipo::Immagine:
            return base | SS_BITMAP | SS_CENTERIMAGE;
    }
    return base;
}

const wchar_t* Classe(Tipo tipo) {
    switch (tipo) {
        case Tipo::Etichetta:
        case Tipo::Contatore:
        case Tipo::Immagine:
            return L"STATIC";
        case Tipo::Opzione:
            return L"COMBOBOX";
        case Tipo::Cartelle:
        case Tipo::File:
            return L"LISTBOX";
        default:
            return L"BUTTON";
    }
}

void RiempiOpzione(HWND cmb, const ScelteOpzione& scelte) {
    for (const std::string_view voce : scelte.voci)
        ::SendMessageW(cmb, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Utf16(voce).c_str()));
    ::SendMessageW(cmb, CB_SETCURSEL, scelte.iniziale, 0);
}

// A frame draws its border and nothing inside it, and the window, which clips its children,
// paints nothing beneath it: left alone, a frame's inside shows whatever the screen held. So a
// frame fills its inside with its own background. The controls it holds lie above it and are
// clipped out of what it fills.
LRESULT CALLBACK SfondoRiquadro(HWND riquadro, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR pennello) {
    if (msg == WM_ERASEBKGND) {
        RECT r{};
        ::GetClientRect(riquadro, &r);
        ::FillRect(reinterpret_cast<HDC>(wParam), &r, reinterpret_cast<HBRUSH>(pennello));
        return 1;
    }
    if (msg == WM_NCDESTROY) ::RemoveWindowSubclass(riquadro, SfondoRiquadro, 0);
    return ::DefSubclassProc(riquadro, msg, wParam, lParam);
}

std::wstring NomeMostrato(const std::filesystem::path& p) {
    return p.has_filename() ? p.filename().wstring() : p.wstring();
}

}  // namespace

std::unique_ptr<FrmAmainWin32> FrmAmainWin32::Apri(const std::string& cartellaEseguibile,
                                                   ServizioMessaggi& messaggi,
                                                   FabbricaStampante fabbricaStampante, int dpi) {
    std::unique_ptr<FrmAmainWin32> finestra(
        new FrmAmainWin32(messaggi, std::move(fabbricaStampante)));
    if (!finestra->regole_.Avvia(cartellaEseguibile)) return nullptr;
    if (!finestra->Crea(dpi)) return nullptr;
    if (!finestra->ImpostaCartella(finestra->regole_.CartellaIniziale()))
        finestra->regole_.CartellaNonAccessibile();
    finestra->RiempiOpzioni();
    return finestra;
}

FrmAmainWin32::FrmAmainWin32(ServizioMessaggi& messaggi, FabbricaStampante fabbricaStampante)
    : regole_(messaggi, std::move(fabbricaStampante)),
      grigio_(::CreateSolidBrush(kGrigio)),
      grigioChiaro_(::CreateSolidBrush(kGrigioChiaro)) {}

FrmAmainWin32::~FrmAmainWin32() {
    if (hwnd_ != nullptr) {
        esci_ = false;
        ::DestroyWindow(hwnd_);
    }
    for (HFONT f : caratteri_) ::DeleteObject(f);
    if (carattereContatore_ != nullptr) ::DeleteObject(carattereContatore_);
    ::DeleteObject(grigio_);
    ::DeleteObject(grigioChiaro_);
    if (immagine_ != nullptr) ::DeleteObject(immagine_);
    if (icona_ != nullptr) ::DestroyIcon(icona_);
    if (iconaPiccola_ != nullptr) ::DestroyIcon(iconaPiccola_);
}

bool FrmAmainWin32::Crea(int dpi) {
    static const ATOM classe = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = Procedura;
        wc.hInstance = Istanza();
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = kClasse;
        return ::RegisterClassExW(&wc);
    }();
    if (classe == 0) return false;
    hwnd_ = ::CreateWindowExW(
        0, kClasse, Utf16(testi::kCaptionFinestra).c_str(),
        WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN, CW_USEDEFAULT,
        CW_USEDEFAULT, 600, 500, nullptr, nullptr, Istanza(), this);
    if (hwnd_ == nullptr) return false;

    icona_ = static_cast<HICON>(
        ::LoadImageW(Istanza(), MAKEINTRESOURCEW(kRisorsaIcona), IMAGE_ICON, 48, 48, 0));
    iconaPiccola_ = static_cast<HICON>(::LoadImageW(Istanza(), MAKEINTRESOURCEW(kRisorsaIcona),
                                                    IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON),
                                                    ::GetSystemMetrics(SM_CYSMICON), 0));
    ::SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icona_));
    ::SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(iconaPiccola_));
    immagine_ = static_cast<HBITMAP>(
        ::LoadImageW(Istanza(), MAKEINTRESOURCEW(kRisorsaImmagine), IMAGE_BITMAP, 0, 0, 0));

    int id = kPrimoId;
    for (const SchedaControllo& c : Controlli()) {
        const std::wstring testo = c.testo ? Utf16(c.testo) : std::wstring();
        HWND h = ::CreateWindowExW(
            c.tipo == Tipo::Cartelle || c.tipo == Tipo::File ? WS_EX_CLIENTEDGE : 0, Classe(c.tipo),
            c.testo ? testo.c_str() : nullptr, Stile(c), 0, 0, 10, 10, hwnd_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id++)), Istanza(), nullptr);
        if (h == nullptr) return false;
        if (c.tipo == Tipo::Riquadro &&
            !::SetWindowSubclass(h, SfondoRiquadro, 0, reinterpret_cast<DWORD_PTR>(grigio_)))
            return false;
        controlli_[c.nome] = h;
    }
    ::SendMessageW(Controllo("imgLink"), STM_SETIMAGE, IMAGE_BITMAP,
                   reinterpret_cast<LPARAM>(immagine_));

    suggerimento_ =
        ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0,
                          0, 0, hwnd_, nullptr, Istanza(), nullptr);
    TOOLINFOW voceSuggerimento{};
    voceSuggerimento.cbSize = TTTOOLINFOW_V2_SIZE;
    voceSuggerimento.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    voceSuggerimento.hwnd = hwnd_;
    voceSuggerimento.uId = reinterpret_cast<UINT_PTR>(Controllo("lblCatturate"));
    std::wstring nessuno = Utf16(testi::kNessunSistemaCaricato);
    voceSuggerimento.lpszText = nessuno.data();
    ::SendMessageW(suggerimento_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&voceSuggerimento));

    contatore_ = L"0";
    Disponi(dpi != 0 ? dpi : static_cast<int>(::GetDpiForWindow(hwnd_)));
    MostraSistema(regole_.Mostrato());
    return true;
}

void FrmAmainWin32::Disponi(int dpi) {
    dpi_ = dpi;
    for (HFONT f : caratteri_) ::DeleteObject(f);
    caratteri_.clear();
    std::map<double, HFONT> perPunti;
    for (const SchedaControllo& c : Controlli()) {
        HFONT& f = perPunti[c.punti];
        if (f == nullptr) caratteri_.push_back(f = Carattere(c.punti, dpi));
        HWND h = Controllo(c.nome);
        ::SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(f), FALSE);
        const Posto posto = PostoNellaFinestra(c);
        const int altezza = Pixel(c.height, dpi);
        // A drop-down's height is its list's; its closed height follows the field's.
        const int aperta = c.tipo == Tipo::Opzione ? altezza * (kRigheTendina + 1) : altezza;
        ::SetWindowPos(h, nullptr, Pixel(posto.left, dpi), Pixel(posto.top, dpi),
                       Pixel(c.width, dpi), aperta, SWP_NOZORDER | SWP_NOACTIVATE);
        // The field's height sets the closed height, with borders the system adds: adjusted
        // until the two agree. The field's height is kept here, not read back, as wine reads
        // back more than was set.
        auto campo = c.tipo == Tipo::Opzione
                         ? ::SendMessageW(h, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0)
                         : 0;
        for (int prova = 0; c.tipo == Tipo::Opzione && prova < 3; ++prova) {
            RECT r{};
            ::GetWindowRect(h, &r);
            if (r.bottom - r.top == altezza) break;
            campo += altezza - (r.bottom - r.top);
            ::SendMessageW(h, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), campo);
        }
    }
    AdattaContatore();
    RECT areaInterna{}, finestra{};
    ::GetClientRect(hwnd_, &areaInterna);
    ::GetWindowRect(hwnd_, &finestra);
    const int bordoX = (finestra.right - finestra.left) - areaInterna.right;
    const int bordoY = (finestra.bottom - finestra.top) - areaInterna.bottom;
    esterno_ = {Pixel(kLarghezzaFinestra, dpi) + bordoX, Pixel(kAltezzaFinestra, dpi) + bordoY};
    ::SetWindowPos(hwnd_, nullptr, 0, 0, esterno_.x, esterno_.y,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::InvalidateRect(hwnd_, nullptr, TRUE);
}

void FrmAmainWin32::RiempiOpzioni() {
    RiempiOpzione(Controllo("cmbCarattere"), kSceltaCarattere);
    RiempiOpzione(Controllo("cmbGrandezza"), kSceltaGrandezza);
    RiempiOpzione(Controllo("cmbColonneRiga"), kSceltaColonneRiga);
    RiempiOpzione(Controllo("cmbMargine"), kSceltaMargine);
}

HWND FrmAmainWin32::Controllo(const std::string& nome) const {
    const auto trovato = controlli_.find(nome);
    return trovato != controlli_.end() ? trovato->second : nullptr;
}

void FrmAmainWin32::Mostra() {
    RECT r{};
    ::GetWindowRect(hwnd_, &r);
    MONITORINFO schermo{};
    schermo.cbSize = sizeof schermo;
    ::GetMonitorInfoW(::MonitorFromWindow(hwnd_, MONITOR_DEFAULTTONEAREST), &schermo);
    const RECT& area = schermo.rcWork;
    const int w = r.right - r.left, h = r.bottom - r.top;
    ::SetWindowPos(hwnd_, nullptr, area.left + (area.right - area.left - w) / 2,
                   area.top + (area.bottom - area.top - h) / 2, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::ShowWindow(hwnd_, SW_SHOW);
    ::SetForegroundWindow(hwnd_);
    ::SetFocus(Controllo("File1"));
    // The focus is shown from the start, not only once the keyboard has been used.
    ::SendMessageW(hwnd_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
}

LRESULT CALLBACK FrmAmainWin32::Procedura(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* crea = reinterpret_cast<CREATESTRUCTW*>(lParam);
        auto* finestra = static_cast<FrmAmainWin32*>(crea->lpCreateParams);
        finestra->hwnd_ = hwnd;
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(finestra));
    }
    auto* finestra = reinterpret_cast<FrmAmainWin32*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (finestra == nullptr) return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        finestra->hwnd_ = nullptr;
        return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    return finestra->Gestisci(msg, wParam, lParam);
}

LRESULT FrmAmainWin32::Gestisci(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_ERASEBKGND: {
            RECT r{};
            ::GetClientRect(hwnd_, &r);
            ::FillRect(reinterpret_cast<HDC>(wParam), &r, grigio_);
            return 1;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLOREDIT:
            return reinterpret_cast<LRESULT>(
                Colora(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), msg));
        case WM_COMMAND: {
            const auto controllo = reinterpret_cast<HWND>(lParam);
            const WORD codice = HIWORD(wParam);
            if (LOWORD(wParam) == IDOK) {  // Enter, from IsDialogMessageW
                if (::GetFocus() == Controllo("Dir1")) {
                    ApriVoce(
                        static_cast<int>(::SendMessageW(Controllo("Dir1"), LB_GETCURSEL, 0, 0)));
                } else if (::GetFocus() == Controllo("cmdElencario")) {
                    cmdElencario_Click();
                }
            } else if (controllo == Controllo("Dir1") && codice == LBN_DBLCLK) {
                ApriVoce(static_cast<int>(::SendMessageW(controllo, LB_GETCURSEL, 0, 0)));
            } else if (controllo == Controllo("File1") && codice == LBN_SELCHANGE) {
                File1_Click();
            } else if (controllo == Controllo("cmdElencario") && codice == BN_CLICKED) {
                cmdElencario_Click();
            }
            return 0;
        }
        case WM_CLOSE:
            if (regole_.ConfermaUscita()) ::DestroyWindow(hwnd_);
            return 0;
        case WM_DESTROY:
            if (esci_) ::PostQuitMessage(0);
            return 0;
        case WM_GETMINMAXINFO: {
            // A fixed window keeps its size on a screen smaller than it, as a dialog does.
            auto* misure = reinterpret_cast<MINMAXINFO*>(lParam);
            if (esterno_.x > 0) misure->ptMinTrackSize = misure->ptMaxTrackSize = esterno_;
            return 0;
        }
        case WM_DPICHANGED: {
            const RECT* proposto = reinterpret_cast<const RECT*>(lParam);
            Disponi(HIWORD(wParam));
            ::SetWindowPos(hwnd_, nullptr, proposto->left, proposto->top, 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            return 0;
        }
        default:
            return ::DefWindowProcW(hwnd_, msg, wParam, lParam);
    }
}

HBRUSH FrmAmainWin32::Colora(HDC dc, HWND controllo, UINT msg) {
    if (controllo == Controllo("lblCatturate")) {
        ::SetTextColor(dc, kArancioScuro);
        ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
        return ::GetSysColorBrush(COLOR_BTNFACE);
    }
    if (controllo == Controllo("Dir1") || controllo == Controllo("File1")) {
        ::SetTextColor(dc, kVerdeAcqua);
        ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
        return ::GetSysColorBrush(COLOR_WINDOW);
    }
    // The drop-downs' fields and lists.
    if (msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORLISTBOX) {
        ::SetBkColor(dc, kGrigioChiaro);
        return grigioChiaro_;
    }
    ::SetBkColor(dc, kGrigio);
    return grigio_;
}

bool FrmAmainWin32::ImpostaCartella(const std::filesystem::path& cartella) {
    const std::filesystem::path nuova = CartellaNormale(cartella);
    auto voci = VociDi(nuova);
    if (!voci) return false;
    const bool cambiata = nuova != cartella_;
    cartella_ = nuova;
    cartelle_ = std::move(voci->percorsi);
    HWND dir1 = Controllo("Dir1");
    ::SendMessageW(dir1, WM_SETREDRAW, FALSE, 0);
    ::SendMessageW(dir1, LB_RESETCONTENT, 0, 0);
    for (std::size_t i = 0; i < cartelle_.size(); ++i) {
        // Each entry indented by its depth: the chain step by step, the subfolders below it.
        const std::wstring voce =
            std::wstring(2 * std::min(i, voci->catena), L' ') + NomeMostrato(cartelle_[i]);
        ::SendMessageW(dir1, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(voce.c_str()));
    }
    ::SendMessageW(dir1, LB_SETCURSEL, voci->catena - 1, 0);
    ::SendMessageW(dir1, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(dir1, nullptr, TRUE);
    if (cambiata) Dir1_Change();
    return true;
}

void FrmAmainWin32::ApriVoce(int riga) {
    if (riga < 0 || static_cast<std::size_t>(riga) >= cartelle_.size()) return;
    if (ImpostaCartella(cartelle_[static_cast<std::size_t>(riga)])) return;
    // The cursor goes back to the folder still listed, before the message says why.
    const auto listata = std::find(cartelle_.begin(), cartelle_.end(), cartella_);
    if (listata != cartelle_.end())
        ::SendMessageW(Controllo("Dir1"), LB_SETCURSEL,
                       static_cast<WPARAM>(listata - cartelle_.begin()), 0);
    regole_.CartellaNonAccessibile();
}

void FrmAmainWin32::Dir1_Change() {
    cartellaFile_ = cartella_;
    nomi_.clear();
    if (const auto trovati = FileCorrispondenti(cartellaFile_, "*.TXT")) {
        for (const std::filesystem::path& p : *trovati) nomi_.push_back(p.filename());
    }
    HWND file1 = Controllo("File1");
    ::SendMessageW(file1, LB_RESETCONTENT, 0, 0);
    for (const std::filesystem::path& nome : nomi_)
        ::SendMessageW(file1, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(nome.c_str()));
    Evidenzia(regole_.Mostrato().evidenziato);
}

void FrmAmainWin32::File1_Click() {
    const auto riga = ::SendMessageW(Controllo("File1"), LB_GETCURSEL, 0, 0);
    if (riga < 0 || static_cast<std::size_t>(riga) >= nomi_.size()) return;
    regole_.SceltoFile(cartellaFile_, TestoDaPercorso(nomi_[static_cast<std::size_t>(riga)]),
                       [this](const SistemaMostrato& sistema) {
                           MostraSistema(sistema);
                           ::UpdateWindow(Controllo("lblCatturate"));
                       });
}

void FrmAmainWin32::MostraSistema(const SistemaMostrato& sistema) {
    contatore_ = Utf16(sistema.contatore);
    AdattaContatore();
    std::wstring suggerimento = Utf16(sistema.suggerimento);
    TOOLINFOW voceSuggerimento{};
    voceSuggerimento.cbSize = TTTOOLINFOW_V2_SIZE;
    voceSuggerimento.hwnd = hwnd_;
    voceSuggerimento.uId = reinterpret_cast<UINT_PTR>(Controllo("lblCatturate"));
    voceSuggerimento.hinst = Istanza();
    voceSuggerimento.lpszText = suggerimento.data();
    ::SendMessageW(suggerimento_, TTM_UPDATETIPTEXTW, 0,
                   reinterpret_cast<LPARAM>(&voceSuggerimento));
    Evidenzia(sistema.evidenziato);
}

void FrmAmainWin32::Evidenzia(const std::filesystem::path& sistema) {
    WPARAM riga = static_cast<WPARAM>(-1);
    if (!sistema.empty() && CartellaNormale(sistema.parent_path()) == cartellaFile_) {
        const auto trovato = std::find(nomi_.begin(), nomi_.end(), sistema.filename());
        if (trovato != nomi_.end()) riga = static_cast<WPARAM>(trovato - nomi_.begin());
    }
    ::SendMessageW(Controllo("File1"), LB_SETCURSEL, riga, 0);
}

void FrmAmainWin32::AdattaContatore() {
    HWND lbl = Controllo("lblCatturate");
    RECT r{};
    ::GetClientRect(lbl, &r);
    HDC dc = ::GetDC(lbl);
    const double punti = GrandezzaAdattata(9.75, r.right, r.bottom, [&](double p) {
        HFONT f = Carattere(p, dpi_);
        HGDIOBJ prima = ::SelectObject(dc, f);
        SIZE misura{};
        ::GetTextExtentPoint32W(dc, contatore_.c_str(), static_cast<int>(contatore_.size()),
                                &misura);
        ::SelectObject(dc, prima);
        ::DeleteObject(f);
        return std::pair(static_cast<int>(misura.cx), static_cast<int>(misura.cy));
    });
    ::ReleaseDC(lbl, dc);
    if (carattereContatore_ != nullptr) ::DeleteObject(carattereContatore_);
    carattereContatore_ = Carattere(punti, dpi_);
    ::SendMessageW(lbl, WM_SETFONT, reinterpret_cast<WPARAM>(carattereContatore_), FALSE);
    ::SetWindowTextW(lbl, contatore_.c_str());
}

void FrmAmainWin32::cmdElencario_Click() {
    const auto testo = [this](const char* nome) { return Utf8(TestoDi(Controllo(nome))); };
    const auto spuntata = [this](const char* nome) {
        return ::SendMessageW(Controllo(nome), BM_GETCHECK, 0, 0) == BST_CHECKED;
    };
    regole_.Stampa({testo("cmbCarattere"), testo("cmbGrandezza"), testo("cmbColonneRiga"),
                    testo("cmbMargine"), spuntata("chkNomeSistema"), spuntata("chkNumeriInGioco")});
}

}  // namespace elencario
