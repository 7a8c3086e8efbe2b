#include "controls/ImageButton.h"

#include "controls/IconVariants.h"

#include <shellapi.h>

BEGIN_MESSAGE_MAP(CImageButton, CButton)
    ON_WM_SETCURSOR()
    ON_WM_KILLFOCUS()
    ON_WM_MOUSEMOVE()
    ON_WM_SYSCOLORCHANGE()
    ON_CONTROL_REFLECT_EX(BN_CLICKED, OnClicked)
    ON_WM_ACTIVATE()
    ON_WM_ENABLE()
    ON_WM_CANCELMODE()
    ON_WM_GETDLGCODE()
    ON_WM_CTLCOLOR_REFLECT()
    ON_WM_MENUCHAR()
    ON_WM_MEASUREITEM()
    ON_MESSAGE(BM_SETSTYLE, OnSetStyle)
    ON_WM_MOUSELEAVE()
    ON_MESSAGE(BM_SETCHECK, OnSetCheck)
    ON_MESSAGE(BM_GETCHECK, OnGetCheck)
END_MESSAGE_MAP()

CImageButton::CImageButton()
{
    ResetColors(FALSE);
    SetPressedOffsetStyle(0, FALSE);
}

CImageButton::~CImageButton()
{
    FreeImages();
    if (m_cursor)
        ::DestroyCursor(m_cursor);
    if (m_menu.m_hMenu)
        m_menu.DestroyMenu();
    FreeBackground();
}

void CImageButton::FreeImages()
{
    for (IconRecord& icon : m_icons) {
        if (icon.icon)
            ::DestroyIcon(icon.icon);
        icon = IconRecord();
    }
    for (BitmapRecord& bitmap : m_bitmaps) {
        if (bitmap.bitmap)
            ::DeleteObject(bitmap.bitmap);
        if (bitmap.mask)
            ::DeleteObject(bitmap.mask);
        bitmap = BitmapRecord();
    }
}

void CImageButton::FreeBackground()
{
    if (m_backgroundDC.m_hDC && m_oldBackgroundBitmap)
        ::SelectObject(m_backgroundDC, m_oldBackgroundBitmap);
    m_oldBackgroundBitmap = nullptr;
    m_backgroundBitmap.DeleteObject();
    m_backgroundDC.DeleteDC();
}

// ---------------------------------------------------------------- set-up

void CImageButton::PreSubclassWindow()
{
    DWORD style = GetStyle();
    m_buttonType = static_cast<int>(style & BS_TYPEMASK);
    if (style & BS_CHECKBOX)
        m_checkMode = TRUE;
    if (m_buttonType == BS_DEFPUSHBUTTON) {
        m_default = TRUE;
        m_buttonType = BS_PUSHBUTTON;
    }
    ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW, SWP_FRAMECHANGED);
    CButton::PreSubclassWindow();
}

namespace {

// An icon's size: twice its hot spot, which sits at its centre. The bitmaps
// that GetIconInfo makes are freed at once.
bool IconSize(HICON icon, DWORD& width, DWORD& height)
{
    ICONINFO info = {};
    if (!icon || !::GetIconInfo(icon, &info))
        return false;
    width = info.xHotspot * 2;
    height = info.yHotspot * 2;
    if (info.hbmColor)
        ::DeleteObject(info.hbmColor);
    if (info.hbmMask)
        ::DeleteObject(info.hbmMask);
    return true;
}

HICON LoadButtonIcon(UINT id, int width, int height)
{
    if (id == 0 || id == CImageButton::DarkerIcon || id == CImageButton::GreyIcon)
        return reinterpret_cast<HICON>(static_cast<INT_PTR>(static_cast<int>(id)));
    return static_cast<HICON>(::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(id), IMAGE_ICON, width, height,
                                           LR_DEFAULTCOLOR));
}

