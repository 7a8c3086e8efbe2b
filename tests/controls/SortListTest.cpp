// The sortable list in a dialog: columns from a layout text, rows sorted by
// clicks on the real header (numbers, dates, texts, both ways), the arrow it
// draws, and column widths kept in the profile.
#include "controls/SortListCtrl.h"
#include "tests/controls/ControlTestSupport.h"
#include "tests/controls/ControlsTestResource.h"
#include "tests/support/GuiObjects.h"
#include "tests/support/Input.h"
#include "tests/support/TestFiles.h"
#include "tests/support/UiPump.h"
#include "tests/support/WindowCapture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace control_tests;
using namespace testing_support;

namespace {

class SortDlg : public CDialog
{
public:
    SortDlg() : CDialog(IDD_SORT_LIST) {}
    CSortListCtrl m_list;

protected:
    void DoDataExchange(CDataExchange* dx) override { DDX_Control(dx, IDC_SORT_LIST, m_list); }
};

class SortList : public DialogTest<SortDlg, IDD_SORT_LIST>
{
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        ASSERT_TRUE(m_list().SetHeadings("Number,60;Date,90;Text,80"));
        m_list().AddItem("12", "01/04/2017", "a12");
        m_list().AddItem("9", "05/03/2017", "a9");
        m_list().AddItem("100", "31/12/2016", "B");
        PumpMessages(50);
    }

    CSortListCtrl& m_list() { return m_dlg.m_list; }
    std::vector<std::string> Column(int column)
    {
        std::vector<std::string> texts;
        for (int row = 0; row < m_list().GetItemCount(); ++row)
            texts.push_back(m_list().GetItemText(row, column).str());
        return texts;
    }
    CRect HeaderItem(int column)
    {
        CRect rect;
        m_list().GetSortHeader().GetItemRect(column, &rect);
        return rect;
    }
    void ClickHeader(int column)
    {
        CRect item = HeaderItem(column);
        ClickAt(ClientPointToScreen(m_list().GetSortHeader().m_hWnd, item.left + 10, item.CenterPoint().y));
        // A second click on the same spot waits for the double-click time, as
        // a user's two separate clicks would.
        PumpMessages(GetDoubleClickTime() + 100);
    }
    // Pixels of the arrow's colours in its place: near the right edge of the
    // item, `offset` from its top and bottom.
    struct ArrowRows
    {
        int top = 0, bottom = 0, all = 0;
    };
    ArrowRows Arrow(int column)
    {
        WindowCapture header = WindowCapture::OfClient(m_list().GetSortHeader().m_hWnd);
        CRect item = HeaderItem(column);
        int offset = item.Height() / 4;
        CRect box(item.right - 3 * offset, item.top + offset, item.right - offset + 1, item.bottom - offset);
        COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), shadow = GetSysColor(COLOR_BTNSHADOW);
        auto count = [&](const CRect& area) { return header.Count(area, light) + header.Count(area, shadow); };
        ArrowRows rows;
        rows.top = count(CRect(box.left, box.top, box.right, box.top + 1));
        rows.bottom = count(CRect(box.left, box.bottom - 1, box.right, box.bottom));
        rows.all = count(box);
        return rows;
    }
};

TEST(SortListHeadings, ColumnsComeFromTheLayoutText)
{
    struct Case
    {
        const char* spec;
        std::vector<std::string> titles;
        std::vector<int> widths;
    };
    const Case cases[] = {
        { "Enable,50;Name,100;Start Key,60;End Key,60;Description,330",
          { "Enable", "Name", "Start Key", "End Key", "Description" }, { 50, 100, 60, 60, 330 } },
        { "First,40;Second", { "First" }, { 40 } },
        { "Odd,wide;Even,20", { "Odd", "Even" }, { 0, 20 } },
        { "", {}, {} },
    };
    for (const Case& c : cases) {
        SortDlg dlg;
        ASSERT_TRUE(dlg.Create(IDD_SORT_LIST));
        EXPECT_TRUE(dlg.m_list.SetHeadings(c.spec)) << c.spec;
        ASSERT_EQ(dlg.m_list.GetColumnCount(), static_cast<int>(c.titles.size())) << c.spec;
        ASSERT_EQ(dlg.m_list.GetSortHeader().GetItemCount(), static_cast<int>(c.titles.size())) << c.spec;
        for (size_t i = 0; i < c.titles.size(); ++i) {
            char title[64] = {};
            LVCOLUMNA column = {};
            column.mask = LVCF_TEXT | LVCF_WIDTH;
            column.pszText = title;
            column.cchTextMax = sizeof title;
            dlg.m_list.GetColumn(static_cast<int>(i), &column);
            EXPECT_EQ(title, c.titles[i]) << c.spec;
            EXPECT_EQ(column.cx, c.widths[i]) << c.spec;
        }
        dlg.DestroyWindow();
    }
}

TEST_F(SortList, HeaderClicksSortNumbersDatesAndTexts)
{
    ClickHeader(0);
    EXPECT_EQ(Column(0), (std::vector<std::string>{ "9", "12", "100" })) << "as numbers";
    EXPECT_EQ(Column(2), (std::vector<std::string>{ "a9", "a12", "B" })) << "rows move whole";
    ClickHeader(0);
    EXPECT_EQ(Column(0), (std::vector<std::string>{ "100", "12", "9" })) << "the second click sorts descending";
    EXPECT_FALSE(m_list().IsSortAscending());

    ClickHeader(1);
    EXPECT_EQ(Column(1), (std::vector<std::string>{ "31/12/2016", "05/03/2017", "01/04/2017" })) << "year, month, day";
    EXPECT_TRUE(m_list().IsSortAscending()) << "another column starts ascending";

    ClickHeader(2);
    EXPECT_EQ(Column(2), (std::vector<std::string>{ "a12", "a9", "B" })) << "as texts";
    ClickHeader(2);
    EXPECT_EQ(Column(2), (std::vector<std::string>{ "B", "a9", "a12" }));
    WindowCapture::OfWindow(m_dlg.m_hWnd).SavePng("sort-list");
}

