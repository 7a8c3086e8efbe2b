// The colour combo: swatches beside the texts in the selection field and
// the dropped list, the selected and focused looks, the empty selection,
// and the grey of a disabled combo.
#include "controls/ColorCombo.h"
#include "tests/controls/ControlTestSupport.h"
#include "tests/controls/DisplayControlsTestResource.h"
#include "tests/support/Input.h"
#include "tests/support/UiPump.h"
#include "tests/support/WindowCapture.h"

#include <gtest/gtest.h>

using namespace control_tests;
using namespace testing_support;

namespace {

const struct
{
    const char* text;
    COLORREF colour;
} kEntries[] = {
    {"FF0000", RGB(255, 0, 0)},
    {"00FF00", RGB(0, 255, 0)},
    {"0000FF", RGB(0, 0, 255)},
    {"FFFF00", RGB(255, 255, 0)},
};

class ColourComboDlg : public CDialog
{
public:
    CColorCombo m_combo;

protected:
    void DoDataExchange(CDataExchange* dx) override { DDX_Control(dx, IDC_COLOUR_COMBO, m_combo); }
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        for (const auto& entry : kEntries)
            m_combo.SetItemData(m_combo.AddString(entry.text), entry.colour);
        return TRUE;
    }
};

class ColourCombo : public DialogTest<ColourComboDlg, IDD_COLOUR_COMBO>
{
protected:
    WindowCapture Field()
    {
        m_dlg.m_combo.RedrawWindow();
        PumpMessages(30);
        return Picture(m_dlg.m_combo);
    }

    // DrawItem on a memory context of `width` x 20.
    WindowCapture Drawn(int index, UINT state, int width = 120)
    {
        CClientDC screen(&m_dlg);
        CDC dc;
        dc.CreateCompatibleDC(&screen);
        CBitmap bitmap;
        bitmap.CreateCompatibleBitmap(&screen, width, 20);
        HGDIOBJ old = ::SelectObject(dc.m_hDC, bitmap.m_hObject);
        DRAWITEMSTRUCT item = {};
        item.CtlType = ODT_COMBOBOX;
        item.itemID = static_cast<UINT>(index);
        item.itemState = state;
        item.hwndItem = m_dlg.m_combo.m_hWnd;
        item.hDC = dc.m_hDC;
        item.rcItem = {0, 0, width, 20};
        item.itemData = index >= 0 ? m_dlg.m_combo.GetItemData(index) : 0;
        m_dlg.m_combo.DrawItem(&item);
        WindowCapture picture = WindowCapture::OfDC(dc.m_hDC, width, 20);
        ::SelectObject(dc.m_hDC, old);
        return picture;
    }
};

TEST_F(ColourCombo, TheSelectionShowsItsSwatchLeftOfTheText)
{
    m_dlg.m_combo.SetCurSel(0);
    WindowCapture field = Field();
    CRect client;
    m_dlg.m_combo.GetClientRect(&client);
    const int quarter = client.Width() / 4;
    const CRect swatchArea(0, 0, quarter + 1, field.Height());
    const CRect textArea(quarter + 2, 0, field.Width(), field.Height());
    EXPECT_GT(field.Count(swatchArea, RGB(255, 0, 0)), 20) << "item data 0x0000FF is red";
    EXPECT_EQ(field.Count(textArea, RGB(255, 0, 0)), 0);
    field.SavePng("colour-combo-field");
    WindowCapture::OfWindow(m_dlg.m_hWnd).SavePng("colour-combo");

    m_dlg.m_combo.EnableWindow(FALSE);
    WindowCapture disabled = Field();
    EXPECT_EQ(disabled.Count(RGB(255, 0, 0)), 0);
    EXPECT_GT(disabled.Count(swatchArea, GetSysColor(COLOR_GRAYTEXT)), 20) << "a disabled combo's swatch is grey";
    disabled.SavePng("colour-combo-disabled");
}

