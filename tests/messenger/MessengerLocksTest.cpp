// What the messenger's locks allow, its hint, and the password prompt.
#include <gtest/gtest.h>

#include "messenger/MessengerLocks.h"

namespace talvex::testing {
namespace {

MessengerRecord withLocks(bool editLock, bool launch, std::string password,
                          std::string address = "https://a.example/") {
    MessengerRecord r;
    r.editLock = editLock;
    r.setSwitch(MessengerSwitch::launch, launch);
    r.password = std::move(password);
    r.address = std::move(address);
    return r;
}

TEST(MessengerLocksTest, LocksDecideClickDoubleClickAndHint) {
    struct Case {
        MessengerRecord record;
        bool clickEdits;
        bool asksPassword;
        std::optional<std::string> launches;
        const char* hint;
    };
    const Case cases[] = {
        {withLocks(false, false, ""), true, false, std::nullopt,
         "Talvex Messenger.  Click to Edit."},
        {withLocks(true, false, "pw"), false, true, std::nullopt, "Talvex Messenger."},
        {withLocks(true, false, ""), false, false, std::nullopt, "Talvex Messenger."},
        {withLocks(false, true, "pw"), true, false, "https://a.example/",
         "Talvex Messenger.  Click to Edit.  DoubleClick to Launch Web Address."},
        {withLocks(true, true, "pw"), false, true, "https://a.example/",
         "Talvex Messenger.  DoubleClick to Launch Web Address."},
        {withLocks(false, true, "", ""), true, false, std::nullopt,
         "Talvex Messenger.  Click to Edit.  DoubleClick to Launch Web Address."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.hint);
        EXPECT_EQ(clickOpensSettings(c.record), c.clickEdits);
        EXPECT_EQ(settingsNeedPassword(c.record), c.asksPassword);
        EXPECT_EQ(launchAddress(c.record), c.launches);
        EXPECT_EQ(messengerHint(c.record), c.hint);
    }
}

// Only the exact password opens; a wrong one changes the caption and may be tried again.
TEST(MessengerLocksTest, PasswordPromptComparesExactly) {
    PasswordPrompt prompt("Se cret,1");
    EXPECT_EQ(prompt.caption(), "Messenger is Password protected");
    for (const char* wrong : {"se cret,1", "Se cret,1 ", "Secret,1", "", "Se cret"}) {
        EXPECT_FALSE(prompt.submit(wrong)) << wrong;
        EXPECT_EQ(prompt.caption(), "Password is incorrect");
    }
    EXPECT_TRUE(prompt.submit("Se cret,1"));
    EXPECT_EQ(prompt.caption(), "Messenger is Password protected");
}

}  // namespace
}  // namespace talvex::testing
