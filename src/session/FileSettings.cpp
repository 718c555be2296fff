#include "session/FileSettings.h"

#include "session/AddinHost.h"

#include "messenger/MessengerSettings.h"
#include "printing/PageLayout.h"
#include "shell/SettingsGroups.h"

namespace talvex {

std::string FileSettings::groupField(int group, int index) const {
    return groups_.groupField(group, index);
}
void FileSettings::setGroupField(int group, int index, std::string_view text) {
    groups_.setGroupField(group, index, text);
}
void FileSettings::setOption(int option, int value) {
    groups_.setOption(option, value);
}
void FileSettings::setColour(int colour, long long value) {
    groups_.setColour(colour, value);
}
void FileSettings::setNumberFormatInteger(int index, int value) {
    groups_.setNumberFormatInteger(index, value);
}
void FileSettings::carryGroupOfOption(int option) {
    groups_.carryGroupOfOption(option);
}
void FileSettings::carryGroupOfColour(int colour) {
    groups_.carryGroupOfColour(colour);
}
void FileSettings::setMessengerParameter(int index, std::string_view text) {
    messenger_.setParameter(index, text);
}
void FileSettings::setLayoutFlag(int index, int value) {
    printer_.setLayoutFlag(index, value);
}
void FileSettings::setLayoutText(int index, std::string_view text) {
    printer_.setLayoutText(index, text);
}
int FileSettings::maxCols() const {
    return groups_.maxCols();
}

std::optional<std::array<int, 2>> FileSettings::addinSlots() const {
    return addins_.slotIndexes();
}

void FileSettings::tapeRead(std::array<int, 2> indexes) {
    addins_.tapeRead(indexes);
}

}  // namespace talvex
