#include "documents/Columns.h"

#include <algorithm>
#include <cmath>

#include "engine/Engine.h"
#include "engine/TapeLayout.h"

namespace talvex {

namespace {

const Column kNoColumn;

}  // namespace

// Type codes are 16-bit numbers; a code beyond them is just not one of the known ones.
int ColumnSet::typeNumber(const std::string& typeText) {
    const double code = NumberFormatter().read(typeText);
    if (std::isnan(code)) return 0;
    return static_cast<int>(std::clamp(code, -32768.0, 32767.0));
}

void ColumnSet::reset(int colCount) {
    colCount_ = std::max(colCount, 1);
    columns_.assign(static_cast<size_t>(colCount_) + 1, Column{});
}

Column& ColumnSet::column(int col) {
    if (col < 0) col = 0;
    if (static_cast<size_t>(col) >= columns_.size()) columns_.resize(static_cast<size_t>(col) + 1);
    return columns_[static_cast<size_t>(col)];
}

const Column& ColumnSet::column(int col) const {
    return col >= 0 && static_cast<size_t>(col) < columns_.size()
               ? columns_[static_cast<size_t>(col)]
               : kNoColumn;
}

int ColumnSet::width(int col) const {
    return engine_.layout().width(col);
}
void ColumnSet::setWidth(int col, int width) {
    engine_.setColumnWidth(col, width);
}

ColumnKind ColumnSet::kindOf(const std::string& typeText) {
    switch (typeNumber(typeText)) {
        case 1:
        case 13:
            return ColumnKind::date;
        case 2:
        case 12:
        case 15:
        case 18:
            return ColumnKind::number;
        default:
            return ColumnKind::text;
    }
}

std::string ColumnSet::typeName(const std::string& typeText) {
    switch (typeNumber(typeText)) {
        case 0:
            return "Text";
        case 1:
        case 13:
            return "Date";
        case 2:
        case 12:
            return "Number";
        case 14:
            return "Description";
        case 15:
            return "Amount";
        case 16:
            return "Symbol";
        case 17:
            return "Reference";
        default:
            return {};
    }
}

void ColumnSet::setColType(int col, const std::string& typeText) {
    Column& c = column(col);
    c.typeCode = typeText;
    c.kind = kindOf(typeText);
    c.displayFormat = c.kind == ColumnKind::date ? kShortDate : "";
}

ColumnRoles ColumnSet::roles() const {
    ColumnRoles roles{ColumnRoles::kNoColumn, ColumnRoles::kNoColumn, ColumnRoles::kNoColumn,
                      ColumnRoles::kNoColumn, ColumnRoles::kNoColumn, ColumnRoles::kNoColumn};
    for (int col = kFirstColumn; col <= colCount_; ++col) {
        switch (typeNumber(column(col).typeCode)) {
            case 12:
                roles.itemCount = col;
                break;
            case 13:
                roles.type13 = col;
                break;
            case 14:
                roles.description = col;
                break;
            case 15:
                roles.amount = col;
                break;
            case 16:
                roles.op = col;
                break;
            case 17:
                roles.reference = col;
                break;
            default:
                break;
        }
    }
    return roles;
}

void ColumnSet::moveColumn(int from, int to) {
    const Column source = column(from);
    Column& target = column(to);
    target.typeCode = source.typeCode;
    target.kind = source.kind;
    target.displayFormat = source.displayFormat;
    target.printWidth = source.printWidth;
    target.alignment = source.alignment;
    setWidth(to, width(from));
    engine_.moveColumn(from, to);
}

// The hidden browser-address column right after the last one moves with the columns.
void ColumnSet::deleteColumn(int col) {
    if (col < kFirstColumn || col > colCount_) return;
    for (int c = col; c <= colCount_; ++c) {
        moveColumn(c + 1, c);
        column(c).caption = column(c + 1).caption;
        column(c).visible = column(c + 1).visible;
    }
    engine_.clearColumn(colCount_ + 1);
    columns_.resize(static_cast<size_t>(colCount_));
    --colCount_;
    applyToEngine();
}

void ColumnSet::insertColumn(int col) {
    col = std::clamp(col, kFirstColumn, colCount_ + 1);
    ++colCount_;
    column(colCount_ + 1);
    for (int c = colCount_; c >= col; --c) {
        moveColumn(c, c + 1);
        column(c + 1).caption = column(c).caption;
        column(c + 1).visible = column(c).visible;
    }
    column(col) = Column{};
    setWidth(col, kNewColumnWidth);
    engine_.clearColumn(col);
    columns_.resize(static_cast<size_t>(colCount_) + 1);
    applyToEngine();
}

void ColumnSet::applyToEngine() {
    engine_.setColumns(roles(), colCount_);
}

void ColumnSet::printAsShown() {
    const ColumnRoles columnRoles = roles();
    for (int col = kFirstColumn; col <= colCount_; ++col) {
        Column& c = column(col);
        c.printWidth = c.visible ? std::max(0, width(col)) : 0;
        const bool figures = c.kind == ColumnKind::number || col == columnRoles.amount ||
                             col == columnRoles.itemCount;
        c.alignment = figures ? ColumnAlignment::right : ColumnAlignment::left;
    }
}

void ColumnSet::setDefaults() {
    struct Default {
        const char* caption;
        const char* type;
    };
    static const Default kDefaults[] = {{"No.", "12"},    {"Date", "13"}, {"Description", "14"},
                                        {"Amount", "15"}, {"Op", "16"},   {"Ref", "17"}};
    reset(TapeLayout::kDefaultColCount);
    int col = kFirstColumn;
    for (const Default& d : kDefaults) {
        Column& c = column(col);
        c.caption = d.caption;
        setColType(col, d.type);
        setWidth(col, TapeLayout::kDefaultWidths[col]);
        ++col;
    }
    printAsShown();
    applyToEngine();
}

bool ColumnSet::restore(const Contents& contents) {
    if (contents == this->contents()) return false;
    colCount_ = contents.colCount;
    columns_ = contents.columns;
    return true;
}

}  // namespace talvex
