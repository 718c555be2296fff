#include "addins/UserFunctions.h"

#include <algorithm>
#include <cctype>

#include "addins/AddinFramework.h"
#include "documents/DialogsPort.h"
#include "engine/AmountText.h"
#include "engine/Engine.h"
#include "engine/LineCodes.h"
#include "engine/Text.h"

namespace talvex {

namespace {

constexpr std::string_view kActivationPanel = "UserFuncs:Functions,Select Function";
constexpr std::string_view kPanelStart = "UserFuncs:Functions,Select Function;;";
constexpr std::string_view kSetupKeys =
    "def,Define Parameter,d;;Dec,Declare Function,D;End,End/Exit Funcion,E;;Setup...,Setup/Edit "
    "Definitions,";
constexpr std::string_view kSetupEntry = "Setup";
constexpr std::string_view kEndLabel = "End/Exit";
constexpr size_t kMostParameterKeys = 5;
constexpr int kMostReplays = 4;

constexpr std::string_view kParameterPrompt =
    "Enter Parameter Symbol,Abbreviation,Name[,Format]. E.g.: a,amt,Amount[,+]";
constexpr std::string_view kFunctionPrompt =
    "Enter Function Symbol,Abreviation,Name, E.g.: P,Payment,Loan Payment";
constexpr std::string_view kParameterAgain =
    "Please Re-Enter Parameter Symbol,Abreviation,Name[,Format]. E.g.: a,amt,Amount[,+]";
constexpr std::string_view kFunctionAgain =
    "Please Re-Enter Function Symbol,Abreviation,Name, E.g.: P,Payment,Loan Payment";
constexpr std::string_view kNewParameterTitle = "Define New Parameter";
constexpr std::string_view kNewFunctionTitle = "Define New Function";
constexpr std::string_view kParameterExists = "Parameter already exists";
constexpr std::string_view kFunctionExists = "Function already exists";
constexpr std::string_view kEditParameterTitle = "Edit Parameter Information";
constexpr std::string_view kEditFunctionTitle = "Edit Function Information";
constexpr std::string_view kSymbolNotAllowed = "Symbol not allowed";
constexpr std::string_view kSymbolRule =
    "A symbol is one letter that the calculator does not use for its own lines (not x s T W G "
    "g t c d e D E S). ";
constexpr std::string_view kCannotFind = "Can't find function";
constexpr std::string_view kCannotEdit = "Cannot Edit this Entry";
constexpr std::string_view kUsesItself = "A function cannot use itself";
// The calculator's own line codes, and the letters of the definition lines themselves.
constexpr std::string_view kReservedSymbols = "xsTWGgtcdeDES";

// Fields keep no character that would split a register record or a tape file.
std::string fieldText(std::string_view text) {
    std::string clean;
    for (char c : text)
        if (c != ':' && c != '|' && static_cast<unsigned char>(c) >= ' ') clean += c;
    return trimmed(clean);
}

std::optional<UserDefinition> parseDefinition(std::string_view text, bool withFormat) {
    std::vector<std::string> fields;
    for (size_t start = 0;;) {
        const size_t comma =
            fields.size() < (withFormat ? 3u : 2u) ? text.find(',', start) : std::string_view::npos;
        fields.emplace_back(text.substr(start, comma - start));
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    UserDefinition def;
    def.symbol = fieldText(fields[0]);
    if (def.symbol.size() != 1) return std::nullopt;
    def.abbreviation = fields.size() > 1 ? fieldText(fields[1]) : def.symbol;
    def.name = fields.size() > 2 ? fieldText(fields[2]) : def.abbreviation;
    if (fields.size() > 3) def.format = fieldText(fields[3]);
    return def;
}

bool allowedSymbol(std::string_view symbol) {
    return symbol.size() == 1 && std::isalpha(static_cast<unsigned char>(symbol[0])) &&
           kReservedSymbols.find(symbol[0]) == std::string_view::npos;
}

std::string definitionText(const UserDefinition& def, bool withFormat) {
    std::string text = def.symbol + "," + def.abbreviation + "," + def.name;
    if (withFormat && !def.format.empty()) text += "," + def.format;
    return text;
}

}  // namespace

void UserFunctions::reset() {
    for (UserDefinition& parameter : tables_[parameters]) parameter.value = parameter.defaultValue;
}

void UserFunctions::listLoaded() {
    emptyTables();
    rebuild();
}

void UserFunctions::activate() {
    framework_.buildPanel(1, kActivationPanel);
    rebuild();
}

void UserFunctions::emptyTables() {
    for (auto& table : tables_) table.clear();
}

// The letters and the function list follow the tables; the list then offers Setup.
void UserFunctions::rebuild() {
    LetterSets letters{{}, "deDE", {}};
    for (const UserDefinition& def : tables_[parameters]) letters.paramLetters += def.symbol;
    for (const UserDefinition& def : tables_[intermediates]) letters.sideLetters += def.symbol;
    std::vector<std::string> list;
    for (const UserDefinition& def : tables_[functions]) {
        letters.funcLetters += def.symbol;
        list.push_back(def.abbreviation);
    }
    list.emplace_back(kSetupEntry);
    framework_.setLetters(std::move(letters));
    if (framework_.active(1) == "UserFuncs")
        framework_.fillList(addin_list::kFunctions, list, kSetupEntry);
}

void UserFunctions::tapeRestored() {
    const bool anyTable = std::any_of(tables_.begin(), tables_.end(),
                                      [](const auto& table) { return !table.empty(); });
    if (anyTable || tapeHoldsDefinitions()) rebuildFromTape();
}

bool UserFunctions::tapeHoldsDefinitions() const {
    const int op = engine_.layout().roles.op;
    for (int row = 1; row < engine_.state().lastRow; ++row) {
        const std::string_view code = baseCode(engine_.cell(row, op));
        if (code == "d" || code == "D") return true;
    }
    return false;
}

// A line that uses a reference whose source stands below it takes the value the source had
// before the replay reached it: while the replay changes such a source, the tape is replayed
// again, so that what the tape shows no longer changes when it is replayed (or opened) next.
// A source that sums its own users never settles; it is left after a few replays.
// Every replay starts from the add-in the first one started from, as the next open will.
void UserFunctions::rebuildFromTape() {
    const AddinFramework::CalculationChoice start = framework_.calculationChoice();
    for (int replay = 0; replay < kMostReplays; ++replay) {
        if (replay > 0) framework_.restoreCalculationChoice(start);
        // Nothing of the lines handled before the replay (the cursor's line restored on opening)
        // goes onto the lines it writes.
        lastAbbreviation_.clear();
        lastFormat_.clear();
        emptyTables();
        rebuild();
        const bool usersMoved = engine_.recalculateWatchingUsers();
        rebuild();
        if (!usersMoved) break;
    }
}

void UserFunctions::chooseFunction(int index) {
    if (index < 0 || static_cast<size_t>(index) >= tables_[functions].size()) {
        // The definitions come back into view to be edited.
        if (!engine_.replaying() && engine_.layout().hiddenRows > 0) {
            engine_.hideRows(0);
            engine_.gotoLine(GotoTarget::openRow);
        }
        framework_.buildPanel(1, std::string(kPanelStart) + std::string(kSetupKeys));
        return;
    }
    // The definitions go out of sight above the lines that use them.
    const ColumnRoles& roles = engine_.layout().roles;
    int lastDefinition = 0;
    for (int row = engine_.state().lastRow - 1; row >= 1 && lastDefinition == 0; --row) {
        const std::string_view code = baseCode(engine_.cell(row, roles.op));
        if (code == "E" || code == "d") lastDefinition = row;
    }
    engine_.hideRows(lastDefinition);
    // A function's parameters are keyed on the open row, wherever the view now starts.
    engine_.gotoLine(GotoTarget::openRow);
    const UserDefinition& function = tables_[functions][static_cast<size_t>(index)];
    std::string menu(kPanelStart);
    const int declaration = declarationRow(function.symbol);
    for (const UserDefinition* parameter : parametersOf(declaration))
        menu += parameter->abbreviation + "," + parameter->name + "," + parameter->symbol + ";";
    menu += function.abbreviation + "," + function.name + "," + function.symbol;
    framework_.buildPanel(1, menu);
}

// The parameters of a function are the symbols its body refers to, in the order of first use.
std::vector<const UserDefinition*> UserFunctions::parametersOf(int declaration) const {
    std::vector<const UserDefinition*> used;
    if (declaration < 1) return used;
    const ColumnRoles& roles = engine_.layout().roles;
    auto* self = const_cast<UserFunctions*>(this);
    for (int row = declaration + 1; row < engine_.state().lastRow; ++row) {
        if (baseCode(engine_.cell(row, roles.op)) == "E") break;
        const std::string_view ref = engine_.cell(row, roles.reference);
        if (ref.empty() || ref == "0" || slotNumber(ref) > 0) continue;
        const UserDefinition* def = self->find(ref);
        if (def && std::find(used.begin(), used.end(), def) == used.end()) used.push_back(def);
        if (used.size() == kMostParameterKeys) break;
    }
    return used;
}

void UserFunctions::autoText() {
    const std::string_view code = baseCode(engine_.state().entry.entryOp);
    if (code == "E") {
        engine_.labelLine(kEndLabel);
        return;
    }
    if (code == "d" || code == "D" || code == "e") {
        if (UserDefinition* def = find(engine_.state().regs.lineRef)) engine_.labelLine(def->name);
        return;
    }
    if (!engine_.settings().autoAddFuncText || code.empty()) return;
    for (Category c : {parameters, intermediates, functions})
        if (const UserDefinition* def = findIn(c, code)) {
            engine_.labelLine(def->name);
            return;
        }
}

std::string UserFunctions::lineFields() {
    if (!wroteOwnLine()) return {};
    const int row = engine_.state().curRow;
    std::string fields = ":" + std::to_string(kKind) + ":" + lastAbbreviation_ + ":" + lastFormat_;
    for (size_t i = 0; i < kMaxEntries; ++i) {
        fields += ':';
        if (i < tables_[parameters].size() && tables_[parameters][i].row <= row)
            fields += tables_[parameters][i].value;
    }
    return fields;
}

void UserFunctions::restoreFields(const std::vector<std::string_view>& fields) {
    if (fields.size() < 2) return;
    lastAbbreviation_ = fields[0];
    lastFormat_ = fields[1];
    takeParameterValues({fields.begin(), fields.end()});
}

// A parameter the line did not know yet keeps its value, and so does one whose field is no
// figure (a damaged file).
void UserFunctions::takeParameterValues(const std::vector<std::string>& fields) {
    for (size_t i = 0; i < tables_[parameters].size() && i + 2 < fields.size(); ++i) {
        const std::string& field = fields[i + 2];
        const auto figure = keyableAmount(field, engine_.format().symbols());
        if (!field.empty() && figure && *figure == field && !field.starts_with('R'))
            tables_[parameters][i].value = field;
    }
}

std::optional<std::string> UserFunctions::symbolValue(std::string_view name) {
    const LetterSets& letters = framework_.letters();
    const Category category = letters.isFunction(name)     ? functions
                              : letters.isSideResult(name) ? intermediates
                                                           : parameters;
    const UserDefinition* def = findIn(category, name);
    if (!def) def = find(name);
    if (!def) return std::nullopt;
    return def->value.empty() ? "0" : def->value;
}

UserDefinition* UserFunctions::findIn(Category category, std::string_view symbol) {
    for (UserDefinition& def : tables_[category])
        if (def.symbol == symbol) return &def;
    return nullptr;
}

UserDefinition* UserFunctions::find(std::string_view symbol) {
    for (Category c : {functions, intermediates, parameters})
        if (UserDefinition* def = findIn(c, symbol)) return def;
    return nullptr;
}

int UserFunctions::declarationRow(std::string_view symbol) const {
    const ColumnRoles& roles = engine_.layout().roles;
    for (int row = 1; row < engine_.state().lastRow; ++row)
        if (baseCode(engine_.cell(row, roles.op)) == "D" &&
            engine_.cell(row, roles.reference) == symbol)
            return row;
    return 0;
}

void UserFunctions::addinKey() {
    const std::string& letter = framework_.letter();
    if (letter.empty() || letter == "S") {
        setup();
        return;
    }
    if (letter == "d") return define(parameters, 'd');
    if (letter == "e") return define(intermediates, 'e');
    if (letter == "D") return define(functions, 'D');
    if (letter == "E") return end();
    if (UserDefinition* parameter = findIn(parameters, letter)) return parameterKey(*parameter);
    if (UserDefinition* function = findIn(functions, letter)) return functionKey(*function);
    if (UserDefinition* result = findIn(intermediates, letter)) {
        lastAbbreviation_ = result->abbreviation;
        lastFormat_.clear();
        write(result->symbol, result->value.empty() ? "0" : result->value);
    }
}

// Asks until the symbol is new and allowed, or the user gives nothing.
std::optional<std::string> UserFunctions::askDefinition(Category category) {
    const bool parameter = category == parameters;
    std::string title(parameter ? kNewParameterTitle : kNewFunctionTitle);
    std::string prompt(parameter ? kParameterPrompt : kFunctionPrompt);
    for (;;) {
        const auto text = dialogs_.inputBox(prompt, title, {});
        if (!text || trimmed(*text).empty()) return std::nullopt;
        const auto def = parseDefinition(*text, parameter);
        if (def && allowedSymbol(def->symbol) && !find(def->symbol)) return text;
        const bool exists = def && find(def->symbol);
        title = exists ? (parameter ? kParameterExists : kFunctionExists) : kSymbolNotAllowed;
        prompt = std::string(exists ? "" : kSymbolRule) +
                 std::string(parameter ? kParameterAgain : kFunctionAgain);
    }
}

// A definition keyed by the user asks for its text; replayed, its line gives it back: the
// symbol in its reference, the name in its description, the rest in its record.
void UserFunctions::define(Category category, char code) {
    const EngineState& state = engine_.state();
    std::string keyed = "0";
    UserDefinition def;
    if (state.regs.lineRef.empty()) {
        if (engine_.replaying()) return;
        if (!state.entry.operatorLast) keyed = engine_.addinEntry();
        const auto text = askDefinition(category);
        if (!text) return;
        def = *parseDefinition(*text, category == parameters);
    } else {
        if (!state.entry.operatorLast || engine_.replaying()) keyed = engine_.addinEntry();
        const int row = state.curRow;
        const std::vector<std::string> fields = framework_.fieldsAt(row, kKind);
        def.symbol = state.regs.lineRef;
        def.name = engine_.cell(row, engine_.layout().roles.description);
        const UserDefinition* edited = row == editedRow_ ? findIn(category, def.symbol) : nullptr;
        if (edited) {
            def.abbreviation = edited->abbreviation;
            def.format = edited->format;
        } else if (fields.size() >= 2) {
            def.abbreviation = fields[0];
            def.format = fields[1];
        }
        editedRow_ = 0;
    }
    if (category != parameters) keyed.clear();
    keyed = figureText(keyed);
    UserDefinition* entry = findIn(category, def.symbol);
    if (entry) {
        // Replayed: a name the user changed on the line becomes the entry's name.
        if (!def.name.empty()) entry->name = def.name;
        if (!def.abbreviation.empty()) entry->abbreviation = def.abbreviation;
        entry->format = def.format;
    } else if (tables_[category].size() < kMaxEntries && allowedSymbol(def.symbol)) {
        if (def.abbreviation.empty()) def.abbreviation = def.symbol;
        if (def.name.empty()) def.name = def.abbreviation;
        tables_[category].push_back(def);
        entry = &tables_[category].back();
        rebuild();
    }
    if (entry) {
        entry->value = keyed;
        entry->defaultValue = keyed;
        entry->row = state.curRow;
        lastAbbreviation_ = entry->abbreviation;
        lastFormat_ = entry->format;
    } else {
        // A definition the tables cannot take keeps what its own line says, not what the line
        // handled before it left.
        lastAbbreviation_ = def.abbreviation;
        lastFormat_ = def.format;
    }
    if (code == 'D') engine_.clearPendingRegisters();
    engine_.setAddinReference(def.symbol);
    if (keyed.empty())
        engine_.writeAddinKeyed(std::string(1, code), keyed);
    else
        write(std::string(1, code), keyed);
}

// The end of a function's body: what the tape shows there is the function's value.
void UserFunctions::end() {
    const ColumnRoles& roles = engine_.layout().roles;
    // The figure itself, not the display's text with its thousands separators.
    const double figure = engine_.format().read(engine_.state().regs.displayValue);
    const std::string value = engine_.format().exact(figure);
    UserDefinition* function = nullptr;
    int declaration = engine_.state().curRow - 1;
    while (declaration >= 1 && baseCode(engine_.cell(declaration, roles.op)) != "D") --declaration;
    if (declaration >= 1) {
        function = findIn(functions, engine_.cell(declaration, roles.reference));
        // Whatever values a use of the function gave its parameters, the lines after its end
        // go on with those they had before it.
        engine_.takePendingRegistersOf(declaration - 1);
        takeParameterValues(framework_.fieldsAt(declaration - 1, kKind));
    }
    if (function) {
        function->value = value;
        lastAbbreviation_ = function->abbreviation;
        lastFormat_.clear();
    }
    engine_.writeAddinLine("E", figure);
    if (function && !evaluating_.empty() && evaluating_.back() == function->symbol)
        engine_.stopReplay();
}

void UserFunctions::parameterKey(UserDefinition& parameter) {
    std::string text = engine_.addinEntry();
    const char sep = engine_.format().decSep();
    const bool figure = !text.empty() && !text.starts_with('R');
    if (figure && text.find(sep) == std::string::npos && text.find(' ') == std::string::npos) {
        if (!parameter.format.empty() && parameter.format != "+") {
            text += sep;
        } else if (engine_.format().options().decimalMode == 0) {
            // Keyed in the adding mode: the last two digits are the cents.
            if (text.size() >= 2)
                text.insert(text.size() - 2, 1, sep);
            else if (text != "0")
                text = std::string("0") + sep + "0" + text;
            if (text.front() == sep) text.insert(0, "0");
        }
    }
    parameter.value = figureText(text);
    lastAbbreviation_ = parameter.abbreviation;
    lastFormat_ = parameter.format;
    write(parameter.symbol, text);
}

void UserFunctions::functionKey(UserDefinition& function) {
    const int declaration = declarationRow(function.symbol);
    if (declaration < 1) {
        engine_.addinError(std::string(kCannotFind));
        return;
    }
    if (std::find(evaluating_.begin(), evaluating_.end(), function.symbol) != evaluating_.end()) {
        engine_.addinError(std::string(kUsesItself));
        return;
    }
    const std::string symbol = function.symbol;
    std::vector<std::string> values;
    for (const UserDefinition& parameter : tables_[parameters]) values.push_back(parameter.value);
    evaluating_.push_back(symbol);
    try {
        engine_.evaluateFrom(declaration);
    } catch (...) {
        // A refusal inside the body takes the whole key back; nothing of it may stay here.
        evaluating_.pop_back();
        throw;
    }
    evaluating_.pop_back();
    for (size_t i = 0; i < values.size() && i < tables_[parameters].size(); ++i)
        tables_[parameters][i].value = values[i];
    // The replay may have rebuilt the tables: look the function up again.
    UserDefinition* evaluated = findIn(functions, symbol);
    if (!evaluated) return;
    lastAbbreviation_ = evaluated->abbreviation;
    lastFormat_.clear();
    write(symbol, evaluated->value.empty() ? "0" : evaluated->value);
}

// A value is kept as the figure it stands for ("02" and "2." are 2), so a line replayed from
// its record keeps what it was keyed with.
std::string UserFunctions::figureText(const std::string& text) const {
    if (text.empty() || text.starts_with('R')) return text;
    return engine_.format().exact(engine_.format().read(text));
}

void UserFunctions::write(const std::string& code, const std::string& text) {
    if (lastFormat_ == "0" || text.empty() || text.starts_with('R'))
        engine_.writeAddinKeyed(code, text);
    else
        engine_.writeAddinLine(code, engine_.format().read(text), text);
}

// Setup... edits the definition on the current line in place.
void UserFunctions::setup() {
    const ColumnRoles& roles = engine_.layout().roles;
    const int row = engine_.state().curRow;
    const std::string_view code =
        row < engine_.state().lastRow ? baseCode(engine_.cell(row, roles.op)) : "";
    const Category category = code == "d" ? parameters : functions;
    UserDefinition* def = (code == "d" || code == "D")
                              ? findIn(category, engine_.cell(row, roles.reference))
                              : nullptr;
    if (!def) {
        engine_.addinError(std::string(kCannotEdit));
        return;
    }
    const bool parameter = category == parameters;
    std::string title(parameter ? kEditParameterTitle : kEditFunctionTitle);
    std::string prompt(parameter ? kParameterPrompt : kFunctionPrompt);
    std::optional<UserDefinition> edited;
    for (std::string initial = definitionText(*def, parameter);;) {
        const auto text = dialogs_.inputBox(prompt, title, initial);
        if (!text || trimmed(*text).empty()) return;
        edited = parseDefinition(*text, parameter);
        const UserDefinition* other = edited ? find(edited->symbol) : nullptr;
        if (edited && allowedSymbol(edited->symbol) && (!other || other == def)) break;
        initial = *text;
        title = other ? (parameter ? kParameterExists : kFunctionExists) : kSymbolNotAllowed;
        prompt = std::string(other ? "" : kSymbolRule) +
                 std::string(parameter ? kParameterAgain : kFunctionAgain);
    }
    def->symbol = edited->symbol;
    def->abbreviation = edited->abbreviation;
    def->name = edited->name;
    def->format = edited->format;
    lastAbbreviation_ = def->abbreviation;
    lastFormat_ = def->format;
    engine_.relabelLine(row, def->symbol, def->name);
    rebuild();
    // The line's record keeps the abbreviation and format: the replay writes them there.
    editedRow_ = row;
    engine_.recalculate(row);
    editedRow_ = 0;
}

}  // namespace talvex
