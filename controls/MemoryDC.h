// CMemoryDC: paints off-screen and copies the result to the target context
// when it goes out of scope, so that a window's painting shows at once
// without flicker:
//     CPaintDC paint(this);
//     CMemoryDC dc(&paint);    // draw on dc; copied to paint at the end
// On a printer it draws on the target itself.
#pragma once

#include "framework/Ui.h"

class CMemoryDC : public CDC
{
public:
    // `rect` (logical units) is the part drawn; the target's clip box
    // when none is given. It starts filled with the target's background colour.
    explicit CMemoryDC(CDC* target, const RECT* rect = nullptr);
    ~CMemoryDC() override;

private:
    CBitmap m_bitmap;
    HGDIOBJ m_oldBitmap = nullptr;
    CDC* m_target;
    RECT m_rect = {};
    BOOL m_memory;
};