// A mask bitmap: white where the bitmap has its transparent colour.
HBITMAP MakeMask(HBITMAP bitmap, COLORREF transparent, DWORD width, DWORD height)
{
    HDC screen = ::GetDC(nullptr);
    HDC source = ::CreateCompatibleDC(screen);
    HDC target = ::CreateCompatibleDC(screen);
    ::ReleaseDC(nullptr, screen);
    HBITMAP mask = ::CreateBitmap(static_cast<int>(width), static_cast<int>(height), 1, 1, nullptr);
    HGDIOBJ oldSource = ::SelectObject(source, bitmap);
    HGDIOBJ oldTarget = ::SelectObject(target, mask);
    COLORREF oldBack = ::SetBkColor(source, transparent);
    ::BitBlt(target, 0, 0, static_cast<int>(width), static_cast<int>(height), source, 0, 0, SRCCOPY);
    // The bitmap itself becomes black where it is transparent.
    ::SetBkColor(source, RGB(0, 0, 0));
    ::SetTextColor(source, RGB(255, 255, 255));
    ::BitBlt(source, 0, 0, static_cast<int>(width), static_cast<int>(height), target, 0, 0, SRCAND);
    ::SetBkColor(source, oldBack);
    ::SelectObject(source, oldSource);
    ::SelectObject(target, oldTarget);
    ::DeleteDC(source);
    ::DeleteDC(target);
    return mask;
}

}  // namespace

DWORD CImageButton::SetIcon(UINT iconId, UINT outIconId)
{
    return SetIcon(iconId, 0, 0, outIconId, 0, 0);
}

DWORD CImageButton::SetIcon(UINT iconId, int width, int height, UINT outIconId, int outWidth, int outHeight)
{
    HICON icon = LoadButtonIcon(iconId, width, height);
    HICON out = LoadButtonIcon(outIconId, outWidth, outHeight);
    if (!icon) {   // nothing to show: the second icon is not kept either
        FreeImages();
        if (outIconId != 0 && outIconId != DarkerIcon && outIconId != GreyIcon && out)
            ::DestroyIcon(out);
        return InvalidResource;
    }
    return SetIcon(icon, out);
}

DWORD CImageButton::SetIcon(HICON icon, HICON outIcon)
{
    FreeImages();
    if (!IconSize(icon, m_icons[0].width, m_icons[0].height)) {
        FreeImages();
        return InvalidResource;
    }
    m_icons[0].icon = icon;
    INT_PTR special = reinterpret_cast<INT_PTR>(outIcon);
    HICON out = special == -3 ? MakeDarkIcon(icon) : special == -2 ? MakeGreyIcon(icon) : outIcon;
    if (out) {
        if (!IconSize(out, m_icons[1].width, m_icons[1].height)) {
            FreeImages();
            return InvalidResource;
        }
        m_icons[1].icon = out;
    }
    Invalidate();
    return Ok;
}

DWORD CImageButton::SetBitmaps(HBITMAP bitmap, COLORREF transparent, HBITMAP outBitmap, COLORREF outTransparent)
{
    FreeImages();
    HBITMAP bitmaps[2] = { bitmap, outBitmap };
    COLORREF transparents[2] = { transparent, outTransparent };
    for (int i = 0; i < 2; ++i) {
        if (!bitmaps[i])
            continue;
        BITMAP info = {};
        if (!::GetObjectA(bitmaps[i], sizeof info, &info)) {
            FreeImages();
            return InvalidResource;
        }
        BitmapRecord& record = m_bitmaps[i];
        record.bitmap = bitmaps[i];
        record.width = static_cast<DWORD>(info.bmWidth);
        record.height = static_cast<DWORD>(info.bmHeight);
        record.transparent = transparents[i];
        record.mask = MakeMask(bitmaps[i], transparents[i], record.width, record.height);
    }
    if (!m_bitmaps[0].bitmap)
        return InvalidResource;
    Invalidate();
    return Ok;
}

DWORD CImageButton::SetAlign(BYTE alignment, BOOL repaint)
{
    if (alignment > AlignOver)
        return InvalidAlign;
    m_alignment = alignment;
    if (repaint)
        Invalidate();
    return Ok;
}

DWORD CImageButton::SetPressedOffsetStyle(BYTE style, BOOL repaint)
{
    switch (style) {
    case 0:
        m_pressedOffsetX = 1;
        m_pressedOffsetY = 1;
        break;
    case 1:
        m_pressedOffsetX = 0;
        m_pressedOffsetY = 2;
        break;
    default:
        return InvalidPressedStyle;
    }
    if (repaint && m_hWnd)
        Invalidate();
    return Ok;
}

