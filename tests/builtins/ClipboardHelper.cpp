// Started by the tests as a second program that uses the clipboard:
//   clipboard_helper.exe read <file>   writes the clipboard's text into the file
//   clipboard_helper.exe write <text>  puts the text on the clipboard
//   clipboard_helper.exe clear         empties the clipboard
//   clipboard_helper.exe hold <name>   keeps the clipboard open: sets the event
//                                      "<name> held", waits for "<name> release"
// Ends with 0 on success.
#include <windows.h>
#include <string.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    const char* argument = strchr(commandLine, ' ');
    argument = argument ? argument + 1 : "";
    if (!OpenClipboard(nullptr))
        return 2;
    int exitCode = 0;
    if (strncmp(commandLine, "read ", 5) == 0) {
        HANDLE data = GetClipboardData(CF_TEXT);
        const char* text = data ? static_cast<const char*>(GlobalLock(data)) : nullptr;
        HANDLE file = CreateFileA(argument, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written;
        if (text && file != INVALID_HANDLE_VALUE)
            WriteFile(file, text, static_cast<DWORD>(strlen(text)), &written, nullptr);
        else
            exitCode = 3;
        if (file != INVALID_HANDLE_VALUE)
            CloseHandle(file);
        if (text)
            GlobalUnlock(data);
    } else if (strncmp(commandLine, "write ", 6) == 0) {
        // Owned by nobody once this program ends: the system keeps the text.
        EmptyClipboard();
        const size_t length = strlen(argument);
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, length + 1);
        memcpy(GlobalLock(block), argument, length + 1);
        GlobalUnlock(block);
        if (!SetClipboardData(CF_TEXT, block))
            exitCode = 4;
    } else if (strncmp(commandLine, "hold ", 5) == 0) {
        char name[MAX_PATH];
        wsprintfA(name, "%s held", argument);
        HANDLE held = OpenEventA(EVENT_MODIFY_STATE, FALSE, name);
        wsprintfA(name, "%s release", argument);
        HANDLE release = OpenEventA(SYNCHRONIZE, FALSE, name);
        if (!held || !release)
            exitCode = 5;
        else {
            SetEvent(held);
            WaitForSingleObject(release, 20000);
        }
    } else if (strncmp(commandLine, "clear", 5) == 0) {
        EmptyClipboard();
    } else {
        exitCode = 1;
    }
    CloseClipboard();
    return exitCode;
}
