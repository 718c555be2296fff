#include "platform/Keypad.h"

#include "platform/KeypadIcons.h"

#include <QAbstractButton>
#include <QAction>
#include <QActionGroup>
#include <QEvent>
#include <QFont>
#include <QFontMetrics>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QIconEngine>
#include <QMenu>
#include <QPainter>
#include <QPalette>
#include <QPen>
#include <QPixmap>
#include <QPointF>
#include <QPolygonF>
#include <QPushButton>
#include <QRectF>
#include <QSizePolicy>
#include <QString>

#include <algorithm>
#include <array>
#include <functional>
#include <span>
#include <utility>

#include "engine/KeyCodes.h"
#include "platform/Colours.h"

namespace talvex {

namespace {

constexpr const char* kRefCaption = "&Ref";
constexpr const char* kShortRefCaption = "&R";
constexpr const char* kCountsOnCaption = "&# On";
constexpr const char* kCountsOffCaption = "&# Off";
constexpr const char* kShortCountsOnCaption = "&#+";
constexpr const char* kShortCountsOffCaption = "&#-";
constexpr const char* kTapeOnCaption = "Tape&On";
constexpr const char* kTapeOffCaption = "Tape&Off";
constexpr const char* kTapeHelp =
    "Switches the tape on or off; the caption shows which. While it is on, every entry goes to "
    "the tape and the calculated columns are protected; while off, every column can be typed.";

// Digits are the largest keys and operators match them in bold; the clear and total keys
// carry words, so they get a smaller bold face and are made wide enough for it.
enum class KeyKind { Digit, Operator, Function };

struct KeyDef {
    const char* caption;
    const char* tip;
    const char* help;
    KeyKind kind;
};

// Indexed by key code. Digits get a generated help text; the separator, Ref and item-count
// captions depend on the locale, the layout and the counts switch.
constexpr KeyDef kKeys[Keypad::kKeyCount] = {
    {"0", nullptr, nullptr, KeyKind::Digit},
    {"1", nullptr, nullptr, KeyKind::Digit},
    {"2", nullptr, nullptr, KeyKind::Digit},
    {"3", nullptr, nullptr, KeyKind::Digit},
    {"4", nullptr, nullptr, KeyKind::Digit},
    {"5", nullptr, nullptr, KeyKind::Digit},
    {"6", nullptr, nullptr, KeyKind::Digit},
    {"7", nullptr, nullptr, KeyKind::Digit},
    {"8", nullptr, nullptr, KeyKind::Digit},
    {"9", nullptr, nullptr, KeyKind::Digit},
    {"00", nullptr, "Keys two zeros into the entry.", KeyKind::Digit},
    {"", nullptr, "Keys the decimal separator. In add mode 1234 + without it adds 12.34.",
     KeyKind::Digit},
    {kRefCaption, "Add New/Use Existing Reference",
     "Makes the current line a reference source, or, followed by a reference's number, uses its "
     "value instead of a keyed number; the line then follows its source.",
     KeyKind::Function},
    {"%", nullptr, "Completes X or / with the entry as a percentage: 200 X 15 % gives 30.",
     KeyKind::Operator},
    {"&C", "Clear", "Clears the calculator and writes a clear line to the tape.",
     KeyKind::Function},
    {"CE", "Cancel Entry", "Cancels the number being keyed; the tape stays as it is.",
     KeyKind::Function},
    {"-", nullptr, "Subtracts the entry from the running total; pressed again, subtracts it again.",
     KeyKind::Operator},
    {"+", nullptr, "Adds the entry to the running total; pressed again, adds it again.",
     KeyKind::Operator},
    {"S", "SubTotal", "Writes the running total as a subtotal and keeps it.", KeyKind::Function},
    {"&T", "Total", "Writes the running total as a total and starts again from zero.",
     KeyKind::Function},
    {"X", nullptr, "Multiplies: the entry becomes a factor; finish with = or %.",
     KeyKind::Operator},
    {"/", nullptr, "Divides by the next entry; finish with = or %.", KeyKind::Operator},
    {"=", nullptr, "Completes X or / and writes the result to the tape.", KeyKind::Operator},
    {kCountsOffCaption, "Item Counts On/Off",
     "Switches the item counts beside subtotals and totals on or off.", KeyKind::Function},
    {nullptr, nullptr, nullptr, KeyKind::Function},
    {"W", "Total of * Entries (W)", "Totals the result (*) lines since the last W total.",
     KeyKind::Function},
    {"&GT", "Grand Total",
     "Lists the group and grand totals: lines totalled by description, with or without the + "
     "and - items, or the totals since the last grand total.",
     KeyKind::Function},
};

constexpr const char* kGroupModes[Keypad::kGroupModeCount] = {"group totals", "gts with +/-",
                                                              "Grand Total", "GT with +/-"};

struct GotoSpec {
    const char* tip;
    const char* help;
};

constexpr GotoSpec kGotos[Keypad::kGotoCount] = {
    {"Start of Tape", "Moves to the first line of the tape."},
    {"Previous Line", "Moves to the line above the current one."},
    {"Next Line", "Moves to the line below the current one."},
    {"End of Tape", "Moves to the open line at the end of the tape, ready for the next entry."},
};

// Each subpad is written as it looks; a key named in neighbouring cells spans them. The main
// subpad follows a keyboard's number pad, with the tall + and = where Plus and Enter are.
constexpr int kPadRows = 5;
constexpr int kLeftColumns = 2;
constexpr int kMainColumns = 4;

constexpr int kLeftGrid[kPadRows][kLeftColumns] = {
    {key::kClear, key::kClearEntry},     {key::kRef, key::kCounts},
    {key::kStarTotal, key::kGrandTotal}, {key::kSubtotal, key::kSubtotal},
    {key::kTotal, key::kTotal},
};

constexpr int kMainGrid[kPadRows][kMainColumns] = {
    {key::kPercent, key::kDivide, key::kMultiply, key::kSubtract},
    {7, 8, 9, key::kAdd},
    {4, 5, 6, key::kAdd},
    {1, 2, 3, key::kEquals},
    {0, key::kDoubleZero, key::kDecimal, key::kEquals},
};

constexpr int kSpacing = 4;
constexpr int kGroupGap = 6;
constexpr double kCompactFontScale = 0.85;
// The smallest keys: a 640x480 window still gives most of its width to the tape.
constexpr QSize kKeySize(24, 26);
constexpr QSize kCompactKeySize(30, 24);
// Keys grow with the window up to about a fingertip; larger keys only take room from the tape.
constexpr QSize kLargestKeySize(64, 64);
constexpr int kCaptionPadding = 3;
constexpr const char* kWidestCaption = "# Off";

double fontFactor(KeyKind kind, bool compact) {
    if (kind == KeyKind::Function) return compact ? 0.85 : 1.0;
    if (kind == KeyKind::Operator) return compact ? 1.1 : 1.8;
    return compact ? 1.0 : 1.6;
}

QFont scaledFont(const QFont& base, double factor, bool bold) {
    QFont font = base;
    if (base.pointSizeF() > 0) {
        font.setPointSizeF(base.pointSizeF() * factor);
    } else {
        font.setPixelSize(qRound(base.pixelSize() * factor));
    }
    font.setBold(bold);
    return font;
}

// Buttons take room the keypad is given but never ask for more, so the window's spare room
// goes to the tape.
void prepareButton(QPushButton* button, const char* tip, const QString& help) {
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoDefault(false);
    button->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    if (tip != nullptr) button->setToolTip(QString::fromUtf8(tip));
    button->setWhatsThis(help);
}

// Buttons on the area keep the desktop's look; what is drawn straight on the area takes the ink
// that reads on its colour, whatever the desktop's own text colour is.
void fillBackground(QWidget* area, const QColor& colour) {
    if (!colour.isValid()) {
        area->setAutoFillBackground(false);
        area->setPalette(QPalette());
        return;
    }
    QPalette palette;
    palette.setColor(QPalette::Window, colour);
    palette.setColor(QPalette::WindowText, inkFor(colour));
    area->setPalette(palette);
    area->setAutoFillBackground(true);
}

void placeKeys(QFrame* pad, std::span<const int> cells, int columns,
               const std::array<QPushButton*, Keypad::kKeyCount>& keys) {
    auto* grid = new QGridLayout(pad);
    // The pad grows no further than its keys do.
    grid->setSizeConstraint(QLayout::SetMinAndMaxSize);
    grid->setContentsMargins(kSpacing, kSpacing, kSpacing, kSpacing);
    grid->setSpacing(kSpacing);
    const auto cell = [&](int row, int column) { return cells[row * columns + column]; };
    for (int row = 0; row < kPadRows; ++row) {
        grid->setRowStretch(row, 1);
        for (int column = 0; column < columns; ++column) {
            const int code = cell(row, column);
            if ((column > 0 && cell(row, column - 1) == code) ||
                (row > 0 && cell(row - 1, column) == code)) {
                continue;
            }
            int width = 1;
            while (column + width < columns && cell(row, column + width) == code) ++width;
            int height = 1;
            while (row + height < kPadRows && cell(row + height, column) == code) ++height;
            grid->addWidget(keys[code], row, column, height, width);
        }
    }
    for (int column = 0; column < columns; ++column) grid->setColumnStretch(column, 1);
}

}  // namespace

Keypad::Keypad(QChar decimalSeparator, QWidget* parent)
    : QWidget(parent), decimalSeparator_(decimalSeparator) {
    setFocusPolicy(Qt::NoFocus);
    for (int code = 0; code < kKeyCount; ++code) {
        if (code != key::kReserved) keys_[code] = makeKey(code);
    }
    makeGroupMenu();
    leftSubpad_ = makeSubpad("LeftSubpad", std::span(&kLeftGrid[0][0], kPadRows * kLeftColumns),
                             kLeftColumns);
    mainSubpad_ = makeSubpad("MainSubpad", std::span(&kMainGrid[0][0], kPadRows * kMainColumns),
                             kMainColumns);
    navigation_ = makeNavigation();

    // The navigation row spans the subpads: only the keys set how wide the keypad may grow,
    // and it reports that largest size, so a window never stretches it past its keys.
    auto* layout = new QGridLayout(this);
    layout->setSizeConstraint(QLayout::SetMinAndMaxSize);
    layout->setContentsMargins(kGroupGap, kGroupGap, kGroupGap, kGroupGap);
    layout->setSpacing(kGroupGap);
    layout->addWidget(navigation_, 0, 0, 1, 2);
    layout->addWidget(leftSubpad_, 1, 0);
    layout->addWidget(mainSubpad_, 1, 1);
    layout->setColumnStretch(0, kLeftColumns);
    layout->setColumnStretch(1, kMainColumns);
    layout->setRowStretch(1, 1);

    updateCaptions();
    updateFonts();
    updateIcons();
}

// Push buttons hint at the width of a dialog's OK button; keys are wanted nearer square, and
// they grow with the room the window gives them, up to their largest size.
QSize Keypad::sizeHint() const {
    const QSize minimum = minimumSizeHint();
    return QSize(minimum.width() * 6 / 5, minimum.height() * 5 / 4).boundedTo(maximumSize());
}

QAbstractButton* Keypad::button(int code) const {
    if (code < 0 || code >= kKeyCount) return nullptr;
    return keys_[code];
}

QAbstractButton* Keypad::gotoButton(int index) const {
    if (index < 0 || index >= kGotoCount) return nullptr;
    return gotos_[index];
}

QAbstractButton* Keypad::tapeButton() const {
    return tape_;
}

QPushButton* Keypad::makeKey(int code) {
    const KeyDef& def = kKeys[code];
    auto* button = new QPushButton(QString::fromUtf8(def.caption), this);
    button->setObjectName(QStringLiteral("Key%1").arg(code));
    const QString help =
        def.help != nullptr ? tr(def.help) : tr("Keys the digit %1 into the entry.").arg(code);
    prepareButton(button, def.tip, help);
    // GT drops down its list instead; the key is sent once a mode is chosen.
    if (code != key::kGrandTotal) {
        connect(button, &QPushButton::clicked, this, [this, code] { emit keyPressed(code); });
    }
    return button;
}

QFrame* Keypad::makeSubpad(const char* name, std::span<const int> cells, int columns) {
    auto* pad = new QFrame(this);
    pad->setObjectName(QString::fromUtf8(name));
    pad->setFrameShape(QFrame::StyledPanel);
    placeKeys(pad, cells, columns, keys_);
    return pad;
}

QWidget* Keypad::makeNavigation() {
    auto* row = new QWidget(this);
    row->setObjectName(QStringLiteral("Navigation"));
    // Taller buttons would only push the keys down.
    row->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(kSpacing);
    tape_ = new QPushButton(row);
    tape_->setObjectName(QStringLiteral("Connected"));
    prepareButton(tape_, nullptr, tr(kTapeHelp));
    connect(tape_, &QPushButton::clicked, this, [this] { emit tapeSwitchPressed(); });
    layout->addWidget(tape_, 2);
    for (int index = 0; index < kGotoCount; ++index) {
        auto* button = new QPushButton(row);
        button->setObjectName(QStringLiteral("Goto%1").arg(index));
        prepareButton(button, kGotos[index].tip, tr(kGotos[index].help));
        connect(button, &QPushButton::clicked, this, [this, index] { emit gotoPressed(index); });
        gotos_[index] = button;
        layout->addWidget(button, 1);
    }
    return row;
}

void Keypad::makeGroupMenu() {
    groupMenu_ = new QMenu(this);
    groupModes_ = new QActionGroup(groupMenu_);
    groupModes_->setExclusive(true);
    for (int mode = 0; mode < kGroupModeCount; ++mode) {
        QAction* action = groupMenu_->addAction(QString::fromUtf8(kGroupModes[mode]));
        action->setCheckable(true);
        groupModes_->addAction(action);
        connect(action, &QAction::triggered, this, [this, mode] { emit groupModeChosen(mode); });
    }
    groupModes_->actions().constFirst()->setChecked(true);
    keys_[key::kGrandTotal]->setMenu(groupMenu_);
}

void Keypad::setTapeOn(bool on) {
    tapeOn_ = on;
    updateCaptions();
    updateIcons();
}

void Keypad::setCountsOn(bool on) {
    countsOn_ = on;
    updateCaptions();
}

void Keypad::setCompact(bool compact) {
    compact_ = compact;
    updateCaptions();
    updateFonts();
}

void Keypad::setColours(const QColor& keypadBack, const QColor& subpads) {
    fillBackground(this, keypadBack);
    fillBackground(leftSubpad_, subpads);
    fillBackground(mainSubpad_, subpads);
}

void Keypad::setGroupMode(int mode) {
    if (mode < 0 || mode >= kGroupModeCount) return;
    groupModes_->actions().at(mode)->setChecked(true);
}

void Keypad::setLeftSubpadVisible(bool visible) {
    leftSubpad_->setVisible(visible);
}
void Keypad::setNavigationVisible(bool visible) {
    navigation_->setVisible(visible);
}

void Keypad::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) updateFonts();
    if (event->type() == QEvent::PaletteChange) updateIcons();
}

