#include "platform/LogoForm.h"

#include <algorithm>
#include <cstring>

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "documents/DialogsPort.h"
#include "messenger/MessengerSettings.h"
#include "platform/Colours.h"
#include "shell/SettingText.h"
#include "shell/SettingsGroups.h"

namespace talvex {

namespace {

constexpr const char* kTitle = "Talvex Messenger";
constexpr const char* kPictureFilter =
    "Bitmaps (*.bmp)|*.bmp|Icons (*.ico)|*.ico|Graphic Files "
    "(*.bmp;*.ico;*.gif;*.jpg;*.wmf)|*.bmp;*.ico;*.gif;*.jpg;*.wmf|All Files (*.*)|*.*|";
constexpr int kGraphicFilesFilter = 3;
constexpr const char* kPageFilter = "HTML Files (*.htm;*.html)|*.htm;html|All Files (*.*)|*.*|";
constexpr const char* kPageTitle = "Select What Local HTML file?";
constexpr const char* kFileScheme = "file://";
constexpr const char* kSaveFailed = "The messenger could not be written to the configuration file.";

// Controls by their field: the text boxes, the lists and the check boxes.
enum Text {
    logoFile,
    text,
    minHeight,
    borderWidth,
    address,
    password,
    bevelWidth,
    wallpaper,
    maxHeight
};
enum Place { logoPlace, wallpaperPlace, textPlace, bevelPlace, sidesPlace };
enum Command {
    ok,
    cancel,
    apply,
    browseLogo,
    resetDefaults,
    saveDefault,
    browsePageFile,
    browseWallpaper
};
constexpr int kViewLockCheck = 0;
constexpr int kEditLockCheck = 1;
constexpr int kFirstSwitchCheck = 2;  // "Launch:" is switch 0
constexpr int kActiveCheck = 3;
constexpr int kMaxWidthCheck = 4;

const QStringList kPlacements = {"None",        "LeftTop",      "LeftCenter",   "LeftBottom",
                                 "CenterTop",   "CenterCenter", "CenterBottom", "RightTop",
                                 "RightCenter", "RightBottom",  "Stretch",      "Tile"};
const QStringList kTextPositions = kPlacements.mid(1, 9);
const QStringList kBevels = {"None",   "Raised", "RaisedOutline", "Inset",     "InsetOutline",
                             "Fillet", "Groove", "Shadow",        "RaisedNew", "InsetNew"};
const QStringList kSides = {"Both", "Horizontal", "Vertical"};

QString local(const std::string& text) {
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}
std::string bytes(const QString& text) {
    return text.toLocal8Bit().toStdString();
}

QLabel* labelFor(const char* caption, QWidget* buddy) {
    auto* label = new QLabel(QString::fromLatin1(caption), buddy->parentWidget());
    label->setBuddy(buddy);
    return label;
}

}  // namespace

LogoForm::LogoForm(MessengerSettings& messenger, SettingsGroups& settings,
                   const ConfigStore& config, DialogsPort& dialogs, QWidget* parent)
    : QDialog(parent),
      messenger_(messenger),
      settings_(settings),
      config_(config),
      dialogs_(dialogs) {
    setObjectName("LogoForm");
    setWindowTitle(QString::fromLatin1(kTitle));
    auto* tabs = new QTabWidget(this);
    tabs->addTab(makeLogoTab(), tr("Logo"));
    tabs->addTab(makeBrowserTab(), tr("Active Browser"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addWidget(makeButtons());
    fill(messenger_.record());
    saveWithTape_->setChecked(settings_.flag(settings_group::kMessenger) != 0);
}

QWidget* LogoForm::makeLogoTab() {
    auto* tab = new QWidget(this);
    auto* grid = new QGridLayout(tab);
    grid->addWidget(makeDetails(), 0, 0, 1, 2);
    grid->addWidget(makeOptions(), 1, 0);
    grid->addWidget(makeSettings(), 1, 1);
    grid->setColumnStretch(0, 1);
    return tab;
}

// The browser's own switches: whether it shows, and how tape lines and pages follow each other.
QWidget* LogoForm::makeBrowserTab() {
    auto* tab = new QWidget(this);
    auto* column = new QVBoxLayout(tab);
    const char* captions[] = {"Active:",
                              "Auto Launch Hyperlinked Address",
                              "Auto Scroll Tape to Hyperlinked Line",
                              "Launch Most Recent Address",
                              "Snap to Top",
                              "Relaunch Current Address",
                              "Auto Add New Address Description"};
    for (int i = 0; i < 7; ++i) {
        // "Max Width:" (check 4) lies between "Active:" and the links' own switches.
        QCheckBox* box = makeCheck(i == 0 ? kActiveCheck : kMaxWidthCheck + i, captions[i]);
        box->setParent(tab);
        column->addWidget(box);
    }
    column->addStretch(1);
    return tab;
}

QGroupBox* LogoForm::makeDetails() {
    auto* frame = new QGroupBox(tr("Messenger Details"), this);
    auto* grid = new QGridLayout(frame);
    const auto row = [&](int at, const char* caption, int box, int command, int place) {
        QLineEdit* edit = makeText(box);
        edit->setParent(frame);
        grid->addWidget(labelFor(caption, edit), at, 0);
        grid->addWidget(edit, at, 1);
        if (command >= 0) {
            QPushButton* browse = makeCommand(command, "...");
            browse->setParent(frame);
            browse->setMaximumWidth(browse->fontMetrics().horizontalAdvance("....") + 16);
            grid->addWidget(browse, at, 2);
        }
        if (place < 0) return;
        QComboBox* list = makePlace(place, place == textPlace ? kTextPositions : kPlacements);
        list->setParent(frame);
        grid->addWidget(labelFor("Place:", list), at, 3);
        grid->addWidget(list, at, 4);
    };
    row(0, "Logo File:", logoFile, browseLogo, logoPlace);
    row(1, "Wallpaper:", wallpaper, browseWallpaper, wallpaperPlace);
    row(2, "Text:", text, -1, textPlace);
    row(3, "Address:", address, browsePageFile, -1);
    row(4, "Password:", password, -1, -1);
    grid->setVerticalSpacing(4);
    texts_[password]->setEchoMode(QLineEdit::PasswordEchoOnEdit);
    QCheckBox* launch = makeCheck(kFirstSwitchCheck, "Launch:");
    launch->setParent(frame);
    grid->addWidget(launch, 3, 3, 1, 2);
    grid->setColumnStretch(1, 1);
    return frame;
}

QGroupBox* LogoForm::makeOptions() {
    auto* frame = new QGroupBox(tr("Options"), this);
    auto* grid = new QGridLayout(frame);
    const auto add = [&](QWidget* control, const char* caption, int at, int column) {
        control->setParent(frame);
        grid->addWidget(labelFor(caption, control), at, column);
        grid->addWidget(control, at, column + 1);
    };
    add(makePlace(bevelPlace, kBevels), "Bevel:", 0, 0);
    add(makePlace(sidesPlace, kSides), "Sides:", 0, 2);
    add(makeText(bevelWidth), "Width:", 1, 0);
    add(makeText(borderWidth), "Border Width:", 1, 2);
    add(makeText(minHeight), "Min Height:", 2, 0);
    add(makeText(maxHeight), "Max Height:", 2, 2);
    for (int i = 0; i < 2; ++i) {
        auto* swatch = colourButtons_[static_cast<size_t>(i)] = new QToolButton(frame);
        swatch->setObjectName(QString("Color%1").arg(i));
        swatch->setFixedSize(40, 20);
        connect(swatch, &QToolButton::clicked, this, [this, i] { chooseColour(i); });
        add(swatch, i == 0 ? "Text Color:" : "Back Color:", 3, 2 * i);
    }
    QCheckBox* viewLock = makeCheck(kViewLockCheck, "View Lock:");
    QCheckBox* editLock = makeCheck(kEditLockCheck, "Edit Lock:");
    QCheckBox* maxWidth = makeCheck(kMaxWidthCheck, "Max Width:");
    for (QCheckBox* box : {viewLock, editLock, maxWidth}) box->setParent(frame);
    // The three switches share a row, so the dialog fits a 640x480 screen.
    auto* locks = new QHBoxLayout;
    for (QCheckBox* box : {viewLock, editLock, maxWidth}) locks->addWidget(box);
    grid->addLayout(locks, 4, 0, 1, 4);
    grid->setVerticalSpacing(4);
    for (int i : {bevelWidth, borderWidth, minHeight, maxHeight})
        texts_[static_cast<size_t>(i)]->setMaximumWidth(60);
    return frame;
}

QGroupBox* LogoForm::makeSettings() {
    auto* frame = new QGroupBox(tr("Settings"), this);
    auto* column = new QVBoxLayout(frame);
    saveWithTape_ = new QCheckBox(tr("Save with Tape"), frame);
    saveWithTape_->setObjectName("Save");
    column->addWidget(saveWithTape_);
    for (QPushButton* button : {makeCommand(resetDefaults, tr("Reset Defaults")),
                                makeCommand(saveDefault, tr("SaveAs Default"))}) {
        button->setParent(frame);
        column->addWidget(button);
    }
    column->addStretch(1);
    return frame;
}

QWidget* LogoForm::makeButtons() {
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* okButton = makeCommand(ok, tr("OK"));
    buttons->addButton(okButton, QDialogButtonBox::AcceptRole);
    buttons->addButton(makeCommand(cancel, tr("Cancel")), QDialogButtonBox::RejectRole);
    buttons->addButton(makeCommand(apply, tr("Apply")), QDialogButtonBox::ApplyRole);
    okButton->setDefault(true);
    return buttons;
}

QLineEdit* LogoForm::makeText(int index) {
    auto* edit = texts_[static_cast<size_t>(index)] = new QLineEdit(this);
    edit->setObjectName(QString("Text%1").arg(index));
    return edit;
}

QComboBox* LogoForm::makePlace(int index, const QStringList& items) {
    auto* list = places_[static_cast<size_t>(index)] = new QComboBox(this);
    list->setObjectName(QString("Place%1").arg(index));
    list->addItems(items);
    return list;
}

QCheckBox* LogoForm::makeCheck(int index, const char* caption) {
    auto* box = checks_[static_cast<size_t>(index)] =
        new QCheckBox(QString::fromLatin1(caption), this);
    box->setObjectName(QString("Chks%1").arg(index));
    return box;
}

QPushButton* LogoForm::makeCommand(int index, const QString& caption) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QString("Cmd%1").arg(index));
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, index] {
        switch (index) {
            case ok:
                applyDialog();
                return accept();
            case cancel:
                return reject();
            case apply:
                return applyDialog();
            case browseLogo:
                return browsePicture(logoFile, "Logo");
            case browseWallpaper:
                return browsePicture(wallpaper, "Wallpaper");
            case resetDefaults:
                return fill(configuredMessenger(config_));
            case saveDefault:
                return saveAsDefault();
            case browsePageFile:
                return browsePage();
            default:
                return;
        }
    });
    return button;
}

