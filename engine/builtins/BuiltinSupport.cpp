#include "engine/builtins/BuiltinSupport.h"

namespace BuiltinSupport {

bool MakeArray(CEngineVariant& result, int count)
{
    result.ClearSubscripts();
    result.PushSubscript(count < 1 ? 1 : count);
    return result.CreateArray();
}

CEngineVariant* ArrayElement(CEngineVariant& array, int index)
{
    array.ClearSubscripts();
    array.PushSubscript(index);
    CEngineVariant* element = array.Element();
    array.ClearSubscripts();
    return element;
}

void MakePointArray(CEngineVariant& result, int x, int y)
{
    MakeArray(result, 2);
    ArrayElement(result, 0)->SetInt(x);
    ArrayElement(result, 1)->SetInt(y);
}

POINT ForegroundWindowOrigin()
{
    POINT origin = {0, 0};
    RECT rect;
    const HWND foreground = GetForegroundWindow();
    if (foreground && GetWindowRect(foreground, &rect)) {
        origin.x = rect.left;
        origin.y = rect.top;
    }
    return origin;
}

POINT CoordinateOrigin(int coordinateMode)
{
    return coordinateMode == 0 ? ForegroundWindowOrigin() : POINT{0, 0};
}

POINT ToScreen(int x, int y, int coordinateMode)
{
    const POINT origin = CoordinateOrigin(coordinateMode);
    return POINT{x + origin.x, y + origin.y};
}

std::wstring ToWide(const char* text)
{
    const int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (length <= 1)
        return std::wstring();
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, &wide[0], length);
    wide.resize(static_cast<size_t>(length - 1));
    return wide;
}

}  // namespace BuiltinSupport