void Keypad::updateCaptions() {
    // A separator that is itself the mnemonic marker must be doubled to show.
    const QString separator(decimalSeparator_);
    keys_[key::kDecimal]->setText(separator == QStringLiteral("&") ? QStringLiteral("&&")
                                                                   : separator);
    keys_[key::kRef]->setText(QString::fromUtf8(compact_ ? kShortRefCaption : kRefCaption));
    const char* counts = compact_ ? (countsOn_ ? kShortCountsOnCaption : kShortCountsOffCaption)
                                  : (countsOn_ ? kCountsOnCaption : kCountsOffCaption);
    keys_[key::kCounts]->setText(QString::fromUtf8(counts));
    tape_->setText(QString::fromUtf8(tapeOn_ ? kTapeOnCaption : kTapeOffCaption));
}

void Keypad::updateFonts() {
    const QSize size = compact_ ? kCompactKeySize : kKeySize;
    const auto keyFont = [this](KeyKind kind) {
        return scaledFont(font(), fontFactor(kind, compact_), kind != KeyKind::Digit);
    };
    // The word keys must fit their longest caption whatever the font; the others stay narrow.
    const int wordWidth = QFontMetrics(keyFont(KeyKind::Function))
                              .horizontalAdvance(QString::fromUtf8(kWidestCaption));
    for (int code = 0; code < kKeyCount; ++code) {
        if (keys_[code] == nullptr) continue;
        const KeyKind kind = kKeys[code].kind;
        keys_[code]->setFont(keyFont(kind));
        const int width = kind == KeyKind::Function
                              ? std::max(size.width(), wordWidth + 2 * kCaptionPadding)
                              : size.width();
        keys_[code]->setMinimumSize(width, size.height());
        limitKeySize(keys_[code]);
    }
    updateNavigationFonts();
}

