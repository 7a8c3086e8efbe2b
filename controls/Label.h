// CLabel: a static text that paints itself: text and background colours, a
// solid or left-to-right gradient background, its own font, flashing text,
// a hover colour, 3D and rotated text, and a link mode in which a click
// opens the label's text with the shell or notifies the parent.
//
// A dialog subclasses the static of its template (DDX_Control) and sets it
// up with a chain of setters:
//     m_link.SetTextColor(RGB(0, 0, 255)).SetLink(TRUE, TRUE).SetFontUnderline(TRUE);
#pragma once

#include "framework/Ui.h"

// The WM_NOTIFY code a clicked link label in notify mode sends its parent.
const UINT NM_LABELCLICK = 0x8200;

class CLabel : public CStatic
{
public:
    CLabel();
    ~CLabel() override;

    virtual CLabel& SetBkColor(COLORREF colour, COLORREF endColour = 0, int fillMode = 0);
    virtual CLabel& SetTextColor(COLORREF colour);
    virtual CLabel& SetText(const CString& text);
    virtual CLabel& SetFontBold(BOOL bold);
    // At most 31 characters of the face name are kept.
    virtual CLabel& SetFontName(const CString& faceName, BYTE charSet = ANSI_CHARSET);
    virtual CLabel& SetFontUnderline(BOOL underline);
    virtual CLabel& SetFontItalic(BOOL italic);
    // Sized for 96 dots per inch, whatever the screen's resolution.
    virtual CLabel& SetFontSize(int points);
    virtual CLabel& SetHoverEffect(BOOL on, COLORREF hoverColour = RGB(0, 0, 255));
    virtual CLabel& SetSunken(BOOL sunken);
    virtual CLabel& SetBorder(BOOL border);
    virtual CLabel& SetTransparent(BOOL transparent);
    virtual CLabel& FlashText(BOOL flash);
    virtual CLabel& FlashBackground(BOOL flash);
    virtual CLabel& SetLink(BOOL link, BOOL notifyParent);
    virtual CLabel& SetLinkCursor(HCURSOR cursor);
    // Kind 0 puts the highlight copy one pixel up and left, others down and right.
    virtual CLabel& SetFont3D(BOOL on, int kind = 0);
    virtual CLabel& SetRotationAngle(int degrees, BOOL rotate);
    virtual CLabel& SetText3DHiliteColor(COLORREF colour);

    // A left-to-right gradient in at most `steps` strips (one per pixel
    // column when the rectangle is narrower).
    static void DrawGradientFill(CDC* dc, const CRect& rect, COLORREF start, COLORREF end, int steps = 100);

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    void PreSubclassWindow() override;
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override { return CStatic::PreCreateWindow(cs); }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    afx_msg void OnTimer(UINT_PTR id);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    afx_msg void OnSysColorChange();
    afx_msg void OnPaint();
    afx_msg void OnMouseMove(UINT flags, CPoint point);

    void Flash(BOOL on, int kind);
    void ReconstructFont();
    void RedrawLabel();
    void FitToFont();
    void TrackMouse(BOOL hover, BOOL leave);
    UINT TextFormat(const CString& text) const;
    void PaintBackground(CDC* dc, const CRect& rect) const;

    COLORREF m_textColour;
    COLORREF m_hiliteColour = RGB(255, 255, 255);
    HBRUSH m_faceBrush;
    HBRUSH m_backBrush = nullptr;
    LOGFONTA m_logFont = {};
    CFont m_font;
    BOOL m_flashPhase = FALSE;
    BOOL m_flashTimer = FALSE;
    BOOL m_transparent = FALSE;
    BOOL m_font3D = FALSE;
    BOOL m_notifyParent = FALSE;
    BOOL m_rotated = FALSE;
    BOOL m_mouseTracked = FALSE;
    int m_flashKind = 0;   // 0 none, 1 text, 2 background
    HCURSOR m_linkCursor = nullptr;
    int m_3DKind = 0;
    int m_fillMode = 0;
    COLORREF m_gradientEnd = 0;
    COLORREF m_backColour = 0;
    COLORREF m_hoverColour = RGB(0, 0, 255);
    COLORREF m_savedTextColour;
    BOOL m_hoverEffect = FALSE;
    CToolTipCtrl m_tooltip;

    DECLARE_MESSAGE_MAP()
};
