// Starts the program named on the command line, waits for its window to show, closes it through
// the frame and answers "Sì" to the exit question, then waits for the program to end. Status 0
// only when all of that happened, each step within a time limit; otherwise a line that says which
// step failed and the program is ended.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

// A visible top-level window of the process with the given class.
HWND FinestraDi(DWORD processo, const wchar_t* classe) {
    for (HWND h = nullptr; (h = ::FindWindowExW(nullptr, h, classe, nullptr)) != nullptr;) {
        DWORD di = 0;
        ::GetWindowThreadProcessId(h, &di);
        if (di == processo && ::IsWindowVisible(h)) return h;
    }
    return nullptr;
}

// The window of `classe` within 30 s; nothing as soon as a box of `invece` shows instead.
HWND Aspetta(DWORD processo, const wchar_t* classe, const wchar_t* invece = nullptr) {
    for (int i = 0; i < 300; ++i, ::Sleep(100)) {
        if (HWND h = FinestraDi(processo, classe)) return h;
        if (invece != nullptr && FinestraDi(processo, invece) != nullptr) return nullptr;
    }
    return nullptr;
}

int Fallito(const PROCESS_INFORMATION& pi, const char* perche) {
    std::fprintf(stderr, "apri-finestra: %s\n", perche);
    ::TerminateProcess(pi.hProcess, 1);
    return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "uso: apri-finestra PROGRAMMA.exe\n");
        return 2;
    }
    std::wstring riga = L"\"" + std::wstring(argv[1]) + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessW(argv[1], riga.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                          &pi)) {
        std::fprintf(stderr, "apri-finestra: il programma non parte (errore %lu)\n",
                     ::GetLastError());
        return 1;
    }
    const HWND finestra = Aspetta(pi.dwProcessId, L"frmAmain", L"#32770");
    if (finestra == nullptr && FinestraDi(pi.dwProcessId, L"#32770") != nullptr)
        return Fallito(pi, "un messaggio al posto della finestra");
    if (finestra == nullptr) return Fallito(pi, "nessuna finestra in 30 s");
    ::PostMessageW(finestra, WM_SYSCOMMAND, SC_CLOSE, 0);
    const HWND domanda = Aspetta(pi.dwProcessId, L"#32770");
    const HWND si_ = domanda != nullptr ? ::GetDlgItem(domanda, IDYES) : nullptr;
    if (si_ == nullptr) return Fallito(pi, "nessuna domanda di uscita con \"S\xC3\xAC\"");
    ::PostMessageW(si_, BM_CLICK, 0, 0);
    if (::WaitForSingleObject(pi.hProcess, 30000) != WAIT_OBJECT_0)
        return Fallito(pi, "il programma non finisce dopo \"S\xC3\xAC\"");
    DWORD stato = 1;
    ::GetExitCodeProcess(pi.hProcess, &stato);
    return stato == 0 ? 0 : Fallito(pi, "il programma finisce con uno stato diverso da 0");
}
