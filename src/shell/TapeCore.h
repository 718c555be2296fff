#pragma once

#include <utility>

#include "documents/TapeDocument.h"
#include "engine/Engine.h"
#include "shell/ConfigStore.h"
#include "shell/OptionTable.h"
#include "shell/SettingsGroups.h"

namespace talvex {

// The core of one running tape: the engine, its document, the options, and the settings groups
// that read and write the configuration file. The window and the command line both stand on it.
struct TapeCore {
    TapeCore(ViewPort& view, ConfigStore configStore, char decSep)
        : engine(view, addins, NumberSymbols::forDecSep(decSep)),
          config(std::move(configStore)),
          settings(engine, options, config) {}

    AddinPort addins;
    Engine engine;
    TapeDocument document{engine};
    OptionTable options;
    ConfigStore config;
    SettingsGroups settings;
};

}  // namespace talvex
