#include "engine/RowCells.h"

#include <algorithm>
#include <cstring>

namespace talvex {

namespace {

constexpr size_t kBlockOverhead = 16;

}  // namespace

size_t RowCells::blockWords(size_t cells, size_t textBytes) {
    return cells + 1 + (textBytes + sizeof(uint32_t) - 1) / sizeof(uint32_t);
}

std::unique_ptr<uint32_t[]> RowCells::newBlock(size_t cells, size_t textBytes) {
    auto block = std::make_unique_for_overwrite<uint32_t[]>(blockWords(cells, textBytes));
    block[0] = static_cast<uint32_t>(cells);
    return block;
}

RowCells::RowCells(std::span<const std::string_view> cells) {
    if (cells.empty()) return;
    size_t textBytes = 0;
    for (const std::string_view text : cells) textBytes += text.size();
    block_ = newBlock(cells.size(), textBytes);
    uint32_t* ends = block_.get();
    char* out = reinterpret_cast<char*>(ends + cells.size() + 1);
    uint32_t end = 0;
    for (size_t col = 0; col < cells.size(); ++col) {
        if (!cells[col].empty()) std::memcpy(out + end, cells[col].data(), cells[col].size());
        end += static_cast<uint32_t>(cells[col].size());
        ends[col + 1] = end;
    }
}

RowCells::RowCells(const RowCells& other) {
    if (!other.block_) return;
    const size_t words = blockWords(other.size(), other.textBytes());
    block_ = std::make_unique_for_overwrite<uint32_t[]>(words);
    std::memcpy(block_.get(), other.block_.get(), words * sizeof(uint32_t));
}

RowCells& RowCells::operator=(const RowCells& other) {
    if (this != &other) *this = RowCells(other);
    return *this;
}

std::string_view RowCells::at(size_t col) const {
    if (col >= size()) return {};
    const uint32_t* ends = header() + 1;
    const uint32_t start = col == 0 ? 0 : ends[col - 1];
    return {texts() + start, ends[col] - start};
}

void RowCells::set(size_t col, std::string_view text) {
    const size_t oldCount = size();
    const size_t count = std::max(oldCount, col + 1);
    const std::string_view old = at(col);
    const size_t oldText = textBytes();
    const size_t newText = oldText - old.size() + text.size();
    // The new block is filled before the old one goes: the text may be one of this row's cells.
    auto block = newBlock(count, newText);
    uint32_t* ends = block.get();
    char* out = reinterpret_cast<char*>(ends + count + 1);
    const size_t before = col < oldCount ? header()[col + 1] - old.size() : oldText;
    if (before > 0) std::memcpy(out, texts(), before);
    if (!text.empty()) std::memcpy(out + before, text.data(), text.size());
    const size_t after = oldText - before - old.size();
    if (after > 0) std::memcpy(out + before + text.size(), texts() + before + old.size(), after);
    const auto grown = static_cast<uint32_t>(text.size() - old.size());  // wraps when it shrinks
    for (size_t c = 0; c < count; ++c) {
        const uint32_t end = c < oldCount ? header()[c + 1] : static_cast<uint32_t>(oldText);
        ends[c + 1] = c < col ? end : end + grown;
    }
    block_ = std::move(block);
}

size_t RowCells::heapBytes() const {
    return block_ ? blockWords(size(), textBytes()) * sizeof(uint32_t) + kBlockOverhead : 0;
}

}  // namespace talvex
