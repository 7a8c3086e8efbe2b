// The numeric edit and its spin arrows in a dialog: what counts as a valid
// text (long and odd texts included), typed keys that are refused or kept,
// the decimals remembered, the reasons a verbose box gives, and arrow
// clicks clamped to the range.
#include "controls/NumSpinCtrl.h"
#include "tests/controls/ControlTestSupport.h"
#include "tests/controls/EditorControlsTestResource.h"
#include "tests/support/DialogAnswerer.h"
#include "tests/support/Input.h"
#include "tests/support/UiPump.h"

#include <gtest/gtest.h>

#include <math.h>

#include <string>

using namespace control_tests;
using namespace testing_support;

namespace {

class NumEditsDlg : public CDialog
{
public:
    CNumEdit m_edit;
    CNumSpinCtrl m_spin;
    CEdit m_plain;
    CNumSpinCtrl m_plainSpin;
    int changes = 0;   // EN_CHANGE of the numeric edit

protected:
    void DoDataExchange(CDataExchange* dx) override
    {
        DDX_Control(dx, IDC_NUM_EDIT, m_edit);
        DDX_Control(dx, IDC_NUM_SPIN, m_spin);
        DDX_Control(dx, IDC_PLAIN_BUDDY, m_plain);
        DDX_Control(dx, IDC_PLAIN_SPIN, m_plainSpin);
    }
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        m_spin.SetBuddy(&m_edit);
        m_spin.SetRange(1, 9999);
        m_spin.SetPos(1);
        m_spin.SetDelta(1);
        m_plain.SetWindowText("plain");
        m_plainSpin.SetBuddy(&m_plain);
        return TRUE;
    }
    afx_msg void OnEditChange() { ++changes; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(NumEditsDlg, CDialog)
    ON_EN_CHANGE(IDC_NUM_EDIT, OnEditChange)
END_MESSAGE_MAP()

class NumEdit : public DialogTest<NumEditsDlg, IDD_NUM_EDITS>
{
protected:
    CNumEdit& Edit() { return m_dlg.m_edit; }

    // Focuses the box holding `text` (all of it selected).
    void FocusWith(const char* text)
    {
        m_dlg.GotoDlgCtrl(&Edit());
        Edit().SetWindowText(text);
        Edit().SetSel(0, -1);
        PumpMessages(50);
        m_dlg.changes = 0;
    }
    bool WaitForText(const std::string& text, int changes = 1)
    {
        return PumpUntil([&] { return m_dlg.changes >= changes && TextOf(Edit()) == text; }, 3000);
    }
    // A click on the upper or lower half of the spin arrows.
    void ClickArrow(bool up)
    {
        RECT rect;
        m_dlg.m_spin.GetWindowRect(&rect);
        int height = rect.bottom - rect.top;
        ClickAt(POINT{ (rect.left + rect.right) / 2, rect.top + (up ? height / 4 : height * 3 / 4) });
    }
};

TEST_F(NumEdit, ValidityOfTexts)
{
    struct Case
    {
        std::string text;
        int validity;
    };
    const Case cases[] = {
        { "12", CNumEdit::VALID },
        { "9999", CNumEdit::VALID },
        { "1.5", CNumEdit::VALID },
        { "1e3", CNumEdit::VALID },
        { " 12 ", CNumEdit::VALID },
        { "0", CNumEdit::OUT_OF_RANGE },
        { "10000", CNumEdit::OUT_OF_RANGE },
        { "-5", CNumEdit::OUT_OF_RANGE },
        { "1e5", CNumEdit::OUT_OF_RANGE },
        { "inf", CNumEdit::OUT_OF_RANGE },
        { std::string(5000, '9'), CNumEdit::OUT_OF_RANGE },
        { "+", CNumEdit::LONE_SIGN },
        { "-", CNumEdit::LONE_SIGN },
        { "", CNumEdit::NOT_A_NUMBER },
        { "abc", CNumEdit::NOT_A_NUMBER },
        { "12abc", CNumEdit::NOT_A_NUMBER },
        { "12 3", CNumEdit::NOT_A_NUMBER },
        { ".", CNumEdit::NOT_A_NUMBER },
        { "nan", CNumEdit::NOT_A_NUMBER },
        { "NaN", CNumEdit::NOT_A_NUMBER },
        { "+-", CNumEdit::NOT_A_NUMBER },
        { "1" + std::string(5000, 'x'), CNumEdit::NOT_A_NUMBER },
    };
    for (const Case& c : cases)
        EXPECT_EQ(Edit().IsValidText(c.text.c_str()), c.validity) << c.text.substr(0, 20);
}

TEST_F(NumEdit, VerboseModeSaysWhyATextIsRefused)
{
    DialogAnswerer user(IDOK, 0, { m_dlg.m_hWnd });
    Edit().SetVerbose(1);
    EXPECT_EQ(Edit().IsValidText("10000"), CNumEdit::OUT_OF_RANGE);
    EXPECT_EQ(Edit().IsValidText("12abc"), CNumEdit::NOT_A_NUMBER);
    EXPECT_EQ(Edit().IsValidText("-"), CNumEdit::LONE_SIGN);
    EXPECT_EQ(Edit().IsValidText("12"), CNumEdit::VALID);
    Edit().SetVerbose(0);
    ASSERT_TRUE(user.WaitFor(2));
    const std::vector<DialogAnswerer::Seen> seen = user.Dialogs();
    ASSERT_EQ(seen.size(), 2u) << "a lone sign and a valid text say nothing";
    EXPECT_EQ(seen[0].text.find("Given value is out of range."), 0u) << seen[0].text;
    EXPECT_EQ(seen[1].text.find("Characters must be a number."), 0u) << seen[1].text;
}

TEST_F(NumEdit, ValueOfTheBoxAndSettingIt)
{
    Edit().SetWindowText("-");
    EXPECT_FLOAT_EQ(Edit().GetValue(), 1.0f);   // the minimum
    Edit().SetWindowText("nan");
    EXPECT_FLOAT_EQ(Edit().GetValue(), 1.0f);
    Edit().SetWindowText("250");
    EXPECT_FLOAT_EQ(Edit().GetValue(), 250.0f);
    EXPECT_FLOAT_EQ(m_dlg.m_spin.GetPos(), 250.0f);

    EXPECT_FALSE(Edit().SetValue(20000));
    EXPECT_FALSE(Edit().SetValue(0));
    EXPECT_FALSE(Edit().SetValue(NAN));
    EXPECT_EQ(TextOf(Edit()), "250");
    EXPECT_TRUE(Edit().SetValue(9999));
    EXPECT_EQ(TextOf(Edit()), "9999");
}

TEST_F(NumEdit, CountsDecimalsOnlyInTheFractionAndNeverFewer)
{
    struct Case
    {
        float value;
        const char* format;
    };
    const Case cases[] = {
        { 12.0f, "%.0f" },
        { 1.5e10f, "%.1f" },   // shown as 1.5E+10: the exponent has no decimals
        { 2.25f, "%.2f" },
        { 3.5f, "%.2f" },      // what was seen once stays
        { 7.0f, "%.2f" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(std::string(Edit().FormatValue(c.value)), c.format) << c.value;
}

TEST_F(NumEdit, TypingThatLeavesTheRangeIsUndoneWithTheTextSelected)
{
    FocusWith("12");
    PressKey('0');   // "0" is below the minimum 1
    EXPECT_TRUE(WaitForText("12", 2)) << TextOf(Edit());
    int start = -1, end = -1;
    Edit().GetSel(start, end);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 2);
}

TEST_F(NumEdit, TypingTextOrBlanksIsRefused)
{
    FocusWith("12");
    Edit().SetSel(2, 2);
    PressKey('X');
    EXPECT_TRUE(WaitForText("12", 2)) << TextOf(Edit());
    Edit().SetSel(2, 2);
    PressKey(VK_SPACE);
    PressKey('3');
    EXPECT_TRUE(WaitForText("123")) << TextOf(Edit());
}

TEST_F(NumEdit, PastingALongTextIsRefused)
{
    FocusWith("12");
    SetClipboardText(std::string(5000, '9'));
    KeyDown(VK_CONTROL);
    PressKey('V');
    KeyUp(VK_CONTROL);
    EXPECT_TRUE(WaitForText("12", 2)) << TextOf(Edit()).substr(0, 20);
}

TEST_F(NumEdit, ALoneSignIsKept)
{
    FocusWith("");
    PressKey(VK_OEM_MINUS);
    EXPECT_TRUE(WaitForText("-")) << TextOf(Edit());
    EXPECT_FLOAT_EQ(Edit().GetValue(), 1.0f);
}

TEST_F(NumEdit, ArrowsKeepTheDecimalsTyped)
{
    m_dlg.m_spin.SetRange(0, 100);
    FocusWith("");
    PressKey('2');
    PressKey(VK_OEM_PERIOD);
    PressKey('5');
    ASSERT_TRUE(WaitForText("2.5")) << TextOf(Edit());
    m_dlg.changes = 0;
    ClickArrow(true);
    EXPECT_TRUE(WaitForText("3.5")) << TextOf(Edit());
    m_dlg.changes = 0;
    ClickArrow(false);
    ClickArrow(false);
    EXPECT_TRUE(WaitForText("1.5", 2)) << TextOf(Edit());
}

TEST_F(NumEdit, ArrowsStopAtTheEndsOfTheRange)
{
    m_dlg.m_spin.SetRange(1, 10);
    m_dlg.m_spin.SetPos(10);
    m_dlg.changes = 0;
    ClickArrow(true);
    EXPECT_TRUE(WaitForText("10")) << TextOf(Edit());
    m_dlg.changes = 0;
    ClickArrow(false);
    EXPECT_TRUE(WaitForText("9")) << TextOf(Edit());
    m_dlg.m_spin.SetPos(1);
    m_dlg.changes = 0;
    ClickArrow(false);
    EXPECT_TRUE(WaitForText("1")) << TextOf(Edit());
}

TEST_F(NumEdit, SpinWithAPlainBuddyLeavesItAlone)
{
    CNumSpinCtrl& spin = m_dlg.m_plainSpin;
    spin.SetRange(1, 10);
    spin.SetPos(5);
    spin.SetDelta(2);
    float min = -1, max = -1;
    spin.GetRange(min, max);
    EXPECT_EQ(min, 0.0f);
    EXPECT_EQ(max, 0.0f);
    EXPECT_EQ(spin.GetPos(), 0.0f);
    EXPECT_EQ(spin.GetDelta(), 0.0f);
    EXPECT_EQ(TextOf(m_dlg.m_plain), "plain");
}

}  // namespace
