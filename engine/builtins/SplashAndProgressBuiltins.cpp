// The splash window (a picture or a text) and the small progress window that
// a script shows while it runs. Both are plain windows of the class
// "BrenvikTaskKestrune v1", one of each at a time, kept until replaced,
// switched off, or the engine ends.
#include "engine/builtins/BuiltinFamily.h"

#include <commctrl.h>
#include <ole2.h>
#include <olectl.h>

#include <vector>

namespace {

const char kWindowClass[] = "BrenvikTaskKestrune v1";

const char* TaskWindowClass()
{
    static const bool registered = [] {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = kWindowClass;
        return RegisterClassA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }();
    return registered ? kWindowClass : nullptr;
}

// The window styles that both windows start from, changed by the option
// bits: 1 a border without a title bar, 2 not top-most, 16 movable (not
// disabled).
void WindowStyles(int option, DWORD& style, DWORD& exStyle)
{
    style = WS_POPUP | WS_DISABLED | ((option & 1) ? WS_BORDER : WS_CAPTION);
    if (option & 16)
        style ^= WS_DISABLED;
    exStyle = (option & 2) ? 0 : WS_EX_TOPMOST;
}

// A window of the class whose client area is `width` x `height`.
HWND CreateTaskWindow(const char* title, int x, int y, int width, int height, DWORD style, DWORD exStyle)
{
    RECT frame = {0, 0, width, height};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    return CreateWindowExA(exStyle, TaskWindowClass(), title, style, x, y, frame.right - frame.left,
                           frame.bottom - frame.top, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

// The face of the default GUI font, or `name` when given.
HFONT MakeFont(const char* name, int points, int weight)
{
    LOGFONTA font = {};
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    if (name && *name)
        lstrcpynA(font.lfFaceName, name, LF_FACESIZE);
    HDC screen = GetDC(nullptr);
    font.lfHeight = -MulDiv(points, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    font.lfWidth = 0;
    font.lfWeight = weight;
    return CreateFontIndirectA(&font);
}

// A window with the GDI objects it shows, destroyed together.
struct TaskWindow
{
    HWND Window = nullptr;
    std::vector<HGDIOBJ> Objects;

    void Destroy()
    {
        if (Window && IsWindow(Window))
            DestroyWindow(Window);
        Window = nullptr;
        for (HGDIOBJ object : Objects)
            DeleteObject(object);
        Objects.clear();
    }
};

struct SplashAndProgressWindows : BuiltinFamilyState
{
    TaskWindow Splash;
    TaskWindow Progress;
    HWND ProgressBar = nullptr;
    HWND MainText = nullptr;
    HWND SubText = nullptr;

    ~SplashAndProgressWindows() override
    {
        Splash.Destroy();
        Progress.Destroy();
    }
};

int OptionalInt(CVariantList& args, int index, int fallback)
{
    return args.GetCount() > index ? args.GetItem(index).GetInt() : fallback;
}

// ---- Splash ----

// The bitmap of a picture file (any format the system's picture loader
// reads), stretched to `width` x `height`; null when it cannot be loaded.
HBITMAP LoadPictureBitmap(const char* file, int width, int height)
{
    HANDLE handle = CreateFileA(file, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return nullptr;
    const DWORD size = GetFileSize(handle, nullptr);
    HGLOBAL block = size != INVALID_FILE_SIZE && size > 0 ? GlobalAlloc(GMEM_MOVEABLE, size) : nullptr;
    void* bytes = block ? GlobalLock(block) : nullptr;
    DWORD read = 0;
    const bool complete = bytes && ReadFile(handle, bytes, size, &read, nullptr) && read == size;
    if (bytes)
        GlobalUnlock(block);
    CloseHandle(handle);
    IStream* stream = nullptr;
    if (!complete || FAILED(CreateStreamOnHGlobal(block, TRUE, &stream))) {
        if (block)
            GlobalFree(block);
        return nullptr;
    }
    IPicture* picture = nullptr;
    HBITMAP bitmap = nullptr;
    if (SUCCEEDED(OleLoadPicture(stream, static_cast<LONG>(size), FALSE, IID_IPicture,
                                 reinterpret_cast<void**>(&picture)))) {
        OLE_HANDLE pictureHandle = 0;
        SHORT type = PICTYPE_NONE;
        if (SUCCEEDED(picture->get_Type(&type)) && type == PICTYPE_BITMAP &&
            SUCCEEDED(picture->get_Handle(&pictureHandle)))
            bitmap = static_cast<HBITMAP>(CopyImage(reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(pictureHandle)),
                                                    IMAGE_BITMAP, width, height, 0));
        picture->Release();
    }
    stream->Release();   // frees the block
    return bitmap;
}

// What both splash kinds begin with: the old splash goes, and the new
// window is made (not shown yet) with its client size in `width` and
// `height`. False when it cannot be made.
bool BeginSplash(SplashAndProgressWindows& windows, CVariantList& args, int optionIndex, int& width, int& height)
{
    windows.Splash.Destroy();
    width = OptionalInt(args, 2, -1);
    height = OptionalInt(args, 3, -1);
    if (width == -1)
        width = 500;
    if (height == -1)
        height = 400;
    int x = OptionalInt(args, 4, -1);
    int y = OptionalInt(args, 5, -1);
    DWORD style, exStyle;
    WindowStyles(OptionalInt(args, optionIndex, 0), style, exStyle);
    RECT frame = {0, 0, width, height};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    if (x == -1)
        x = (GetSystemMetrics(SM_CXSCREEN) - (frame.right - frame.left)) / 2;
    if (y == -1)
        y = (GetSystemMetrics(SM_CYSCREEN) - (frame.bottom - frame.top)) / 2;
    windows.Splash.Window = CreateTaskWindow(args.GetItem(0).GetString(), x, y, width, height, style, exStyle);
    return windows.Splash.Window != nullptr;
}

int BuiltinSplashImageOn(BuiltinContext& context, CVariantList& args, CEngineVariant&)
{
    SplashAndProgressWindows& windows = context.FamilyState<SplashAndProgressWindows>();
    int width, height;
    if (!BeginSplash(windows, args, 6, width, height))
        return 0;
    HBITMAP bitmap = LoadPictureBitmap(args.GetItem(1).GetString(), width, height);
    if (!bitmap) {
        windows.Splash.Destroy();
        context.ShowScriptError("The requested picture file could not be loaded.", -1);
        return 1;
    }
    windows.Splash.Objects.push_back(bitmap);
    HWND image = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_BITMAP, 0, 0, width, height,
                                 windows.Splash.Window, nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(image, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
    MoveWindow(image, 0, 0, width, height, TRUE);
    ShowWindow(windows.Splash.Window, SW_SHOWNOACTIVATE);
    UpdateWindow(windows.Splash.Window);
    return 0;
}

int BuiltinSplashTextOn(BuiltinContext& context, CVariantList& args, CEngineVariant&)
{
    SplashAndProgressWindows& windows = context.FamilyState<SplashAndProgressWindows>();
    int width, height;
    if (!BeginSplash(windows, args, 6, width, height))
        return 0;
    const int option = OptionalInt(args, 6, 0);
    const DWORD alignment = (option & 12) == 8 ? SS_RIGHT : (option & 12) == 4 ? SS_LEFT : SS_CENTER;
    int points = OptionalInt(args, 8, 12);
    if (points < 6)
        points = 12;
    int weight = OptionalInt(args, 9, 400);
    if (weight < 0 || weight > 1000)
        weight = 400;
    HFONT font = MakeFont(args.GetCount() > 7 ? args.GetItem(7).GetString() : "", points, weight);
    if (font)
        windows.Splash.Objects.push_back(font);
    HWND text = CreateWindowExA(0, "STATIC", args.GetItem(1).GetString(), WS_CHILD | WS_VISIBLE | alignment, 0, 0,
                                width, height, windows.Splash.Window, nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(text, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    ShowWindow(windows.Splash.Window, SW_SHOWNOACTIVATE);
    UpdateWindow(windows.Splash.Window);
    return 0;
}

int BuiltinSplashOff(BuiltinContext& context, CVariantList&, CEngineVariant&)
{
    context.FamilyState<SplashAndProgressWindows>().Splash.Destroy();
    return 0;
}

// ---- Progress ----

const int kProgressWidth = 300;
const int kProgressHeight = 100;

HWND CreateChild(HWND parent, DWORD exStyle, const char* className, const char* text, DWORD style, int x, int y,
                 int width, int height)
{
    return CreateWindowExA(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, parent,
                           nullptr, GetModuleHandleA(nullptr), nullptr);
}

int BuiltinProgressOn(BuiltinContext& context, CVariantList& args, CEngineVariant&)
{
    SplashAndProgressWindows& windows = context.FamilyState<SplashAndProgressWindows>();
    windows.Progress.Destroy();
    windows.ProgressBar = windows.MainText = windows.SubText = nullptr;

    RECT work = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    int x = OptionalInt(args, 3, -1);
    int y = OptionalInt(args, 4, -1);
    if (x == -1)
        x = (work.right - work.left - kProgressWidth) / 2;
    if (y == -1)
        y = (work.bottom - work.top - kProgressHeight) / 2;
    DWORD style, exStyle;
    WindowStyles(OptionalInt(args, 5, 0), style, exStyle);
    HWND window = CreateTaskWindow(args.GetItem(0).GetString(), x, y, kProgressWidth, kProgressHeight, style, exStyle);
    if (!window)
        return 0;
    windows.Progress.Window = window;

    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    RECT client;
    GetClientRect(window, &client);
    const int clientWidth = client.right;
    HFONT mainFont = MakeFont("", 10, 600);
    HFONT subFont = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    if (mainFont)
        windows.Progress.Objects.push_back(mainFont);
    windows.MainText = CreateChild(window, 0, "STATIC", args.GetItem(1).GetString(), 0, clientWidth - 281, 4, 1280, 24);
    SendMessageA(windows.MainText, WM_SETFONT, reinterpret_cast<WPARAM>(mainFont), FALSE);
    windows.ProgressBar = CreateChild(window, WS_EX_CLIENTEDGE, PROGRESS_CLASSA, "", PBS_SMOOTH,
                                      (clientWidth - 260) / 2, 30, 260, 20);
    SendMessageA(windows.ProgressBar, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
    SendMessageA(windows.ProgressBar, PBM_SETSTEP, 1, 0);
    windows.SubText = CreateChild(window, 0, "STATIC", args.GetCount() > 2 ? args.GetItem(2).GetString() : "", 0,
                                  clientWidth - 280, 55, 1280, 50);
    SendMessageA(windows.SubText, WM_SETFONT, reinterpret_cast<WPARAM>(subFont), FALSE);
    ShowWindow(window, SW_SHOWNOACTIVATE);
    UpdateWindow(window);
    return 0;
}

int BuiltinProgressSet(BuiltinContext& context, CVariantList& args, CEngineVariant&)
{
    SplashAndProgressWindows& windows = context.FamilyState<SplashAndProgressWindows>();
    if (!windows.ProgressBar || !IsWindow(windows.ProgressBar))
        return 0;
    const int percent = args.GetItem(0).GetInt();
    if (percent >= 0 && percent <= 100)
        SendMessageA(windows.ProgressBar, PBM_SETPOS, static_cast<WPARAM>(percent), 0);
    if (args.GetCount() > 1 && *args.GetItem(1).GetString())
        SetWindowTextA(windows.SubText, args.GetItem(1).GetString());
    if (args.GetCount() > 2)
        SetWindowTextA(windows.MainText, args.GetItem(2).GetString());
    return 0;
}

int BuiltinProgressOff(BuiltinContext& context, CVariantList&, CEngineVariant&)
{
    SplashAndProgressWindows& windows = context.FamilyState<SplashAndProgressWindows>();
    windows.Progress.Destroy();
    windows.ProgressBar = windows.MainText = windows.SubText = nullptr;
    return 0;
}

const BuiltinBinding kBindings[] = {
    {"PROGRESSOFF", BuiltinProgressOff},
    {"PROGRESSON", BuiltinProgressOn},
    {"PROGRESSSET", BuiltinProgressSet},
    {"SPLASHIMAGEON", BuiltinSplashImageOn},
    {"SPLASHOFF", BuiltinSplashOff},
    {"SPLASHTEXTON", BuiltinSplashTextOn},
};

}  // namespace

extern const BuiltinFamily kSplashAndProgressBuiltins = MakeBuiltinFamily("splash and progress", kBindings);
