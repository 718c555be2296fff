// What a start does with the copies that crashed windows left behind: it offers each one, the
// newest first. Yes makes it the open tape, modified and under its own name, so that Save
// writes the tape it belongs to; No deletes it.
#pragma once

#include <ctime>
#include <functional>
#include <string>

#include "session/RecoveryCopies.h"

namespace talvex {

class DialogsPort;
class TapeSession;

// "14:32" on the day it was written, else with its date ("2026-12-06 14:32").
std::string recoveryTime(const std::tm& saved, const std::tm& now);
// The question that offers a copy.
std::string recoveryQuestion(const RecoveryCopy& copy, const std::string& time);

// True when a copy was restored; this window's own copy then holds it. ask: where the offer
// is made.
bool offerRecovery(TapeSession& session, DialogsPort& ask, const RecoveryCopies& copies,
                   const std::function<bool(int)>& running, std::time_t now);

}  // namespace talvex
