#include "session/AddinHost.h"

#include "engine/Engine.h"
#include "engine/LineCodes.h"
#include "shell/ConfigStore.h"

namespace talvex {

AddinHost::AddinHost(Engine& engine, DialogsPort& dialogs, ConfigStore& config)
    : engine_(engine),
      config_(config),
      framework_(engine),
      memory_(framework_, engine),
      financial_(framework_, 1, kFinancialMenu),
      x10_(framework_, 0, kX10Menu),
      mortgage_(framework_, engine),
      userFunctions_(framework_, engine, dialogs),
      labelPrinter_(config),
      labelPrinterAddin_(framework_, labelPrinter_),
      dialler_(engine, dialogs, config),
      modemAddin_(framework_, dialler_),
      browser_(engine, dialogs),
      browserAddin_(framework_, browser_) {
    framework_.install("Memory", memory_);
    framework_.install("Financial", financial_);
    framework_.install("VantX10", x10_);
    framework_.install("Mortgage", mortgage_);
    framework_.install("UserFuncs", userFunctions_);
    framework_.install("VantPrint", labelPrinterAddin_);
    framework_.install("VantAtm", modemAddin_);
    framework_.install("VantBrowser", browserAddin_);
}

void AddinHost::saveSettings() {
    labelPrinter_.entry(label_code::kSave);
}

void AddinHost::loadAddinLists() {
    framework_.loadAddinLists(config_.addins(0), config_.addins(1));
}

// Reading a tape is not a change to it: whatever the add-ins rebuild leaves it unmodified.
void AddinHost::tapeRead(std::array<int, 2> indexes) {
    const bool modified = engine_.state().modified;
    dialler_.tapeLoaded();
    loadAddinLists();
    framework_.selectByIndex(addin_list::kDevices, indexes[0]);
    // The label printer's "Display VantPrinter KeyPad on Startup" stands in for a tape that
    // names no device panel.
    if (indexes[0] == 0 && labelPrinter_.settings().options == 1)
        chooseByName(addin_list::kDevices, "VantPrint");
    framework_.selectByIndex(addin_list::kCalculations, indexes[1]);
    if (framework_.active(1) == "UserFuncs" || userFunctions_.tapeHoldsDefinitions())
        userFunctions_.rebuildFromTape();
    else
        engine_.reloadCurrentLine();
    engine_.setModified(modified);
    // What the add-ins rebuilt is part of reading the tape, not a change to take back.
    engine_.forgetHistory();
}


std::array<int, 2> AddinHost::slotIndexes() const {
    return {framework_.slotIndex(addin_list::kDevices),
            framework_.slotIndex(addin_list::kCalculations)};
}

bool AddinHost::chooseByName(int list, std::string_view name) {
    const std::vector<std::string>& entries = framework_.list(list);
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i] != name) continue;
        framework_.selectByIndex(list, static_cast<int>(i));
        return true;
    }
    return false;
}

}  // namespace talvex
