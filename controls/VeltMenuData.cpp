#include "controls/VeltMenuData.h"

#include <vector>

void VeltMenuData::SetAnsiString(LPCSTR text)
{
    if (!text || !*text) {
        m_text.clear();
        return;
    }
    int length = ::MultiByteToWideChar(CP_THREAD_ACP, 0, text, -1, nullptr, 0);
    std::vector<wchar_t> wide(static_cast<size_t>(length > 0 ? length : 1));
    ::MultiByteToWideChar(CP_THREAD_ACP, 0, text, -1, wide.data(), length);
    m_text = wide.data();
}
