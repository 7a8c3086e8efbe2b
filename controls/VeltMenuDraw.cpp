// How VeltMenu measures and draws its items, in the classic and the flat
// (XP) look.
#include "controls/VeltMenu.h"

#include "controls/VeltMenuMemDC.h"

#include <algorithm>

namespace {

// The font of menus, as the user chose it.
BOOL CreateMenuFont(CFont& font)
{
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof metrics;
    ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    return font.CreateFontIndirect(&metrics.lfMenuFont);
}

// The item's text before and after its tab (the shortcut text).
void SplitAtTab(LPCWSTR text, std::wstring& left, std::wstring& right)
{
    std::wstring whole = text;
    size_t tab = whole.find(L'\t');
    left = whole.substr(0, tab);
    right = tab == std::wstring::npos ? std::wstring() : whole.substr(tab + 1);
}

int TextWidth(HDC dc, const std::wstring& text)
{
    SIZE size = {};
    ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

int ItemBorder()
{
    return VeltMenu::IsXPStyleActive() && VeltMenu::UsesXPImages() ? 7 : 4;
}

}  // namespace

// ---------------------------------------------------------------- measuring

void VeltMenu::MeasureItem(LPMEASUREITEMSTRUCT item)
{
    const VeltMenuData* data = reinterpret_cast<const VeltMenuData*>(item->itemData);
    if (item->CtlType != ODT_MENU || !data)
        return;
    int border = ItemBorder();
    int menuHeight = ::GetSystemMetrics(SM_CYMENU);
    if (data->menuFlags & MF_SEPARATOR) {
        item->itemWidth = 0;
        item->itemHeight = static_cast<UINT>(std::max((m_iconHeight + border) / 2, menuHeight / 2));
        return;
    }
    CFont font;
    CreateMenuFont(font);
    HDC screen = ::GetDC(nullptr);
    HGDIOBJ oldFont = ::SelectObject(screen, font);
    int textWidth;
    if (GetOsVersionCode() == 0) {
        CString text = data->GetAnsiString();
        RECT rect = {};
        ::DrawTextA(screen, text, text.GetLength(), &rect, DT_CALCRECT | DT_SINGLELINE | DT_VCENTER);
        int length = text.GetLength() > 0 ? text.GetLength() : 1;
        textWidth = rect.right + 3 + rect.right / length * 3;
    } else {
        // A shortcut text stands apart from the item's text by an icon's width.
        std::wstring left, right;
        SplitAtTab(data->GetWideString(), left, right);
        textWidth = TextWidth(screen, left) + (right.empty() ? 0 : m_iconWidth + TextWidth(screen, right));
    }
    ::SelectObject(screen, oldFont);
    ::ReleaseDC(nullptr, screen);
    item->itemWidth = static_cast<UINT>(IsXPStyleActive() ? textWidth + m_iconWidth + border + 8
                                                          : textWidth + 2 * m_iconWidth + 1);
    item->itemHeight = static_cast<UINT>(std::max(m_iconHeight + border, menuHeight));
}

// ---------------------------------------------------------------- drawing

void VeltMenu::DrawItem(LPDRAWITEMSTRUCT item)
{
    if (item->CtlType != ODT_MENU || !item->itemData)
        return;
    if ((::GetDeviceCaps(item->hDC, RASTERCAPS) & RC_PALETTE) || !IsXPStyleActive())
        DrawItemClassic(item);
    else
        DrawItemXP(item);
}

CRect VeltMenu::IconRect(const CRect& item, int columnWidth) const
{
    int left = item.left + (columnWidth - m_iconWidth) / 2;
    int top = item.top + (item.Height() - m_iconHeight) / 2;
    return CRect(left, top, left + m_iconWidth, top + m_iconHeight);
}

void VeltMenu::DrawImage(CDC* dc, int index, CPoint at) const
{
    ImageList_Draw(*m_imageList, index, *dc, at.x, at.y, ILD_TRANSPARENT);
}

// A disabled image, embossed: its monochrome copy is stamped in the
// highlight colour one pixel down and right, then in the shadow colour.
void VeltMenu::DrawEmbossedImage(CDC* dc, int index, CPoint at, COLORREF background) const
{
    struct
    {
        BITMAPINFOHEADER header;
        RGBQUAD colours[2];
    } info = { { sizeof(BITMAPINFOHEADER), m_iconWidth, m_iconHeight, 1, 1, BI_RGB, 0, 0, 0, 2, 2 },
               { { 0, 0, 0, 0 }, { 255, 255, 255, 0 } } };
    void* bits = nullptr;
    CDC mono;
    mono.CreateCompatibleDC(dc);
    HBITMAP bitmap = ::CreateDIBSection(mono, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap)
        return;
    HGDIOBJ oldBitmap = ::SelectObject(mono, bitmap);
    mono.PatBlt(0, 0, m_iconWidth, m_iconHeight, WHITENESS);
    DrawImage(&mono, index, CPoint(0, 0));

    dc->FillSolidRect(at.x, at.y, m_iconWidth, m_iconHeight, background);
    COLORREF oldText = dc->SetTextColor(RGB(0, 0, 0));
    COLORREF oldBack = dc->SetBkColor(RGB(255, 255, 255));
    const DWORD stamp = 0xB8074A;   // the brush where the copy is black, the target elsewhere
    CBrush light(::GetSysColor(COLOR_BTNHIGHLIGHT));
    CBrush* oldBrush = dc->SelectObject(&light);
    dc->BitBlt(at.x + 1, at.y + 1, m_iconWidth, m_iconHeight, &mono, 0, 0, stamp);
    CBrush shadow(::GetSysColor(COLOR_BTNSHADOW));
    dc->SelectObject(&shadow);
    dc->BitBlt(at.x, at.y, m_iconWidth, m_iconHeight, &mono, 0, 0, stamp);
    dc->SelectObject(oldBrush);
    dc->SetTextColor(oldText);
    dc->SetBkColor(oldBack);
    ::SelectObject(mono, oldBitmap);
    ::DeleteObject(bitmap);
}

void VeltMenu::DrawItemText(CDC* dc, const VeltMenuData* data, CRect area, COLORREF colour, BOOL embossed) const
{
    CFont font;
    CreateMenuFont(font);
    CFont* oldFont = dc->SelectObject(&font);
    int oldMode = dc->SetBkMode(TRANSPARENT);
    COLORREF oldColour = dc->GetTextColor();
    std::wstring left, right;
    SplitAtTab(data->GetWideString(), left, right);
    auto draw = [&](CRect rect) {
        ::DrawTextW(*dc, left.c_str(), static_cast<int>(left.size()), &rect, DT_SINGLELINE | DT_VCENTER);
        if (!right.empty())
            ::DrawTextW(*dc, right.c_str(), static_cast<int>(right.size()), &rect, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
    };
    if (embossed) {
        dc->SetTextColor(::GetSysColor(COLOR_BTNHIGHLIGHT));
        CRect lit = area;
        lit.OffsetRect(1, 1);
        draw(lit);
    }
    dc->SetTextColor(colour);
    draw(area);
    dc->SetTextColor(oldColour);
    dc->SetBkMode(oldMode);
    dc->SelectObject(oldFont);
}

// A check mark of seven one-pixel strokes, or a radio dot of 6 x 6 pixels,
// in the menu text colour.
void VeltMenu::DrawCheckGlyph(CDC* dc, int x, int y, BOOL radio)
{
    COLORREF colour = ::GetSysColor(COLOR_MENUTEXT);
    if (radio) {
        CBrush brush(colour);
        CPen pen(PS_SOLID, 1, colour);
        CBrush* oldBrush = dc->SelectObject(&brush);
        CPen* oldPen = dc->SelectObject(&pen);
        dc->Ellipse(x, y, x + 6, y + 6);
        dc->SelectObject(oldPen);
        dc->SelectObject(oldBrush);
        return;
    }
    static const int strokes[7][2] = { { 2, 5 }, { 3, 6 }, { 4, 7 }, { 3, 6 }, { 2, 5 }, { 1, 4 }, { 0, 3 } };
    for (int k = 0; k < 7; ++k)
        dc->FillSolidRect(x + k, y + strokes[k][0], 1, strokes[k][1] - strokes[k][0], colour);
}

void VeltMenu::DrawItemClassic(LPDRAWITEMSTRUCT item)
{
    CDC* dc = CDC::FromHandle(item->hDC);
    const VeltMenuData* data = reinterpret_cast<const VeltMenuData*>(item->itemData);
    CRect rect = item->rcItem;
    COLORREF back = ::GetSysColor(IsXPStyleAvailable() ? COLOR_BTNFACE : COLOR_MENU);
    dc->FillSolidRect(&rect, back);
    if (data->menuFlags & MF_SEPARATOR) {
        CRect line(rect.left, rect.top + rect.Height() / 2, rect.right, rect.bottom);
        dc->DrawEdge(&line, EDGE_ETCHED, BF_TOP);
        return;
    }
    BOOL selected = (item->itemState & ODS_SELECTED) != 0;
    BOOL disabled = (item->itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
    BOOL checked = (item->itemState & ODS_CHECKED) != 0;
    BOOL hasImage = data->imageIndex >= 0 && m_imageList && data->imageIndex < m_imageList->GetImageCount();
    int boxWidth = m_iconWidth + 4;
    CRect icon = IconRect(rect, boxWidth);
    CRect frame = icon;
    frame.InflateRect(1, 1);

    if (selected) {
        CRect lit(hasImage || checked ? rect.left + boxWidth : rect.left, rect.top, rect.right, rect.bottom);
        dc->FillSolidRect(&lit, ::GetSysColor(COLOR_HIGHLIGHT));
    }
    if (hasImage) {
        COLORREF behind = back;
        if (checked) {
            behind = LightenColour(back, 0.6);
            dc->FillSolidRect(&frame, behind);
            dc->Draw3dRect(&frame, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
        } else if (selected && !disabled) {
            dc->Draw3dRect(&frame, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
        }
        if (disabled)
            DrawEmbossedImage(dc, data->imageIndex, icon.TopLeft(), behind);
        else
            DrawImage(dc, data->imageIndex, icon.TopLeft());
    } else if (checked) {
        dc->FillSolidRect(&frame, selected ? back : LightenColour(back, 0.6));
        if (GetOsVersionCode() > 1)
            dc->DrawEdge(&frame, BDR_SUNKENOUTER, BF_RECT);
        BOOL radio = (data->menuFlags & MFT_RADIOCHECK) != 0;
        DrawCheckGlyph(dc, frame.left + (radio ? 5 : 4), frame.top + 4, radio);
    }
    CRect text(rect.left + boxWidth + 4, rect.top, rect.right - 6, rect.bottom);
    if (disabled)
        DrawItemText(dc, data, text, ::GetSysColor(COLOR_GRAYTEXT), TRUE);
    else
        DrawItemText(dc, data, text, ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT), FALSE);
}

void VeltMenu::DrawItemXP(LPDRAWITEMSTRUCT item)
{
    CDC* dc = CDC::FromHandle(item->hDC);
    const VeltMenuData* data = reinterpret_cast<const VeltMenuData*>(item->itemData);
    CRect rect = item->rcItem;
    if (item->itemState & ODS_GRAYED) {
        // A grayed item is never drawn as selected, and off screen.
        VeltMenuMemDC memory(dc, &rect);
        PaintItemXP(&memory, rect, data, item->itemState & ~static_cast<UINT>(ODS_SELECTED));
    } else {
        PaintItemXP(dc, rect, data, item->itemState);
    }
}

void VeltMenu::PaintItemXP(CDC* dc, const CRect& rect, const VeltMenuData* data, UINT state)
{
    BOOL available = IsXPStyleAvailable();
    int columnWidth = m_iconWidth + ItemBorder();
    CRect column(rect.left, rect.top, rect.left + columnWidth, rect.bottom);
    CRect textArea(column.right, rect.top, rect.right, rect.bottom);
    COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    if (!available)
        face = LightenColour(face, 0.25);
    COLORREF highlight = ::GetSysColor(COLOR_HIGHLIGHT);
    dc->FillSolidRect(&column, face);
    dc->FillSolidRect(&textArea, ::GetSysColor(COLOR_WINDOW));
    if (data->menuFlags & MF_SEPARATOR) {
        CRect line(textArea.left + 2, rect.top + rect.Height() / 2, textArea.right, rect.bottom);
        dc->DrawEdge(&line, EDGE_ETCHED, BF_TOP);
        return;
    }
    BOOL selected = (state & ODS_SELECTED) != 0;
    BOOL disabled = (state & (ODS_GRAYED | ODS_DISABLED)) != 0;
    BOOL checked = (state & ODS_CHECKED) != 0;
    BOOL hasImage = data->imageIndex >= 0 && m_imageList && data->imageIndex < m_imageList->GetImageCount();
    if (selected) {
        dc->FillSolidRect(&rect, LightenColour(highlight, available ? 0.7 : 0.85));
        CBrush frame(highlight);
        dc->FrameRect(&rect, &frame);
    }
    CRect icon = IconRect(rect, columnWidth);
    CRect box = icon;
    box.InflateRect(1, 1);
    COLORREF checkBack = LightenColour(highlight, 0.85);
    if (checked) {
        CBrush frame(highlight);
        dc->FillSolidRect(&box, checkBack);
        dc->FrameRect(&box, &frame);
    }
    if (hasImage) {
        BOOL variants = HasImageVariants(m_imageList, data->imageIndex);
        if (disabled) {
            DrawEmbossedImage(dc, data->imageIndex, icon.TopLeft(), checked ? checkBack : face);
        } else if (selected && variants) {
            DrawImage(dc, data->imageIndex + 2, icon.TopLeft() + CSize(1, 1));   // its shadow
            DrawImage(dc, data->imageIndex, icon.TopLeft() - CSize(1, 1));
        } else {
            DrawImage(dc, data->imageIndex + (variants && !selected ? 1 : 0), icon.TopLeft());   // faded until chosen
        }
    } else if (checked) {
        DrawCheckGlyph(dc, box.left + 5, box.top + 4, (data->menuFlags & MFT_RADIOCHECK) != 0);
    }
    CRect text(textArea.left + 5, rect.top, rect.right - 3, rect.bottom);
    COLORREF colour = ::GetSysColor(COLOR_MENUTEXT);
    if (disabled) {
        colour = ::GetSysColor(COLOR_GRAYTEXT);
        if (!selected && !available)
            colour = LightenColour(colour, 0.4);
    }
    DrawItemText(dc, data, text, colour, FALSE);
}
