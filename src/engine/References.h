#pragma once

#include <map>
#include <set>
#include <string>
#include <string_view>

#include "engine/ColumnRoles.h"
#include "engine/EnginePorts.h"
#include "engine/ReferenceRegistry.h"
#include "engine/TapeTable.h"

namespace talvex {

// The references between lines: the registry's slots and the tape's reference cells, kept in
// step, and the views told of each change. The engine decides when a line becomes or stops
// being a source; the values it passes are what the line's users receive.
class References {
  public:
    References(TapeTable& table, const ColumnRoles& roles, ViewPort& view)
        : table_(table), roles_(roles), view_(view) {}

    ReferenceRegistry& registry() { return registry_; }
    const ReferenceRegistry& registry() const { return registry_; }

    // The row becomes a source whose users receive value: its slot number, 0 when every slot
    // is taken.
    int makeSource(int row, std::string value);
    // The row gives up its slot; false (and nothing changes) while other lines use it.
    bool removeSource(int row);
    // The row stops using its slot and keeps the value it had.
    void removeLink(int row);
    // A line was written again: its use moves from the slot it used to the one it uses now.
    void moveLink(std::string_view oldCode, const std::string& oldRef, std::string_view newCode,
                  const std::string& newRef);
    // Whether a line written over a source drops its number (a replay writing a block over
    // damaged lines): the slot of oldRef, or 0.
    int sourceOverwritten(std::string_view oldCode, const std::string& oldRef,
                          std::string_view newCode, const std::string& newRef) const;
    // The slot's value is gone with its last source line: its users take 0.
    void forgetValue(int n);
    // Whether the row is a source of slot n.
    bool isSourceOf(int row, int n) const;
    // A source line written again carries value into its slot; a using line without a
    // description takes the slot's when autoTitle is on.
    void keepSourceCurrent(int row, bool groupLine, const std::string& value, bool autoTitle);
    // A source line read from a file owns its slot, though the file's slots lost it: the slot
    // is made or taken back from free, so the line's users follow it from the first open on.
    void claimSource(int row);
    // Whether one of the rows first..first+count-1 is a source that other lines use.
    bool anySourceInUse(int first, int count) const;
    // The value a reference gives: a slot's raw value, or a named symbol's from the add-ins.
    std::string value(const std::string& ref, AddinPort& addins);
    // A replay of the tape from its top: a line above its source takes the value the source had
    // before the replay reached it.
    void watchReplay();
    // Slot n took its value from a source line the replay has not reached yet: a line that
    // uses it now takes a value read ahead, as from a file.
    void takenAhead(int n);
    // The watch ends: whether a line took a source's value that the source's own line then
    // changed.
    bool endWatch();

  private:
    std::string_view cell(int row, int col) const { return table_.cell(row, col); }
    std::string sourceDescription(int row) const;

    TapeTable& table_;
    const ColumnRoles& roles_;
    ViewPort& view_;
    ReferenceRegistry registry_;
    bool watching_ = false;
    std::map<int, std::string> readAhead_;  // slot and the value a line took before its source
    std::set<int> written_;                 // slots whose source was written in the replay
};

}  // namespace talvex