DWORD CImageButton::SetCheckState(int check, BOOL repaint)
{
    if (m_checkMode) {
        m_checkState = check ? 1 : 0;
        if (repaint)
            Invalidate();
    }
    return Ok;
}

DWORD CImageButton::ResetColors(BOOL repaint)
{
    COLORREF face = ::GetSysColor(COLOR_BTNFACE), text = ::GetSysColor(COLOR_BTNTEXT);
    m_colours[ColourBackHovered] = m_colours[ColourBackNormal] = m_colours[ColourBackFocused] = face;
    m_colours[ColourTextHovered] = m_colours[ColourTextNormal] = m_colours[ColourTextFocused] = text;
    if (repaint && m_hWnd)
        Invalidate();
    return Ok;
}

void CImageButton::EnsureToolTip()
{
    if (m_toolTip.m_hWnd)
        return;
    m_toolTip.Create(this, m_toolTipStyle);
    m_toolTip.Activate(FALSE);
    m_toolTip.SetMaxTipWidth(400);
}

void CImageButton::SetTooltipText(LPCSTR text, BOOL activate)
{
    if (!text)
        return;
    EnsureToolTip();
    if (m_toolTip.GetToolCount() == 0) {
        CRect client;
        GetClientRect(&client);
        m_toolTip.AddTool(this, text, &client, 1);
    }
    m_toolTip.UpdateTipText(text, this, 1);
    m_toolTip.Activate(activate);
}

DWORD CImageButton::DrawTransparent(BOOL repaint)
{
    m_transparent = TRUE;
    FreeBackground();
    if (repaint)
        Invalidate();
    return Ok;
}

DWORD CImageButton::SetLinkUrl(LPCSTR address)
{
    memset(m_linkUrl, 0, sizeof m_linkUrl);
    if (address)
        lstrcpynA(m_linkUrl, address, sizeof m_linkUrl);   // 259 characters and the terminator
    return Ok;
}

DWORD CImageButton::SetMenu(UINT menuId, HWND owner)
{
    if (m_menu.m_hMenu)
        m_menu.DestroyMenu();
    m_menuOwner = nullptr;
    if (menuId == 0)
        return Ok;
    if (!m_menu.LoadMenu(menuId))
        return InvalidResource;
    m_menuOwner = owner;
    return Ok;
}

DWORD CImageButton::SetMenuCallback(HWND wnd, UINT message, LPARAM value)
{
    m_menuCallback.wnd = wnd;
    m_menuCallback.message = message;
    m_menuCallback.value = value;
    return Ok;
}

DWORD CImageButton::SetButtonCursor(HCURSOR cursor)
{
    if (m_cursor)
        ::DestroyCursor(m_cursor);
    m_cursor = cursor;
    return Ok;
}

DWORD CImageButton::SetSound(LPCSTR sound, HMODULE module, BOOL forClick, DWORD flags)
{
    SoundRecord& record = m_sounds[forClick ? 1 : 0];
    record = SoundRecord();
    if (!sound)
        return Ok;
    if (IS_INTRESOURCE(sound)) {
        record.sound = sound;
    } else {
        lstrcpynA(record.file, sound, sizeof record.file);
        record.sound = record.file;
    }
    record.module = module;
    record.flags = flags;
    return Ok;
}

void CImageButton::PlaySoundOf(int which) const
{
    const SoundRecord& record = m_sounds[which];
    if (record.sound)
        ::PlaySoundA(record.sound, record.module, record.flags);
}

// ---------------------------------------------------------------- drawing

