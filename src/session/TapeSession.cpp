#include "session/TapeSession.h"

#include <utility>

#include "session/TapeCommands.h"

namespace talvex {

namespace {

BrowserOptions browserOptions(const MessengerRecord& record) {
    BrowserOptions options;
    options.shown = record.isOn(MessengerSwitch::active);
    options.locked = record.editLock;
    options.autoLaunch = record.isOn(MessengerSwitch::autoLaunchHyperlinked);
    options.autoScroll = record.isOn(MessengerSwitch::autoScrollToHyperlinked);
    options.launchMostRecent = record.isOn(MessengerSwitch::launchMostRecent);
    options.snapToTop = record.isOn(MessengerSwitch::snapToTop);
    options.relaunchCurrent = record.isOn(MessengerSwitch::relaunchCurrent);
    options.autoAddDescription = record.isOn(MessengerSwitch::autoAddDescription);
    options.homeAddress = record.address;
    return options;
}

}  // namespace

TapeSession::TapeSession(SessionPorts ports, ConfigStore configStore, char decSep)
    : config(std::move(configStore)),
      addins(engine, ports.dialogs, config),
      engine(ports.view, addins.framework(), NumberSymbols::forDecSep(decSep)),
      settings(engine, options, config),
      dialogs(ports.dialogs),
      documents(document, engine, fileSettings, dialogs, config.workingFolder()),
      columns(document, engine, dialogs, config.maxCols()),
      printing({engine, document, layout, config, addins.labelPrinter(), ports.printer, ports.view,
                ports.progress}) {
    engine.setProgress(ports.progress);
    engine.setUndoExtras(
        [this] { return std::any(document.columns.contents()); },
        [this](const std::any& saved) {
            return document.columns.restore(std::any_cast<const ColumnSet::Contents&>(saved));
        });
    settings.own(settings_group::kPrinter, layout);
    settings.own(settings_group::kMessenger, messenger);
    // Prints use the configuration's layout until a tape brings its own.
    settings.loadGroup(settings_group::kPrinter);
    settings.loadGroup(settings_group::kMessenger);
    addins.dialler().setDocuments(documents, document);
    addins.browser().setOptions([this] { return browserOptions(messenger.record()); });
    addins.browser().setSetup([&frontEnd = ports.frontEnd] { frontEnd.editMessenger(); });
    addins.loadAddinLists();
    addTapeCommands(commands, {engine, document, options, settings, config, documents,
                               ports.frontEnd, printing, messenger, ports.dialogs});
}

}  // namespace talvex
