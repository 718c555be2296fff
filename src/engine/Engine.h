#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/ColumnRoles.h"
#include "engine/EnginePorts.h"
#include "engine/EntryState.h"
#include "engine/NumberFormat.h"
#include "engine/ReferenceRegistry.h"
#include "engine/Registers.h"
#include "engine/TapeSettings.h"
#include "engine/TapeTable.h"

namespace talvex {

// The tape calculator: every key enters at keyFront, becomes tape lines through updateGrid,
// and leaves a snapshot of the registers on each line so any line can be re-keyed later.
class Engine {
  public:
    static constexpr int kDefaultMaxRows = 400;
    static constexpr int kDefaultColCount = 7;

    Engine(ViewPort& view, AddinPort& addins, NumberSymbols symbols = {});

    // Keys from any source: keypad, keyboard map, grid, add-ins. False when the key was
    // refused and changed nothing.
    bool keyFront(int code);
    void keyProcess(int code);
    // A typed character through the keyboard map; characters without a key are ignored.
    void keyChar(char c);
    // Enter in the amount column of the open row.
    void pressEnter();
    // The Backspace key outside a cell: CE then takes back the last character.
    void pressBackspace();

    // Starts an empty tape: the open row 1 carries the registers of a cleared calculator.
    void newTape();
    void setClipboard(ClipboardPort& clipboard) { clipboard_ = &clipboard; }

    // Reading a tape file: beginLoad empties the tape, the reader fills loadTable(), and
    // finishLoad takes rows 1..rows as the tape (at least the open row 1).
    void beginLoad();
    TapeTable& loadTable() { return table_; }
    void setRecordLayout(RecordLayout layout) { layout_ = layout; }
    RecordLayout recordLayout() const { return layout_; }
    void finishLoad(int rows);
    bool loading() const { return loading_; }
    void setLoading(bool loading) { loading_ = loading; }
    void setRoles(const ColumnRoles& roles) { roles_ = roles; }
    void setColCount(int colCount) { colCount_ = colCount; }
    void setColumns(const ColumnRoles& roles, int colCount);
    void setMaxRows(int rows);
    void setTapeOn(bool on);
    void setCalcOption(int index, int value);
    // The cursor moves to a row: the registers and the display follow that line.
    void selectRow(int row);
    void hideRows(int rows);

    // Selects a row as a click in the grid does: a pending amount edit is ended first.
    bool clickRow(int row);
    // The user overtyped the amount cell of the current line; an operator ends the edit.
    // Text the keys could not have entered is refused (false) and the line is unchanged.
    bool editAmount(std::string_view text);
    // The user typed into the description cell of the current line.
    void editDescription(std::string_view text);
    // Text typed or pasted into cells: TAB, CR and LF become blanks.
    static std::string cellText(std::string_view text);
    bool cellEditable(int col) const;
    // Typing into a cell of the current line: the amount and description go through their
    // edits, other editable cells take the text, locked ones refuse it (returns false).
    bool editCell(int col, std::string_view text);
    void copyCell(int col);
    void cutCell(int col);
    void pasteCell(int col);
    void copyDisplay();

    // Replays the tape from startRow (0 or less: from the current row) to its end.
    void recalculate(int startRow);
    bool insertRow();
    bool deleteRow();
    void clearRow(int row);
    // 0 first visible line, 1 previous, 2 next, 3 the open row.
    void gotoLine(int index);

    // References between lines.
    void makeSource();
    bool removeSource();
    void removeLink();
    const ReferenceRegistry& references() const { return references_; }
    ReferenceRegistry& references() { return references_; }
    int columnWidth(int col) const;
    void setColumnWidth(int col, int width);

    bool getRegs(int row);
    void resetRegs();
    void resetSRegs();
    // Take the entry for an operator; false when nothing was keyed for it (it repeated the line
    // above or took the display), which leaves the line's raw entry empty.
    bool getCurEntry();
    bool takeEntry();
    bool updateGrid();
    bool tableFull();
    void clearEntry();
    void backspace();
    // The key that replays a line's operator code (for recalculation).
    int keyToCode(int row);
    void setAutoText(int col, std::string_view text);
    void setAutoCount(int count);
    void updateLCD();
    void setLCDColor();

    // The display's text as the LCD shows it.
    std::string lcdText() const;
    // The colour entry for a tape cell (19 to 23), or -1 for the grid's normal style.
    int cellColour(int row, int col) const;
    std::string lineNumberText(int row) const;
    // "&# On" or "&# Off": the item-count key's caption.
    std::string countsCaption() const;

    const TapeTable& table() const { return table_; }
    const std::string& cell(int row, int col) const { return table_.cell(row, col); }
    const std::string& opAt(int row) const { return cell(row, roles_.op); }
    int lastRow() const { return lastRow_; }
    int curRow() const { return curRow_; }
    int maxRows() const { return maxRows_; }
    int colCount() const { return colCount_; }
    int hiddenRows() const { return hiddenRows_; }
    const ColumnRoles& roles() const { return roles_; }
    const Registers& registers() const { return regs_; }
    const EntryState& entry() const { return entry_; }
    const NumberFormatter& format() const { return format_; }
    TapeSettings& settings() { return settings_; }
    const TapeSettings& settings() const { return settings_; }
    bool tapeOn() const { return tapeOn_; }
    bool modified() const { return modified_; }
    void setModified(bool modified) { modified_ = modified; }
    bool settingsChanged() const { return settingsChanged_; }
    int lastKey() const { return lastKey_; }
    int lastClearRow() const { return lastClearRow_; }
    void setGroupMode(int mode) { entry_.groupMode = mode; }
    bool recalculating() const { return recalculating_; }
    bool amountEditPending() const { return amountEditPending_; }

