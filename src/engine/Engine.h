#pragma once

#include <any>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/EnginePorts.h"
#include "engine/EngineState.h"
#include "engine/GroupTotals.h"
#include "engine/LoadedTape.h"
#include "engine/NumberFormat.h"
#include "engine/ProgressPort.h"
#include "engine/References.h"
#include "engine/TapeLayout.h"
#include "engine/TapeSettings.h"
#include "engine/TapeTable.h"
#include "engine/UndoHistory.h"

namespace talvex {

// Where the go-to keys and menu items move the cursor, in their order on the keypad.
enum class GotoTarget { firstLine = 0, previousLine = 1, nextLine = 2, openRow = 3 };

// The tape calculator: every key enters at keyFront, becomes tape lines through updateGrid,
// and leaves a snapshot of the registers on each line so any line can be re-keyed later.
class Engine {
  public:
    Engine(ViewPort& view, AddinPort& addins, NumberSymbols symbols = {});

    // Keys from any source: keypad, keyboard map, grid, add-ins. False when the key was
    // refused and changed nothing.
    bool keyFront(int code);
    // A typed character through the keyboard map; characters without a key are ignored.
    void keyChar(char c);
    // Enter in the amount column of the open row.
    void pressEnter();
    // The Backspace key outside a cell: CE then takes back the last character.
    void pressBackspace();

    // Starts an empty tape: the open row 1 carries the registers of a cleared calculator.
    void newTape();
    // Takes a tape read from a file as the tape: its rows (at least the open row 1), columns
    // and references; the display shows its last line and the cursor goes where it was saved.
    void load(LoadedTape tape);

    // Selects a row as a click in the grid does: a pending amount edit is ended first.
    bool clickRow(int row);
    // The user overtyped the amount cell of the current line; an operator ends the edit.
    // Text the keys could not have entered is refused (false) and the line is unchanged.
    bool editAmount(std::string_view text);
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
    // Replays the whole tape; true when a line above the source of its reference took a value
    // that the replay then changed, so that replaying again would change the tape again.
    bool recalculateWatchingUsers();
    bool insertRow();
    bool deleteRow();
    void gotoLine(GotoTarget target);
    void hideRows(int rows);
    // The display again, in the colour of the tape's state, after its settings changed.
    void refreshDisplay();

    // The add-in function key with a letter: a panel button's tag or a typed letter.
    bool keyAddin(std::string_view letter);

    // What an add-in does while it handles its key: take the number keyed for it, write its
    // line (a figure formatted, or a text as keyed), label a line, report an error.
    std::string addinEntry();
    void writeAddinLine(std::string_view code, double value);
    // The figure formatted, its record keeping the text it was keyed as: replayed, the line is
    // keyed from that text again (in the adding mode "60" and "60.00" are different figures).
    void writeAddinLine(std::string_view code, double value, const std::string& keyed);
    void writeAddinKeyed(std::string_view code, const std::string& keyed);
    // A line whose figure came from the display, not the keys: replayed, it takes the display
    // again, wherever that now comes from.
    void writeAddinTaken(std::string_view code, double value);
    void labelLine(std::string_view text) { setAutoText(layout_.roles.description, text); }
    void clearLineCell(int col);
    // The reference cell the next add-in line is written with (a definition's symbol).
    void setAddinReference(std::string text) { state_.regs.lineRef = std::move(text); }
    // A definition edited in place keeps its line: only its symbol and name change.
    void relabelLine(int row, const std::string& reference, const std::string& description);
    void addinError(const std::string& text) { statusError(text); }
    // A function body starts from a clean register set, and the lines after it go on from the
    // registers of a row above it (none: a cleared calculator).
    void clearPendingRegisters();