TEST_F(SortList, TheArrowPointsTheWayOfTheSort)
{
    m_list().SortColumn(1, TRUE);
    PumpMessages(100);
    ArrowRows up = Arrow(1);
    EXPECT_GT(up.all, 6);
    EXPECT_LE(up.top, 3) << "the apex at the top";
    EXPECT_GT(up.bottom, up.top + 2) << "the base at the bottom";
    HDITEMA item = {};
    item.mask = HDI_FORMAT;
    m_list().GetSortHeader().GetItem(1, &item);
    EXPECT_TRUE(item.fmt & HDF_OWNERDRAW) << "the sort column draws itself";
    m_list().GetSortHeader().GetItem(0, &item);
    EXPECT_FALSE(item.fmt & HDF_OWNERDRAW);
    EXPECT_EQ(WindowCapture::OfClient(m_list().GetSortHeader().m_hWnd).Pixel(HeaderItem(1).left + 3, 3),
              GetSysColor(COLOR_BTNFACE));

    m_list().SortColumn(1, FALSE);
    PumpMessages(100);
    ArrowRows down = Arrow(1);
    EXPECT_GT(down.top, down.bottom + 2) << "the base at the top";
    EXPECT_LE(down.bottom, 3);
    WindowCapture::OfClient(m_list().GetSortHeader().m_hWnd).SavePng("sort-list-header");
}

TEST_F(SortList, SortingUsesTheListsOwnCopiesOfTheTexts)
{
    EXPECT_TRUE(m_list().SetItemText(2, 0, "1"));
    m_list().SortColumn(0, TRUE);
    EXPECT_EQ(Column(0), (std::vector<std::string>{ "1", "9", "12" }));
    EXPECT_TRUE(m_list().DeleteItem(0));
    int added = m_list().AddItem("5");
    EXPECT_EQ(m_list().GetItemText(added, 2), "") << "missing texts are empty";
    m_list().SortColumn(0, TRUE);
    EXPECT_EQ(Column(0), (std::vector<std::string>{ "5", "9", "12" }));
    EXPECT_TRUE(m_list().DeleteAllItems());
    EXPECT_EQ(m_list().GetItemCount(), 0);
}

TEST(SortListCompare, CellsCompareByTheKindOfTheFirstText)
{
    struct Case
    {
        const char* first;
        const char* second;
        BOOL ascending;
        int order;
    };
    const Case cases[] = {
        { "9", "12", TRUE, -1 },
        { "12", "12", TRUE, 0 },
        { "9", "12", FALSE, 1 },
        { "a12", "a9", TRUE, -1 },
        { "05/03/2017", "01/04/2017", TRUE, -1 },   // month before day
        { "31/12/2016", "01/01/2017", TRUE, -1 },   // year before month
        { "02/04/2017", "01/04/2017", TRUE, 1 },
        { "01/04/2017", "01/04/2017", FALSE, 0 },
        { "", "", TRUE, 0 },                         // empty cells are equal
        { "12", "abc", FALSE, -1 },                  // the kind stays numeric when descending
        { "05/03/2017", "5", TRUE, 1 },              // a short second text: its missing fields are 0
        { "05/03/2017", "", TRUE, 1 },
    };
    for (const Case& c : cases) {
        int order = CSortListCtrl::CompareCells(c.first, c.second, c.ascending);
        EXPECT_EQ((order > 0) - (order < 0), c.order) << c.first << " / " << c.second;
    }
}

TEST_F(SortList, ColumnWidthsComeBackFromTheProfile)
{
    TempFolder folder;
    std::string ini = folder / "profile.ini";
    CWinApp app("Kestrune Test");
    app.m_pszProfileName = ini.c_str();
    m_list().SetColumnWidth(0, 77);
    m_list().SaveColumnInfo();
    m_list().SetColumnWidth(0, 20);
    m_list().LoadColumnInfo();
    EXPECT_EQ(m_list().GetColumnWidth(0), 77);
    EXPECT_EQ(m_list().GetColumnWidth(1), 90);

    const int otherCount[] = { 2, 30, 40 };
    app.WriteProfileBinary("ListCtrls", "1100", reinterpret_cast<const BYTE*>(otherCount), sizeof otherCount);
    m_list().LoadColumnInfo();
    EXPECT_EQ(m_list().GetColumnWidth(0), 77) << "a record for another number of columns is ignored";

    const int shortRecord[] = { 3, 11 };
    app.WriteProfileBinary("ListCtrls", "1100", reinterpret_cast<const BYTE*>(shortRecord), sizeof shortRecord);
    m_list().LoadColumnInfo();
    EXPECT_EQ(m_list().GetColumnWidth(0), 77) << "a record that ends too soon changes nothing";
}

TEST(SortListLeaks, OpeningSortingAndClosingLeavesNothingBehind)
{
    ExpectNoGuiObjectLeak([] {
        SortDlg dlg;
        dlg.Create(IDD_SORT_LIST);
        dlg.m_list.SetHeadings("Number,60;Text,80");
        for (int i = 0; i < 20; ++i) {
            char number[8];
            wsprintfA(number, "%d", i * 7 % 13);
            dlg.m_list.AddItem(number, "text");
        }
        ShowInFront(dlg);
        dlg.m_list.SortColumn(0, TRUE);
        dlg.m_list.SortColumn(1, FALSE);
        PumpMessages(50);
        dlg.DestroyWindow();
    });
}

}  // namespace
