// PaneScroller: the scroll position of a window whose contents (its child
// windows) are larger than the window itself. It keeps the window's scroll
// bars in step with the size of the contents and scrolls them.
#pragma once

#include "framework/Ui.h"

class PaneScroller
{
public:
    void Attach(CWnd* window) { m_window = window; }
    void Detach() { m_window = nullptr; }
    // The size of the contents; updates the scroll bars when the window exists.
    void SetDisplaySize(int width, int height);
    // Scrolls the asked-for directions back to their start.
    void ScrollToOrigin(BOOL horizontal, BOOL vertical);
    int GetTrackPosition(int bar, CWnd* window) const;

    CWnd* m_window = nullptr;
    int m_pageWidth = 0;
    int m_pageHeight = 0;
    int m_displayWidth = 0;
    int m_displayHeight = 0;
    int m_horizontalPosition = 0;
    int m_verticalPosition = 0;

private:
    // One bar's page and position for a window of `windowSize`; returns how
    // far the contents must scroll.
    int FitBar(int bar, int windowSize, int displaySize, int& page, int& position);
};