    // What a device add-in shows and writes while it drives something outside the tape.
    void showStatusText(const std::string& text) { status(text); }
    void showDisplayValue(const std::string& value);
    // A colour entry for the display (16 to 18); -1 returns it to the tape's own.
    void setDisplayStyle(int colourIndex);
    // The entry after a call: "0" keyed and shown, no operator pending.
    void clearEntryAfterCall();
    // A line whose amount and code come from outside, with texts for some physical columns.
    // A total is followed by its blank line; a total straight after an opening clear line
    // takes that line's place.
    bool writeTransaction(std::string_view code, double amount,
                          const std::vector<std::pair<int, std::string>>& cells);
    void takePendingRegistersOf(int row);
    // The web address a line links to, kept in the hidden column after the last one.
    std::string_view lineLink(int row) const { return cell(row, layout_.colCount + 1); }
    void setLineLink(int row, const std::string& address);
    // An empty line on the open row, for a link to stand on; the cursor moves onto it. The row
    // written, or 0 when the tape is off or full.
    int writeEmptyLine();
    // Fills a line's description when it has none.
    void describeEmptyLine(int row, const std::string& text);
    void showRowAtTop(int row) { view_.showRowAtTop(row); }
    // Replays lines from row until an add-in stops the replay or the tape ends; the registers,
    // the entry and the cursor are then as they were. A recalculation is a replay too.
    void evaluateFrom(int row);
    void stopReplay() { stopReplay_ = true; }
    bool replaying() const { return replayDepth_ > 0; }
    bool recordsHaveRawEntry() const { return recordLayout_ == RecordLayout::withRawEntry; }
    // The registers of the current line again, after an add-in changed what they mean.
    void reloadCurrentLine() { selectRow(state_.curRow); }

    void setClipboard(ClipboardPort& clipboard) { clipboard_ = &clipboard; }
    ClipboardPort& clipboard() const { return *clipboard_; }
    // Where long work reports its progress; a cancel there takes the operation back whole.
    void setProgress(ProgressPort& progress) { progress_ = &progress; }
    void setMaxRows(int rows) { layout_.maxRows = rows; }
    void setTapeOn(bool on);
    void setCalcOption(int index, int value);
    void setGroupMode(int mode) { state_.entry.groupMode = mode; }
    void setColumns(const ColumnRoles& roles, int colCount);
    void setColumnWidth(int col, int width);
    // Every row's cell of column from is copied to column to; the tape is modified.
    void moveColumn(int from, int to);
    // Every row's cell of the column is emptied; the tape is modified.
    void clearColumn(int col);
    void setModified(bool modified);

    // Undo and redo: each operation that changed the tape is one step; the registers, the
    // display, the references and the cursor go back with it.
    bool undo();
    bool redo();
    bool canUndo() const { return history_.canUndo(); }
    bool canRedo() const { return history_.canRedo(); }
    // A tape was read or started: there is nothing before it to go back to.
    void forgetHistory();
    UndoHistory& history() { return history_; }
    // What the document keeps beside the engine and an undo puts back too.
    // The restore says whether anything differed.
    void setUndoExtras(std::function<std::any()> capture,
                       std::function<bool(const std::any&)> restore);
    // The group under way is a step even if no cell changes (a column renamed).
    void markChanged() { forceStep_ = changeDepth_ > 0; }
    // The changes made while a group lives are one step (a column moved with its cells).
    class ChangeGroup {
      public:
        explicit ChangeGroup(Engine& engine) : engine_(engine) { engine_.beginChange(); }
        ~ChangeGroup() { engine_.endChange(); }
        ChangeGroup(const ChangeGroup&) = delete;
        ChangeGroup& operator=(const ChangeGroup&) = delete;

      private:
        Engine& engine_;
    };

    const TapeTable& table() const { return table_; }
    std::string_view cell(int row, int col) const { return table_.cell(row, col); }
    const ReferenceRegistry& references() const { return references_.registry(); }
    const TapeLayout& layout() const { return layout_; }
    const EngineState& state() const { return state_; }
    const NumberFormatter& format() const { return format_; }
    TapeSettings& settings() { return settings_; }
    const TapeSettings& settings() const { return settings_; }
    // The colour entry for a tape cell (19 to 23), or -1 for the grid's normal style.
    int cellColour(int row, int col) const;
    std::string lineNumberText(int row) const;

  private:
    std::string_view opAt(int row) const { return cell(row, layout_.roles.op); }
    std::string_view amountAt(int row) const { return cell(row, layout_.roles.amount); }
    void setDefaultColumnWidths();
    void placeCursor(int savedRow);
    void adoptCurrentLayout();
    void dropRegisterRecords();
    void selectRow(int row);

    // Keys on a line of the tape while the tape drives the calculator.
    void keyProcess(int code);
    void keyOnTapeLine(int code);
    void endEdit(int code);
    bool isLockedLine(int row) const;
    void loadRegistersAbove(int row);
    void finishKey(int code);
    void dispatchKey(int code);
    bool finishPendingEdit();
    void editDescription(std::string_view text);
    void describeLine(std::string_view text);
    bool prepareEditedEntry(bool openRow);
    bool replacesOtherAddinLine() const;

