// A 30,000-line tape on Letter pages with header, footer and dividers, for the print benchmarks.
#pragma once

#include <limits>
#include <string>

#include "documents/TapeDocument.h"
#include "engine/Engine.h"
#include "engine/ProgressPort.h"
#include "printing/PageLayout.h"
#include "printing/PrintEngine.h"

namespace bench {

struct Printing {
    talvex::ViewPort view;
    talvex::AddinPort addins;
    talvex::ProgressPort progress;
    talvex::Engine engine{view, addins};
    talvex::TapeDocument document{engine};
    talvex::PageLayout layout;

    Printing() {
        document.columns.setDefaults();
        engine.setMaxRows(std::numeric_limits<int>::max());
        const std::string block = "125.5+74.25+19.99-12*3=S8+T";
        while (engine.state().lastRow <= 30000)
            for (char c : block) engine.keyChar(c);
        layout.setText(talvex::layout_text::kFormat, talvex::kFormatTape);
        layout.choosePaper(4);
        for (int flag : {3, 4, 6, 7, 10, 11, 15, 16, 17}) layout.setFlag(flag, 1);
        for (int spacing : {10, 11, 15, 16, 17}) layout.setText(spacing, "1");
        layout.setText(talvex::layout_text::kHeaderText, "Tape $tape, page $page");
        layout.setText(talvex::layout_text::kFooterText, "$date $time");
    }
};

inline talvex::PrintJob wholeTape() {
    talvex::PrintJob job;
    job.toRow = std::numeric_limits<int>::max();
    job.now = talvex::currentDateTexts();
    return job;
}

}  // namespace bench