void CImageButton::DrawItem(LPDRAWITEMSTRUCT item)
{
    CDC* dc = CDC::FromHandle(item->hDC);
    m_pressed = m_checkMode ? (item->itemState & ODS_SELECTED) || m_checkState == 1
                            : (item->itemState & ODS_SELECTED) || m_menuShown;
    m_focused = (item->itemState & ODS_FOCUS) != 0;
    m_disabled = (item->itemState & ODS_DISABLED) != 0;

    CRect rect = item->rcItem;
    dc->SetBkMode(TRANSPARENT);
    if (m_transparent)
        CopyParentBackground(dc);
    else
        DrawBackground(dc, &rect);
    DrawBorder(dc, &rect);

    CString title;
    GetWindowText(title);
    CRect caption = item->rcItem;
    if (m_icons[0].icon)
        DrawIconImage(dc, !title.IsEmpty(), &item->rcItem, &caption, m_pressed, m_disabled);
    if (m_bitmaps[0].bitmap) {
        dc->SetBkColor(RGB(255, 255, 255));
        DrawBitmapImage(dc, !title.IsEmpty(), &item->rcItem, &caption, m_pressed, m_disabled);
    }
    if (!title.IsEmpty())
        DrawCaption(dc, title, &item->rcItem, &caption, m_pressed, m_disabled);
    if (m_focused && (!m_flat || m_drawFlatFocus)) {
        CRect focus = item->rcItem;
        focus.DeflateRect(3, 3);
        dc->DrawFocusRect(&focus);
    }
}

void CImageButton::CopyParentBackground(CDC* dc)
{
    CRect client;
    GetClientRect(&client);
    CWnd* parent = GetParent();
    if (!m_backgroundDC.m_hDC) {
        CRect place;
        GetWindowRect(&place);
        parent->ScreenToClient(&place);
        CClientDC parentDC(parent);
        m_backgroundDC.CreateCompatibleDC(&parentDC);
        m_backgroundBitmap.CreateCompatibleBitmap(&parentDC, client.Width(), client.Height());
        m_oldBackgroundBitmap = ::SelectObject(m_backgroundDC, m_backgroundBitmap);
        m_backgroundDC.BitBlt(0, 0, client.Width(), client.Height(), &parentDC, place.left, place.top, SRCCOPY);
    }
    dc->BitBlt(0, 0, client.Width(), client.Height(), &m_backgroundDC, 0, 0, SRCCOPY);
}

DWORD CImageButton::DrawBackground(CDC* dc, RECT* rect)
{
    if (!m_flat && (m_focused || m_default)) {
        CBrush black(RGB(0, 0, 0));
        dc->FrameRect(rect, &black);
        ::InflateRect(rect, -1, -1);
    }
    COLORREF colour = m_mouseOver || m_pressed ? m_colours[ColourBackHovered]
                      : m_focused              ? m_colours[ColourBackFocused]
                                               : m_colours[ColourBackNormal];
    CBrush brush(colour);
    dc->FillRect(rect, &brush);
    return 0;
}

DWORD CImageButton::DrawBorder(CDC* dc, RECT* rect)
{
    COLORREF highlight = ::GetSysColor(COLOR_BTNHIGHLIGHT), shadow = ::GetSysColor(COLOR_BTNSHADOW);
    if (m_pressed) {
        if (m_flat && m_drawBorder) {
            dc->Draw3dRect(rect, shadow, highlight);
        } else if (!m_flat) {
            CBrush frame(shadow);
            dc->FrameRect(rect, &frame);
        }
        return 0;
    }
    if (m_flat) {
        if (m_mouseOver && m_drawBorder)
            dc->Draw3dRect(rect, highlight, shadow);
        return 0;
    }
    // A raised button: two light lines at the top and left, two dark ones
    // at the bottom and right.
    struct Line
    {
        int colour;
        POINT from, corner, to;
    };
    const RECT& r = *rect;
    const Line lines[] = {
        { COLOR_BTNHIGHLIGHT, { r.left, r.bottom - 1 }, { r.left, r.top }, { r.right, r.top } },
        { COLOR_3DLIGHT, { r.left + 1, r.bottom - 1 }, { r.left + 1, r.top + 1 }, { r.right, r.top + 1 } },
        { COLOR_3DDKSHADOW, { r.left, r.bottom - 1 }, { r.right - 1, r.bottom - 1 }, { r.right - 1, r.top - 1 } },
        { COLOR_BTNSHADOW, { r.left + 1, r.bottom - 2 }, { r.right - 2, r.bottom - 2 }, { r.right - 2, r.top } },
    };
    for (const Line& line : lines) {
        CPen pen(PS_SOLID, 1, ::GetSysColor(line.colour));
        CPen* old = dc->SelectObject(&pen);
        dc->MoveTo(line.from);
        dc->LineTo(line.corner);
        dc->LineTo(line.to);
        dc->SelectObject(old);
    }
    return 0;
}