    // The registers of a line.
    bool getRegs(int row);
    void resetRegs();
    void resetSRegs();

    // Replaying lines.
    bool hasRawEntry(int row) const;
    std::string keyedEntry(int row) const;
    std::string replayedEntry(int row) const;
    std::string lineValue(int row) const;
    bool entryNotKeyed(int row) const;
    int replayKey(int row);
    bool replaysToNothing(int row, int code) const;
    void keepInertLine(int row);
    int blockStart(int row) const;
    void recalculateFrom(int startRow);
    // One line of a replay; false when the line could not be replayed.
    bool replayRow(int row, int& firstInert);
    void writeAddinEntry(std::string_view code);

    // Entry keys.
    void keyDigit(int code);
    void keyDoubleZero();
    bool entryCanGrow(std::string_view digits);
    void keyDecimal();
    void keyFractionBlank();
    void keyFractionBar();
    void keyClearEntry();
    void clearEntry();
    void backspace();
    // Take the entry for an operator; false when nothing was keyed for it (it repeated the line
    // above or took the display), which leaves the line's raw entry empty.
    bool getCurEntry();
    bool takeEntry();
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
    double groupTotalsOrGrandTotal();
    double writeGroupTotals();
    bool writeGroupLine(const GroupLine& line);

    // References.
    void keyRef();
    bool refusesReference(int code);
    void startReferencePick();
    void pickReferenceAt(int row);
    void cancelReferencePick();
    bool picking() const;
    std::string recallReference(const std::string& text);
    bool refusesOwnReference(const std::string& amount);
    void makeSource(int row);
    bool removeSource(int row);
    void removeLink(int row);
    void keepSourceCurrent(int row, bool groupLine = false);
    void takeSlotFromTape(int n, int row);
    void widenReferenceColumn(int slot);

    // Rows.
    bool isBlankLine(int row) const;
    bool isTrailerLine(int row) const;
    int insertionPoint(int row) const;
    bool insertLine();
    bool deleteLines();
    void clearRow(int row);
    void followRowShift(int row, int delta);
    bool insertEmptyRow(int row);
    void removeRows(int row, int count);
    void renumberFrom(int row);
    void prepareRowForWrite();
    void fixTrailerAfterRewrite(const std::string& oldCode);
    int dependentLines(int& first) const;
    bool guardReferences(int first, int count);

    // Writing lines.
    bool updateGrid();
    std::string formatNumber(double v);
    void writeAmountCell();
    void writeAutoTexts();
    void setAutoText(int col, std::string_view text);
    void setAutoCount(int count);
    void writeRegisterRecord();
    void advanceRow();
    void writeLineNumber(int row);
    void copyRecordDown(int row);
    void setRecordFromAbove(int row);

    // The display and the status bar.
    std::string lcdText() const;
    void updateLCD();
    void setLCDColor();
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

    // The undo history's side.
    void beginChange();
    void endChange();
    EngineSnapshot snapshot() const;
    // True when the document's part of the layout changed.
    bool restore(const EngineSnapshot& saved);
    bool step(UndoStep* step, bool forward);
    void rewriteLineNumbers(int lastRow, int hiddenRows);

    ViewPort& view_;
    AddinPort& addins_;
    ClipboardPort nullClipboard_;
    ClipboardPort* clipboard_ = &nullClipboard_;
    ProgressPort nullProgress_;
    ProgressPort* progress_ = &nullProgress_;
    NumberFormatter format_;
    TapeTable table_;
    TapeLayout layout_;
    TapeSettings settings_;
    EngineState state_;
    RecordLayout recordLayout_ = RecordLayout::withRawEntry;
    References references_{table_, layout_.roles, view_};
    GroupTotals groupTotals_{table_, layout_.roles, format_, settings_};

    int lastClearRow_ = 0;
    bool editMode_ = true;
    bool busy_ = false;
    bool backspaceState_ = false;
    bool amountEditPending_ = false;
    int operationDepth_ = 0;
    int replayDepth_ = 0;
    bool stopReplay_ = false;

    UndoHistory history_;
    std::vector<TableEdit> pendingEdits_;
    EngineSnapshot pendingBefore_;
    int changeDepth_ = 0;
    bool stepping_ = false;
    bool forceStep_ = false;
    std::function<std::any()> captureExtras_;
    std::function<bool(const std::any&)> restoreExtras_;
};

}  // namespace talvex
