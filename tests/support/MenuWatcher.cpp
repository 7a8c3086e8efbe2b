#include "tests/support/MenuWatcher.h"

namespace testing_support {

namespace {

HWND FindPopupMenu()
{
    HWND popup = nullptr;
    while ((popup = FindWindowExA(nullptr, popup, "#32768", nullptr)) != nullptr) {
        DWORD pid = 0;
        GetWindowThreadProcessId(popup, &pid);
        if (pid == GetCurrentProcessId() && IsWindowVisible(popup))
            return popup;
    }
    return nullptr;
}

}  // namespace

MenuWatcher::MenuWatcher(std::vector<Key> keys) : m_keys(std::move(keys)), m_thread([this] { Watch(); })
{
}

MenuWatcher::~MenuWatcher()
{
    m_stop = true;
    m_thread.join();
}

void MenuWatcher::Watch()
{
    HWND popup = nullptr;
    while (!m_stop && !(popup = FindPopupMenu()))
        Sleep(10);
    if (!popup)
        return;
    Sleep(150);   // time to draw its items
    HMENU menu = reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0));
    std::vector<std::string> texts;
    std::vector<UINT> ids;
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        char text[256] = {};
        GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        texts.push_back(text);
        ids.push_back(GetMenuItemID(menu, i));
    }
    WindowCapture picture = WindowCapture::OfWindow(popup);
    for (const Key& key : m_keys) {
        PostMessageA(popup, key.message, key.code, 1);
        Sleep(30);
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    m_menu = menu;
    m_texts = texts;
    m_ids = ids;
    m_picture = picture;
    m_done = true;
}

bool MenuWatcher::Done() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_done;
}

std::vector<std::string> MenuWatcher::Texts() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_texts;
}

std::vector<UINT> MenuWatcher::Ids() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_ids;
}

HMENU MenuWatcher::Menu() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_menu;
}

WindowCapture MenuWatcher::Picture() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_picture;
}

}  // namespace testing_support