// A key spanning cells may grow over all of them; none grows below its minimum.
void Keypad::limitKeySize(QPushButton* key) {
    const auto* grid = static_cast<QGridLayout*>(key->parentWidget()->layout());
    int row = 0, column = 0, rows = 1, columns = 1;
    grid->getItemPosition(grid->indexOf(key), &row, &column, &rows, &columns);
    const QSize largest(columns * kLargestKeySize.width() + (columns - 1) * kSpacing,
                        rows * kLargestKeySize.height() + (rows - 1) * kSpacing);
    key->setMaximumSize(largest.expandedTo(key->minimumSize()));
}

// Without a set minimum, push buttons refuse to shrink below a dialog button's width.
void Keypad::updateNavigationFonts() {
    const QFont font = scaledFont(this->font(), compact_ ? kCompactFontScale : 1.0, false);
    const QFontMetrics metrics(font);
    const QSize icon(metrics.height() * 3 / 2, metrics.height() * 3 / 2);
    tape_->setFont(font);
    tape_->setIconSize(icon);
    tape_->setMinimumWidth(metrics.horizontalAdvance(QString::fromUtf8(kTapeOffCaption)) +
                           icon.width() + 3 * kCaptionPadding);
    for (QPushButton* button : gotos_) {
        button->setFont(font);
        button->setIconSize(icon);
        button->setMinimumWidth(icon.width() + 2 * kCaptionPadding);
    }
    navigation_->setMinimumHeight(compact_ ? kCompactKeySize.height() : kKeySize.height() * 3 / 4);
}

void Keypad::updateIcons() {
    const QColor ink = palette().color(QPalette::ButtonText);
    for (int index = 0; index < kGotoCount; ++index) gotos_[index]->setIcon(gotoIcon(index, ink));
    const QColor fill = tapeOn_ ? palette().color(QPalette::Highlight) : QColor(Qt::transparent);
    tape_->setIcon(lampIcon(fill, ink));
}

}  // namespace talvex
