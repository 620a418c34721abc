// The window's progress of a print job: shown only once the job has lasted, with its pages, and
// "Annulla" stopping the job at its next step.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <chrono>

#include "printing/win32/FinestraAvanzamentoWin32.h"

namespace elencario::test {
namespace {

using namespace std::chrono_literals;

TEST(AvanzamentoWin32Test, ShowsThePagesOverTheWindowOnceTheJobHasLastedAndAnnullaStopsIt) {
    FinestraAvanzamentoWin32 breve;
    breve.Inizio();
    breve.Pagina(1, 1);
    EXPECT_TRUE(breve.Continua());
    EXPECT_EQ(breve.Handle(), nullptr);
    breve.Fine();

    const HWND principale = ::CreateWindowExW(0, L"STATIC", L"principale", WS_OVERLAPPEDWINDOW, 0,
                                              0, 400, 300, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(principale, nullptr);
    ::ShowWindow(principale, SW_SHOW);
    ::SetActiveWindow(principale);
    FinestraAvanzamentoWin32 avanzamento(0ms);
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
    ::DestroyWindow(principale);
}

}  // namespace
}  // namespace elencario::test
