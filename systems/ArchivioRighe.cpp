#include "systems/ArchivioRighe.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <stdexcept>

#include "systems/PagineGrandi.h"

namespace elencario {

namespace {

// Offsets are 32-bit: the text of one store, and the count of its rows, stay below 4 GiB
// whatever the limit.
constexpr std::size_t kMaxText = std::numeric_limits<std::uint32_t>::max();

}  // namespace

ArchivioRighe::ArchivioRighe(const ArchivioRighe& altro)
    : fini_(altro.fini_), dimensione_(altro.dimensione_), limite_(altro.limite_) {
    Rialloca(altro.dimensioneTesto_);
    if (altro.dimensioneTesto_ > 0)
        std::memcpy(testo_.get(), altro.testo_.get(), altro.dimensioneTesto_);
    dimensioneTesto_ = altro.dimensioneTesto_;
}

ArchivioRighe& ArchivioRighe::operator=(const ArchivioRighe& altro) {
    if (this != &altro) ArchivioRighe(altro).Swap(*this);
    return *this;
}

void ArchivioRighe::Swap(ArchivioRighe& altro) noexcept {
    std::swap(testo_, altro.testo_);
    std::swap(dimensioneTesto_, altro.dimensioneTesto_);
    std::swap(capacitaTesto_, altro.capacitaTesto_);
    std::swap(fini_, altro.fini_);
    std::swap(prossimaFine_, altro.prossimaFine_);
    std::swap(fineBlocco_, altro.fineBlocco_);
    std::swap(dimensione_, altro.dimensione_);
    std::swap(limite_, altro.limite_);
}

bool ArchivioRighe::operator==(const ArchivioRighe& altro) const {
    if (dimensione_ != altro.dimensione_ || dimensioneTesto_ != altro.dimensioneTesto_)
        return false;
    // Only the offsets of rows count: a block's room past them holds anything.
    for (std::size_t b = 0; (b << kBitBlocco) < dimensione_; ++b) {
        const std::size_t n = std::min(kFiniPerBlocco, dimensione_ - (b << kBitBlocco));
        if (!std::equal(fini_[b].begin(), fini_[b].begin() + static_cast<std::ptrdiff_t>(n),
                        altro.fini_[b].begin())) {
            return false;
        }
    }
    return dimensioneTesto_ == 0 ||
           std::memcmp(testo_.get(), altro.testo_.get(), dimensioneTesto_) == 0;
}

void ArchivioRighe::Rialloca(std::size_t capacity) {
    auto testo = std::make_unique_for_overwrite<char[]>(capacity);
    ConsigliaPagineGrandi(testo.get(), capacity);
    if (dimensioneTesto_ > 0) std::memcpy(testo.get(), testo_.get(), dimensioneTesto_);
    testo_ = std::move(testo);
    capacitaTesto_ = capacity;
}

std::size_t ArchivioRighe::ByteDelleFini() const {
    std::size_t byte = fini_.capacity() * sizeof(fini_[0]);
    for (const auto& blocco : fini_) byte += blocco.capacity() * sizeof(std::uint32_t);
    return byte;
}

bool ArchivioRighe::AggiungiCrescendo(std::string_view riga) {
    const std::size_t nuovoTesto = dimensioneTesto_ + riga.size();
    if (nuovoTesto > kMaxText) return false;
    try {
        if (capacitaTesto_ < nuovoTesto) {
            // Doubling when the limit allows it, growing exactly otherwise.
            const std::size_t altri = ByteDelleFini();
            std::size_t voluto =
                std::min(std::max({nuovoTesto, capacitaTesto_ * 2, std::size_t{256}}), kMaxText);
            if (altri + voluto > limite_) voluto = nuovoTesto;
            if (altri + voluto > limite_) return false;
            Rialloca(voluto);
        }
        const std::size_t blocco = dimensione_ >> kBitBlocco;
        if (blocco == fini_.size()) {
            // A whole block when the limit allows it, else what is left of the limit; the first
            // block starts small for a short system (rows take at least a few bytes each).
            const std::size_t usato = capacitaTesto_ + ByteDelleFini() + sizeof(fini_[0]);
            if (usato > limite_) return false;
            const std::size_t posto = (limite_ - usato) / sizeof(std::uint32_t);
            if (posto == 0) return false;
            const std::size_t primo = std::max(std::size_t{1024}, capacitaTesto_ / 16);
            fini_.emplace_back(
                std::min({blocco == 0 ? primo : kFiniPerBlocco, kFiniPerBlocco, posto}));
        } else if ((dimensione_ & (kFiniPerBlocco - 1)) == fini_[blocco].size()) {
            const std::size_t cresciuto = std::min(kFiniPerBlocco, fini_[blocco].size() * 2);
            const std::size_t altri = (cresciuto - fini_[blocco].size()) * sizeof(std::uint32_t);
            if (capacitaTesto_ + ByteDelleFini() + altri > limite_) return false;
            fini_[blocco].resize(cresciuto);
        }
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) {
        return false;
    }
    // Both fit in what was reserved: nothing below can throw.
    Blocco& ultima = fini_[dimensione_ >> kBitBlocco];
    prossimaFine_ = ultima.data() + (dimensione_ & (kFiniPerBlocco - 1));
    fineBlocco_ = ultima.data() + ultima.size();
    if (!riga.empty()) std::memcpy(testo_.get() + dimensioneTesto_, riga.data(), riga.size());
    Consolida(riga.size());
    return true;
}

void ArchivioRighe::RiservaTesto(std::size_t byte) {
    byte = std::min(byte, kMaxText);
    if (limite_ != kSenzaLimite) byte = std::min(byte, limite_ / 2);  // leave room for the offsets
    try {
        if (byte > capacitaTesto_) Rialloca(byte);
    } catch (const std::exception&) {
        // Only a hint: the rows grow the buffer as they come.
    }
}

void ArchivioRighe::Restringi() {
    try {
        // The text was reserved at about its final size, and the last block of offsets is mostly
        // full: copying them again to save a few percent would cost more time than the memory is
        // worth.
        if (capacitaTesto_ - dimensioneTesto_ > dimensioneTesto_ / 4) Rialloca(dimensioneTesto_);
        prossimaFine_ = fineBlocco_ = nullptr;
        if (!fini_.empty()) {
            Blocco& ultimo = fini_.back();
            ultimo.resize(dimensione_ - ((fini_.size() - 1) << kBitBlocco));
            if ((ultimo.capacity() - ultimo.size()) * sizeof(std::uint32_t) >
                dimensioneTesto_ / 8) {
                ultimo.shrink_to_fit();
            }
        }
        fini_.shrink_to_fit();
    } catch (const std::exception&) {
        // Keeping the spare capacity is harmless.
    }
}

}  // namespace elencario