void LogoForm::fill(const MessengerRecord& r) {
    // Each box shows the start of its text, where a file's folder or an address begins.
    const auto setText = [this](int box, const std::string& value) {
        texts_[static_cast<size_t>(box)]->setText(local(value));
        texts_[static_cast<size_t>(box)]->setCursorPosition(0);
    };
    setText(logoFile, r.logoFile);
    setText(wallpaper, r.wallpaperFile);
    setText(text, r.text);
    setText(address, r.address);
    setText(password, r.password);
    for (const auto& [box, value] : {std::pair{bevelWidth, r.bevelWidth},
                                     {borderWidth, r.borderWidth},
                                     {minHeight, r.minHeight},
                                     {maxHeight, r.maxHeight}})
        setText(box, std::to_string(value));
    places_[logoPlace]->setCurrentIndex(r.logoPlacement + 1);
    places_[wallpaperPlace]->setCurrentIndex(r.wallpaperPlacement + 1);
    places_[textPlace]->setCurrentIndex(r.textPosition);
    places_[bevelPlace]->setCurrentIndex(r.bevel);
    places_[sidesPlace]->setCurrentIndex(r.bevelSides);
    setColour(0, r.textColour);
    setColour(1, r.backColour);
    checks_[kViewLockCheck]->setChecked(r.viewLock);
    checks_[kEditLockCheck]->setChecked(r.editLock);
    for (int bit = 0; bit < MessengerRecord::kSwitches; ++bit)
        checks_[static_cast<size_t>(kFirstSwitchCheck + bit)]->setChecked(
            r.isOn(static_cast<MessengerSwitch>(bit)));
}

