// One print from opening the output to closing it: the page and line counters, the page
// furniture, and the primitives every format prints through.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "printing/PrintEngine.h"

namespace talvex {

class PrintRun {
  public:
    PrintRun(const Engine& engine, const TapeDocument& document, const PageLayout& layout,
             const PrintJob& job, PrintSink& sink);

    // The range's rows in the table, clamped to the written lines.
    int firstRow() const;
    int lastRow() const;

    void startPage();
    void endPage();
    // Ends the last page: on a device-font printer its lines start with a blank.
    void finish();
    bool sinkFailed() const { return failed_; }

    // The formats.
    void printTapeLine(int row);
    void printTableLine(int row) { printLine(row, 0); }
    void printFormRecord(int row, bool last);
    void printLabel(int row);

    const std::string& format() const { return format_; }

  private:
    // Output primitives.
    void put(std::string_view text);
    void newLine();
    void blankLines(double count);
    void attributes(int style, bool on);
    int horizontal(int index) const;
    int vertical(int index) const;

    // Page furniture.
    void headerLine(const std::string& text, int style, int code);
    void columnHeaderLine();
    void printNotes();

    // Lines.
    // The margin, the line number (blank when not numbered) and the gap; the columns put.
    int linePrefix(int row, int style, bool numbered);
    void printLine(int row, int style);
    // A run of the character as long as the row's cell, alone under that cell.
    void divider(int row, int column, char character, int style);
    void printCells(int row, int style, const std::vector<std::string>& texts, bool numbered);
    int cellStyle(int row, int col, int style) const;
    std::string cellText(int row, int col) const;
    bool printed(int col) const;

    const Engine& engine_;
    const TapeDocument& document_;
    const PageLayout& layout_;
    const PrintJob& job_;
    PrintSink& sink_;
    std::string format_;
    int lineWidth_ = 0;
    int pageLines_ = 0;
    int bodyLines_ = 0;
    int pageNo_ = 0;
    int lineNo_ = 0;
    bool inFooter_ = false;
    bool inStart_ = false;
    bool finalPage_ = false;
    // The page is full; the next line put on it starts a new page first, so a tape that
    // exactly fills its pages leaves no empty page behind.
    bool breakPending_ = false;
    bool atLineStart_ = true;
    bool failed_ = false;
};

}  // namespace talvex
