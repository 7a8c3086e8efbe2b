// The checks the editor makes before it saves a macro's keys: a start key
// must be no other macro's key; an end key no other macro's start key,
// while any number of macros may share an end key.
#include "app/PandrelDlg.h"
#include "tests/app/KestruneSession.h"
#include "tests/support/DialogAnswerer.h"

#include <gtest/gtest.h>

using namespace kestrune_e2e;

namespace {

const char kSuggestions[] = "You may try to use different hotkeys like:\n"
                            "'Ctrl + Shift + Alt + M', 'Ctrl + K', 'Ctrl + Shift + 9'";

TEST(ConflictChecks, KeysOtherMacrosHoldAreRefusedWithAHint)
{
    ScriptFolder scripts;
    scripts.Write({ "First", "Ctrl + <F1>", "<F11>", "", 1 });
    scripts.Write({ "Second", "Ctrl + <F2>", "<F11>", "", 0 });   // unticked macros count too
    CWinApp app("Brenvik Kestrune");
    CPandrelDlg main;
    ASSERT_TRUE(main.Create(CPandrelDlg::IDD));
    ASSERT_EQ(main.GetMacroCount(), 2);

    testing_support::DialogAnswerer answerer(IDOK);
    EXPECT_FALSE(main.CheckStartKeyConflict("Ctrl + <F2>")) << "another macro's start key";
    EXPECT_FALSE(main.CheckStartKeyConflict("<f11>")) << "another macro's end key, in another case";
    EXPECT_TRUE(main.CheckStartKeyConflict("Ctrl + <F3>"));
    EXPECT_FALSE(main.CheckEndKeyConflict("Ctrl + <F1>")) << "another macro's start key";
    EXPECT_TRUE(main.CheckEndKeyConflict("<F11>")) << "end keys may be shared";

    ASSERT_TRUE(answerer.WaitFor(3));
    std::vector<testing_support::DialogAnswerer::Seen> seen = answerer.Dialogs();
    ASSERT_EQ(seen.size(), 3u);
    const std::string startTaken = std::string("Start hotkey you specified for this macro has been taken by another macro.\n\n") + kSuggestions;
    const std::string endTaken = std::string("End hotkey you specified for this macro has been taken by another macro.\n\n") + kSuggestions;
    EXPECT_EQ(seen[0].text, startTaken);
    EXPECT_EQ(seen[1].text, startTaken);
    EXPECT_EQ(seen[2].text, endTaken);
    EXPECT_EQ(seen[2].caption, "Brenvik Kestrune");
    main.DestroyWindow();
}

}  // namespace
