#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace elencario {

// The rows of a loaded system, held compactly: all row texts back to back in one buffer plus
// the end offset of each row. Millions of rows cost one allocation each for text and offsets.
class RowStore {
  public:
    static constexpr std::size_t kNoLimit = std::numeric_limits<std::size_t>::max();

    RowStore() = default;
    // `byteLimit` bounds the memory the store may take (text plus offsets).
    explicit RowStore(std::size_t byteLimit) : limit_(byteLimit) {}

    // Appends one row; false when the store would pass its limit or memory runs out.
    [[nodiscard]] bool Append(std::string_view row) {
        if (text_.capacity() - text_.size() < row.size() || ends_.capacity() == ends_.size()) {
            return AppendGrowing(row);
        }
        text_.append(row);
        ends_.push_back(static_cast<std::uint32_t>(text_.size()));
        return true;
    }
    // Pre-allocates room for this much row text, within the limit.
    void ReserveText(std::size_t bytes);
    // Drops spare capacity once loading is over.
    void ShrinkToFit();

    [[nodiscard]] std::size_t size() const { return ends_.size(); }
    [[nodiscard]] bool empty() const { return ends_.empty(); }
    // Row i, counted from 0.
    [[nodiscard]] std::string_view operator[](std::size_t i) const {
        const std::size_t begin = i == 0 ? 0 : ends_[i - 1];
        return std::string_view(text_).substr(begin, ends_[i] - begin);
    }
    // Bytes held on the heap, spare capacity included.
    [[nodiscard]] std::size_t MemoryBytes() const {
        return text_.capacity() + ends_.capacity() * sizeof(std::uint32_t);
    }

    bool operator==(const RowStore& other) const {
        return text_ == other.text_ && ends_ == other.ends_;
    }

  private:
    bool AppendGrowing(std::string_view row);

    std::string text_;
    std::vector<std::uint32_t> ends_;
    std::size_t limit_ = kNoLimit;
};

}  // namespace elencario
