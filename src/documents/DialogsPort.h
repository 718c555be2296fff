#pragma once

#include <optional>
#include <string>

namespace talvex {

// Answers of a message box, as the documents remember them; the numbers are the message box's
// own, so a remembered answer reads the same everywhere.
namespace answer {
enum Answer : int { kNone = 0, kOk = 1, kCancel = 2, kYes = 6, kNo = 7 };
}  // namespace answer

enum class Buttons { ok, okCancel, yesNo, yesNoCancel };
enum class Icon { information, question, warning, error };

struct FileDialogRequest {
    std::string title;
    std::string filter;  // description|pattern pairs, as written
    std::string defaultExtension;
    int initialFilter = 1;  // counted from 1
    std::string folder;
    std::string proposedName;
    bool save = false;
};

struct FileDialogResult {
    std::string path;  // empty when the user cancelled
    int filter = 1;
};

// The column dialog's fields; the dialog edits them in place.
struct ColumnDialogState {
    std::string title;
    std::string caption;
    int width = 8;
    int typeIndex = 0;     // 0 "Text", 1 "Date", 2 "Number"
    std::string roleName;  // a role column shows only its role and keeps its type
    bool visible = true;
};

// What the documents need of message boxes, file dialogs and the window's title.
class DialogsPort {
  public:
    virtual ~DialogsPort() = default;
    virtual answer::Answer message(const std::string& text, const std::string& title,
                                   Buttons buttons, Icon icon) = 0;
    virtual FileDialogResult chooseFile(const FileDialogRequest& request) = 0;
    // Returns true on OK.
    virtual bool editColumn(ColumnDialogState& /*state*/) { return false; }
    virtual void setTitle(const std::string& /*title*/) {}
    // An input box: the text typed, or nothing when the user cancelled.
    virtual std::optional<std::string> inputBox(const std::string& /*prompt*/,
                                                const std::string& /*title*/,
                                                const std::string& /*initial*/) {
        return std::nullopt;
    }
};

}  // namespace talvex