CRect CImageButton::PlaceImage(BOOL hasCaption, const RECT* item, RECT* caption, BOOL pressed, int width, int height) const
{
    CRect image = *item;
    auto centreX = [&] { image.left += (image.Width() - width) / 2; };
    auto centreY = [&] { image.top += (image.Height() - height) / 2; };
    switch (m_alignment) {
    case AlignLeft:
        if (hasCaption) {
            image.left += m_imageMarginX;
            caption->left += m_imageMarginX + width;
        } else {
            centreX();
        }
        centreY();
        break;
    case AlignAbove:
        centreX();
        if (hasCaption) {
            image.top = m_imageMarginY;
            caption->top += height;
        } else {
            centreY();
        }
        break;
    case AlignRight:
        if (hasCaption) {
            CRect client;
            GetClientRect(&client);
            caption->right = caption->right - caption->left - m_imageMarginX - width;
            caption->left = m_imageMarginX;
            image.left = client.Width() - m_imageMarginX - width;
            centreY();
        } else {
            centreX();
        }
        break;
    default:   // AlignOver: at the item's top-left corner
        break;
    }
    image.right = image.left + width;
    image.bottom = image.top + height;
    if (pressed && !m_checkMode)
        image.OffsetRect(m_pressedOffsetX, m_pressedOffsetY);
    return image;
}

void CImageButton::DrawIconImage(CDC* dc, BOOL hasCaption, RECT* item, RECT* caption, BOOL pressed, BOOL disabled)
{
    // The second icon shows while the button rests: not pressed, and in
    // check mode or not hovered.
    int index = m_icons[1].icon && !pressed && (m_checkMode || !m_mouseOver) ? 1 : 0;
    const IconRecord& icon = m_icons[index];
    CRect image = PlaceImage(hasCaption, item, caption, pressed, static_cast<int>(icon.width), static_cast<int>(icon.height));
    dc->DrawState(image.TopLeft(), image.Size(), icon.icon, disabled ? DSS_DISABLED : DSS_NORMAL);
}

void CImageButton::DrawBitmapImage(CDC* dc, BOOL hasCaption, RECT* item, RECT* caption, BOOL pressed, BOOL disabled)
{
    int index = m_bitmaps[1].bitmap && !pressed && (m_checkMode || !m_mouseOver) ? 1 : 0;
    const BitmapRecord& bitmap = m_bitmaps[index];
    int width = static_cast<int>(bitmap.width), height = static_cast<int>(bitmap.height);
    CRect image = PlaceImage(hasCaption, item, caption, pressed, width, height);
    CDC source;
    source.CreateCompatibleDC(dc);
    dc->SetTextColor(RGB(0, 0, 0));   // the mask keeps what lies under its white
    if (!disabled || !m_greyDisabledBitmap) {
        HGDIOBJ old = ::SelectObject(source, bitmap.mask);
        dc->BitBlt(image.left, image.top, width, height, &source, 0, 0, SRCAND);
        ::SelectObject(source, bitmap.bitmap);
        dc->BitBlt(image.left, image.top, width, height, &source, 0, 0, SRCPAINT);
        ::SelectObject(source, old);
        return;
    }
    // Disabled: the image composed on white, then drawn greyed.
    CDC composed;
    composed.CreateCompatibleDC(dc);
    CBitmap white;
    white.CreateCompatibleBitmap(dc, width, height);
    HGDIOBJ oldComposed = ::SelectObject(composed, white);
    composed.PatBlt(0, 0, width, height, WHITENESS);
    HGDIOBJ oldSource = ::SelectObject(source, bitmap.mask);
    composed.BitBlt(0, 0, width, height, &source, 0, 0, SRCAND);
    ::SelectObject(source, bitmap.bitmap);
    composed.BitBlt(0, 0, width, height, &source, 0, 0, SRCPAINT);
    ::SelectObject(source, oldSource);
    ::SelectObject(composed, oldComposed);
    dc->DrawState(image.TopLeft(), image.Size(), static_cast<HBITMAP>(white), DSS_DISABLED);
}

