#include "addins/AddinFramework.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>

#include "engine/Engine.h"
#include "engine/KeyCodes.h"
#include "engine/LineCodes.h"

namespace talvex {

namespace {

constexpr std::string_view kCannotEdit = "Cannot Edit this Entry";
constexpr int kDeviceSlot = 0;
constexpr int kCalculationSlot = 1;
// The kind numbers a line's record carries are the calculation list's indexes of these.
constexpr std::array<std::string_view, 4> kAddinOfKind = {"", "Mortgage", "UserFuncs", "Memory"};
// Main results show like the calculator's own results, by-products like subtotals.
constexpr int kResultColour = 23;
constexpr int kSideResultColour = 21;

bool isKindAddin(std::string_view name) {
    for (std::string_view kindAddin : kAddinOfKind)
        if (!kindAddin.empty() && kindAddin == name) return true;
    return false;
}

int firstKeyOf(int slot) {
    return slot == kDeviceSlot ? key::kFirstDevicePanelKey : key::kFirstCalcPanelKey;
}

std::vector<std::string_view> splitFields(std::string_view record) {
    std::vector<std::string_view> fields;
    for (size_t start = 0;;) {
        const size_t colon = record.find(':', start);
        fields.push_back(record.substr(start, colon - start));
        if (colon == std::string_view::npos) return fields;
        start = colon + 1;
    }
}

}  // namespace

void AddinFramework::install(std::string_view name, Addin& addin) {
    addins_[std::string(name)] = &addin;
}

Addin* AddinFramework::find(std::string_view name) const {
    const auto it = addins_.find(name);
    return it == addins_.end() ? nullptr : it->second;
}

void AddinFramework::setPanels(AddinPanelsPort* panels) {
    panels_ = panels ? panels : &nullPanels_;
    for (int list = 0; list < addin_list::kCount; ++list) showList(list);
    for (int slot = kDeviceSlot; slot <= kCalculationSlot; ++slot) {
        if (panelShown_[slot])
            panels_->showPanel(slot, panelViews_[slot]);
        else
            panels_->hidePanel(slot);
    }
}

void AddinFramework::showList(int list) {
    panels_->fillList(list, lists_[list], slotIndex_[list]);
}

void AddinFramework::loadAddinLists(const std::string& devices, const std::string& calculations) {
    fillList(addin_list::kDevices, slotList(devices), kNoAddin);
    fillList(addin_list::kCalculations, slotList(calculations), kNoAddin);
    fillList(addin_list::kGroupModes, groupModeList(), groupModeList().front());
}

void AddinFramework::fillList(int list, const std::vector<std::string>& entries,
                              std::string_view selected) {
    lists_.at(list) = entries;
    int index = 0;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i] == selected) {
            index = static_cast<int>(i);
            break;
        }
    }
    if (list == addin_list::kDevices || list == addin_list::kCalculations) {
        for (const std::string& name : entries) {
            if (name == kNoAddin) continue;
            slotAddin_[list] = name;
            dispatchCode(list, addin_code::kListLoaded);
        }
    }
    slotIndex_[list] = index;
    showList(list);
    if (entries.empty()) return;
    // Filling the group-total list sets the mode only: it writes no group totals.
    if (list == addin_list::kGroupModes) {
        slotAddin_[list] = entries[index];
        engine_.setGroupMode(index);
        return;
    }
    selectByIndex(list, index);
}

AddinFramework::CalculationChoice AddinFramework::calculationChoice() const {
    return {slotAddin_[kCalculationSlot], slotIndex_[addin_list::kCalculations], calcKindActive_,
            letters_};
}

void AddinFramework::restoreCalculationChoice(const CalculationChoice& choice) {
    slotAddin_[kCalculationSlot] = choice.addin;
    slotIndex_[addin_list::kCalculations] = choice.index;
    calcKindActive_ = choice.kind;
    letters_ = choice.letters;
}

void AddinFramework::selectByIndex(int list, int index) {
    slotIndex_.at(list) = index;
    if (index < 0 || index >= static_cast<int>(lists_[list].size())) return;
    panels_->showSelected(list, index);
    choose(list, index);
}

// A failure while a choice is handled leaves the window as it was and carries on.
void AddinFramework::choose(int list, int index) {
    if (list < 0 || list >= addin_list::kCount) return;
    if (index < 0 || index >= static_cast<int>(lists_[list].size())) return;
    slotAddin_[list] = lists_[list][index];
    slotIndex_[list] = index;
    try {
        switch (list) {
            case addin_list::kDevices:
            case addin_list::kCalculations:
                slotChosen(list, index);
                break;
            case addin_list::kDeviceOwn:
                dispatchCode(kDeviceSlot, addin_code::kDeviceOwnList);
                break;
            case addin_list::kFunctions:
                dispatchCode(kCalculationSlot, addin_code::kFunctionChosen);
                break;
            case addin_list::kDeviceSecond:
                dispatchCode(kDeviceSlot, addin_code::kDeviceSecondList);
                break;
            default:
                engine_.setGroupMode(index);
                engine_.keyFront(key::kGrandTotal);
                break;
        }
    } catch (const std::exception&) {
    }
}

