#include "platform/AddinPanels.h"

#include <algorithm>

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QMenu>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QToolTip>
#include <QVBoxLayout>

#include "addins/AddinFramework.h"

namespace talvex {

namespace {

constexpr int kColumns = 4;
constexpr int kSpacing = 3;
// Between the choosers and the panels: enough to keep the groups distinct without frames.
constexpr int kGroupGap = 5;
// The lists are as wide as the panel gives them; their entries are short names.
constexpr int kListLength = 6;
// Captions shrink to fit their button, but not below a size that can still be read.
constexpr double kSmallestCaption = 0.75;
constexpr int kCaptionMargin = 1;

QString local(const std::string& text) {
    return QString::fromLocal8Bit(text.c_str());
}

// A panel button: the add-in chooses its caption, and the panel shares its width equally
// among four of them however long the captions are, so a long one is drawn smaller (and only
// then cut short) rather than widening the calculator. A short window may press the buttons
// down to a line of that smaller print.
class PanelKey : public QPushButton {
  public:
    explicit PanelKey(QWidget* parent) : QPushButton(parent) {
        setFocusPolicy(Qt::TabFocus);
        setAutoDefault(false);
        QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Maximum);
        // A button without a caption still holds its place: the panel has a gap there.
        policy.setRetainSizeWhenHidden(true);
        setSizePolicy(policy);
    }

    QSize sizeHint() const override { return {leastWidth(), QPushButton::sizeHint().height()}; }
    QSize minimumSizeHint() const override {
        const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
        return {leastWidth(),
                QFontMetrics(scaled(kSmallestCaption)).height() + 2 * (frame + kCaptionMargin)};
    }

  protected:
    // A disabled button swallows its right-clicks; the panel still has its help to show.
    bool event(QEvent* event) override {
        if (event->type() == QEvent::ContextMenu) {
            event->ignore();
            return false;
        }
        return QPushButton::event(event);
    }

    void paintEvent(QPaintEvent*) override {
        QStylePainter painter(this);
        QStyleOptionButton option;
        initStyleOption(&option);
        const QSize room =
            style()->subElementRect(QStyle::SE_PushButtonContents, &option, this).size() -
            QSize(2 * kCaptionMargin, 0);
        QFont caption = font();
        for (double scale = 1.0; scale >= kSmallestCaption; scale -= 0.05) {
            caption = scaled(scale);
            const QFontMetrics metrics(caption);
            if (metrics.horizontalAdvance(option.text) <= room.width() &&
                metrics.height() <= room.height())
                break;
        }
        const QFontMetrics metrics(caption);
        option.text =
            metrics.elidedText(option.text, Qt::ElideRight, room.width(), Qt::TextShowMnemonic);
        option.fontMetrics = metrics;
        painter.setFont(caption);
        painter.drawControl(QStyle::CE_PushButton, option);
    }

  private:
    int leastWidth() const { return fontMetrics().horizontalAdvance(QStringLiteral("MM")); }
    QFont scaled(double scale) const {
        QFont smaller = font();
        if (smaller.pointSizeF() > 0)
            smaller.setPointSizeF(smaller.pointSizeF() * scale);
        else
            smaller.setPixelSize(std::max(1, qRound(smaller.pixelSize() * scale)));
        return smaller;
    }
};

}  // namespace

AddinPanels::AddinPanels(AddinFramework& framework, QWidget* parent)
    : QWidget(parent), framework_(framework) {
    setObjectName(QStringLiteral("AddinPanels"));
    listAllowed_.fill(true);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(kGroupGap);
    auto* choosers = new QHBoxLayout;
    choosers->setSpacing(kSpacing);
    choosers->addWidget(makeChooser(0, tr("Vant &Devices"), tr("Select Vant Device")));
    choosers->addWidget(makeChooser(1, tr("&Add Funcs"), tr("Select Add Funcs")));
    column->addLayout(choosers);
    column->addWidget(makePanel(0));
    column->addWidget(makePanel(1));
    // Room the keys do not take stays under the panels, which stay right under the keys.
    column->addStretch(1);
    // Tab goes from the choosers through each panel's lists and buttons, as they are laid out.
    QWidget* previous = slots_[1].chooser;
    const auto next = [&previous](QWidget* widget) {
        setTabOrder(previous, widget);
        previous = widget;
    };
    for (int slot = 0; slot < kSlots; ++slot) {
        for (QComboBox* list : slots_[slot].panel->findChildren<QComboBox*>()) next(list);
        for (QPushButton* key : slots_[slot].buttons) next(key);
    }
}

