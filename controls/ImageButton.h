// CImageButton: an owner-drawn push button with an icon (or a masked
// bitmap) beside or above its caption. A flat button shows its border only
// while the mouse is over it. It can be a two-state check button (when its
// template is a check box), open a drop-down menu, open a web address, and
// play sounds.
//
// A dialog subclasses the button of its template (DDX_Control) and sets it
// up: m_run.SetIcon(IDI_RUN, CImageButton::DarkerIcon); m_run.SetTooltipText("Run");
#pragma once

#include "controls/VeltMenu.h"

#include <mmsystem.h>

class CImageButton : public CButton
{
public:
    // Second icons of SetIcon that are made from the first.
    static constexpr UINT DarkerIcon = static_cast<UINT>(-3);
    static constexpr UINT GreyIcon = static_cast<UINT>(-2);
    // Alignments of the image.
    enum { AlignLeft = 0, AlignAbove = 1, AlignRight = 2, AlignOver = 3 };
    // Results of the setters.
    enum { Ok = 0, InvalidResource = 1, InvalidAlign = 4, InvalidPressedStyle = 6 };

    CImageButton();
    ~CImageButton() override;

    // The icon shown while hovered or pressed, and the one shown otherwise
    // (0 for none, DarkerIcon or GreyIcon for a copy of the first).
    DWORD SetIcon(UINT iconId, UINT outIconId = 0);
    DWORD SetIcon(UINT iconId, int width, int height, UINT outIconId, int outWidth, int outHeight);
    DWORD SetIcon(HICON icon, HICON outIcon = nullptr);
    // Bitmaps in place of icons; `transparent` is the colour left out of each.
    DWORD SetBitmaps(HBITMAP bitmap, COLORREF transparent, HBITMAP outBitmap = nullptr, COLORREF outTransparent = 0);
    DWORD SetAlign(BYTE alignment, BOOL repaint = TRUE);
    // 0 moves image and caption by (1, 1) while pressed, 1 by (0, 2).
    DWORD SetPressedOffsetStyle(BYTE style, BOOL repaint = TRUE);
    DWORD SetCheckState(int check, BOOL repaint = TRUE);
    int GetCheckState() const { return m_checkState; }
    DWORD ResetColors(BOOL repaint = TRUE);
    void SetTooltipText(LPCSTR text, BOOL activate = TRUE);
    // Draws the parent's background behind the button (captured again at the next paint).
    DWORD DrawTransparent(BOOL repaint = FALSE);
    // At most 259 characters of the address are kept.
    DWORD SetLinkUrl(LPCSTR address);
    // The drop-down menu: its first submenu opens below the button; the
    // chosen command is posted to `owner`.
    DWORD SetMenu(UINT menuId, HWND owner);
    // A message sent to `wnd` (submenu handle as wParam) just before the menu opens.
    DWORD SetMenuCallback(HWND wnd, UINT message, LPARAM value = 0);
    DWORD SetButtonCursor(HCURSOR cursor);
    // PlaySound arguments for the hover or the click sound; a null sound clears it.
    DWORD SetSound(LPCSTR sound, HMODULE module = nullptr, BOOL forClick = FALSE, DWORD flags = SND_ASYNC | SND_NODEFAULT);
    void SetToolTipStyle(DWORD style) { m_toolTipStyle = style; }
    void EnsureToolTip();

    BOOL PreTranslateMessage(MSG* msg) override;
    void DrawItem(LPDRAWITEMSTRUCT item) override;

protected:
    // The drawing steps, in order; a derived button may replace them.
    virtual DWORD DrawBackground(CDC* dc, RECT* rect);
    virtual DWORD DrawBorder(CDC* dc, RECT* rect);
    virtual void DrawIconImage(CDC* dc, BOOL hasCaption, RECT* item, RECT* caption, BOOL pressed, BOOL disabled);
    virtual void DrawBitmapImage(CDC* dc, BOOL hasCaption, RECT* item, RECT* caption, BOOL pressed, BOOL disabled);
    virtual void DrawCaption(CDC* dc, const CString& text, RECT* item, RECT* caption, BOOL pressed, BOOL disabled);