void AddinFramework::slotChosen(int slot, int index) {
    if (lists_[slot][index] == kNoAddin) {
        panelShown_[slot] = false;
        panels_->hidePanel(slot);
        (slot == kDeviceSlot ? deviceKindActive_ : calcKindActive_) = 0;
        return;
    }
    dispatchCode(slot, addin_code::kActivate);
    if (slot == kDeviceSlot)
        deviceKindActive_ = deviceKind_;
    else
        calcKindActive_ = calcKind_;
}

void AddinFramework::dispatchCode(int slot, int code) {
    firstKey_ = firstKeyOf(slot);
    const std::string& name = slotAddin_.at(slot);
    const AddinInfo* info = findAddin(name);
    if (!info || static_cast<int>(info->slot) != slot) return;
    if (Addin* addin = find(name)) addin->entry(code);
}

void AddinFramework::dispatch(int slot, int key) {
    if (slot == kCalculationSlot && key == addin_code::kAddinKey)
        letter_ = std::string(baseCode(engine_.state().entry.entryOp));
    dispatchCode(slot, key);
}

void AddinFramework::pressButton(int slot, int button) {
    if (slot < kDeviceSlot || slot > kCalculationSlot || button < 0 ||
        button >= PanelLayout::kButtons || !panelShown_[slot])
        return;
    const PanelButton& pressed = panelViews_[slot].layout.buttons[button];
    if (!pressed.shown() || !panelViews_[slot].enabled[button]) return;
    const int key = firstKeyOf(slot) + button;
    // A key without a letter writes no line (Setup...): it goes straight to its add-in, also
    // while a line is edited. A key with one writes a line wherever it sits on the panel.
    const bool writesLine = slot == kCalculationSlot && !pressed.tag.empty();
    if (slot == kCalculationSlot && key >= key::kAddinFunction && !writesLine) {
        letter_.clear();
        dispatchCode(slot, addin_code::kAddinKey);
        return;
    }
    const EngineState& state = engine_.state();
    if (state.tapeOn && state.curRow < state.lastRow && !editableKey(key)) {
        engine_.addinError(std::string(kCannotEdit));
        return;
    }
    if (writesLine)
        engine_.keyAddin(pressed.tag);
    else
        engine_.keyFront(key);
}

void AddinFramework::buildPanel(int slot, std::string_view menu) {
    PanelView view;
    view.layout = parseMenuString(menu);
    const int listIndex = slotIndex_.at(slot);
    view.topic = slot == kDeviceSlot ? devicePanelTopic(listIndex) : calculationTopic(listIndex);
    for (int b = 0; b < PanelLayout::kButtons; ++b) {
        view.buttonTopics[b] = slot == kDeviceSlot
                                   ? deviceButtonTopic(listIndex, key::kFirstDevicePanelKey + b)
                                   : view.topic;
        view.enabled[b] = view.layout.buttons[b].shown();
    }
    panelViews_[slot] = std::move(view);
    panelShown_[slot] = true;
    panels_->showPanel(slot, panelViews_[slot]);
}

void AddinFramework::setButtonEnabled(int slot, int button, bool enabled) {
    panelViews_.at(slot).enabled.at(button) = enabled;
    panels_->setButtonEnabled(slot, button, enabled);
}

void AddinFramework::setButtonText(int slot, int button, const std::string& caption,
                                   const std::string& tip) {
    PanelButton& shown = panelViews_.at(slot).layout.buttons.at(button);
    shown.caption = caption;
    shown.tip = tip.empty() ? caption : tip;
    if (panelShown_.at(slot)) panels_->showPanel(slot, panelViews_[slot]);
}

void AddinFramework::numberEntryKey(int key) {
    firstKey_ = key::kFirstDevicePanelKey;
    if (Addin* addin = find(slotAddin_[kDeviceSlot])) addin->manualKey(key);
}

void AddinFramework::setListEnabled(int list, bool enabled) {
    panels_->setListEnabled(list, enabled);
}

void AddinFramework::dropDownList(int list) {
    panels_->dropDownList(list);
}

const PanelView* AddinFramework::panel(int slot) const {
    return panelShown_.at(slot) ? &panelViews_[slot] : nullptr;
}

bool AddinFramework::wantsResultLine(std::string_view code) const {
    return letters_.wantsResultLine(code, engine_.settings().resultLine);
}

// A reset reaches every add-in that keeps registers on the lines, not only the active one: a
// recalculation from the top activates each line's add-in as it comes, and none may carry
// figures from the end of the tape into the start.
void AddinFramework::event(int code) {
    if (code == addin_event::kReset) {
        for (std::string_view name : kAddinOfKind)
            if (Addin* addin = name.empty() ? nullptr : find(name)) addin->entry(code);
        // Each add-in set its kind on the way; the active one's stands.
        calcKind_ = calcKindActive_;
    }
    if (code != addin_event::kReset || !isKindAddin(slotAddin_[kCalculationSlot]))
        dispatchCode(kCalculationSlot, code);
}

