// A calculation add-in that writes lines of its own: a function list, a panel per function and
// letters the engine knows its lines by. The loan calculator and the user functions are two.
#pragma once

#include "addins/Addin.h"

namespace talvex {

class AddinFramework;
class Engine;

class FunctionAddin : public Addin {
  public:
    FunctionAddin(AddinFramework& framework, Engine& engine, int kind)
        : framework_(framework), engine_(engine), kind_(kind) {}
    void entry(int code) final;

  protected:
    virtual void activate() = 0;
    // A reset of the registers (the start of a tape, C); being listed anew may clear more.
    virtual void reset() = 0;
    virtual void listLoaded() { reset(); }
    virtual void autoText() = 0;
    virtual void chooseFunction(int function) = 0;
    virtual void addinKey() = 0;
    // The line just written is the add-in's: its code, or for the blank line after a result
    // the code above it, is one of the add-in's letters.
    bool wroteOwnLine() const;

    AddinFramework& framework_;
    Engine& engine_;

  private:
    int kind_;
};

}  // namespace talvex
