#include "platform/MessengerPanel.h"

#include <QApplication>
#include <QFileInfo>
#include <QImageReader>
#include <QMouseEvent>
#include <QPainter>

#include <utility>

#include "documents/DialogsPort.h"
#include "messenger/MessengerLocks.h"
#include "platform/Colours.h"
#include "platform/MessengerPainting.h"
#include "platform/web/WebView.h"

namespace talvex {

namespace {

constexpr int kTwipsPerUnit = 300;
constexpr int kTwipsPerInch = 1440;
constexpr int kTextMargin = 4;
// The program's own logo, for a working folder that has no picture of that name.
constexpr const char* kOwnLogo = "Talvex.bmp";
constexpr const char* kOwnLogoResource = ":/messenger/Talvex.bmp";

QString local(const std::string& text) {
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

MessengerPanel::MessengerPanel(DialogsPort& dialogs, std::filesystem::path workingFolder,
                               QWidget* parent)
    : QWidget(parent), dialogs_(dialogs), workingFolder_(std::move(workingFolder)) {
    setObjectName("Logo");
    setAttribute(Qt::WA_OpaquePaintEvent);
    clickTimer_.setSingleShot(true);
    clickTimer_.setInterval(QApplication::doubleClickInterval());
    connect(&clickTimer_, &QTimer::timeout, this, &MessengerPanel::clicked);
}

void MessengerPanel::messengerFieldApplied(int index, const MessengerRecord& record) {
    record_ = record;
    if (index == messenger_field::kPictures) loadPictures();
    if (index == messenger_field::kSwitches) showBrowser(false);
    if (index == messenger_field::kAddress) showBrowser(true);
    const QString hint = local(messengerHint(record_));
    setToolTip(hint);
    setStatusTip(hint);
    if (index == messenger_field::kHeights || index == messenger_field::kViewLock ||
        index == messenger_field::kSwitches)
        emit layoutChanged();
    if (web_) web_->setGeometry(frameInterior());
    update();
}

void MessengerPanel::showRecord(const MessengerRecord& record) {
    for (int i = 0; i < MessengerRecord::kFields; ++i) messengerFieldApplied(i, record);
}

void MessengerPanel::setWebView(WebView* view) {
    web_ = view;
    browsedAddress_.clear();
    showBrowser(false);
}

// The browser opens the address when it first shows and whenever the address changes; a page
// that does not open is reported by the view and changes nothing here.
void MessengerPanel::showBrowser(bool addressChanged) {
    if (!web_) return;
    const bool active = record_.isOn(MessengerSwitch::active);
    web_->setVisible(active);
    if (!active) {
        browsedAddress_.clear();
        return;
    }
    const bool opening =
        browsedAddress_.empty() || (addressChanged && record_.address != browsedAddress_);
    browsedAddress_ = record_.address;
    if (opening && !record_.address.empty()) web_->navigate(record_.address, false);
}

// The room inside the bevel and the border, measured by drawing the frame where no one sees it.
QRect MessengerPanel::frameInterior() const {
    QImage scratch(1, 1, QImage::Format_ARGB32);
    QPainter painter(&scratch);
    return drawMessengerFrame(painter, rect(), record_);
}

void MessengerPanel::resizeEvent(QResizeEvent* event) {
    if (web_) web_->setGeometry(frameInterior());
    QWidget::resizeEvent(event);
}

int MessengerPanel::pixelsOf(int units) const {
    return units * kTwipsPerUnit * logicalDpiY() / kTwipsPerInch;
}

void MessengerPanel::loadPictures() {
    logo_ = record_.logoPlacement == placement::kNone ? QImage()
                                                      : loadPicture(record_.logoFile, "Logo");
    wallpaper_ = record_.wallpaperPlacement == placement::kNone
                     ? QImage()
                     : loadPicture(record_.wallpaperFile, "Wallpaper");
}

// An empty name is no picture; a picture that cannot be read is reported and stays empty.
QImage MessengerPanel::loadPicture(const std::string& file, const char* what) {
    if (file.empty()) return {};
    QString path = local(file);
    if (QFileInfo(path).isRelative()) {
        const QString inFolder = QString::fromStdString((workingFolder_ / file).string());
        path = QFileInfo::exists(inFolder) || file != kOwnLogo ? inFolder : kOwnLogoResource;
    }
    QImageReader reader(path);
    QImage picture = reader.read();
    if (picture.isNull()) {
        dialogs_.message(reader.errorString().toStdString(),
                         std::string("Error Loading ") + what + " " + file, Buttons::ok,
                         Icon::warning);
    }
    return picture;
}

void MessengerPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), colourFromSetting(record_.backColour));
    drawPlacedPicture(painter, wallpaper_, rect(), record_.wallpaperPlacement);
    const QRect inside = drawMessengerFrame(painter, rect(), record_);
    drawPlacedPicture(painter, logo_, inside, record_.logoPlacement);
    painter.setPen(colourFromSetting(record_.textColour));
    const QRect textRoom = inside.adjusted(kTextMargin, 0, -kTextMargin, 0);
    painter.drawText(textRoom, static_cast<int>(textAlignment(record_.textPosition)),
                     local(record_.text));
}

// A click waits for the double-click time, so a double-click never opens the settings first.
void MessengerPanel::mouseReleaseEvent(QMouseEvent* event) {
    const bool endsDoubleClick = std::exchange(inDoubleClick_, false);
    if (event->button() == Qt::LeftButton && !endsDoubleClick &&
        rect().contains(event->position().toPoint()))
        clickTimer_.start();
    QWidget::mouseReleaseEvent(event);
}

void MessengerPanel::mouseDoubleClickEvent(QMouseEvent* event) {
    clickTimer_.stop();
    inDoubleClick_ = true;
    if (event->button() == Qt::LeftButton) emit doubleClicked();
    QWidget::mouseDoubleClickEvent(event);
}

}  // namespace talvex
