#pragma once

namespace talvex {

// The display options by number, as the options table, the settings groups' bit fields and the
// records of earlier file versions count them. 8 to 11 are unused.
namespace option {
enum Number : int {
    kVerticalLines = 0,
    kHorizontalLines = 1,
    k3DEffect = 2,
    kLineNosWidth = 3,
    kColumnHeaders = 4,
    kHighlightLine = 5,
    kRuler = 6,
    kNotes = 7,
    kKeypad = 12,
    kLeftSubpad = 13,
    kDisplayBar = 14,
    kAddinPanels = 15,
    kTapeOnGotoButtons = 16,
    kTapeOn = 17,
    kMultiColumnEnter = 18,
    kAutoRefResults = 19,
    kAutoClearText = 20,
    kAutoSubtotalText = 21,
    kAutoTotalText = 22,
    kAutoAddFuncText = 23,
};
}  // namespace option

// The colours by number, counted the same way. 11 is unused; 24 is the second swatch of the
// calculated lines.
namespace colour {
enum Number : int {
    kBackground = 0,
    kNormalLines = 1,
    kGridLines = 2,
    kLineNosBack = 3,
    kHeadersBack = 4,
    kHeadersText = 5,
    kTapeBorder = 6,
    kNotesBorder = 7,
    kRulerBorder = 8,
    kNotesBack = 9,
    kNotesText = 10,
    kKeypadBack = 12,
    kSubpads = 13,
    kDisplayBarBack = 14,
    kLcdBackground = 15,
    kLcdDataEntry = 16,
    kLcdTapeOn = 17,
    kLcdTapeOff = 18,
    kReferences = 19,
    kClearLines = 20,
    kSubtotalLines = 21,
    kTotalLines = 22,
    kStarLines = 23,
    kStarLinesSecond = 24,
};
}  // namespace colour

}  // namespace talvex