MessengerRecord LogoForm::edited() const {
    const auto textOf = [this](int box) { return bytes(texts_[static_cast<size_t>(box)]->text()); };
    const auto numberOf = [&](int box) { return leadingInt(textOf(box)); };
    MessengerRecord r;
    r.logoFile = textOf(logoFile);
    r.wallpaperFile = textOf(wallpaper);
    r.logoPlacement = places_[logoPlace]->currentIndex() - 1;
    r.wallpaperPlacement = places_[wallpaperPlace]->currentIndex() - 1;
    r.text = textOf(text);
    r.textPosition = places_[textPlace]->currentIndex();
    r.bevel = places_[bevelPlace]->currentIndex();
    r.bevelSides = places_[sidesPlace]->currentIndex();
    r.bevelWidth = std::max(0, numberOf(bevelWidth));
    r.borderWidth = std::max(0, numberOf(borderWidth));
    r.minHeight = numberOf(minHeight);
    r.maxHeight = numberOf(maxHeight);
    r.textColour = colours_[0];
    r.backColour = colours_[1];
    r.viewLock = checks_[kViewLockCheck]->isChecked();
    r.editLock = checks_[kEditLockCheck]->isChecked();
    for (int bit = 0; bit < MessengerRecord::kSwitches; ++bit)
        r.setSwitch(static_cast<MessengerSwitch>(bit),
                    checks_[static_cast<size_t>(kFirstSwitchCheck + bit)]->isChecked());
    r.address = textOf(address);
    r.password = textOf(password);
    return r;
}

