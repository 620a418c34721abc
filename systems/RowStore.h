#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace elencario {

// The rows of a loaded system, held compactly: all row texts back to back in one buffer plus
// the end offset of each row. The offsets sit in blocks of fixed size, so that growing never
// copies them; millions of rows cost one allocation for text and one per block of offsets.
class RowStore {
  public:
    static constexpr std::size_t kNoLimit = std::numeric_limits<std::size_t>::max();

    RowStore() = default;
    // `byteLimit` bounds the memory the store may take (text plus offsets).
    explicit RowStore(std::size_t byteLimit) : limit_(byteLimit) {}

    // Appends one row; false when the store would pass its limit or memory runs out.
    [[nodiscard]] bool Append(std::string_view row) {
        if (text_.capacity() - text_.size() < row.size() || ends_.empty() ||
            ends_.back().size() == ends_.back().capacity()) {
            return AppendGrowing(row);
        }
        text_.append(row);
        ends_.back().push_back(static_cast<std::uint32_t>(text_.size()));
        ++size_;
        return true;
    }
    // Pre-allocates room for this much row text, within the limit.
    void ReserveText(std::size_t bytes);
    // Drops spare capacity once loading is over.
    void ShrinkToFit();

    [[nodiscard]] std::size_t size() const { return size_; }
    [[nodiscard]] bool empty() const { return size_ == 0; }
    // Row i, counted from 0.
    [[nodiscard]] std::string_view operator[](std::size_t i) const {
        const std::size_t begin = i == 0 ? 0 : End(i - 1);
        return std::string_view(text_).substr(begin, End(i) - begin);
    }
    // Bytes held on the heap, spare capacity included.
    [[nodiscard]] std::size_t MemoryBytes() const;

    bool operator==(const RowStore& other) const {
        return text_ == other.text_ && ends_ == other.ends_;
    }

  private:
    static constexpr unsigned kBlockBits = 16;
    static constexpr std::size_t kBlock = std::size_t{1} << kBlockBits;  // offsets per block

    [[nodiscard]] std::size_t End(std::size_t i) const {
        return ends_[i >> kBlockBits][i & (kBlock - 1)];
    }
    bool AppendGrowing(std::string_view row);
    [[nodiscard]] std::size_t OffsetBytes() const;

    std::string text_;
    std::vector<std::vector<std::uint32_t>> ends_;
    std::size_t size_ = 0;
    std::size_t limit_ = kNoLimit;
};

}  // namespace elencario
