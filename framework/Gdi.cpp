#include "framework/Gdi.h"

#include "framework/Dc.h"
#include "framework/WinApp.h"

BOOL CGdiObject::Attach(HGDIOBJ object)
{
    if (!object)
        return FALSE;
    DeleteObject();
    m_hObject = object;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ object = m_hObject;
    m_hObject = nullptr;
    return object;
}

BOOL CGdiObject::DeleteObject()
{
    if (!m_hObject)
        return FALSE;
    return ::DeleteObject(Detach());
}

BOOL CFont::CreatePointFont(int pointSize, LPCSTR faceName, CDC* dc)
{
    LOGFONTA logFont = {};
    logFont.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(logFont.lfFaceName, faceName, LF_FACESIZE);
    HDC screen = dc ? dc->m_hDC : ::GetDC(nullptr);
    POINT height = { 0, ::MulDiv(::GetDeviceCaps(screen, LOGPIXELSY), pointSize, 720) };
    POINT origin = { 0, 0 };
    ::DPtoLP(screen, &height, 1);
    ::DPtoLP(screen, &origin, 1);
    if (!dc)
        ::ReleaseDC(nullptr, screen);
    logFont.lfHeight = -abs(height.y - origin.y);
    return CreateFontIndirect(&logFont);
}

BOOL CBitmap::LoadBitmap(UINT resourceId)
{
    return LoadBitmap(MAKEINTRESOURCEA(resourceId));
}

BOOL CBitmap::LoadBitmap(LPCSTR resourceName)
{
    return Attach(::LoadBitmapA(AfxGetResourceHandle(), resourceName));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* dc, int width, int height)
{
    return Attach(::CreateCompatibleBitmap(dc->m_hDC, width, height));
}