// The boxes show the heights as they will be applied.
void LogoForm::checkHeights() {
    const int least = std::max(0, leadingInt(bytes(texts_[minHeight]->text())));
    const int most = std::max(least, leadingInt(bytes(texts_[maxHeight]->text())));
    texts_[minHeight]->setText(QString::number(least));
    texts_[maxHeight]->setText(QString::number(most));
}

void LogoForm::applyDialog() {
    checkHeights();
    messenger_.apply(edited());
    settings_.setFlag(settings_group::kMessenger, saveWithTape_->isChecked() ? 1 : 0);
    emit applied();
}

void LogoForm::saveAsDefault() {
    applyDialog();
    if (settings_.saveGroup(settings_group::kMessenger)) return;
    dialogs_.message(kSaveFailed, kTitle, Buttons::ok, Icon::warning);
}

void LogoForm::browsePicture(int box, const char* what) {
    QLineEdit* edit = texts_[static_cast<size_t>(box)];
    FileDialogRequest request;
    request.title = std::string("Select What ") + what + " Graphic?";
    request.filter = kPictureFilter;
    request.initialFilter = kGraphicFilesFilter;
    const QFileInfo current(edit->text());
    request.folder = bytes(current.absolutePath());
    request.proposedName = bytes(edit->text());
    const FileDialogResult chosen = dialogs_.chooseFile(request);
    if (!chosen.path.empty()) edit->setText(local(chosen.path));
}

// A local page becomes a "file://" address; the dialog starts from the page the box names.
void LogoForm::browsePage() {
    QLineEdit* edit = texts_[address];
    FileDialogRequest request;
    request.title = kPageTitle;
    request.filter = kPageFilter;
    request.defaultExtension = ".html";
    const QString current = edit->text();
    if (current.startsWith(kFileScheme) && (current.endsWith("htm", Qt::CaseInsensitive) ||
                                            current.endsWith("html", Qt::CaseInsensitive))) {
        const QString page = current.mid(static_cast<qsizetype>(std::strlen(kFileScheme)));
        request.proposedName = bytes(page);
        request.folder = bytes(QFileInfo(page).absolutePath());
    }
    const FileDialogResult chosen = dialogs_.chooseFile(request);
    if (!chosen.path.empty()) edit->setText(kFileScheme + local(chosen.path));
}

void LogoForm::chooseColour(int index) {
    const QColor chosen =
        QColorDialog::getColor(colourFromSetting(colours_[static_cast<size_t>(index)]), this,
                               QString::fromLatin1(index == 0 ? "Text Color" : "Back Color"));
    if (chosen.isValid()) setColour(index, settingFromColour(chosen));
}

void LogoForm::setColour(int index, long long value) {
    colours_[static_cast<size_t>(index)] = value;
    QToolButton* swatch = colourButtons_[static_cast<size_t>(index)];
    swatch->setStyleSheet(QString("background-color: %1; border: 1px solid palette(dark);")
                              .arg(colourFromSetting(value).name()));
}

}  // namespace talvex
