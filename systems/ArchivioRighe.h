#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include "systems/PagineGrandi.h"

namespace elencario {

// Allocates blocks of a large page or more on large-page boundaries, where the system can back
// them with large pages: a few faults instead of hundreds per block.
template <class T>
struct AllocatoreBlocchi {
    using value_type = T;
    static constexpr std::size_t kPaginaGrande = std::size_t{2} << 20;

    AllocatoreBlocchi() = default;
    template <class U>
    explicit AllocatoreBlocchi(const AllocatoreBlocchi<U>&) {}

    T* allocate(std::size_t n) {
        const std::size_t byte = n * sizeof(T);
        if (byte < kPaginaGrande) return static_cast<T*>(::operator new(byte));
        void* blocco = ::operator new (byte, std::align_val_t{kPaginaGrande});
        ConsigliaPagineGrandi(static_cast<char*>(blocco), byte);
        return static_cast<T*>(blocco);
    }
    // Offsets are written before they are read: sizing a block leaves them as they are, with no
    // pass that zeroes megabytes the system has just zeroed.
    template <class U>
    void construct(U* p) noexcept {
        ::new (static_cast<void*>(p)) U;
    }
    template <class U, class... A>
    void construct(U* p, A&&... a) {
        ::new (static_cast<void*>(p)) U(std::forward<A>(a)...);
    }
    void deallocate(T* p, std::size_t n) {
        if (n * sizeof(T) < kPaginaGrande) {
            ::operator delete(p);
        } else {
            ::operator delete (p, std::align_val_t{kPaginaGrande});
        }
    }
    bool operator==(const AllocatoreBlocchi&) const = default;
};

// The rows of a loaded system, held compactly: all row texts back to back in one buffer plus
// the end offset of each row. The offsets sit in blocks of fixed size, so that growing never
// copies them; millions of rows cost one allocation for text and one per block of offsets.
class ArchivioRighe {
  public:
    static constexpr std::size_t kSenzaLimite = std::numeric_limits<std::size_t>::max();

    ArchivioRighe() = default;
    // `limiteByte` bounds the memory the store may take (text plus offsets).
    explicit ArchivioRighe(std::size_t limiteByte) : limite_(limiteByte) {}
    ArchivioRighe(const ArchivioRighe& altro);
    ArchivioRighe& operator=(const ArchivioRighe& altro);
    ArchivioRighe(ArchivioRighe&& altro) noexcept { Swap(altro); }
    ArchivioRighe& operator=(ArchivioRighe&& altro) noexcept {
        ArchivioRighe(std::move(altro)).Swap(*this);
        return *this;
    }

    // Appends one row; false when the store would pass its limit or memory runs out.
    [[nodiscard]] bool AggiungiRiga(std::string_view riga) {
        char* posto = PostoPer(riga.size());
        if (posto == nullptr) return AggiungiCrescendo(riga);
        if (!riga.empty()) std::memcpy(posto, riga.data(), riga.size());
        Consolida(riga.size());
        return true;
    }
    // Room to write the next row in place, up to `byte` long, without growing; nullptr when
    // there is none (Append grows the store).
    [[nodiscard]] char* PostoPer(std::size_t byte) {
        if (capacitaTesto_ - dimensioneTesto_ < byte || prossimaFine_ == fineBlocco_)
            return nullptr;
        return testo_.get() + dimensioneTesto_;
    }
    // Ends the row written in the room PostoPer gave: its first `byte` bytes.
    void Consolida(std::size_t byte) {
        dimensioneTesto_ += byte;
        *prossimaFine_++ = static_cast<std::uint32_t>(dimensioneTesto_);
        ++dimensione_;
    }
    // The room the store has without growing, to append many rows through plain pointers in a
    // tight loop. Each row's text goes at `testo` and its end offset (from `base`) at `fine`.
    // Riprendi hands the rows back before any other use of the store.
    struct Coda {
        char* testo;
        char* fineTesto;
        std::uint32_t* fine;
        std::uint32_t* fineFini;
        const char* base;
    };
    [[nodiscard]] Coda Accoda() {
        return {testo_.get() + dimensioneTesto_, testo_.get() + capacitaTesto_, prossimaFine_,
                fineBlocco_, testo_.get()};
    }
    void Riprendi(const Coda& coda) {
        dimensione_ += static_cast<std::size_t>(coda.fine - prossimaFine_);
        prossimaFine_ = coda.fine;
        dimensioneTesto_ = static_cast<std::size_t>(coda.testo - coda.base);
    }
    // Pre-allocates room for this much row text, within the limit.
    void RiservaTesto(std::size_t byte);
    // Drops spare capacity once loading is over.
    void Restringi();

    [[nodiscard]] std::size_t size() const { return dimensione_; }
    [[nodiscard]] bool empty() const { return dimensione_ == 0; }
    // Row i, counted from 0.
    [[nodiscard]] std::string_view operator[](std::size_t i) const {
        const std::size_t begin = i == 0 ? 0 : End(i - 1);
        return {testo_.get() + begin, End(i) - begin};
    }
    // Calls `f` with each row in order while it returns true; cheaper than indexing each row.
    template <class F>
    void PerOgni(F&& f) const {
        std::size_t inizio = 0;
        for (std::size_t b = 0; b < fini_.size(); ++b) {
            const std::uint32_t* fini = fini_[b].data();
            const std::size_t n = std::min(kFiniPerBlocco, dimensione_ - (b << kBitBlocco));
            for (std::size_t k = 0; k < n; ++k) {
                if (!f(std::string_view(testo_.get() + inizio, fini[k] - inizio))) return;
                inizio = fini[k];
            }
        }
    }
    // Bytes held on the heap, spare capacity included.
    [[nodiscard]] std::size_t ByteInMemoria() const { return capacitaTesto_ + ByteDelleFini(); }

    bool operator==(const ArchivioRighe& altro) const;

  private:
    using Blocco = std::vector<std::uint32_t, AllocatoreBlocchi<std::uint32_t>>;
    // A full block of offsets is one large page.
    static constexpr unsigned kBitBlocco = 19;
    static constexpr std::size_t kFiniPerBlocco = std::size_t{1}
                                                  << kBitBlocco;  // offsets per block

    [[nodiscard]] std::size_t End(std::size_t i) const {
        return fini_[i >> kBitBlocco][i & (kFiniPerBlocco - 1)];
    }
    bool AggiungiCrescendo(std::string_view riga);
    // Moves the text to a buffer of `capacity` bytes (at least its size).
    void Rialloca(std::size_t capacity);
    [[nodiscard]] std::size_t ByteDelleFini() const;
    void Swap(ArchivioRighe& altro) noexcept;

    // The text is a plain buffer, not a string: rows are written into it in place, and nothing
    // zero-fills the room before they are.
    std::unique_ptr<char[]> testo_;
    std::size_t dimensioneTesto_ = 0;
    std::size_t capacitaTesto_ = 0;
    // Blocks are sized in full ahead of the rows (the last one holds only `dimensione_` ones once
    // loading is over), so that storing an offset is a plain write.
    std::vector<Blocco> fini_;
    // Where the next row's offset goes in the last block, and that block's end: both null when
    // the next row needs AggiungiCrescendo.
    std::uint32_t* prossimaFine_ = nullptr;
    std::uint32_t* fineBlocco_ = nullptr;
    std::size_t dimensione_ = 0;
    std::size_t limite_ = kSenzaLimite;
};

}  // namespace elencario
