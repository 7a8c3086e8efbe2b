// CPaintedStatic: a static control that paints itself through a chain of
// virtual steps (prepare the context, find the content rectangle, draw the
// frame, draw the content, restore), so that a derived class changes one
// step, and that can size itself to its content. It looks like a push
// button with its window text on the face.
#pragma once

#include "framework/Ui.h"

class CPaintedStatic : public CStatic
{
public:
    // The window size that fits the content with its frame and margin.
    virtual void GetIdealSize(SIZE* size);
    // The text as one line in the context's font; 0 x 0 for an empty text.
    virtual void GetTextExtent(SIZE* size, CDC* dc, const CString& text);
    virtual void SizeToContent();
    virtual void Redraw();
    // Measuring: the content's own extent at (0, 0); otherwise where the
    // content goes inside the given content rectangle.
    virtual void GetDrawRect(CDC* dc, int left, int top, int right, int bottom, RECT* out, BOOL measure);
    virtual void GetContentRect(CDC* dc, int left, int top, int right, int bottom, RECT* out);
    virtual void DrawTextAt(CDC* dc, int x, int y, const CString& text);
    virtual void PrepareDC(CDC* dc);
    virtual void DrawContent(CDC* dc, RECT* rect, UINT state);
    virtual void DrawFocus(CDC* dc, RECT* rect);
    virtual void DrawFrame(CDC* dc, RECT* rect, UINT state);
    virtual void RestoreDC(CDC* dc);

protected:
    afx_msg void OnPaint();

    RECT m_clientRect = {};            // of the last paint
    HFONT m_previousFont = nullptr;    // selected back after drawing
    int m_margin = 4;                  // between the control's edge and its content

    DECLARE_MESSAGE_MAP()
};
