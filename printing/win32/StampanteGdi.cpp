#include "printing/win32/StampanteGdi.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cwchar>
#include <limits>
#include <vector>

#include "systems/Testi.h"
#include "systems/Utf16.h"

namespace elencario {

namespace {

using enum StatoStampa;

// How long a job that writes a file may stay in the queue with nothing changing.
constexpr auto kAttesaFile = std::chrono::seconds(60);
constexpr DWORD kBloccato = JOB_STATUS_ERROR | JOB_STATUS_OFFLINE | JOB_STATUS_PAPEROUT |
                            JOB_STATUS_USER_INTERVENTION | JOB_STATUS_BLOCKED_DEVQ |
                            JOB_STATUS_DELETING | JOB_STATUS_DELETED | JOB_STATUS_PAUSED;

}  // namespace

std::wstring StampantePredefinitaGdi() {
    DWORD n = 0;
    ::GetDefaultPrinterW(nullptr, &n);
    if (n == 0) return {};
    std::wstring nome(n, L'\0');
    if (!::GetDefaultPrinterW(nome.data(), &n)) return {};
    nome.resize(std::wcslen(nome.c_str()));
    return nome;
}

StampanteGdi::StampanteGdi(std::wstring stampante, std::wstring fileUscita)
    : stampante_(std::move(stampante)), fileUscita_(std::move(fileUscita)) {}

StampanteGdi::~StampanteGdi() {
    Abbandona();
    LasciaCarattere();
    if (dc_ != nullptr) ::DeleteDC(dc_);
}

StatoStampa StampanteGdi::Prepara(const std::function<bool()>& continua) {
    if (stampante_.empty()) {
        stampante_ = StampantePredefinitaGdi();
        if (stampante_.empty()) return SenzaStampante;
    } else {
        HANDLE h = nullptr;
        if (!::OpenPrinterW(stampante_.data(), &h, nullptr)) {
            errore_ = testi::StampanteNonInstallata(Utf8(stampante_), !fileUscita_.empty());
            return SenzaStampante;
        }
        ::ClosePrinter(h);
    }
    dc_ = ::CreateDCW(L"WINSPOOL", stampante_.c_str(), nullptr, nullptr);
    if (dc_ == nullptr) return Fallita;
    ::SetBkMode(dc_, TRANSPARENT);
    ::SetTextAlign(dc_, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    return continua() ? Ok : Interrotta;
}

void StampanteGdi::LasciaCarattere() noexcept {
    if (carattere_ == nullptr) return;
    ::SelectObject(dc_, precedente_);
    ::DeleteObject(carattere_);
    carattere_ = nullptr;
}

void StampanteGdi::Carattere(const std::string& nome, float punti) {
    LasciaCarattere();
    if (punti > 0) punti_ = punti;
    LOGFONTW lf{};
    // Points on the printer's own resolution; a negative height asks for the character height.
    const double pixel = std::ceil(punti_ * ::GetDeviceCaps(dc_, LOGPIXELSY) / 72.0 - 0.5);
    lf.lfHeight = -static_cast<LONG>(std::min(pixel, 1e9));
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfOutPrecision = OUT_TT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    const std::wstring nomeLargo = Utf16(nome);
    std::wcsncpy(lf.lfFaceName, nomeLargo.c_str(), LF_FACESIZE - 1);
    carattere_ = ::CreateFontIndirectW(&lf);
    if (carattere_ == nullptr) {
        guasto_ = true;
        return;
    }
    precedente_ = ::SelectObject(dc_, carattere_);
}

MisurePagina StampanteGdi::Misure() {
    TEXTMETRICW tm{};
    if (!::GetTextMetricsW(dc_, &tm)) guasto_ = true;
    MisurePagina m{static_cast<double>(::GetDeviceCaps(dc_, HORZRES)),
                   static_cast<double>(::GetDeviceCaps(dc_, VERTRES)),
                   static_cast<double>(tm.tmHeight + tm.tmExternalLeading),
                   static_cast<double>(tm.tmHeight)};
    // A size the font engine does not render comes back as a far smaller font, or none: no page
    // takes it.
    const double pixel = punti_ * ::GetDeviceCaps(dc_, LOGPIXELSY) / 72.0;
    if (carattere_ == nullptr || pixel > m.altezza || tm.tmHeight < pixel / 2) {
        m.altezzaRiga = std::numeric_limits<double>::infinity();
    }
    return m;
}

double StampanteGdi::Larghezza(std::string_view testo) {
    const std::wstring largo = Utf16(testo);
    if (largo.empty()) return 0;
    SIZE s{};
    if (!::GetTextExtentPoint32W(dc_, largo.data(), static_cast<int>(largo.size()), &s)) {
        // The job fails as it starts, rather than laid out on widths that are not known.
        guasto_ = true;
        return 0;
    }
    return s.cx;
}

StatoStampa StampanteGdi::Inizia() {
    if (guasto_) return Fallita;
    DOCINFOW documento{};
    documento.cbSize = sizeof documento;
    const std::wstring nomeDocumento = Utf16(testi::kNomeLavoro);
    documento.lpszDocName = nomeDocumento.c_str();
    documento.lpszOutput = fileUscita_.empty() ? nullptr : fileUscita_.c_str();
    lavoro_ = ::StartDocW(dc_, &documento);
    if (lavoro_ <= 0) return Fallita;
    documento_ = true;
    if (::StartPage(dc_) <= 0) return Fallita;
    pagina_ = true;
    return Ok;
}

StatoStampa StampanteGdi::Disegna(double alto, std::string_view testo) {
    const std::wstring largo = Utf16(testo);
    const bool fatto = ::TextOutW(dc_, 0, static_cast<int>(std::lround(alto)), largo.data(),
                                  static_cast<int>(largo.size()));
    return fatto ? Ok : Fallita;
}

StatoStampa StampanteGdi::NuovaPagina() {
    pagina_ = false;
    // A job cancelled in the spooler, or a spooler gone, fails the end of the page.
    if (::EndPage(dc_) <= 0 || ::StartPage(dc_) <= 0) return Fallita;
    pagina_ = true;
    return Ok;
}

StatoStampa StampanteGdi::Termina(const std::function<bool()>& continua) {
    if (pagina_) {
        pagina_ = false;
        if (::EndPage(dc_) <= 0) return Fallita;
    }
    if (!continua()) return Interrotta;
    if (::EndDoc(dc_) <= 0) return Fallita;
    documento_ = false;
    return fileUscita_.empty() ? Ok : AttendiFile(continua);
}

StatoStampa StampanteGdi::AttendiFile(const std::function<bool()>& continua) {
    // The spooler writes the file after EndDoc: it is whole once the job has left the queue, or
    // the queue keeps it as printed.
    HANDLE h = nullptr;
    if (!::OpenPrinterW(stampante_.data(), &h, nullptr)) return Fallita;
    const auto lavoro = static_cast<DWORD>(lavoro_);
    StatoStampa stato = Ok;
    DWORD statoVisto = 0;
    DWORD pagineViste = 0;
    auto cambiato = std::chrono::steady_clock::now();
    for (;;) {
        DWORD n = 0;
        ::GetJobW(h, lavoro, 1, nullptr, 0, &n);
        if (n == 0) break;  // no longer in the queue
        std::vector<BYTE> dati(n);
        if (!::GetJobW(h, lavoro, 1, dati.data(), n, &n)) break;
        const auto& info = *reinterpret_cast<const JOB_INFO_1W*>(dati.data());
        if ((info.Status & (JOB_STATUS_PRINTED | JOB_STATUS_COMPLETE)) != 0) break;
        const auto adesso = std::chrono::steady_clock::now();
        if (info.Status != statoVisto || info.PagesPrinted != pagineViste) {
            statoVisto = info.Status;
            pagineViste = info.PagesPrinted;
            cambiato = adesso;
        }
        // A job that cannot go on, or goes nowhere for too long, is withdrawn rather than waited
        // for without end.
        if ((info.Status & kBloccato) != 0 || adesso - cambiato > kAttesaFile) {
            stato = Fallita;
        } else if (!continua()) {
            stato = Interrotta;
        }
        if (stato != Ok) {
            ::SetJobW(h, lavoro, 0, nullptr, JOB_CONTROL_DELETE);
            break;
        }
        ::Sleep(100);
    }
    ::ClosePrinter(h);
    return stato;
}

void StampanteGdi::Abbandona() noexcept {
    if (!documento_) return;
    ::AbortDoc(dc_);
    documento_ = false;
    pagina_ = false;
}

}  // namespace elencario
