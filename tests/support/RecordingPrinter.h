#pragma once

#include <new>
#include <string>
#include <vector>

#include "printing/TextPrinter.h"

namespace elencario::test {

// How a recording printer fails: after `dopo` calls (negative: never) each gives `stato`, or
// throws std::bad_alloc when `lancia`.
struct Guasto {
    int dopo = -1;
    PrinterStatus stato = PrinterStatus::PrintError;
    bool lancia = false;
    PrinterStatus prepara = PrinterStatus::Ok;
    Spazio spazio = Spazio::Ok;  // the answer to the room check
    const char* errore = "";
};

// A printer that keeps every call in order ("font Segoe UI", "size 9.000000", "line TEXT",
// "stay TEXT", "end", "document") and the rows the room check was given. Given away, it hands
// its calls on to `erede` when it goes.
struct RecordingPrinter final : TextPrinter {
    explicit RecordingPrinter(Guasto g = {}, RecordingPrinter* e = nullptr) : guasto(g), erede(e) {}
    ~RecordingPrinter() override {
        if (erede) erede->calls = calls;
    }
    PrinterStatus Prepare() override { return guasto.prepara; }
    Spazio VerificaSpazio(int, const RigheCandidate& righe) override {
        candidati = righe();
        return guasto.spazio;
    }
    std::string Errore() const override { return guasto.errore; }
    PrinterStatus SetFontName(const std::string& name) override { return Record("font ", name); }
    PrinterStatus SetFontSize(float p) override { return Record("size ", std::to_string(p)); }
    PrinterStatus PrintAndEndLine(std::string_view t) override { return Record("line ", t); }
    PrinterStatus PrintAndStay(std::string_view t) override { return Record("stay ", t); }
    PrinterStatus EndLine() override { return Record("end"); }
    PrinterStatus EndDocument() override { return Record("document"); }
    PrinterStatus Record(std::string_view call, std::string_view text = {}) {
        if (guasto.dopo == 0) return guasto.lancia ? throw std::bad_alloc() : guasto.stato;
        if (guasto.dopo > 0) --guasto.dopo;
        calls.push_back(std::string(call).append(text));
        return PrinterStatus::Ok;
    }
    [[nodiscard]] bool DocumentEnded() const {
        return !calls.empty() && calls.back() == "document";
    }
    // The printed lines.
    [[nodiscard]] std::vector<std::string> Listing() const {
        std::vector<std::string> righe{""};
        for (const std::string& c : calls) {
            if (c.starts_with("line ") || c.starts_with("stay ")) righe.back() += c.substr(5);
            if (c.starts_with("line ") || c == "end") righe.emplace_back();
        }
        if (righe.back().empty()) righe.pop_back();
        return righe;
    }

    Guasto guasto;
    RecordingPrinter* erede;
    std::vector<std::string> calls, candidati;
};

}  // namespace elencario::test
