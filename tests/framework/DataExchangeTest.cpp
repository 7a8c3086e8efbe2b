// Dialog data exchange: members to controls and back, for each kind of
// control, and a value that cannot be read is refused with a message.
#include "framework/Ui.h"
#include "tests/framework/UiTestResource.h"
#include "tests/support/DialogAnswerer.h"

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

class ExchangeDlg : public CDialog
{
public:
    CString m_name = "Macro one";
    int m_count = -17;
    UINT m_unsigned = 4000000000u;
    int m_check = BST_CHECKED;
    int m_radio = 2;
    int m_listIndex = 1;
    CString m_comboText = "typed";
    CComboBox m_list;

protected:
    void DoDataExchange(CDataExchange* dx) override
    {
        DDX_Text(dx, IDC_NAME, m_name);
        DDX_Text(dx, IDC_COUNT, m_count);
        DDX_Text(dx, IDC_UNSIGNED, m_unsigned);
        DDX_Check(dx, IDC_CHECK, m_check);
        DDX_Radio(dx, IDC_RADIO1, m_radio);
        DDX_Control(dx, IDC_LIST_COMBO, m_list);
        DDX_CBIndex(dx, IDC_LIST_COMBO, m_listIndex);
        DDX_CBString(dx, IDC_EDIT_COMBO, m_comboText);
    }
    BOOL OnInitDialog() override
    {
        for (LPCSTR item : { "first", "second", "third" })
            SendDlgItemMessage(IDC_LIST_COMBO, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        SendDlgItemMessage(IDC_EDIT_COMBO, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("listed"));
        return CDialog::OnInitDialog();
    }
};

CString ItemText(CWnd& dlg, int id)
{
    CString text;
    dlg.GetDlgItemText(id, text);
    return text;
}

TEST(DataExchange, MembersGoToTheControlsAndComeBack)
{
    ExchangeDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_DATA_EXCHANGE));
    EXPECT_STREQ(ItemText(dlg, IDC_NAME), "Macro one");
    EXPECT_STREQ(ItemText(dlg, IDC_COUNT), "-17");
    EXPECT_STREQ(ItemText(dlg, IDC_UNSIGNED), "4000000000");
    EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_CHECK), static_cast<UINT>(BST_CHECKED));
    EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_RADIO3), static_cast<UINT>(BST_CHECKED));
    EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_RADIO1), static_cast<UINT>(BST_UNCHECKED));
    EXPECT_EQ(dlg.m_list.GetCurSel(), 1);
    EXPECT_EQ(CWnd::FromHandlePermanent(dlg.GetDlgItem(IDC_LIST_COMBO)->m_hWnd), &dlg.m_list);
    EXPECT_STREQ(ItemText(dlg, IDC_EDIT_COMBO), "typed");

    dlg.SetDlgItemText(IDC_NAME, "Renamed");
    dlg.SetDlgItemText(IDC_COUNT, "  42 ");
    dlg.SetDlgItemText(IDC_UNSIGNED, "7");
    dlg.CheckDlgButton(IDC_CHECK, BST_UNCHECKED);
    dlg.CheckRadioButton(IDC_RADIO1, IDC_RADIO3, IDC_RADIO1);
    dlg.m_list.SetCurSel(2);
    dlg.SetDlgItemText(IDC_EDIT_COMBO, "listed");
    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_STREQ(dlg.m_name, "Renamed");
    EXPECT_EQ(dlg.m_count, 42);
    EXPECT_EQ(dlg.m_unsigned, 7u);
    EXPECT_EQ(dlg.m_check, BST_UNCHECKED);
    EXPECT_EQ(dlg.m_radio, 0);
    EXPECT_EQ(dlg.m_listIndex, 2);
    EXPECT_STREQ(dlg.m_comboText, "listed");

    dlg.CheckRadioButton(IDC_RADIO1, IDC_RADIO3, 0);
    for (int id : { IDC_RADIO1, IDC_RADIO2, IDC_RADIO3 })
        dlg.CheckDlgButton(id, BST_UNCHECKED);
    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(dlg.m_radio, -1) << "no button of the group checked";
    dlg.DestroyWindow();
}

TEST(DataExchange, ANumberThatCannotBeReadIsRefused)
{
    struct Case
    {
        int control;
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        { IDC_COUNT, "12x", "Please enter an integer." },
        { IDC_COUNT, "", "Please enter an integer." },
        { IDC_COUNT, "99999999999", "Please enter an integer." },
        { IDC_UNSIGNED, "-5", "Please enter a positive integer." },
        { IDC_UNSIGNED, "4294967296", "Please enter a positive integer." },
    };
    for (const Case& c : cases) {
        ExchangeDlg dlg;
        ASSERT_TRUE(dlg.Create(IDD_DATA_EXCHANGE));
        dlg.ShowWindow(SW_SHOW);
        DialogAnswerer answerer(IDOK, 0, { dlg.m_hWnd });
        dlg.SetDlgItemText(c.control, c.text);
        EXPECT_FALSE(dlg.UpdateData(TRUE)) << c.text;
        ASSERT_TRUE(answerer.WaitFor(1)) << c.text;
        EXPECT_EQ(answerer.Dialogs()[0].text, c.message) << c.text;
        EXPECT_EQ(answerer.Dialogs()[0].caption, AfxGetAppName());
        EXPECT_EQ(::GetFocus(), dlg.GetDlgItem(c.control)->m_hWnd) << "the user is taken to the control";
        EXPECT_EQ(dlg.m_count, -17);
        EXPECT_EQ(dlg.m_unsigned, 4000000000u);
        dlg.DestroyWindow();
    }
}

}  // namespace
