// The Windows window driven in-process by messages, as the system would send them: how it maps
// the window's decisions onto its controls; a print job's progress over it; and the real message
// boxes with their Italian buttons.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <memory>
#include <vector>

#include "app/Disposizione.h"
#include "app/RegoleFinestra.h"
#include "app/VociCartella.h"
#include "app/win32/FrmAmainWin32.h"
#include "app/win32/MessaggiWin32.h"
#include "app/win32/TestoFinestra.h"
#include "printing/win32/FinestraAvanzamentoWin32.h"
#include "systems/Testi.h"
#include "systems/Utf16.h"
#include "tests/support/ProgrammaDiProva.h"

namespace elencario::test {
namespace {

namespace fs = std::filesystem;

// The window on a program folder with an accented name, shown.
struct Prova : ProgrammaDiProva {
    Prova() : ProgrammaDiProva("Citt\xC3\xA0") {
        const INITCOMMONCONTROLSEX controlli{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
        ::InitCommonControlsEx(&controlli);
    }
    bool Apri(int dpi = 96) {
        finestra = FrmAmainWin32::Apri(Cartella(), messaggi, Fabbrica(), dpi);
        if (!finestra) ADD_FAILURE() << PrintToString(messaggi.chiesti) << ::GetLastError();
        if (finestra) finestra->Mostra();
        return finestra != nullptr;
    }
    [[nodiscard]] HWND C(const char* nome) const { return finestra->Controllo(nome); }
    // A list's rows (a drop-down's entries), or its selected row alone.
    [[nodiscard]] std::vector<std::wstring> Righe(const char* lista,
                                                  bool selezionata = false) const {
        const bool tendina = std::string_view(lista).starts_with("cmb");
        const auto chiedi = [&](UINT lb, UINT cb, WPARAM w = 0, LPARAM l = 0) {
            return ::SendMessageW(C(lista), tendina ? cb : lb, w, l);
        };
        std::vector<std::wstring> righe;
        for (LRESULT i = 0; i < chiedi(LB_GETCOUNT, CB_GETCOUNT); ++i) {
            wchar_t riga[MAX_PATH] = {};
            chiedi(LB_GETTEXT, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(riga));
            if (!selezionata || i == chiedi(LB_GETCURSEL, CB_GETCURSEL)) righe.emplace_back(riga);
        }
        return righe;
    }
    // The mouse on row `riga` of a list: a click, or a double click.
    void Clic(const char* lista, int riga, bool doppio = false) const {
        RECT r{};
        ::SendMessageW(C(lista), LB_GETITEMRECT, riga, reinterpret_cast<LPARAM>(&r));
        const LPARAM punto = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        ::SendMessageW(C(lista), WM_LBUTTONDOWN, MK_LBUTTON, punto);
        ::SendMessageW(C(lista), WM_LBUTTONUP, 0, punto);
        if (!doppio) return;
        ::SendMessageW(C(lista), WM_LBUTTONDBLCLK, MK_LBUTTON, punto);
        ::SendMessageW(C(lista), WM_LBUTTONUP, 0, punto);
    }
    // A key pressed where the focus is, through the message loop's dialog handling.
    void Tasto(WPARAM tasto) const {
        MSG msg{::GetFocus(), WM_KEYDOWN, tasto, 1, 0, {}};
        if (!::IsDialogMessageW(finestra->Handle(), &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    // The counter's tooltip, from the tooltip window this window owns.
    [[nodiscard]] std::string Suggerimento() const {
        HWND t = nullptr;
        do t = ::FindWindowExW(nullptr, t, TOOLTIPS_CLASSW, nullptr);
        while (t != nullptr && ::GetWindow(t, GW_OWNER) != finestra->Handle());
        wchar_t testo[1024] = {};
        TOOLINFOW voce{};
        voce.cbSize = TTTOOLINFOW_V2_SIZE;
        voce.hwnd = finestra->Handle();
        voce.uId = reinterpret_cast<UINT_PTR>(C("lblCatturate"));
        voce.lpszText = testo;
        ::SendMessageW(t, TTM_GETTEXTW, 1024, reinterpret_cast<LPARAM>(&voce));
        return Utf8(testo);
    }

    std::unique_ptr<FrmAmainWin32> finestra;
};

// What `a` leaves in a device context holding one black pixel when it gets `msg` with `chiede`:
// the text and background colours it sets, the pixel it paints.
std::array<COLORREF, 3> Colori(HWND a, UINT msg, HWND chiede = nullptr) {
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ prima = ::SelectObject(dc, ::CreateBitmap(1, 1, 1, 32, nullptr));
    ::PatBlt(dc, 0, 0, 1, 1, BLACKNESS);
    ::SendMessageW(a, msg, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(chiede));
    const std::array colori{::GetTextColor(dc), ::GetBkColor(dc), ::GetPixel(dc, 0, 0)};
    ::DeleteObject(::SelectObject(dc, prima));
    ::DeleteDC(dc);
    return colori;
}

// The window class and style bits of each kind of control, in the order of Tipo; a label and
// the counter add their alignment.
// clang-format off
constexpr std::pair<const wchar_t*, DWORD> kClassi[] = {
    {L"Button", BS_GROUPBOX}, {L"Static", 0}, {L"Static", WS_BORDER},
    {L"ComboBox", CBS_DROPDOWN | WS_TABSTOP}, {L"Button", BS_AUTOCHECKBOX | WS_TABSTOP},
    {L"Button", BS_PUSHBUTTON | WS_TABSTOP}, {L"ListBox", LBS_NOTIFY | WS_TABSTOP},
    {L"ListBox", LBS_NOTIFY | WS_TABSTOP}, {L"Static", SS_BITMAP | SS_CENTERIMAGE}};
// clang-format on

// At a DPI, the window and each control of the layout table, of its kind, where the table puts it
// scaled, with its caption and font; the colours, the starting values; Tab in the table's order.
class DisposizioneTest : public testing::TestWithParam<int> {};
TEST_P(DisposizioneTest, FixedCentredWindowEachControlWithItsPlaceFontColoursAndTabOrder) {
    const int dpi = GetParam();
    Prova prova;
    ASSERT_TRUE(prova.Apri(dpi));
    const HWND f = prova.finestra->Handle();
    EXPECT_EQ(Utf8(TestoDi(f)), testi::kCaptionFinestra);
    EXPECT_EQ(::GetWindowLongPtrW(f, GWL_STYLE) &
                  (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME | WS_SYSMENU),
              WS_MINIMIZEBOX | WS_SYSMENU);
    EXPECT_NE(::SendMessageW(f, WM_GETICON, ICON_BIG, 0), 0);
    RECT r{};
    ::GetWindowRect(f, &r);
    MONITORINFO schermo{sizeof schermo, {}, {}, 0};
    ::GetMonitorInfoW(::MonitorFromWindow(f, MONITOR_DEFAULTTONEAREST), &schermo);
    EXPECT_LE(std::abs(r.left + r.right - schermo.rcWork.left - schermo.rcWork.right), 1);
    EXPECT_LE(std::abs(r.top + r.bottom - schermo.rcWork.top - schermo.rcWork.bottom), 1);
    EXPECT_EQ(::SendMessageW(prova.C("File1"), WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS, 0);
    ::GetClientRect(f, &r);
    EXPECT_EQ(r.right, Pixel(kLarghezzaFinestra, dpi));
    EXPECT_EQ(r.bottom, Pixel(kAltezzaFinestra, dpi));

    const COLORREF grigio = RGB(192, 192, 192);
    std::vector<const char*> ordine;
    for (const SchedaControllo& c : Controlli()) {
        SCOPED_TRACE(c.nome);
        const HWND h = prova.C(c.nome);
        ASSERT_NE(h, nullptr);
        if (PrendeFuoco(c.tipo)) ordine.push_back(c.nome);
        auto [classeAttesa, stileAtteso] = kClassi[static_cast<int>(c.tipo)];
        if (c.tipo == Tipo::Etichetta || c.tipo == Tipo::Contatore)
            stileAtteso |= c.allineamento == Allineamento::Centro   ? SS_CENTER
                           : c.allineamento == Allineamento::Destra ? SS_RIGHT
                                                                    : SS_LEFT;
        wchar_t classe[32] = {};
        ::GetClassNameW(h, classe, 32);
        EXPECT_STRCASEEQ(Utf8(classe).c_str(), Utf8(classeAttesa).c_str());
        if (c.testo && c.tipo != Tipo::Opzione) {
            EXPECT_EQ(Utf8(TestoDi(h)), c.testo);
        }
        ::GetWindowRect(h, &r);
        ::MapWindowPoints(HWND_DESKTOP, f, reinterpret_cast<POINT*>(&r), 2);
        const Posto posto = PostoNellaFinestra(c);
        EXPECT_EQ(std::vector({r.left, r.top, r.right - r.left, r.bottom - r.top}),
                  std::vector<LONG>({Pixel(posto.left, dpi), Pixel(posto.top, dpi),
                                     Pixel(c.width, dpi), Pixel(c.height, dpi)}));
        const DWORD stile = static_cast<DWORD>(::GetWindowLongPtrW(h, GWL_STYLE));
        EXPECT_EQ(stile & (stileAtteso | WS_TABSTOP | WS_VISIBLE | WS_DISABLED),
                  stileAtteso | WS_VISIBLE);
        // The window clips its children, so a frame's inside is the frame's own to fill.
        EXPECT_TRUE(c.tipo != Tipo::Riquadro || Colori(h, WM_ERASEBKGND)[2] == grigio);
        if (c.tipo == Tipo::Immagine) continue;  // a picture has no font
        LOGFONTW font{};
        ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(h, WM_GETFONT, 0, 0)), sizeof font,
                     &font);
        EXPECT_EQ(std::wstring(font.lfFaceName), L"Segoe UI");
        EXPECT_EQ(std::vector<long>({font.lfHeight, font.lfWeight, font.lfItalic, font.lfUnderline,
                                     font.lfStrikeOut, font.lfCharSet}),
                  std::vector<long>({-std::lround(c.punti * dpi / 72), 400, 0, 0, 0, 0}));
    }

    for (const char* nome : {"Dir1", "File1"})
        EXPECT_EQ(Colori(f, WM_CTLCOLORLISTBOX, prova.C(nome))[0], RGB(53, 134, 132)) << nome;
    const auto contatore = Colori(f, WM_CTLCOLORSTATIC, prova.C("lblCatturate"));
    EXPECT_EQ(std::pair(contatore[0], contatore[1]),
              std::pair(RGB(192, 64, 0), ::GetSysColor(COLOR_BTNFACE)));
    EXPECT_EQ(Colori(f, WM_CTLCOLORSTATIC, prova.C("chkNomeSistema"))[1], grigio);
    EXPECT_EQ(Colori(f, WM_CTLCOLORBTN, prova.C("cmdElencario"))[1], grigio);
    const HWND campo = ::FindWindowExW(prova.C("cmbMargine"), nullptr, L"Edit", nullptr);
    EXPECT_EQ(Colori(f, WM_CTLCOLOREDIT, campo)[1], RGB(224, 224, 224));
    for (const auto& [nome, attese] : Tendine()) {
        std::vector<std::string> offerte;
        for (const std::wstring& voce : prova.Righe(nome)) offerte.push_back(Utf8(voce));
        offerte.push_back(std::to_string(::SendMessageW(prova.C(nome), CB_GETCURSEL, 0, 0)));
        EXPECT_EQ(offerte, attese) << nome;
    }
    EXPECT_EQ(prova.Suggerimento(), testi::kNessunSistemaCaricato);

    ASSERT_EQ(ordine.front(), std::string_view("File1"));
    ordine.push_back(ordine.front());
    for (std::size_t i = 1; i < ordine.size(); ++i) {
        prova.Tasto(VK_TAB);
        const HWND fuoco = ::GetFocus(), atteso = prova.C(ordine[i]);
        EXPECT_TRUE(fuoco != nullptr && (fuoco == atteso || ::IsChild(atteso, fuoco))) << ordine[i];
    }
}
INSTANTIATE_TEST_SUITE_P(Finestra, DisposizioneTest, testing::Values(96, 144),
                         [](const auto& info) { return std::to_string(info.param); });

// Without the systems folder, no window. A click or an arrow key in File1 loads, and the counter,
// its tooltip and the highlight show what is loaded, in its own folder only. Dir1 opens a folder
// by double click and by Enter; a folder gone is refused with the lists kept. The button prints
// with the options as the window holds them. Closing asks the exit question; only Yes closes.
TEST(FinestraWin32Test, ListsLoadFoldersPrintAndClose) {
    Prova prova;
    EXPECT_EQ(FrmAmainWin32::Apri(TestoDaPercorso(prova.provvisoria.path()), prova.messaggi, {}),
              nullptr);
    const std::wstring perche = L"perch\u00E9.txt";
    prova.Scrivi(Utf8(perche), "1 2\r\n3 4\r\n");
    prova.Scrivi("B.TXT", "1 2 3\r\n");
    prova.Scrivi("rotto.txt", "5 6\r\n7 91\r\n");
    for (const char* altro : {"c.dat", "Sotto/perch\xC3\xA9.txt", "Via/b.txt"})
        prova.Scrivi(altro, "1\r\n");
    ASSERT_TRUE(prova.Apri());
    EXPECT_EQ(prova.Righe("File1"), (std::vector<std::wstring>{L"B.TXT", perche, L"rotto.txt"}));
    const auto dir1 = prova.Righe("Dir1");
    ASSERT_GE(dir1.size(), 5U);
    const std::size_t sistemi = dir1.size() - 3;
    const std::wstring rientro(dir1[sistemi].size() - 7, L' ');
    EXPECT_EQ(std::vector(dir1.begin() + static_cast<std::ptrdiff_t>(sistemi), dir1.end()),
              (std::vector<std::wstring>{rientro + L"Sistemi", rientro + L"  Sotto",
                                         rientro + L"  Via"}));
    EXPECT_EQ(prova.Righe("Dir1", true), std::vector{dir1[sistemi]});
    EXPECT_EQ(dir1.front(), L"C:\\");

    const auto caricato = [&](const std::wstring& nome, const wchar_t* conteggio) {
        EXPECT_EQ(TestoDi(prova.C("lblCatturate")), conteggio);
        EXPECT_EQ(prova.Suggerimento(), TestoDaPercorso(prova.sistemi / nome));
        EXPECT_EQ(prova.Righe("File1", true), std::vector{nome});
    };
    prova.Clic("File1", 1);
    caricato(perche, L"2");
    prova.Tasto(VK_UP);
    caricato(L"B.TXT", L"1");
    prova.Tasto(VK_DOWN);
    prova.Tasto(VK_DOWN);
    caricato(perche, L"2");
    EXPECT_EQ(prova.messaggi.chiesti, (std::vector{AvvisoErrore(testi::kNonTrovoSistemi),
                                                   AvvisoErrore("Si è verificato l' errore: 9")}));

    prova.Clic("Dir1", static_cast<int>(sistemi) + 1, true);
    EXPECT_EQ(prova.Righe("File1"), std::vector{perche});
    EXPECT_TRUE(prova.Righe("File1", true).empty());  // the same name in another folder
    EXPECT_EQ(prova.Righe("Dir1", true), std::vector{rientro + L"  Sotto"});
    ::SetFocus(prova.C("Dir1"));
    ::SendMessageW(prova.C("Dir1"), LB_SETCURSEL, sistemi, 0);
    prova.Tasto(VK_RETURN);
    caricato(perche, L"2");

    fs::remove_all(prova.sistemi / "Via");
    prova.Clic("Dir1", static_cast<int>(sistemi) + 2, true);
    EXPECT_EQ(prova.messaggi.chiesti.back(), AvvisoErrore(testi::kCartellaNonAccessibile));
    EXPECT_EQ(prova.Righe("File1").size(), 3U);
    EXPECT_EQ(::SendMessageW(prova.C("Dir1"), LB_GETCURSEL, 0, 0), static_cast<LRESULT>(sistemi));

    // Typed values: a font, and one combination to a line.
    ::SetWindowTextW(prova.C("cmbCarattere"), L"Courier New");
    ::SetWindowTextW(prova.C("cmbColonneRiga"), L"1");
    ::SendMessageW(prova.C("chkNumeriInGioco"), BM_CLICK, 0, 0);
    ::SetFocus(prova.C("cmdElencario"));
    prova.messaggi.chiesti.clear();
    prova.Tasto(VK_RETURN);
    EXPECT_EQ(prova.messaggi.chiesti.size(), 1U);  // printed once, after its question
    ASSERT_TRUE(prova.stampante.DocumentoChiuso());
    EXPECT_EQ(std::vector(prova.stampante.chiamate.begin(), prova.stampante.chiamate.begin() + 2),
              (Lines{"font Courier New", "size 9.000000"}));
    const std::string m(12, ' ');
    EXPECT_EQ(prova.stampante.Elenco(),
              (Lines{"", "", m + "Numeri: 4 - Combinazioni: 2", "", "",
                     m + "IN GIOCO:", m + "01 02 03 04 ", "", "", m + "1 2", m + "3 4"}));
    // The other check box, and a click on the button.
    ::SendMessageW(prova.C("chkNomeSistema"), BM_CLICK, 0, 0);
    ::SendMessageW(prova.C("cmdElencario"), BM_CLICK, 0, 0);
    EXPECT_EQ(prova.stampante.Elenco().at(2),
              m + "PERCH\xC3\x89.TXT -  Numeri: 4 - Combinazioni: 2");

    const HWND f = prova.finestra->Handle();
    prova.messaggi.chiesti.clear();
    prova.messaggi.risposte = {Risposta::No, Risposta::Si};
    ::SendMessageW(f, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(::IsWindowVisible(f));
    ::SendMessageW(f, WM_CLOSE, 0, 0);
    EXPECT_FALSE(::IsWindow(f));
    EXPECT_EQ(prova.messaggi.chiesti, std::vector(2, DomandaUscita()));
}

// The progress of a job: shown over the window only once the job has lasted, with its pages, the
// window disabled meanwhile; "Annulla" stops the job at its next step.
TEST(AvanzamentoWin32Test, ShowsThePagesOverTheWindowOnceTheJobHasLastedAndAnnullaStopsIt) {
    FinestraAvanzamentoWin32 breve;
    breve.Inizio();
    breve.Pagina(1, 1);
    EXPECT_TRUE(breve.Continua());
    EXPECT_EQ(breve.Handle(), nullptr);
    breve.Fine();

    Prova prova;
    ASSERT_TRUE(prova.Apri());
    const HWND principale = prova.finestra->Handle();
    FinestraAvanzamentoWin32 avanzamento(std::chrono::milliseconds(0));
    avanzamento.Inizio();
    avanzamento.Pagina(2, 5);
    ASSERT_TRUE(avanzamento.Continua());
    const HWND finestra = avanzamento.Handle();
    ASSERT_NE(finestra, nullptr);
    EXPECT_EQ(::GetWindow(finestra, GW_OWNER), principale);
    EXPECT_FALSE(::IsWindowEnabled(principale));
    EXPECT_NE(::FindWindowExW(finestra, nullptr, L"Static", L"Stampa in corso\u2026"), nullptr);
    EXPECT_NE(::FindWindowExW(finestra, nullptr, L"Static", L"Pagina 2 di 5"), nullptr);
    const HWND barra = ::FindWindowExW(finestra, nullptr, PROGRESS_CLASSW, nullptr);
    EXPECT_EQ(::SendMessageW(barra, PBM_GETPOS, 0, 0), 1);
    EXPECT_EQ(::SendMessageW(barra, PBM_GETRANGE, FALSE, 0), 5);

    avanzamento.Pagina(3, 5);
    EXPECT_NE(::FindWindowExW(finestra, nullptr, L"Static", L"Pagina 3 di 5"), nullptr);
    EXPECT_TRUE(avanzamento.Continua());
    ::SendMessageW(::FindWindowExW(finestra, nullptr, L"Button", L"Annulla"), BM_CLICK, 0, 0);
    EXPECT_FALSE(avanzamento.Continua());
    avanzamento.Fine();
    EXPECT_FALSE(::IsWindow(finestra));
    EXPECT_TRUE(::IsWindowEnabled(principale));
}

// The real boxes, answered by a click on a button as they stand open: their flag word, then
// title|text|buttons as shown, the default one marked *.
struct Scatola {
    const char* nome;
    RichiestaMessaggio richiesta;
    UINT stile;
    const wchar_t* pulsanti;
    int premuto;
    Risposta risposta;
};
std::wstring gVista;  // what the timer saw of the open box
int gPremere = 0;

class MessaggiWin32Test : public testing::TestWithParam<Scatola> {};
TEST_P(MessaggiWin32Test, TheBoxShowsItsTextTitleAndItalianButtonsAndAnswersThePressedOne) {
    const Scatola& s = GetParam();
    EXPECT_EQ(StileMessaggio(s.richiesta), s.stile);
    gVista.clear();
    gPremere = s.premuto;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR, DWORD) {
        const HWND scatola = ::FindWindowW(L"#32770", nullptr);
        if (scatola == nullptr || !gVista.empty()) return;
        gVista = TestoDi(scatola) + L'|' + TestoDi(::GetDlgItem(scatola, 0xFFFF)) + L'|';
        for (const int id : {IDOK, IDYES, IDNO}) {
            const HWND b = ::GetDlgItem(scatola, id);
            const bool predefinito =
                (::GetWindowLongPtrW(b, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
            if (b != nullptr) gVista += TestoDi(b) + (predefinito ? L"* " : L" ");
        }
        // A missing button ends the box all the same: a fault fails the test, not hangs it.
        if (const HWND b = ::GetDlgItem(scatola, gPremere))
            ::SendMessageW(b, BM_CLICK, 0, 0);
        else
            ::EndDialog(scatola, IDCANCEL);
    });
    EXPECT_EQ(MessaggiWin32().Chiedi(s.richiesta), s.risposta);
    ::KillTimer(nullptr, timer);
    EXPECT_EQ(gVista, Utf16(s.richiesta.titolo.value_or(testi::kTitoloProgramma)) + L'|' +
                          Utf16(s.richiesta.testo) + L'|' + s.pulsanti);
}
// clang-format off
INSTANTIATE_TEST_SUITE_P(Scatole, MessaggiWin32Test, testing::Values(
    Scatola{"Errore", AvvisoErrore(testi::kNonTrovoSistemi), MB_OK | MB_ICONERROR, L"OK* ",
            IDOK, Risposta::Ok},
    Scatola{"ConfermaStampa", {testi::kConfermiStampa, Pulsanti::SiNo, Icona::Nessuna,
            PulsantePredefinito::Primo, {}}, MB_YESNO, L"S\u00EC* No ", IDYES, Risposta::Si},
    Scatola{"Uscita", DomandaUscita(), 308, L"S\u00EC No* ", IDNO, Risposta::No}),
    NomeRiga);
// clang-format on

}  // namespace
}  // namespace elencario::test