void CImageButton::DrawCaption(CDC* dc, const CString& text, RECT* item, RECT* caption, BOOL pressed, BOOL disabled)
{
    if (pressed && !m_checkMode)
        ::OffsetRect(caption, m_pressedOffsetX, m_pressedOffsetY);
    CRect centred = *caption;
    dc->DrawText(text, &centred, DT_WORDBREAK | DT_CENTER | DT_CALCRECT);
    centred.OffsetRect((caption->right - caption->left - centred.Width()) / 2,
                       (caption->bottom - caption->top - centred.Height()) / 2);
    if (disabled) {
        centred.OffsetRect(1, 1);
        dc->SetTextColor(::GetSysColor(COLOR_BTNHIGHLIGHT));
        dc->DrawText(text, &centred, DT_WORDBREAK | DT_CENTER);
        centred.OffsetRect(-1, -1);
        dc->SetTextColor(::GetSysColor(COLOR_BTNSHADOW));
        dc->DrawText(text, &centred, DT_WORDBREAK | DT_CENTER);
        return;
    }
    if (m_mouseOver || pressed) {
        dc->SetTextColor(RGB(0xCC, 0xCC, 0xCC));
        dc->SetBkColor(m_colours[ColourBackHovered]);
    } else if (m_focused) {
        dc->SetTextColor(m_colours[ColourTextFocused]);
        dc->SetBkColor(m_colours[ColourBackFocused]);
    } else {
        dc->SetTextColor(RGB(0, 0, 0));
        dc->SetBkColor(m_colours[ColourBackNormal]);
    }
    dc->DrawText(text, &centred, DT_WORDBREAK | DT_CENTER);
}

// ---------------------------------------------------------------- messages

BOOL CImageButton::PreTranslateMessage(MSG* msg)
{
    EnsureToolTip();
    m_toolTip.RelayEvent(msg);
    if (msg->message == WM_LBUTTONDBLCLK)
        msg->message = WM_LBUTTONDOWN;   // a double click is two clicks
    return CButton::PreTranslateMessage(msg);
}

BOOL CImageButton::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message)
{
    if (m_cursor) {
        ::SetCursor(m_cursor);
        return TRUE;
    }
    return CButton::OnSetCursor(wnd, hitTest, message);
}

void CImageButton::OnMouseMove(UINT flags, CPoint point)
{
    CButton::OnMouseMove(flags, point);
    ClientToScreen(&point);
    CWnd* under = WindowFromPoint(point);
    if (((flags & MK_LBUTTON) && !m_mouseOver) || !m_flat)
        return;
    CWnd* reference = m_alwaysTrack ? this : GetActiveWindow();
    if (under && under->m_hWnd == m_hWnd && reference) {
        if (!m_mouseOver) {
            m_mouseOver = TRUE;
            Invalidate();
            PlaySoundOf(0);
            TRACKMOUSEEVENT track = { sizeof track, TME_LEAVE, m_hWnd, 0 };
            ::TrackMouseEvent(&track);
        }
    } else {
        EndHover();
    }
}

void CImageButton::EndHover()
{
    if (m_flat && m_mouseOver) {
        m_mouseOver = FALSE;
        Invalidate();
    }
}

void CImageButton::OnMouseLeave()
{
    EndHover();
}

void CImageButton::OnKillFocus(CWnd* newWnd)
{
    // Windows that take the focus away from a window being disabled do so
    // before WM_ENABLE arrives; remember that it was this button's.
    m_lostFocusToDisable = !newWnd && (GetStyle() & WS_DISABLED);
    CButton::OnKillFocus(newWnd);
    EndHover();
}

void CImageButton::OnCancelMode()
{
    CButton::OnCancelMode();
    EndHover();
}

void CImageButton::OnActivate(UINT state, CWnd* other, BOOL minimized)
{
    CButton::OnActivate(state, other, minimized);
    if (state == WA_INACTIVE)
        EndHover();
}