QPushButton* AddinPanels::makeChooser(int slot, const QString& caption, const QString& tip) {
    Slot& s = slots_[slot];
    s.chooser = new QPushButton(caption, this);
    s.chooser->setObjectName(QStringLiteral("AddinsMenu%1").arg(slot));
    s.chooser->setToolTip(tip);
    s.chooser->setFocusPolicy(Qt::TabFocus);
    s.chooser->setAutoDefault(false);
    s.menu = new QMenu(s.chooser);
    s.choices = new QActionGroup(s.menu);
    s.choices->setExclusive(true);
    s.chooser->setMenu(s.menu);
    return s.chooser;
}

QWidget* AddinPanels::makePanel(int slot) {
    Slot& s = slots_[slot];
    s.panel = new QWidget(this);
    s.panel->setObjectName(QStringLiteral("AddinPanel%1").arg(slot));
    s.panel->hide();
    auto* column = new QVBoxLayout(s.panel);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(kSpacing);
    if (slot == 0) {
        auto* lists = new QHBoxLayout;
        lists->setSpacing(kSpacing);
        lists->addWidget(makeList(addin_list::kDeviceOwn));
        lists->addWidget(makeList(addin_list::kDeviceSecond));
        column->addLayout(lists);
    } else {
        column->addWidget(makeList(addin_list::kFunctions));
    }
    auto* grid = new QGridLayout;
    grid->setSpacing(kSpacing);
    for (int b = 0; b < PanelLayout::kButtons; ++b) {
        auto* key = new PanelKey(s.panel);
        key->setObjectName(QStringLiteral("AddinKey%1_%2").arg(slot).arg(b));
        connect(key, &QPushButton::clicked, this, [this, slot, b] {
            emit used();
            framework_.pressButton(slot, b);
        });
        grid->addWidget(key, b / kColumns, b % kColumns);
        s.buttons[b] = key;
    }
    for (int c = 0; c < kColumns; ++c) grid->setColumnStretch(c, 1);
    column->addLayout(grid);
    return s.panel;
}

QComboBox* AddinPanels::makeList(int list) {
    auto* box = new QComboBox(this);
    box->setObjectName(QStringLiteral("AddinList%1").arg(list));
    box->setFocusPolicy(Qt::TabFocus);
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setMinimumContentsLength(kListLength);
    box->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    box->setVisible(list == addin_list::kFunctions);
    if (list == addin_list::kFunctions) box->setToolTip(tr("Select Function"));
    connect(box, &QComboBox::activated, this, [this, list](int index) {
        emit used();
        framework_.choose(list, index);
    });
    lists_[list] = box;
    updateList(list);
    return box;
}

// The slot's add-ins as a menu of choices, the chosen one checked.
void AddinPanels::fillChooser(int slot, const std::vector<std::string>& entries, int selected) {
    Slot& s = slots_[slot];
    // The menu may be filled again while one of its choices is handled: the old choices go
    // once that is done.
    for (QAction* old : s.choices->actions()) {
        s.choices->removeAction(old);
        s.menu->removeAction(old);
        old->deleteLater();
    }
    for (size_t i = 0; i < entries.size(); ++i) {
        const int index = static_cast<int>(i);
        // An ampersand in a name is the name's, not a mnemonic.
        QString text = local(entries[i]);
        text.replace('&', QStringLiteral("&&"));
        QAction* choice = s.menu->addAction(text);
        choice->setCheckable(true);
        choice->setChecked(index == selected);
        s.choices->addAction(choice);
        connect(choice, &QAction::triggered, this, [this, slot, index] {
            emit used();
            framework_.choose(slot, index);
        });
    }
}

void AddinPanels::showPanel(int slot, const PanelView& view) {
    if (slot < 0 || slot >= kSlots) return;
    Slot& s = slots_[slot];
    s.view = view;
    s.panel->setToolTip(local(view.layout.name));
    for (int b = 0; b < PanelLayout::kButtons; ++b) {
        const PanelButton& item = view.layout.buttons[b];
        QPushButton* key = s.buttons[b];
        key->setText(local(item.caption));
        key->setToolTip(local(item.tip));
        key->setEnabled(view.enabled[b]);
        key->setVisible(item.shown());
    }
    s.panel->show();
}

void AddinPanels::hidePanel(int slot) {
    if (slot < 0 || slot >= kSlots) return;
    slots_[slot].panel->hide();
}

