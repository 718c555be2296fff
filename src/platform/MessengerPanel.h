// The messenger panel across the top of the main window: the wallpaper, the logo and the
// text in a bevelled frame, with the hint saying what a click and a double-click do.
#pragma once

#include <QImage>
#include <QTimer>
#include <QWidget>

#include <filesystem>

#include "messenger/MessengerPanelPort.h"
#include "messenger/MessengerRecord.h"

namespace talvex {

class DialogsPort;
class WebView;

class MessengerPanel : public QWidget, public MessengerPanelPort {
    Q_OBJECT

  public:
    // Picture names without a folder are looked up in the working folder.
    MessengerPanel(DialogsPort& dialogs, std::filesystem::path workingFolder, QWidget* parent);

    void messengerFieldApplied(int index, const MessengerRecord& record) override;
    // Every field of the record, as when the panel first shows a messenger.
    void showRecord(const MessengerRecord& record);
    // The browser inside the frame: shown while "Active:" is on, opening the record's address.
    void setWebView(WebView* view);

    const MessengerRecord& record() const { return record_; }
    const QImage& logo() const { return logo_; }
    const QImage& wallpaper() const { return wallpaper_; }
    // The record's heights in pixels: one unit is 300 twips, a fifth of an inch.
    int pixelsOf(int units) const;

  signals:
    // A click with the left button that was not the start of a double-click.
    void clicked();
    void doubleClicked();
    // The heights, View Lock or "Max Width:" changed: the window lays the panel out again.
    void layoutChanged();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    QImage loadPicture(const std::string& file, const char* what);
    void loadPictures();
    void showBrowser(bool reopen);
    QRect frameInterior() const;

    DialogsPort& dialogs_;
    std::filesystem::path workingFolder_;
    MessengerRecord record_;
    QImage logo_;
    QImage wallpaper_;
    QTimer clickTimer_;
    WebView* web_ = nullptr;
    std::string browsedAddress_;
    // The release that ends a double-click is not a click of its own.
    bool inDoubleClick_ = false;
};

}  // namespace talvex
