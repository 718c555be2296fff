// For tests of the whole program, which cannot click a message box: with TALVEX_RECOVERY_ANSWER
// set to "yes" or "no", the offer to restore unsaved changes is answered so without a box, and
// its text is printed on standard error as "recovery offer: TEXT".
#pragma once

#include <memory>

#include "documents/DialogsPort.h"

namespace talvex {

// Nothing when the variable is unset, or set to anything else.
std::unique_ptr<DialogsPort> recoveryAnswerFromEnvironment();

}  // namespace talvex
