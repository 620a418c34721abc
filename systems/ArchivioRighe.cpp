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

ArchivioRighe::ArchivioRighe(const ArchivioRighe& other)
    : ends_(other.ends_), size_(other.size_), limit_(other.limit_) {
    Rialloca(other.textSize_);
    if (other.textSize_ > 0) std::memcpy(text_.get(), other.text_.get(), other.textSize_);
    textSize_ = other.textSize_;
}

ArchivioRighe& ArchivioRighe::operator=(const ArchivioRighe& other) {
    if (this != &other) ArchivioRighe(other).Swap(*this);
    return *this;
}

void ArchivioRighe::Swap(ArchivioRighe& other) noexcept {
    std::swap(text_, other.text_);
    std::swap(textSize_, other.textSize_);
    std::swap(textCapacity_, other.textCapacity_);
    std::swap(ends_, other.ends_);
    std::swap(nextEnd_, other.nextEnd_);
    std::swap(blockEnd_, other.blockEnd_);
    std::swap(size_, other.size_);
    std::swap(limit_, other.limit_);
}

bool ArchivioRighe::operator==(const ArchivioRighe& other) const {
    if (size_ != other.size_ || textSize_ != other.textSize_) return false;
    // Only the offsets of rows count: a block's room past them holds anything.
    for (std::size_t b = 0; (b << kBitBlocco) < size_; ++b) {
        const std::size_t n = std::min(kFiniPerBlocco, size_ - (b << kBitBlocco));
        if (!std::equal(ends_[b].begin(), ends_[b].begin() + static_cast<std::ptrdiff_t>(n),
                        other.ends_[b].begin())) {
            return false;
        }
    }
    return textSize_ == 0 || std::memcmp(text_.get(), other.text_.get(), textSize_) == 0;
}

void ArchivioRighe::Rialloca(std::size_t capacity) {
    auto text = std::make_unique_for_overwrite<char[]>(capacity);
    ConsigliaPagineGrandi(text.get(), capacity);
    if (textSize_ > 0) std::memcpy(text.get(), text_.get(), textSize_);
    text_ = std::move(text);
    textCapacity_ = capacity;
}

std::size_t ArchivioRighe::ByteDelleFini() const {
    std::size_t bytes = ends_.capacity() * sizeof(ends_[0]);
    for (const auto& block : ends_) bytes += block.capacity() * sizeof(std::uint32_t);
    return bytes;
}

bool ArchivioRighe::AggiungiCrescendo(std::string_view row) {
    const std::size_t newText = textSize_ + row.size();
    if (newText > kMaxText) return false;
    try {
        if (textCapacity_ < newText) {
            // Doubling when the limit allows it, growing exactly otherwise.
            const std::size_t others = ByteDelleFini();
            std::size_t wanted =
                std::min(std::max({newText, textCapacity_ * 2, std::size_t{256}}), kMaxText);
            if (others + wanted > limit_) wanted = newText;
            if (others + wanted > limit_) return false;
            Rialloca(wanted);
        }
        const std::size_t block = size_ >> kBitBlocco;
        if (block == ends_.size()) {
            // A whole block when the limit allows it, else what is left of the limit; the first
            // block starts small for a short system (rows take at least a few bytes each).
            const std::size_t used = textCapacity_ + ByteDelleFini() + sizeof(ends_[0]);
            if (used > limit_) return false;
            const std::size_t room = (limit_ - used) / sizeof(std::uint32_t);
            if (room == 0) return false;
            const std::size_t primo = std::max(std::size_t{1024}, textCapacity_ / 16);
            ends_.emplace_back(
                std::min({block == 0 ? primo : kFiniPerBlocco, kFiniPerBlocco, room}));
        } else if ((size_ & (kFiniPerBlocco - 1)) == ends_[block].size()) {
            const std::size_t grown = std::min(kFiniPerBlocco, ends_[block].size() * 2);
            const std::size_t more = (grown - ends_[block].size()) * sizeof(std::uint32_t);
            if (textCapacity_ + ByteDelleFini() + more > limit_) return false;
            ends_[block].resize(grown);
        }
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) {
        return false;
    }
    // Both fit in what was reserved: nothing below can throw.
    Blocco& last = ends_[size_ >> kBitBlocco];
    nextEnd_ = last.data() + (size_ & (kFiniPerBlocco - 1));
    blockEnd_ = last.data() + last.size();
    if (!row.empty()) std::memcpy(text_.get() + textSize_, row.data(), row.size());
    Consolida(row.size());
    return true;
}

void ArchivioRighe::RiservaTesto(std::size_t bytes) {
    bytes = std::min(bytes, kMaxText);
    if (limit_ != kSenzaLimite) bytes = std::min(bytes, limit_ / 2);  // leave room for the offsets
    try {
        if (bytes > textCapacity_) Rialloca(bytes);
    } catch (const std::exception&) {
        // Only a hint: the rows grow the buffer as they come.
    }
}

void ArchivioRighe::Restringi() {
    try {
        // The text was reserved at about its final size, and the last block of offsets is mostly
        // full: copying them again to save a few percent would cost more time than the memory is
        // worth.
        if (textCapacity_ - textSize_ > textSize_ / 4) Rialloca(textSize_);
        nextEnd_ = blockEnd_ = nullptr;
        if (!ends_.empty()) {
            Blocco& ultimo = ends_.back();
            ultimo.resize(size_ - ((ends_.size() - 1) << kBitBlocco));
            if ((ultimo.capacity() - ultimo.size()) * sizeof(std::uint32_t) > textSize_ / 8) {
                ultimo.shrink_to_fit();
            }
        }
        ends_.shrink_to_fit();
    } catch (const std::exception&) {
        // Keeping the spare capacity is harmless.
    }
}

}  // namespace elencario
