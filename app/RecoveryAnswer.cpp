#include "app/RecoveryAnswer.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace talvex {

namespace {

class AnswerGiven : public DialogsPort {
  public:
    explicit AnswerGiven(answer::Answer given) : given_(given) {}
    answer::Answer message(const std::string& text, const std::string&, Buttons, Icon) override {
        std::fprintf(stderr, "recovery offer: %s\n", text.c_str());
        std::fflush(stderr);
        return given_;
    }
    FileDialogResult chooseFile(const FileDialogRequest&) override { return {}; }

  private:
    answer::Answer given_;
};

}  // namespace

std::unique_ptr<DialogsPort> recoveryAnswerFromEnvironment() {
    const char* value = std::getenv("TALVEX_RECOVERY_ANSWER");
    if (!value) return nullptr;
    const std::string_view given(value);
    if (given == "yes") return std::make_unique<AnswerGiven>(answer::kYes);
    if (given == "no") return std::make_unique<AnswerGiven>(answer::kNo);
    return nullptr;
}

}  // namespace talvex