void CImageButton::OnEnable(BOOL enable)
{
    CButton::OnEnable(enable);
    if (!enable) {
        // The focus moves on only when it was this button's: an edit's
        // focus must stay where it is.
        if (::GetFocus() == m_hWnd || m_lostFocusToDisable) {
            CWnd* parent = GetParent();
            CWnd* next = parent ? parent->GetNextDlgTabItem(this) : nullptr;
            if (next && next->m_hWnd != m_hWnd)
                next->SetFocus();
            else if (parent)
                parent->SetFocus();
        }
        m_lostFocusToDisable = FALSE;
        EndHover();
    }
}

UINT CImageButton::OnGetDlgCode()
{
    return CButton::OnGetDlgCode() | (m_default ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
}

HBRUSH CImageButton::CtlColor(CDC*, UINT)
{
    return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

void CImageButton::OnSysColorChange()
{
    CButton::OnSysColorChange();
    FreeBackground();
    ResetColors(TRUE);
}

LRESULT CImageButton::OnSetStyle(WPARAM wParam, LPARAM lParam)
{
    UINT type = static_cast<UINT>(wParam) & BS_TYPEMASK;
    if (type == BS_DEFPUSHBUTTON)
        m_default = TRUE;
    else if (type == BS_PUSHBUTTON)
        m_default = FALSE;
    // The button stays owner-drawn whatever the dialog manager asks for.
    return DefWindowProc(BM_SETSTYLE, (wParam & ~static_cast<WPARAM>(BS_TYPEMASK)) | BS_OWNERDRAW, lParam);
}

LRESULT CImageButton::OnSetCheck(WPARAM wParam, LPARAM)
{
    m_checkState = wParam == BST_CHECKED || wParam == BST_INDETERMINATE ? 1 : 0;
    Invalidate();
    return 0;
}

LRESULT CImageButton::OnGetCheck(WPARAM, LPARAM)
{
    return m_checkState;
}

void CImageButton::OnMeasureItem(int id, LPMEASUREITEMSTRUCT item)
{
    HMENU menu = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(item->itemID));
    if (item->CtlType == ODT_MENU && ::IsMenu(menu) && VeltMenu::IsVeltMenu(menu))
        m_menu.MeasureItem(item);
    else
        CButton::OnMeasureItem(id, item);
}

LRESULT CImageButton::OnMenuChar(UINT character, UINT flags, CMenu* menu)
{
    if (VeltMenu::IsVeltMenu(menu))
        return VeltMenu::FindMenuChar(character, flags, menu);
    return CButton::OnMenuChar(character, flags, menu);
}

BOOL CImageButton::OnClicked()
{
    SetFocus();
    PlaySoundOf(1);
    if (m_checkMode) {
        m_checkState = !m_checkState;
        Invalidate();
    } else if (m_menu.m_hMenu) {
        CRect place;
        GetWindowRect(&place);
        m_menuShown = TRUE;
        Invalidate();
        if (CMenu* popup = m_menu.GetSubMenu(0)) {
            if (m_menuCallback.wnd)
                ::SendMessageA(m_menuCallback.wnd, m_menuCallback.message, reinterpret_cast<WPARAM>(popup->m_hMenu),
                               m_menuCallback.value);
            UINT command = static_cast<UINT>(popup->TrackPopupMenu(
                TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_NONOTIFY | TPM_RETURNCMD, place.left, place.bottom, this));
            m_menuShown = FALSE;
            Invalidate();
            if (command && m_menuOwner)
                ::PostMessageA(m_menuOwner, WM_COMMAND, MAKEWPARAM(command, 0), 0);
        } else {
            m_menuShown = FALSE;
            Invalidate();
        }
    } else if (m_linkUrl[0]) {
        SHELLEXECUTEINFOA info = { sizeof info };
        info.fMask = SEE_MASK_FLAG_NO_UI;
        info.lpVerb = "open";
        info.lpFile = m_linkUrl;
        info.nShow = SW_SHOWMAXIMIZED;
        ::ShellExecuteExA(&info);
    }
    return FALSE;   // the parent's own handling follows
}
