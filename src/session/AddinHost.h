// The add-ins of one running program: the framework with the eight known add-ins installed,
// the lists the configuration gives the slots, and the add-ins a tape opens with.
#pragma once

#include <array>

#include "addins/AddinFramework.h"
#include "addins/MemoryAddin.h"
#include "addins/Mortgage.h"
#include "addins/PanelAddins.h"
#include "addins/UserFunctions.h"
#include "devices/BrowserLinks.h"
#include "devices/Dialler.h"
#include "printing/LabelPrinter.h"
#include "session/BrowserAddin.h"
#include "session/LabelPrinterAddin.h"
#include "session/ModemAddin.h"

namespace talvex {

class ConfigStore;
class DialogsPort;
class Engine;

class AddinHost {
  public:
    AddinHost(Engine& engine, DialogsPort& dialogs, ConfigStore& config);
    AddinHost(const AddinHost&) = delete;
    AddinHost& operator=(const AddinHost&) = delete;

    AddinFramework& framework() { return framework_; }
    const AddinFramework& framework() const { return framework_; }
    const Mortgage& mortgage() const { return mortgage_; }
    const MemoryAddin& memory() const { return memory_; }
    const UserFunctions& userFunctions() const { return userFunctions_; }
    LabelPrinter& labelPrinter() { return labelPrinter_; }
    const LabelPrinter& labelPrinter() const { return labelPrinter_; }
    Dialler& dialler() { return dialler_; }
    const Dialler& dialler() const { return dialler_; }
    BrowserLinks& browser() { return browser_; }
    const BrowserLinks& browser() const { return browser_; }
    // At the end of the run: the device add-ins write the settings they changed.
    void saveSettings();

    // Both slots' lists from the configuration, "{none}" chosen in each.
    void loadAddinLists();
    // A tape was read: the add-ins it names, and the definitions its lines hold.
    void tapeRead(std::array<int, 2> indexes);
    std::array<int, 2> slotIndexes() const;

    // Chooses an entry of a list by its text; false when the list has no such entry.
    bool chooseByName(int list, std::string_view name);

  private:

    Engine& engine_;
    ConfigStore& config_;
    AddinFramework framework_;
    MemoryAddin memory_;
    PanelAddin financial_;
    PanelAddin x10_;
    Mortgage mortgage_;
    UserFunctions userFunctions_;
    LabelPrinter labelPrinter_;
    LabelPrinterAddin labelPrinterAddin_;
    Dialler dialler_;
    ModemAddin modemAddin_;
    BrowserLinks browser_;
    BrowserAddin browserAddin_;
};

}  // namespace talvex
