#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

namespace talvex {

// The cells of one tape row in a single block of memory: the cell count, where each cell's text
// ends, then the texts back to back. A long tape holds tens of thousands of rows of mostly short
// or empty cells, which as separate strings would cost several times their text.
//
// Changing a cell builds the row's block again, so a view of any of the row's cells ends there.
class RowCells {
  public:
    RowCells() = default;
    explicit RowCells(std::span<const std::string_view> cells);
    RowCells(const RowCells& other);
    RowCells& operator=(const RowCells& other);
    RowCells(RowCells&&) noexcept = default;
    RowCells& operator=(RowCells&&) noexcept = default;

    size_t size() const { return block_ ? header()[0] : 0; }
    // Empty past the last cell.
    std::string_view at(size_t col) const;
    // Puts text in a cell; the row grows to reach it.
    void set(size_t col, std::string_view text);
    // What the block takes on the heap, with the allocator's own bookkeeping.
    size_t heapBytes() const;

  private:
    // The block in words: the count and the ends, then the texts rounded up to whole words.
    static size_t blockWords(size_t cells, size_t textBytes);
    static std::unique_ptr<uint32_t[]> newBlock(size_t cells, size_t textBytes);
    const uint32_t* header() const { return block_.get(); }
    const char* texts() const { return reinterpret_cast<const char*>(block_.get() + size() + 1); }
    size_t textBytes() const { return size() == 0 ? 0 : header()[size()]; }

    std::unique_ptr<uint32_t[]> block_;
};

}  // namespace talvex
