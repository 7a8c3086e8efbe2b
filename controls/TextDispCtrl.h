// CTextDispCtrl: a window that shows one text, word-wrapped, in its own
// font and colours. The text is drawn once into an off-screen bitmap of
// the window's size, which painting copies, so repainting costs one copy.
#pragma once

#include "framework/Ui.h"

class CTextDispCtrl : public CWnd
{
public:
    CTextDispCtrl() = default;
    ~CTextDispCtrl() override;

    // Creates the window (with a client edge) and its off-screen picture,
    // cleared to the background colour. FALSE when any part cannot be made;
    // no window is left then.
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    // The font for the text, in tenths of a point. FALSE when it cannot be
    // made; the text is then drawn in the system font.
    BOOL SetTextFont(const CString& faceName, int pointSizeTenths);
    // Shows `text` (nothing before Create). A text longer than the window
    // is cut at the bottom of its rectangle.
    void SetText(const CString& text);

protected:
    afx_msg void OnPaint();
    afx_msg void OnDestroy();

    void ReleasePicture();

    COLORREF m_textColour = RGB(0, 0, 0);
    COLORREF m_backColour = RGB(255, 255, 255);
    CFont m_font;
    BOOL m_fontCreated = FALSE;
    CRect m_clientRect;
    CDC* m_memDC = nullptr;            // holds the picture while the window lives
    CBitmap m_bitmap;                  // the picture
    HGDIOBJ m_memDCBitmap = nullptr;   // the context's own bitmap, selected back before it goes

    DECLARE_MESSAGE_MAP()
};
