#pragma once

// The program's only window in the Win32 API, the same window as the Qt one: the controls of
// Disposizione.h scaled to the window's DPI, the folder list Dir1 and the file list File1 on the
// systems folder, the four print options, and four handlers that hand their events to
// RegoleFinestra (Dir1 opened by a double click or Enter, File1 chosen by a click or a keyboard
// move, the print button, the close request). The message loop must pass its messages through
// IsDialogMessageW for the keyboard order.

#include <windows.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/RegoleFinestra.h"

namespace elencario {

class FrmAmainWin32 {
  public:
    // The window started on the systems folder beside `cartellaEseguibile`, laid out for `dpi`
    // (0: the window's own), not yet shown; nothing, after the refusal message, when the folder
    // is missing.
    [[nodiscard]] static std::unique_ptr<FrmAmainWin32> Apri(const std::string& cartellaEseguibile,
                                                             ServizioMessaggi& messaggi,
                                                             FabbricaStampante fabbricaStampante,
                                                             int dpi = 0);
    ~FrmAmainWin32();
    FrmAmainWin32(const FrmAmainWin32&) = delete;
    FrmAmainWin32& operator=(const FrmAmainWin32&) = delete;

    [[nodiscard]] HWND Handle() const { return hwnd_; }
    // The control named as the program names it ("Dir1", "Label1#2"), nullptr when none is.
    [[nodiscard]] HWND Controllo(const std::string& nome) const;
    [[nodiscard]] const VARIABILI& Variabili() const { return regole_.Variabili(); }
    [[nodiscard]] const std::filesystem::path& CartellaDir1() const { return cartella_; }
    // Shows the window centred on its screen, the focus in File1.
    void Mostra();
    // The window's end ends the message loop.
    void EsciAllaChiusura() { esci_ = true; }

  private:
    FrmAmainWin32(ServizioMessaggi& messaggi, FabbricaStampante fabbricaStampante);

    static LRESULT CALLBACK Procedura(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Gestisci(UINT msg, WPARAM wParam, LPARAM lParam);
    bool Crea(int dpi);
    void Disponi(int dpi);
    void RiempiOpzioni();
    HBRUSH Colora(HDC dc, HWND controllo, UINT msg);

    bool ImpostaCartella(const std::filesystem::path& cartella);
    void ApriVoce(int riga);
    void Dir1_Change();
    void File1_Click();
    void cmdElencario_Click();
    void MostraSistema(const SistemaMostrato& sistema);
    void Evidenzia(const std::filesystem::path& sistema);
    void AdattaContatore();

    RegoleFinestra regole_;
    HWND hwnd_ = nullptr;
    HWND suggerimento_ = nullptr;
    std::map<std::string, HWND> controlli_;
    std::vector<HFONT> caratteri_;  // one for each font size, at the window's DPI
    HBRUSH grigio_ = nullptr, grigioChiaro_ = nullptr;
    HFONT carattereContatore_ = nullptr;
    HBITMAP immagine_ = nullptr;
    HICON icona_ = nullptr, iconaPiccola_ = nullptr;
    int dpi_ = 96;
    POINT esterno_{};  // the window's outer size at its DPI
    bool esci_ = false;
    std::filesystem::path cartella_;               // Dir1's current folder
    std::vector<std::filesystem::path> cartelle_;  // the folder of each Dir1 row
    std::filesystem::path cartellaFile_;           // the folder File1 lists
    std::vector<std::filesystem::path> nomi_;      // the file name of each File1 row
    std::wstring contatore_;                       // the counter's text, refitted on a DPI change
};

}  // namespace elencario
