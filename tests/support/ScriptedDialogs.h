// Message boxes, file dialogs, the column dialog and input boxes answered from a script,
// remembering what was asked.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "documents/DialogsPort.h"

namespace talvex::testing {

struct ScriptedDialogs : DialogsPort {
    // "title: text" of each message; the answers are taken in order, then OK.
    answer::Answer message(const std::string& text, const std::string& title, Buttons,
                           Icon) override {
        messages.push_back(title + ": " + text);
        return next(answers, answer::kOk);
    }
    // Cancelled once the scripted files run out.
    FileDialogResult chooseFile(const FileDialogRequest& request) override {
        requests.push_back(request);
        return next(files, FileDialogResult{});
    }
    // The dialog comes back with `column`'s fields typed in; without one it is cancelled. A
    // role column's role stays, as the dialog shows it.
    bool editColumn(ColumnDialogState& state) override {
        asked.push_back(state);
        if (!column) return false;
        const std::string roleName = state.roleName;
        state = *column;
        state.roleName = roleName;
        return true;
    }
    // "title: prompt" of each input box; the texts are typed in order, then it is cancelled.
    std::optional<std::string> inputBox(const std::string& prompt, const std::string& title,
                                        const std::string&) override {
        inputsAsked.push_back(title + ": " + prompt);
        if (inputs.empty()) return std::nullopt;
        std::string text = inputs.front();
        inputs.pop_front();
        return text;
    }
    void setTitle(const std::string& text) override {
        title = text;
        if (onTitle) onTitle(text);
    }

    std::deque<answer::Answer> answers;
    std::deque<FileDialogResult> files;
    std::optional<ColumnDialogState> column;
    std::deque<std::string> inputs;
    std::function<void(const std::string&)> onTitle;

    std::vector<std::string> messages;
    std::vector<FileDialogRequest> requests;
    std::vector<ColumnDialogState> asked;
    std::vector<std::string> inputsAsked;
    std::string title;

  private:
    template <typename T>
    static T next(std::deque<T>& script, T whenEmpty) {
        if (script.empty()) return whenEmpty;
        T first = script.front();
        script.pop_front();
        return first;
    }
};

}  // namespace talvex::testing
