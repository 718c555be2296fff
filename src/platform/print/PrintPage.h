// A printed page as the print engine fills it: text runs placed in character columns and
// lines. The same runs are painted on a printer, into a PDF file, or again and again into the
// print preview.
#pragma once

#include <QFont>
#include <QString>

#include <memory>

class QPainter;
class QPagedPaintDevice;

namespace talvex {

struct PlacedText {
    int page = 0;  // from 0
    int line = 0;  // from the page's top
    double column = 0;
    QString text;
    // Bold, underline, italic, strikethrough as bits 0 to 3.
    unsigned attributes = 0;
    bool fixedPitch = true;
};

// Paints runs on a paged device: column x lies at x / charsPerInch inches and line y at
// y / linesPerInch inches from the printable area's top-left corner. Fixed-pitch text is
// spaced so that every character takes exactly one column, whatever font the machine has.
class RunPainter {
  public:
    RunPainter(const QFont& printFont, double charsPerInch, double linesPerInch);
    ~RunPainter();

    // False when the device cannot be painted on (a PDF file that cannot be written).
    bool begin(QPagedPaintDevice* device);
    void paint(const PlacedText& run);
    void end();
    // A page could not be started (the printer went away): what follows is lost.
    bool failed() const { return failed_; }

    // The chosen font made fixed-pitch; the machine's monospace font when it has no such face.
    static QFont fixedPitchFont(const QFont& printFont);

  private:
    QFont fontFor(const PlacedText& run) const;

    QFont proportional_;
    QFont fixed_;
    double charsPerInch_;
    double linesPerInch_;
    QPagedPaintDevice* device_ = nullptr;
    std::unique_ptr<QPainter> painter_;
    int page_ = 0;
    bool failed_ = false;
};

}  // namespace talvex
