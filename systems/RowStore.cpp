#include "systems/RowStore.h"

#include <algorithm>
#include <new>
#include <stdexcept>

namespace elencario {

namespace {

// Offsets are 32-bit: the text of one store, and the count of its rows, stay below 4 GiB
// whatever the limit.
constexpr std::size_t kMaxText = std::numeric_limits<std::uint32_t>::max();

}  // namespace

std::size_t RowStore::OffsetBytes() const {
    std::size_t bytes = ends_.capacity() * sizeof(ends_[0]);
    for (const auto& block : ends_) bytes += block.capacity() * sizeof(std::uint32_t);
    return bytes;
}

std::size_t RowStore::MemoryBytes() const {
    return text_.capacity() + OffsetBytes();
}

bool RowStore::AppendGrowing(std::string_view row) {
    const std::size_t newText = text_.size() + row.size();
    if (newText > kMaxText) return false;
    try {
        if (text_.capacity() < newText) {
            // Doubling when the limit allows it, growing exactly otherwise.
            const std::size_t others = OffsetBytes();
            std::size_t wanted =
                std::min(std::max({newText, text_.capacity() * 2, std::size_t{256}}), kMaxText);
            if (others + wanted > limit_) wanted = newText;
            if (others + wanted > limit_) return false;
            text_.reserve(wanted);
        }
        if (ends_.empty() || ends_.back().size() == kBlock) {
            // A whole block when the limit allows it, else what is left of the limit.
            const std::size_t used = text_.capacity() + OffsetBytes() + sizeof(ends_[0]);
            if (used > limit_) return false;
            const std::size_t room = (limit_ - used) / sizeof(std::uint32_t);
            if (room == 0) return false;
            ends_.emplace_back();
            // The first block starts small: most systems are short.
            ends_.back().reserve(
                std::min({ends_.size() == 1 ? std::size_t{1024} : kBlock, kBlock, room}));
        } else if (ends_.back().size() == ends_.back().capacity()) {
            const std::size_t used = text_.capacity() + OffsetBytes();
            const std::size_t grown = std::min(kBlock, ends_.back().capacity() * 2);
            const std::size_t more = (grown - ends_.back().capacity()) * sizeof(std::uint32_t);
            if (used + more > limit_) return false;
            ends_.back().reserve(grown);
        }
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) {
        return false;
    }
    text_.append(row);  // both fit in what was reserved: nothing below can throw
    ends_.back().push_back(static_cast<std::uint32_t>(newText));
    ++size_;
    return true;
}

void RowStore::ReserveText(std::size_t bytes) {
    bytes = std::min(bytes, kMaxText);
    if (limit_ != kNoLimit) bytes = std::min(bytes, limit_ / 2);  // leave room for the offsets
    try {
        text_.reserve(bytes);
    } catch (const std::exception&) {
        // Only a hint: the rows grow the buffer as they come.
    }
}

void RowStore::ShrinkToFit() {
    try {
        // The text was reserved at about its final size: copying it again to save a few percent
        // would cost more time than the memory is worth.
        if (text_.capacity() - text_.size() > text_.size() / 4) text_.shrink_to_fit();
        if (!ends_.empty()) ends_.back().shrink_to_fit();
        ends_.shrink_to_fit();
    } catch (const std::exception&) {
        // Keeping the spare capacity is harmless.
    }
}

}  // namespace elencario
