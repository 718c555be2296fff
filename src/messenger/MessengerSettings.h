#pragma once

#include <string>

#include "messenger/MessengerRecord.h"
#include "shell/OwnedGroup.h"

namespace talvex {

class MessengerPanelPort;

// The messenger's settings group ("Lgo"): its record, kept with a tape when its flag says so
// and stored scrambled under key "Logo" of the "Logo" section. Field 0 of the group is the
// whole record as plain comma-joined text; the tape file scrambles it on its way out.
class MessengerSettings : public OwnedGroup {
  public:
    static constexpr int kParameters = MessengerRecord::kFields;

    std::string field(int index) const override;
    void setField(int index, std::string_view text) override;
    void load(const ConfigStore& config) override;
    bool save(ConfigStore& config) const override;

    // A single parameter, as records of earlier file versions carry them.
    void setParameter(int index, std::string_view text);

    const MessengerRecord& record() const { return record_; }
    // Applies every field in index order, as reading a stored record does.
    void apply(const MessengerRecord& record);
    void attachPanel(MessengerPanelPort* panel) { panel_ = panel; }

  private:
    MessengerRecord record_;
    MessengerPanelPort* panel_ = nullptr;
};

// The record the configuration file holds ("Reset Defaults"), without applying it.
MessengerRecord configuredMessenger(const ConfigStore& config);
// The record a comma-joined text gives; fields it lacks take their defaults.
MessengerRecord messengerFromText(std::string_view text);

// The stored form of a record for the configuration file and the tape, and reading it back:
// a value whose first field names a ".bmp" file was stored plain; any other is unscrambled.
std::string storedMessengerText(const MessengerRecord& record);
std::string plainMessengerText(std::string_view stored);

}  // namespace talvex
