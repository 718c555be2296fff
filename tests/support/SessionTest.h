// A running tape over a configuration of its own: scripted dialogs answer its questions and a
// recording view keeps what it showed.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "RecordingView.h"
#include "ScriptedDialogs.h"
#include "TempFolder.h"
#include "session/TapeSession.h"

namespace talvex::testing {

class SessionTest : public ::testing::Test {
  protected:
    // A fresh tape with the default template's columns, over a Talvex.ini holding ini.
    void startSession(const std::string& ini) {
        writeFile(folder_ / "Talvex.ini", ini);
        session_ =
            std::make_unique<TapeSession>(SessionPorts{view_, dialogs_, noWindow_, progress_},
                                          ConfigStore(folder_ / "Talvex.ini"), '.');
        session_->document.columns.setDefaults();
        session_->engine.newTape();
    }

    TempFolder folder_;
    RecordingView view_;
    ScriptedDialogs dialogs_;
    FrontEndPort noWindow_;
    ProgressPort progress_;
    std::unique_ptr<TapeSession> session_;
};

}  // namespace talvex::testing