  private:
    // Keys on a line of the tape while the tape drives the calculator.
    void setDefaultColumnWidths();
    void keyOnTapeLine(int code);
    void endEdit(int code);
    bool isLockedLine(int row) const;
    void loadRegistersAbove(int row);
    void finishKey(int code);
    void dispatchKey(int code);
    bool finishPendingEdit();
    bool hasRawEntry(int row) const;
    std::string replayedEntry(int row) const;
    void adoptCurrentLayout();
    std::string lineValue(int row) const;
    bool entryNotKeyed(int row) const;
    bool prepareEditedEntry(bool openRow);
    bool refusesOwnReference(const std::string& amount);
    bool isBlankLine(int row) const;
    bool isTrailerLine(int row) const;
    int blockStart(int row) const;
    int insertionPoint(int row) const;
    bool replaysToNothing(int row, int code) const;
    void keepInertLine(int row);
    void recalculateFrom(int startRow);
    bool insertLine();
    bool deleteLines();
    void describeLine(std::string_view text);
    void followRowShift(int row, int delta);

    // Entry keys.
    void keyDigit(int code);
    void keyDoubleZero();
    bool entryCanGrow(std::string_view digits);
    void keyDecimal();
    void keyFractionBlank();
    void keyFractionBar();
    void keyClearEntry();
    std::string currentEntry(bool forOperand);
    bool entryFromReference() const;
    bool entryKeyed(bool forOperand) const;
    std::string repeatedEntry() const;
    void convertFraction();
    void applyAddMode();

    // Operator keys.
    bool hasRoomFor(int lines);
    void keyAddSubtract(int code);
    void keyMultiplyDivide(int code);
    void keyEqualsPercent(int code);
    void keyClear();
    void keySubtotalTotal(int code);
    void keyCounts();
    void keyBlankLine();
    void keyTotalsKey(int code);
    double totalOf(std::string_view ownCode);
    double groupTotals();
    double groupTotalsOrGrandTotal();
    bool writeGroupLine(std::string_view code, double value, double shown, const std::string& label,
                        const std::string& count, const std::string& ref);
    int countAfterPrefix(int row) const;

    // References.
    void keyRef();
    bool refusesReference(int code);
    void startReferencePick();
    void pickReferenceAt(int row);
    void cancelReferencePick();
    bool picking() const;
    std::string recallReference(const std::string& text);
    std::string referenceValue(const std::string& ref);
    void maintainLinks(const std::string& oldCode, const std::string& oldRef);
    void keepSourceCurrent(int row, bool groupLine = false);
    void widenReferenceColumn(int slot);
    std::string sourceDescription(int row) const;

    // Rows.
    bool insertEmptyRow(int row);
    void removeRows(int row, int count);
    void renumberFrom(int row);
    void prepareRowForWrite();
    void fixTrailerAfterRewrite(const std::string& oldCode);
    int dependentLines(int& first) const;
    bool guardReferences(int first, int count);

    // Writing lines.
    std::string formatNumber(double v);
    void writeAmountCell();
    void writeAutoTexts();
    void writeRegisterRecord();
    void advanceRow();
    void writeLineNumber(int row);
    void copyRecordDown(int row);
    void setRecordFromAbove(int row);
    void statusError(const std::string& text);
    void status(const std::string& text);

    // An operation that cannot finish (no row left, an overflow, an invalid reference) is
    // taken back whole: the tape, the registers and the references are as they were.
    auto restorableState();
    bool atomically(const std::function<void()>& body);
    // Inside an operation: abandons it with the message. Outside: shows the message only.
    void refuse(std::string_view message);
    // The same for an operation the user cancelled; an overtyped amount is dropped too.
    void callOff(std::string_view message);
    void dropPendingEdit();
    bool numberFits(double value);
    void showRestoredState(int shownBoxes, bool widthsChanged);

    ViewPort& view_;
    AddinPort& addins_;
    ClipboardPort nullClipboard_;
    ClipboardPort* clipboard_ = &nullClipboard_;
    ReferenceRegistry references_;
    std::vector<int> columnWidths_;
    NumberFormatter format_;
    TapeTable table_;
    ColumnRoles roles_;
    TapeSettings settings_;
    Registers regs_;
    EntryState entry_;
    RecordLayout layout_ = RecordLayout::withRawEntry;

    int maxRows_ = kDefaultMaxRows;
    int colCount_ = kDefaultColCount;
    int lastRow_ = 1;
    int curRow_ = 1;
    int hiddenRows_ = 0;
    int lastKey_ = 0;
    int lastClearRow_ = 0;
    bool tapeOn_ = true;
    bool editMode_ = true;
    bool busy_ = false;
    bool backspaceState_ = false;
    bool modified_ = false;
    bool settingsChanged_ = false;
    bool loading_ = false;
    bool recalculating_ = false;
    bool amountEditPending_ = false;
    int operationDepth_ = 0;
};

}  // namespace talvex
