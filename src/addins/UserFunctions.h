// Functions the user defines on the tape itself: named parameters, intermediate results and
// functions whose body is a stretch of ordinary lines between a declaration and an end line.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "addins/FunctionAddin.h"

namespace talvex {

class AddinFramework;
class DialogsPort;
class Engine;

struct UserDefinition {
    std::string symbol;        // one letter: the code of its lines
    std::string abbreviation;  // its key's caption, and a function's entry in the list
    std::string name;          // tool tip and automatic label
    std::string format;        // parameters: "0" writes the value as keyed, else formatted
    std::string value;
    std::string defaultValue;  // what a reset gives a parameter back
    int row = 0;               // where it was last defined: lines above it do not know it
};

class UserFunctions : public FunctionAddin {
  public:
    static constexpr int kKind = 2;
    static constexpr size_t kMaxEntries = 10;
    enum Category { parameters = 0, intermediates = 1, functions = 2 };

    UserFunctions(AddinFramework& framework, Engine& engine, DialogsPort& dialogs)
        : FunctionAddin(framework, engine, kKind), dialogs_(dialogs) {}

    std::string lineFields() override;
    void restoreFields(const std::vector<std::string_view>& fields) override;
    std::optional<std::string> symbolValue(std::string_view name) override;
    // Definitions taken back or made again change the functions on offer.
    void tapeRestored() override;
    bool tapeHoldsDefinitions() const;

    const std::vector<UserDefinition>& table(Category category) const { return tables_[category]; }
    // After a tape is read: the definitions again from its lines, and the function list.
    void rebuildFromTape();

  private:
    void activate() override;
    void reset() override;
    void listLoaded() override;
    void emptyTables();
    void rebuild();
    void chooseFunction(int index) override;
    void autoText() override;
    void addinKey() override;
    void define(Category category, char code);
    std::optional<std::string> askDefinition(Category category);
    void end();
    void takeParameterValues(const std::vector<std::string>& fields);
    void parameterKey(UserDefinition& parameter);
    void functionKey(UserDefinition& function);
    void setup();
    void write(const std::string& code, const std::string& text);
    std::string figureText(const std::string& text) const;
    UserDefinition* find(std::string_view symbol);
    UserDefinition* findIn(Category category, std::string_view symbol);
    int declarationRow(std::string_view symbol) const;
    std::vector<const UserDefinition*> parametersOf(int declaration) const;

    DialogsPort& dialogs_;
    std::array<std::vector<UserDefinition>, 3> tables_;
    // The entry last handled: its abbreviation and format go on the lines written.
    std::string lastAbbreviation_;
    std::string lastFormat_;
    std::vector<std::string> evaluating_;
    // The line whose definition Setup... just edited: its replay keeps the edit.
    int editedRow_ = 0;
};

}  // namespace talvex
