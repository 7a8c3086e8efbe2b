// The repeat options: a number of times, kept from 1 to 999999 whatever the
// box holds, or until the end key.
#include "app/editor/RobotRepeatOption.h"
#include "tests/editor/EditorTestSupport.h"
#include "tests/support/DialogDriver.h"

#include <gtest/gtest.h>

using namespace editor_tests;

namespace {

TEST(RepeatOptions, TheCountStaysFromOneTo999999)
{
    CWinApp app("Brenvik Kestrune");
    const struct
    {
        const char* typed;
        int count;
    } cases[] = { { "12", 12 }, { "", 1 }, { "0", 1 }, { "1234567", 999999 }, { "999999", 999999 }, { "7.9", 7 } };
    for (const auto& c : cases) {
        CRobotRepeatOption options;
        testing_support::DialogDriver driver("Macro Repeat Options", [&](HWND dialog) {
            EXPECT_EQ(ItemText(dialog, IDC_REPEAT_COUNT), "1") << "it opens on once";
            EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_REPEAT_TIMES_RADIO, BM_GETCHECK, 0, 0), BST_CHECKED);
            SetItemText(dialog, IDC_REPEAT_COUNT, c.typed);
            testing_support::PressDialogButton(dialog, IDOK);
        });
        ASSERT_EQ(options.DoModal(), IDOK);
        EXPECT_TRUE(driver.Finish());
        EXPECT_EQ(options.m_nOption, 0);
        EXPECT_EQ(options.m_nCount, c.count) << '"' << c.typed << '"';
    }
}

TEST(RepeatOptions, UntilTheEndKey)
{
    CWinApp app("Brenvik Kestrune");
    CRobotRepeatOption options;
    testing_support::DialogDriver driver("Macro Repeat Options", [](HWND dialog) {
        SendDlgItemMessageA(dialog, IDC_REPEAT_TIMES_RADIO, BM_SETCHECK, BST_UNCHECKED, 0);
        SendDlgItemMessageA(dialog, IDC_REPEAT_UNTIL_END, BM_SETCHECK, BST_CHECKED, 0);
        testing_support::PressDialogButton(dialog, IDOK);
    });
    ASSERT_EQ(options.DoModal(), IDOK);
    EXPECT_TRUE(driver.Finish());
    EXPECT_EQ(options.m_nOption, 1);
}

}  // namespace