TEST_F(ColourCombo, TheDroppedListShowsEverySwatch)
{
    m_dlg.m_combo.SetCurSel(2);
    COMBOBOXINFO info = {sizeof info};
    ASSERT_TRUE(GetComboBoxInfo(m_dlg.m_combo.m_hWnd, &info));
    m_dlg.m_combo.ShowDropDown(TRUE);
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(info.hwndList) != FALSE; }));
    PumpMessages(50);
    WindowCapture list = Picture(*CWnd::FromHandle(info.hwndList));
    const int rowHeight = static_cast<int>(m_dlg.m_combo.SendMessage(CB_GETITEMHEIGHT, 0));
    ASSERT_GT(rowHeight, 0);
    for (int i = 0; i < 4; ++i) {
        const CRect row(0, i * rowHeight, list.Width() / 4, (i + 1) * rowHeight);
        EXPECT_GT(list.Count(row, kEntries[i].colour), 10) << kEntries[i].text;
    }
    const CRect selectedRow(list.Width() / 2, 2 * rowHeight + 1, list.Width() - 1, 3 * rowHeight - 1);
    EXPECT_GT(list.Count(selectedRow, GetSysColor(COLOR_HIGHLIGHT)), selectedRow.Width()) << "the selection's highlight";
    list.SavePng("colour-combo-list");
    m_dlg.m_combo.ShowDropDown(FALSE);
}

TEST_F(ColourCombo, EachStateDrawsItsOwnColours)
{
    const COLORREF window = GetSysColor(COLOR_WINDOW), highlight = GetSysColor(COLOR_HIGHLIGHT);
    const COLORREF windowText = GetSysColor(COLOR_WINDOWTEXT);
    const CRect swatch(3, 3, 29, 17), text(32, 0, 120, 20), rightEnd(110, 0, 120, 20);
    {
        WindowCapture plain = Drawn(1, 0);
        EXPECT_EQ(plain.Count(rightEnd, window), rightEnd.Width() * rightEnd.Height()) << "the window colour behind";
        EXPECT_EQ(plain.Count(swatch, RGB(0, 255, 0)), swatch.Width() * swatch.Height());
        EXPECT_EQ(plain.Pixel(2, 2), RGB(0, 0, 0)) << "the swatch's black frame";
        EXPECT_EQ(plain.Pixel(29, 10), RGB(0, 0, 0)) << "its right edge at a quarter of the width";
        EXPECT_GT(plain.Count(text, windowText), 5) << "the text in the window-text colour";
    }
    {
        WindowCapture selected = Drawn(1, ODS_SELECTED);
        EXPECT_EQ(selected.Count(rightEnd, highlight), rightEnd.Width() * rightEnd.Height());
        EXPECT_GT(selected.Count(text, ~windowText & 0xFFFFFF), 5) << "the text in the complement";
        EXPECT_EQ(selected.Count(swatch, RGB(0, 255, 0)), swatch.Width() * swatch.Height());
    }
    {
        WindowCapture focused = Drawn(1, ODS_FOCUS);
        EXPECT_GT(20 - focused.Count(CRect(0, 0, 1, 20), window), 5) << "the dotted focus rectangle";
    }
    {
        WindowCapture disabled = Drawn(0, ODS_DISABLED);
        EXPECT_EQ(disabled.Count(swatch, GetSysColor(COLOR_GRAYTEXT)), swatch.Width() * swatch.Height());
    }
    {
        WindowCapture empty = Drawn(-1, ODS_FOCUS);
        EXPECT_EQ(empty.Count(CRect(1, 1, 119, 19), window), 118 * 18) << "only the background and the focus rectangle";
        EXPECT_GT(20 - empty.Count(CRect(0, 0, 1, 20), window), 5);
    }
}

TEST_F(ColourCombo, AClickTakesTheFocus)
{
    ::SetFocus(nullptr);
    ASSERT_NE(CWnd::GetFocus(), &m_dlg.m_combo);
    HoverOver(m_dlg.m_combo.m_hWnd);
    MouseDown();
    MouseUp();
    PumpMessages(100);
    EXPECT_EQ(::GetFocus(), m_dlg.m_combo.m_hWnd);
    m_dlg.m_combo.ShowDropDown(FALSE);
}

}  // namespace
