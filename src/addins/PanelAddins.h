// Add-ins that are their panel alone: activating one lays out its buttons, and every other
// event, its own buttons included, changes nothing.
#pragma once

#include <string>

#include "addins/Addin.h"

namespace talvex {

class AddinFramework;

class PanelAddin : public Addin {
  public:
    PanelAddin(AddinFramework& framework, int slot, std::string menu)
        : framework_(framework), slot_(slot), menu_(std::move(menu)) {}
    void entry(int code) override;

  private:
    AddinFramework& framework_;
    int slot_;
    std::string menu_;
};

// The financial panel (calculation slot) and the X10 panel (device slot).
inline constexpr const char* kFinancialMenu =
    "Financial:PV,Present Value;Int,Interest %;FV,Future Value;Men,Function Menu";
inline constexpr const char* kX10Menu =
    "VantX10:Options,X10 Options;Hous,Set House Code;On;Brt,Brighten;Unit,Select Unit;Off;Dim";

}  // namespace talvex
