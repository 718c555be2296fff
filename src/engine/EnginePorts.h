#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace talvex {

// What the engine needs of the window: the grid, the display, the status bar and the
// reference panel are views over the engine's state. Every call has a do-nothing default so a
// view (or a test) implements only what it shows.
class ViewPort {
  public:
    virtual ~ViewPort() = default;

    // A message for the status bar; an error also beeps.
    virtual void showStatus(const std::string& /*text*/, bool /*error*/) {}
    virtual void showDisplay(const std::string& /*text*/) {}
    // An index into the colour settings (16 to 18 for the display).
    virtual void setDisplayColour(int /*colourIndex*/) {}
    // The cells of rows first..last changed; first > last means the whole tape.
    virtual void rowsChanged(int /*first*/, int /*last*/) {}
    // The tape now has lastRow rows (the open row included).
    virtual void rowCountChanged(int /*lastRow*/) {}
    // count rows were inserted before row, or removed from row on; a view that only follows the
    // tape's length needs no more than rowCountChanged.
    virtual void rowsInserted(int /*row*/, int /*count*/, int lastRow) { rowCountChanged(lastRow); }
    virtual void rowsRemoved(int /*row*/, int /*count*/, int lastRow) { rowCountChanged(lastRow); }
    // Select the row and scroll it into view.
    virtual void currentRowChanged(int /*row*/) {}
    // Scroll the tape so that the row is the first one shown; the cursor stays.
    virtual void showRowAtTop(int /*row*/) {}
    virtual void referenceSlotChanged(int /*slot*/, const std::string& /*text*/) {}
    virtual void showColumn(int /*col*/) {}
    // The caption of the item-count key changed ("&# On" / "&# Off").
    virtual void countsCaptionChanged(bool /*countsOn*/) {}
    // A warning sound without a message.
    virtual void beep() {}
    // A column's width changed (the reference column widens for two-digit slots).
    virtual void columnLayoutChanged() {}
};

// The system clipboard: a text, and a link text that other programs can paste as a link.
class ClipboardPort {
  public:
    virtual ~ClipboardPort() = default;
    virtual void setText(const std::string& /*text*/, const std::string& /*link*/) {}
    // Several lines at once, as a spreadsheet pastes them: TAB-separated text, and the same
    // cells as an HTML table.
    virtual void setCells(const std::string& /*text*/, const std::string& /*html*/) {}
    virtual std::string text() const { return {}; }
};

// Add-in event codes the engine sends to the active calculation add-in.
namespace addin_event {
inline constexpr int kAutoText = -4;
inline constexpr int kSaveToLine = -5;
inline constexpr int kRestoreFromLine = -6;
inline constexpr int kReset = -7;
inline constexpr int kSymbolValue = -8;
}  // namespace addin_event

// The engine's view of the add-in framework: events, panel keys and the letter sets that
// tell add-in lines apart. The defaults are an empty framework: no add-in is active.
class AddinPort {
  public:
    virtual ~AddinPort() = default;

    // Events -4 (auto text) and -7 (reset) for the active calculation add-in.
    virtual void event(int /*code*/) {}
    // Event -5: the add-in appends its registers (":"-separated fields) to a line's record.
    virtual void saveToLine(std::string& /*record*/) {}
    // Event -6: restore the add-in registers from the fields after the engine's own (five, or
    // four in records of the earliest files). current: the line is the one the cursor moved
    // to, whose add-in then becomes the active one.
    virtual void restoreFromLine(std::string_view /*record*/, bool /*withRawEntry*/,
                                 bool /*current*/) {}
    // An undo or redo put the tape back as it was: what an add-in built from it is built again.
    virtual void tapeRestored() {}
    // The registers of the cursor's line were restored (not while the tape is replayed).
    virtual void currentLineFetched(int /*row*/) {}
    // A line is about to be replayed: the calculation add-in that wrote it (its record's kind
    // field) becomes active. withRawEntry: the record's own fields are five, else four.
    virtual void lineReplayed(std::string_view /*record*/, bool /*withRawEntry*/) {}
    // Event -8: the value of a user-defined symbol named in a reference ("Rrate").
    virtual std::optional<std::string> symbolValue(std::string_view /*name*/) { return {}; }
    // A panel key: slot 0 device, 1 calculation; key 0..7.
    virtual void dispatch(int /*slot*/, int /*key*/) {}
    // An add-in has taken over number entry (digit keys go to it).
    virtual bool takesNumberEntry() const { return false; }
    // A key of number entry (0 to 12) for the add-in that took it over.
    virtual void numberEntryKey(int key) { dispatch(0, key); }

    virtual bool isAddinLetter(std::string_view /*code*/) const { return false; }
    virtual bool isFunction(std::string_view /*code*/) const { return false; }
    virtual bool isSideResult(std::string_view /*code*/) const { return false; }
    // The colour entry (21 or 23) an add-in gives its result lines; -1 when not its line.
    virtual int resultColour(std::string_view /*code*/) const { return -1; }
};

}  // namespace talvex
