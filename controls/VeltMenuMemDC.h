// VeltMenuMemDC: an off-screen copy of a rectangle of a device context;
// what is drawn on it is copied back to the rectangle when it goes. On a
// printer it draws straight onto the target.
#pragma once

#include "framework/Ui.h"

class VeltMenuMemDC : public CDC
{
public:
    VeltMenuMemDC(CDC* target, const RECT* rect);
    ~VeltMenuMemDC() override;

private:
    CDC* m_target;
    CRect m_rect;
    CBitmap m_bitmap;
    HGDIOBJ m_oldBitmap = nullptr;
    BOOL m_memory;
};
