// The two add-in slots: their lists, the panels the active add-ins build, the routing of a
// panel key to the active add-in, and the letter sets by which the engine knows add-in lines.
#pragma once

#include <array>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "addins/Addin.h"
#include "addins/AddinLists.h"
#include "addins/AddinPanelsPort.h"
#include "engine/EnginePorts.h"

namespace talvex {

class Engine;

class AddinFramework : public AddinPort {
  public:
    explicit AddinFramework(Engine& engine) : engine_(engine) {}

    // The add-in that answers to a registry name; the framework does not own it.
    void install(std::string_view name, Addin& addin);
    // Where the panels and lists are shown; everything is shown there again at once.
    void setPanels(AddinPanelsPort* panels);

    // The lists of both slots from the configuration ("Addins0", "Addins1"), "{none}" chosen in
    // each, and the group-total modes.
    void loadAddinLists(const std::string& devices, const std::string& calculations);
    // Fills a list; the entry equal to selected (else the first) is chosen. An add-in of a
    // slot's list hears that it is listed.
    void fillList(int list, const std::vector<std::string>& entries, std::string_view selected);
    void selectByIndex(int list, int index);
    // A choice in a list, as the user makes it.
    void choose(int list, int index);
    // A button of a slot's panel, pressed by the user.
    void pressButton(int slot, int button);
    // Builds a slot's panel from a menu string and shows it.
    void buildPanel(int slot, std::string_view menu);
    void setButtonEnabled(int slot, int button, bool enabled);
    void setButtonText(int slot, int button, const std::string& caption, const std::string& tip);
    // While set, the keypad's number keys go to the device slot's add-in, not the calculator.
    // Only the add-in that set it takes the digits: another one chosen in the slot does not.
    void setDigitCapture(bool capture) {
        digitCapture_ = capture;
        captureOwner_ = slotAddin_[0];
    }
    bool digitCapture() const { return digitCapture_ && slotAddin_[0] == captureOwner_; }
    void setListEnabled(int list, bool enabled);
    void dropDownList(int list);
    // Sends a code to the slot's active add-in.
    void dispatchCode(int slot, int code);

    // The calculation slot as it stands, to start a replay of the tape from again: the add-in,
    // its place in the list, its kind and the letters on offer.
    struct CalculationChoice {
        std::string addin;
        int index = 0;
        int kind = 0;
        LetterSets letters;
    };
    CalculationChoice calculationChoice() const;
    void restoreCalculationChoice(const CalculationChoice& choice);

    const std::vector<std::string>& list(int list) const { return lists_.at(list); }
    int slotIndex(int list) const { return slotIndex_.at(list); }
    const std::string& active(int slot) const { return slotAddin_.at(slot); }
    const PanelView* panel(int slot) const;
    // The letter of the add-in key being handled: a button's tag or a line's code.
    const std::string& letter() const { return letter_; }
    // The add-in fields (after the kind) of the line being replayed.
    const std::vector<std::string>& replayedFields() const { return replayedFields_; }
    // The add-in fields (after the kind) a row's record holds, when the add-in of that kind
    // wrote them.
    std::vector<std::string> fieldsAt(int row, int kind) const;
    // The slot being served: 31 for the device panel, 39 for the calculation panel.
    int firstKey() const { return firstKey_; }

    // Set by the add-ins themselves while they run.
    void setCalcKind(int kind) { calcKind_ = kind; }
    void setDeviceKind(int kind) { deviceKind_ = kind; }
    int calcKindActive() const { return calcKindActive_; }
    int deviceKindActive() const { return deviceKindActive_; }
    void setLetters(LetterSets letters) { letters_ = std::move(letters); }
    const LetterSets& letters() const { return letters_; }
    bool wantsResultLine(std::string_view code) const;

    // The engine's side.
    void event(int code) override;
    void saveToLine(std::string& record) override;
    void restoreFromLine(std::string_view record, bool withRawEntry, bool current) override;
    void lineReplayed(std::string_view record, bool withRawEntry) override;
    void currentLineFetched(int row) override;
    void tapeRestored() override;
    std::optional<std::string> symbolValue(std::string_view name) override;
    void dispatch(int slot, int key) override;
    bool takesNumberEntry() const override { return digitCapture(); }
    void numberEntryKey(int key) override;
    // Whether a panel key (31 to 46) may be pressed while a line inside the tape is current.
    bool editableKey(int code) const;
    bool isAddinLetter(std::string_view code) const override;
    bool isFunction(std::string_view code) const override;
    bool isSideResult(std::string_view code) const override;
    int resultColour(std::string_view code) const override;

  private:
    Addin* find(std::string_view name) const;
    void slotChosen(int slot, int index);
    // The kind a line was written with, or -1 when its record has no kind field.
    int lineKind(std::string_view record, bool withRawEntry,
                 std::vector<std::string_view>* rest) const;
    void selectKind(int kind);
    bool wroteLine(int kind) const;
    void showList(int list);

    Engine& engine_;
    std::map<std::string, Addin*, std::less<>> addins_;
    AddinPanelsPort nullPanels_;
    AddinPanelsPort* panels_ = &nullPanels_;
    std::array<std::vector<std::string>, addin_list::kCount> lists_;
    std::array<std::string, addin_list::kCount> slotAddin_;
    std::array<int, addin_list::kCount> slotIndex_{};
    std::array<PanelView, 2> panelViews_;
    std::array<bool, 2> panelShown_{};
    int calcKind_ = 0;
    int deviceKind_ = 0;
    int calcKindActive_ = 0;
    int deviceKindActive_ = 0;
    int firstKey_ = 39;
    bool digitCapture_ = false;
    std::string captureOwner_;
    LetterSets letters_;
    std::string letter_;
    std::vector<std::string> replayedFields_;
};

}  // namespace talvex
