#pragma once

#include "documents/SettingsPort.h"

namespace talvex {

class AddinHost;
class MessengerSettings;
class PageLayout;
class SettingsGroups;

// The settings as tape files read and write them: the groups through the settings groups,
// and the single values of earlier file versions to the module that owns each.
class FileSettings : public SettingsPort {
  public:
    FileSettings(SettingsGroups& groups, PageLayout& printer, MessengerSettings& messenger,
                 AddinHost& addins)
        : groups_(groups), printer_(printer), messenger_(messenger), addins_(addins) {}

    std::string groupField(int group, int index) const override;
    void setGroupField(int group, int index, std::string_view text) override;
    void setOption(int option, int value) override;
    void setColour(int colour, long long value) override;
    void setNumberFormatInteger(int index, int value) override;
    void carryGroupOfOption(int option) override;
    void carryGroupOfColour(int colour) override;
    void setMessengerParameter(int index, std::string_view text) override;
    void setLayoutFlag(int index, int value) override;
    void setLayoutText(int index, std::string_view text) override;
    int maxCols() const override;
    std::optional<std::array<int, 2>> addinSlots() const override;
    void tapeRead(std::array<int, 2> indexes) override;

  private:
    SettingsGroups& groups_;
    PageLayout& printer_;
    MessengerSettings& messenger_;
    AddinHost& addins_;
};

}  // namespace talvex