void AddinPanels::setButtonEnabled(int slot, int button, bool enabled) {
    if (slot < 0 || slot >= kSlots || button < 0 || button >= PanelLayout::kButtons) return;
    slots_[slot].view.enabled[button] = enabled;
    slots_[slot].buttons[button]->setEnabled(enabled);
}

void AddinPanels::fillList(int list, const std::vector<std::string>& entries, int selected) {
    if (list == addin_list::kDevices || list == addin_list::kCalculations) {
        fillChooser(list, entries, selected);
        return;
    }
    QComboBox* box = this->list(list);
    if (!box) return;
    const QSignalBlocker quiet(box);
    box->clear();
    for (const std::string& entry : entries) box->addItem(local(entry));
    box->setCurrentIndex(selected);
    updateList(list);
}

void AddinPanels::showSelected(int list, int index) {
    if (list == addin_list::kDevices || list == addin_list::kCalculations) {
        const QList<QAction*> choices = slots_[list].choices->actions();
        if (index >= 0 && index < choices.size()) choices[index]->setChecked(true);
        return;
    }
    if (QComboBox* box = this->list(list)) {
        const QSignalBlocker quiet(box);
        box->setCurrentIndex(index);
    }
}

void AddinPanels::setListEnabled(int list, bool enabled) {
    if (list < 0 || list >= addin_list::kCount) return;
    listAllowed_[list] = enabled;
    updateList(list);
}

// The function list stays in its place, unusable while empty; a device's lists show only
// while they hold something.
void AddinPanels::updateList(int list) {
    if (list == addin_list::kDevices || list == addin_list::kCalculations) {
        slots_[list].chooser->setEnabled(listAllowed_[list]);
        return;
    }
    QComboBox* box = this->list(list);
    if (!box) return;
    const bool empty = box->count() == 0;
    box->setEnabled(listAllowed_[list] && !empty);
    if (list != addin_list::kFunctions) box->setVisible(!empty);
}

void AddinPanels::dropDownList(int list) {
    if (list == addin_list::kDevices || list == addin_list::kCalculations) {
        if (slots_[list].chooser->isVisible()) slots_[list].chooser->showMenu();
        return;
    }
    QComboBox* box = this->list(list);
    if (box && box->isVisible() && box->isEnabled()) box->showPopup();
}

QPushButton* AddinPanels::chooser(int slot) const {
    return slot >= 0 && slot < kSlots ? slots_[slot].chooser : nullptr;
}

QMenu* AddinPanels::chooserMenu(int slot) const {
    return slot >= 0 && slot < kSlots ? slots_[slot].menu : nullptr;
}

QWidget* AddinPanels::panel(int slot) const {
    return slot >= 0 && slot < kSlots ? slots_[slot].panel : nullptr;
}

QAbstractButton* AddinPanels::button(int slot, int button) const {
    if (slot < 0 || slot >= kSlots || button < 0 || button >= PanelLayout::kButtons) return nullptr;
    return slots_[slot].buttons[button];
}

QComboBox* AddinPanels::list(int list) const {
    return list >= 0 && list < addin_list::kCount ? lists_[list] : nullptr;
}

// There is no help file: what the help would be looked up by is shown instead.
QString AddinPanels::contextHelp(int slot, int button) const {
    const PanelView& view = slots_[slot].view;
    if (button < 0) return tr("%1: Help topic %2").arg(local(view.layout.name)).arg(view.topic);
    return tr("%1: Help topic %2")
        .arg(local(view.layout.buttons[button].tip))
        .arg(view.buttonTopics[button]);
}

// A right-click on a button (a disabled one too: its event comes here) or on the panel
// around it, or the menu key on a button that has the focus.
void AddinPanels::contextMenuEvent(QContextMenuEvent* event) {
    for (int slot = 0; slot < kSlots; ++slot) {
        const Slot& s = slots_[slot];
        if (!s.panel->isVisible() || !s.panel->geometry().contains(event->pos())) continue;
        int pressed = -1;
        for (int b = 0; b < PanelLayout::kButtons; ++b) {
            if (s.buttons[b]->isVisible() &&
                s.buttons[b]->geometry().contains(s.panel->mapFrom(this, event->pos())))
                pressed = b;
        }
        const QString help = contextHelp(slot, pressed);
        QToolTip::showText(event->globalPos(), help, this);
        emit helpShown(help);
        return;
    }
    event->ignore();
}

}  // namespace talvex
