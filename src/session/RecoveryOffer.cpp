#include "session/RecoveryOffer.h"

#include <array>
#include <filesystem>

#include "documents/FileIo.h"
#include "session/TapeSession.h"

namespace talvex {

namespace {

constexpr const char* kTitle = "Talvex";
constexpr const char* kUntitled = "an untitled tape";

std::string formatted(const std::tm& when, const char* format) {
    std::array<char, 64> text{};
    const size_t length = std::strftime(text.data(), text.size(), format, &when);
    return std::string(text.data(), length);
}

std::tm localTime(std::time_t when) {
    const std::tm* local = std::localtime(&when);
    return local ? *local : std::tm{};
}

// The copy becomes the open tape; this window keeps it before the crashed one's files go, so
// that at no moment is it only in memory.
bool restore(TapeSession& session, const RecoveryCopies& copies, const RecoveryCopy& copy) {
    std::string error;
    const auto text = readWholeFile(copy.tape, error);
    if (!text || !session.documents.recoverGrid(copy.tape.string(), copy.original)) return false;
    // Where this window cannot keep it, the crashed window's files stay as they are.
    if (copies.write(*text, copy.original, copy.saved, error)) RecoveryCopies::remove(copy);
    return true;
}

}  // namespace

std::string recoveryTime(const std::tm& saved, const std::tm& now) {
    const bool sameDay = saved.tm_year == now.tm_year && saved.tm_yday == now.tm_yday;
    return formatted(saved, sameDay ? "%H:%M" : "%Y-%m-%d %H:%M");
}

std::string recoveryQuestion(const RecoveryCopy& copy, const std::string& time) {
    const std::string tape = copy.original.empty()
                                 ? std::string(kUntitled)
                                 : std::filesystem::path(copy.original).filename().string();
    return "Talvex was not closed properly. Restore the unsaved changes to " + tape + " from " +
           time + "?";
}

bool offerRecovery(TapeSession& session, DialogsPort& ask, const RecoveryCopies& copies,
                   const std::function<bool(int)>& running, std::time_t now) {
    for (const RecoveryCopy& copy : copies.left(running)) {
        const std::string question =
            recoveryQuestion(copy, recoveryTime(localTime(copy.saved), localTime(now)));
        if (ask.message(question, kTitle, Buttons::yesNo, Icon::question) == answer::kYes)
            return restore(session, copies, copy);
        RecoveryCopies::remove(copy);
    }
    return false;
}

}  // namespace talvex
