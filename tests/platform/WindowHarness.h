// A main window on a private working folder, driven as a user would, with the documents'
// questions answered from a script; and the same keys run through talvex-tape to compare.
#pragma once

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "TapeTool.h"
#include "app/Session.h"
#include "documents/DataRow.h"
#include "platform/MainWindow.h"
#include "platform/TapeView.h"
#include "platform/WindowTitle.h"

namespace talvex {

struct ScriptedDialogs : DialogsPort {
    int message(const std::string& text, const std::string&, Buttons, Icon) override {
        messages.push_back(text);
        if (answers.empty()) return answer::kOk;
        const int a = answers.front();
        answers.pop_front();
        return a;
    }
    FileDialogResult chooseFile(const FileDialogRequest& request) override {
        titles.push_back(request.title);
        proposed.push_back(request.proposedName);
        if (files.empty()) return {};
        const std::string path = files.front();
        files.pop_front();
        return {path, 1};
    }
    // The title goes where the window's own dialogs would put it.
    void setTitle(const std::string& title) override {
        if (window) showTapeTitle(window(), title);
    }
    std::deque<int> answers;
    std::deque<std::string> files;
    std::function<QWidget*()> window;
    std::vector<std::string> messages, titles, proposed;
};

class WindowHarness {
  public:
    std::string path(const char* name) const {
        return (std::filesystem::path(folder_.path().toStdString()) / name).string();
    }

    // A fresh working folder with the default template and "Talvex.ini" (plus extra lines).
    void install(const std::string& iniLines = {}) {
        qputenv("XDG_CONFIG_HOME", folder_.path().toLocal8Bit() + "/config");
        std::filesystem::copy_file(std::string(TALVEX_DATA_DIR) + "/!Default.kwt",
                                   path("!Default.kwt"),
                                   std::filesystem::copy_options::overwrite_existing);
        FILE* ini = std::fopen(path("Talvex.ini").c_str(), "w");
        std::fputs(("[Talvex]\nPath=.\n" + iniLines).c_str(), ini);
        std::fclose(ini);
        for (const char* tape : {"Tape1.kwd", "Saved.kwd"}) std::filesystem::remove(path(tape));
        dialogs = ScriptedDialogs{};
        dialogs.window = [this]() -> QWidget* { return session ? &session->window() : nullptr; };
    }

    bool open(const std::string& startFile = {}) {
        session = std::make_unique<Session>(ConfigStore(path("Talvex.ini")), '.', &dialogs);
        session->loadMainWindow(startFile);
        window().show();
        if (!QTest::qWaitForWindowExposed(&window())) return false;
        view()->setFocus();
        return true;
    }

    MainWindow& window() { return session->window(); }
    TapeView* view() { return window().tapeView(); }
    Engine& engine() { return session->engine(); }

    std::vector<std::string> rows() {
        std::vector<std::string> result;
        const Engine& e = engine();
        for (int row = 1; row <= e.state().lastRow; ++row)
            result.push_back(dataRowText(e.table(), row, e.layout().colCount, e.state().tapeOn));
        return result;
    }

    static std::vector<std::string> toolRows(const std::string& script,
                                             std::vector<std::string> options = {}) {
        std::istringstream in;
        std::ostringstream out, err;
        options.insert(options.begin(), "keys");
        options.push_back(script);
        runTapeTool(options, in, out, err);
        std::vector<std::string> result;
        std::string line;
        std::istringstream lines(out.str());
        while (std::getline(lines, line)) result.push_back(line);
        return result;
    }

    void typeKeys(QWidget* target, const QString& keys) {
        for (QChar c : keys) QTest::keyClick(target, c.toLatin1());
    }
    void typeKeys(const QString& keys) { typeKeys(view(), keys); }

    ScriptedDialogs dialogs;
    std::unique_ptr<Session> session;

  private:
    QTemporaryDir folder_;
};

}  // namespace talvex
