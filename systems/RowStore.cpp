#include "systems/RowStore.h"

#include <algorithm>
#include <new>
#include <stdexcept>

namespace elencario {

namespace {

// Offsets are 32-bit: the text of one store, and the count of its rows, stay below 4 GiB
// whatever the limit.
constexpr std::size_t kMaxText = std::numeric_limits<std::uint32_t>::max();

// Makes room for `needed` elements, doubling when the limit allows it and growing exactly
// otherwise; false when even the exact size would pass the limit.
template <class Container>
bool Grow(Container& c, std::size_t needed, std::size_t otherBytes, std::size_t limit) {
    if (c.capacity() >= needed) return true;
    constexpr std::size_t kElement = sizeof(typename Container::value_type);
    std::size_t wanted = std::min(std::max({needed, c.capacity() * 2, std::size_t{256}}), kMaxText);
    if (otherBytes + wanted * kElement > limit) wanted = needed;
    if (otherBytes + wanted * kElement > limit) return false;
    c.reserve(wanted);
    return true;
}

}  // namespace

bool RowStore::AppendGrowing(std::string_view row) {
    const std::size_t newText = text_.size() + row.size();
    if (newText > kMaxText) return false;
    try {
        if (!Grow(text_, newText, ends_.capacity() * sizeof(std::uint32_t), limit_)) return false;
        if (!Grow(ends_, ends_.size() + 1, text_.capacity(), limit_)) return false;
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) {
        return false;
    }
    text_.append(row);  // both fit in what was reserved: nothing below can throw
    ends_.push_back(static_cast<std::uint32_t>(newText));
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
        ends_.shrink_to_fit();
    } catch (const std::exception&) {
        // Keeping the spare capacity is harmless.
    }
}

}  // namespace elencario
