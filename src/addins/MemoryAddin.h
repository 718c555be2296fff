// The memory register: M+ and M- add the display to it or take it away, M^ recalls it and M*
// recalls it and empties it. Each key writes a line, and the register rides on the lines'
// records, so an edit above a memory line replays it with the figures as they are now.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "addins/Addin.h"

namespace talvex {

class AddinFramework;
class Engine;

// Each button's tag is the code of the line it writes.
inline constexpr const char* kMemoryMenu =
    "Memory:M*,Memory Total,V;M^,Memory SubTotal,H;M-,Subtract from Mem,K;M+,Add to Mem,M";

class MemoryAddin : public Addin {
  public:
    // The place of "Memory" in the shipped calculation list.
    static constexpr int kKind = 3;
    // The codes of its lines; none is a code of the calculator or of another add-in.
    static constexpr char kAdd = 'M';
    static constexpr char kSubtract = 'K';
    static constexpr char kSubtotal = 'H';
    static constexpr char kTotal = 'V';

    MemoryAddin(AddinFramework& framework, Engine& engine)
        : framework_(framework), engine_(engine) {}

    void entry(int code) override;
    std::string lineFields() override;
    void restoreFields(const std::vector<std::string_view>& fields) override;

    double memory() const { return memory_; }

  private:
    void memoryKey(char letter);
    void addDisplay(char letter);
    // The register as the line above the cursor left it: a line without memory fields (keyed
    // before the memory was used, or while another add-in was chosen) left it empty.
    double registerAbove() const;
    void autoText();

    AddinFramework& framework_;
    Engine& engine_;
    double memory_ = 0;
    // Set while the memory writes its own line, whose record holds the register it leaves.
    bool writing_ = false;
};

}  // namespace talvex
