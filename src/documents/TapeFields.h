// The fields of a tape file's lines: split at TABs, their numbers read, and what damage put in
// them (cells too long to be anyone's, bytes the writer never writes) taken out.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace talvex {

using Fields = std::vector<std::string_view>;

// Into the caller's list, which keeps its storage from line to line.
void splitFields(std::string_view line, Fields& fields);

// Digits with an optional sign, as the writer writes whole numbers.
bool wholeNumber(std::string_view text);
// Numbers in the file are plain decimal text with "." whatever the locale.
double fileNumber(std::string_view text);
// A whole number rounded to the nearest integer, halves to even, and held within [low, high]
// so that no text can overflow it.
long long fileWhole(std::string_view text, double low, double high);
// Rows, columns and counts.
int fileInt(std::string_view text);
// A 16-bit setting: widths, choices, switches.
int fileShort(std::string_view text);
// A row's number is plain digits, read without the general number reader; other text is read
// as any number in the file is.
double rowNumber(std::string_view text);

// A field the reader cut, and how long it was.
struct CutField {
    size_t index;
    size_t bytes;
};

// A cell longer than any tape's is damage, and copying it whole would cost the memory and time
// of that damage in every later step: it is cut where it is read, never inside a character.
std::vector<CutField> cutLongFields(Fields& fields, size_t maxBytes);

// The writer never puts CR or NUL inside a field; such bytes come from damage or another
// program. Reading them as the writer writes them keeps a tape and its next save the same.
class FieldCleaner {
  public:
    // The cleaned fields point into the cleaner until its next line.
    void clean(Fields& fields);

  private:
    std::vector<std::string> cleaned_;
};

}  // namespace talvex
