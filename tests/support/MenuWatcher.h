// Watches for the next pop-up menu of the process (a TrackPopupMenu of the
// thread under test, which waits in the menu's own loop): notes its items
// and a picture of it, then sends it keys as a user would type them.
#pragma once

#include "tests/support/WindowCapture.h"

#include <windows.h>

#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace testing_support {

class MenuWatcher
{
public:
    struct Key
    {
        UINT message;   // WM_KEYDOWN or WM_CHAR
        WPARAM code;
    };
    static Key Down(WORD virtualKey) { return Key{ WM_KEYDOWN, virtualKey }; }
    static Key Char(char ch) { return Key{ WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(ch)) }; }

    // Starts watching; `keys` go to the menu once it has been drawn.
    explicit MenuWatcher(std::vector<Key> keys = { Down(VK_ESCAPE) });
    ~MenuWatcher();
    MenuWatcher(const MenuWatcher&) = delete;
    MenuWatcher& operator=(const MenuWatcher&) = delete;

    // True once a menu was seen and given its keys.
    bool Done() const;
    // The texts (empty for separators and owner-drawn items) and ids of its items.
    std::vector<std::string> Texts() const;
    std::vector<UINT> Ids() const;
    HMENU Menu() const;
    WindowCapture Picture() const;

private:
    void Watch();

    std::vector<Key> m_keys;
    mutable std::mutex m_mutex;
    bool m_done = false;
    HMENU m_menu = nullptr;
    std::vector<std::string> m_texts;
    std::vector<UINT> m_ids;
    WindowCapture m_picture;
    volatile bool m_stop = false;
    std::thread m_thread;
};

}  // namespace testing_support