    void PreSubclassWindow() override;
    CRect PlaceImage(BOOL hasCaption, const RECT* item, RECT* caption, BOOL pressed, int width, int height) const;
    void CopyParentBackground(CDC* dc);
    void EndHover();
    void FreeImages();
    void FreeBackground();
    void PlaySoundOf(int which) const;

    afx_msg BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    afx_msg void OnKillFocus(CWnd* newWnd);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnSysColorChange();
    afx_msg BOOL OnClicked();
    afx_msg void OnActivate(UINT state, CWnd* other, BOOL minimized);
    afx_msg void OnEnable(BOOL enable);
    afx_msg void OnCancelMode();
    afx_msg UINT OnGetDlgCode();
    afx_msg HBRUSH CtlColor(CDC* dc, UINT ctlColor);
    afx_msg LRESULT OnMenuChar(UINT character, UINT flags, CMenu* menu);
    afx_msg void OnMeasureItem(int id, LPMEASUREITEMSTRUCT item);
    afx_msg LRESULT OnSetStyle(WPARAM wParam, LPARAM lParam);
    afx_msg void OnMouseLeave();
    afx_msg LRESULT OnSetCheck(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetCheck(WPARAM wParam, LPARAM lParam);

    enum { ColourBackHovered, ColourTextHovered, ColourBackNormal, ColourTextNormal, ColourBackFocused, ColourTextFocused };

    struct IconRecord
    {
        HICON icon = nullptr;
        DWORD width = 0;
        DWORD height = 0;
    };
    struct BitmapRecord
    {
        HBITMAP bitmap = nullptr;
        DWORD width = 0;
        DWORD height = 0;
        HBITMAP mask = nullptr;
        COLORREF transparent = 0;
    };
    struct MenuCallback
    {
        HWND wnd = nullptr;
        UINT message = 0;
        LPARAM value = 0;
    };
    struct SoundRecord
    {
        char file[260] = {};
        LPCSTR sound = nullptr;
        HMODULE module = nullptr;
        DWORD flags = 0;
    };

    BOOL m_greyDisabledBitmap = TRUE;
    int m_imageMarginX = 3, m_imageMarginY = 3;
    int m_pressedOffsetX = 1, m_pressedOffsetY = 1;
    BOOL m_flat = TRUE;
    BOOL m_mouseOver = FALSE;
    BOOL m_transparent = FALSE;
    BOOL m_pressed = FALSE, m_focused = FALSE, m_disabled = FALSE;
    BOOL m_default = FALSE;
    BOOL m_checkMode = FALSE;
    BYTE m_alignment = AlignLeft;
    BOOL m_drawBorder = TRUE;
    BOOL m_drawFlatFocus = FALSE;
    COLORREF m_colours[6];
    HWND m_menuOwner = nullptr;
    BOOL m_menuShown = FALSE;
    VeltMenu m_menu;
    HCURSOR m_cursor = nullptr;
    CToolTipCtrl m_toolTip;
    CDC m_backgroundDC;
    CBitmap m_backgroundBitmap;
    HGDIOBJ m_oldBackgroundBitmap = nullptr;
    BOOL m_alwaysTrack = TRUE;
    int m_checkState = 0;
    int m_buttonType = 15;
    DWORD m_toolTipStyle = 0;
    char m_linkUrl[260] = {};
    IconRecord m_icons[2];      // [0] hovered or pressed, [1] otherwise
    BitmapRecord m_bitmaps[2];  // likewise
    MenuCallback m_menuCallback;
    SoundRecord m_sounds[2];    // [0] hover, [1] click
    BOOL m_lostFocusToDisable = FALSE;

    DECLARE_MESSAGE_MAP()
};
