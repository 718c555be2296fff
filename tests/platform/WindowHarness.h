// A main window on a private working folder, driven as a user would, with the documents'
// questions answered from a script; and the same keys run through talvex-tape to compare.
#pragma once

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "ScriptedDialogs.h"
#include "ToolRun.h"
#include "app/Session.h"
#include "documents/DataRow.h"
#include "platform/MainWindow.h"
#include "platform/TapeView.h"
#include "platform/WindowTitle.h"

namespace talvex {

using testing::ScriptedDialogs;

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
        testing::writeFile(path("Talvex.ini"), "[Talvex]\nPath=.\n" + iniLines);
        for (const char* tape : {"Tape1.kwd", "Saved.kwd"}) std::filesystem::remove(path(tape));
        dialogs = ScriptedDialogs{};
        // The title goes where the window's own dialogs would put it.
        dialogs.onTitle = [this](const std::string& title) {
            if (session) showTapeTitle(&session->window(), title);
        };
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
        options.insert(options.begin(), "keys");
        options.push_back(script);
        return linesOf(tool(options).out);
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