void AddinFramework::saveToLine(std::string& record) {
    const AddinInfo* info = findAddin(slotAddin_[kCalculationSlot]);
    if (!info || info->slot != AddinSlot::calculation) return;
    firstKey_ = key::kFirstCalcPanelKey;
    if (Addin* addin = find(slotAddin_[kCalculationSlot])) record += addin->lineFields();
}

int AddinFramework::lineKind(std::string_view record, bool withRawEntry,
                             std::vector<std::string_view>* rest) const {
    const size_t own = withRawEntry ? 5 : 4;
    // Most lines carry the engine's fields only; they are told apart without splitting.
    if (static_cast<size_t>(std::count(record.begin(), record.end(), ':')) < own) return -1;
    const std::vector<std::string_view> fields = splitFields(record);
    if (fields.size() <= own) return -1;
    int kind = -1;
    const std::string_view text = fields[own];
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), kind);
    if (error != std::errc() || end != text.data() + text.size()) return -1;
    if (rest) rest->assign(fields.begin() + static_cast<long>(own) + 1, fields.end());
    return kind;
}

// A line names the add-in that wrote it by its kind, which stands for its place in the shipped
// calculation list. Where the configured list holds it elsewhere, or not at all, the add-in is
// still the one that answers the line: a tape reads the same whatever the lists say.
void AddinFramework::selectKind(int kind) {
    if (kind <= 0 || kind >= static_cast<int>(kAddinOfKind.size())) return;
    const std::string_view name = kAddinOfKind[kind];
    const std::vector<std::string>& listed = lists_[kCalculationSlot];
    const auto at = std::find(listed.begin(), listed.end(), name);
    if (at != listed.end()) {
        selectByIndex(addin_list::kCalculations, static_cast<int>(at - listed.begin()));
        return;
    }
    slotAddin_[kCalculationSlot] = std::string(name);
    dispatchCode(kCalculationSlot, addin_code::kActivate);
    calcKindActive_ = calcKind_;
}

// Compared by the add-in itself, not by the kind number: a panel-only add-in chosen after the
// loan calculator keeps its kind number, yet would answer none of its lines.
bool AddinFramework::wroteLine(int kind) const {
    return kind < static_cast<int>(kAddinOfKind.size()) &&
           slotAddin_[kCalculationSlot] == kAddinOfKind[kind];
}

void AddinFramework::restoreFromLine(std::string_view record, bool withRawEntry, bool current) {
    std::vector<std::string_view> rest;
    const int kind = lineKind(record, withRawEntry, &rest);
    if (kind <= 0 || kind >= static_cast<int>(kAddinOfKind.size())) return;
    if (current && !wroteLine(kind)) selectKind(kind);
    if (Addin* addin = find(kAddinOfKind[kind])) addin->restoreFields(rest);
}

void AddinFramework::currentLineFetched(int row) {
    for (const auto& [name, addin] : addins_) addin->lineFetched(row);
}

void AddinFramework::tapeRestored() {
    for (const auto& [name, addin] : addins_) addin->tapeRestored();
}

void AddinFramework::lineReplayed(std::string_view record, bool withRawEntry) {
    std::vector<std::string_view> rest;
    const int kind = lineKind(record, withRawEntry, &rest);
    replayedFields_.clear();
    if (kind > 0) replayedFields_.assign(rest.begin(), rest.end());
    if (kind > 0 && !wroteLine(kind)) selectKind(kind);
}

std::vector<std::string> AddinFramework::fieldsAt(int row, int kind) const {
    if (row < 1 || row > engine_.state().lastRow) return {};
    std::vector<std::string_view> rest;
    if (lineKind(engine_.cell(row, kRegisterColumn), engine_.recordsHaveRawEntry(), &rest) != kind)
        return {};
    return {rest.begin(), rest.end()};
}

std::optional<std::string> AddinFramework::symbolValue(std::string_view name) {
    Addin* addin = find("UserFuncs");
    return addin ? addin->symbolValue(name) : std::nullopt;
}

bool AddinFramework::editableKey(int code) const {
    return editableAddinKey(code, slotAddin_[kDeviceSlot], slotAddin_[kCalculationSlot]);
}

bool AddinFramework::isAddinLetter(std::string_view code) const {
    return letters_.isAddinLetter(code);
}
bool AddinFramework::isFunction(std::string_view code) const {
    return letters_.isFunction(code);
}
bool AddinFramework::isSideResult(std::string_view code) const {
    return letters_.isSideResult(code);
}

int AddinFramework::resultColour(std::string_view code) const {
    if (letters_.isSideResult(code)) return kSideResultColour;
    return letters_.isFunction(code) ? kResultColour : -1;
}

}  // namespace talvex
