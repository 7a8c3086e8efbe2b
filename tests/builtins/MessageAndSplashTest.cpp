// Message boxes with and without a time-out, the splash and progress windows
// found by their class and measured, and the balloon tip's data.
#include "tests/builtins/BuiltinTestSupport.h"

#include "base/OsVersion.h"
#include "engine/builtins/NotifySystem.h"
#include "tests/support/DialogAnswerer.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>
#include <vector>

using namespace builtins_test;

namespace {

const char kClass[] = "BrenvikTaskKestrune v1";

TEST(MsgBox, ATimeOutThatNobodyAnswersGivesMinusOne)
{
    const DWORD start = GetTickCount();
    EXPECT_EQ(Call("MSGBOX", {Int(MB_YESNO), Text("Nobody"), Text("Nobody answers this"), Number(0.5)}).result.GetInt(),
              -1);
    EXPECT_GE(GetTickCount() - start, 450u);
}

TEST(MsgBox, AnAnsweredBoxGivesItsButton)
{
    struct Case
    {
        int flags;
        const char* text;
        int timeout;      // -1: no time-out argument
        int button;
    };
    const Case cases[] = {
        {MB_YESNO, "With a time-out", 20, IDYES},
        {MB_OKCANCEL | MB_ICONINFORMATION, "Without one", -1, IDCANCEL},
    };
    for (const Case& c : cases) {
        std::vector<CEngineVariant> args = {Int(c.flags), Text("Asked"), Text(c.text)};
        if (c.timeout >= 0)
            args.push_back(Int(c.timeout));
        testing_support::DialogAnswerer answerer(c.button, 50);
        EXPECT_EQ(Call("MSGBOX", args).result.GetInt(), c.button) << c.text;
        ASSERT_EQ(answerer.Dialogs().size(), 1u);
        EXPECT_EQ(answerer.Dialogs()[0].caption, "Asked");
        EXPECT_NE(answerer.Dialogs()[0].text.find(c.text), std::string::npos) << answerer.Dialogs()[0].text;
    }
}

HWND TaskWindow(const char* title)
{
    return FindWindowA(kClass, title);
}

SIZE ClientSize(HWND window)
{
    RECT client = {};
    GetClientRect(window, &client);
    return {client.right, client.bottom};
}

// The children of a window in creation order.
std::vector<HWND> Children(HWND window)
{
    std::vector<HWND> children;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

std::string TextOf(HWND window)
{
    char text[256] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

LOGFONTA FontOf(HWND window)
{
    LOGFONTA font = {};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font;
}

int PointsToHeight(int points)
{
    HDC screen = GetDC(nullptr);
    const int height = -MulDiv(points, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    return height;
}

TEST(Splash, TextSplashesByTheirOptions)
{
    EXPECT_EQ(Call("SPLASHTEXTON", {Text("Splash one"), Text("Hello"), Int(320), Int(200), Int(10), Int(20), Int(0),
                                    Text(""), Int(3), Int(700)})
                  .result.GetInt(),
              1);
    HWND splash = TaskWindow("Splash one");
    ASSERT_NE(splash, nullptr);
    EXPECT_TRUE(IsWindowVisible(splash));
    EXPECT_EQ(ClientSize(splash).cx, 320);
    EXPECT_EQ(ClientSize(splash).cy, 200);
    RECT frame;
    GetWindowRect(splash, &frame);
    EXPECT_EQ(frame.left, 10);
    EXPECT_EQ(frame.top, 20);
    const LONG style = GetWindowLongA(splash, GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_TRUE(style & WS_DISABLED);
    EXPECT_TRUE(GetWindowLongA(splash, GWL_EXSTYLE) & WS_EX_TOPMOST);
    std::vector<HWND> children = Children(splash);
    ASSERT_EQ(children.size(), 1u);
    EXPECT_EQ(TextOf(children[0]), "Hello");
    EXPECT_EQ(GetWindowLongA(children[0], GWL_STYLE) & SS_TYPEMASK, SS_CENTER);
    EXPECT_EQ(FontOf(children[0]).lfHeight, PointsToHeight(12));   // 3 points is too small
    EXPECT_EQ(FontOf(children[0]).lfWeight, 700);

    // A new splash replaces the old: no title bar, not top-most, movable,
    // right-aligned, centred on the screen at the default size.
    Call("SPLASHTEXTON", {Text("Splash two"), Text("Right"), Int(-1), Int(-1), Int(-1), Int(-1), Int(1 | 2 | 8 | 16),
                          Text("Courier New"), Int(20), Int(5000)});
    EXPECT_EQ(TaskWindow("Splash one"), nullptr);
    splash = TaskWindow("Splash two");
    ASSERT_NE(splash, nullptr);
    EXPECT_EQ(ClientSize(splash).cx, 500);
    EXPECT_EQ(ClientSize(splash).cy, 400);
    GetWindowRect(splash, &frame);
    EXPECT_EQ((frame.left + frame.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2);
    const LONG plainStyle = GetWindowLongA(splash, GWL_STYLE);
    EXPECT_NE(plainStyle & WS_CAPTION, WS_CAPTION);
    EXPECT_TRUE(plainStyle & WS_BORDER);
    EXPECT_FALSE(plainStyle & WS_DISABLED);
    EXPECT_FALSE(GetWindowLongA(splash, GWL_EXSTYLE) & WS_EX_TOPMOST);
    children = Children(splash);
    ASSERT_EQ(children.size(), 1u);
    EXPECT_EQ(GetWindowLongA(children[0], GWL_STYLE) & SS_TYPEMASK, SS_RIGHT);
    EXPECT_STREQ(FontOf(children[0]).lfFaceName, "Courier New");
    EXPECT_EQ(FontOf(children[0]).lfHeight, PointsToHeight(20));
    EXPECT_EQ(FontOf(children[0]).lfWeight, 400);     // 5000 is no weight

    EXPECT_EQ(Call("SPLASHOFF").result.GetInt(), 1);
    EXPECT_EQ(TaskWindow("Splash two"), nullptr);
}

// A 4 x 2 bitmap file, 24 bits a pixel, all of one colour.
void WriteBitmapFile(const std::string& path)
{
    const int width = 4, height = 2, rowBytes = 12;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + rowBytes * height;
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
    bytes.append(reinterpret_cast<const char*>(&info), sizeof info);
    for (int i = 0; i < width * height; ++i)
        bytes.append("\x20\x40\xC0", 3);   // blue, green, red
    testing_support::WriteFileBytes(path, bytes);
}

TEST(Splash, APictureFillsTheSplashAndABadFileIsAScriptError)
{
    testing_support::TempFolder folder;
    const std::string picture = folder / "picture.bmp";
    WriteBitmapFile(picture);
    EXPECT_EQ(Call("SPLASHIMAGEON", {Text("Picture"), Text(picture.c_str()), Int(80), Int(60)}).result.GetInt(), 1);
    HWND splash = TaskWindow("Picture");
    ASSERT_NE(splash, nullptr);
    EXPECT_EQ(ClientSize(splash).cx, 80);
    EXPECT_EQ(ClientSize(splash).cy, 60);
    std::vector<HWND> children = Children(splash);
    ASSERT_EQ(children.size(), 1u);
    EXPECT_EQ(GetWindowLongA(children[0], GWL_STYLE) & SS_TYPEMASK, SS_BITMAP);
    EXPECT_EQ(ClientSize(children[0]).cx, 80);
    HBITMAP shown = reinterpret_cast<HBITMAP>(SendMessageA(children[0], STM_GETIMAGE, IMAGE_BITMAP, 0));
    BITMAP bitmap = {};
    ASSERT_TRUE(GetObjectA(shown, sizeof bitmap, &bitmap));
    EXPECT_EQ(bitmap.bmWidth, 80);
    EXPECT_EQ(bitmap.bmHeight, 60);
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(memory, shown);
    EXPECT_EQ(GetPixel(memory, 40, 30), RGB(0xC0, 0x40, 0x20));
    SelectObject(memory, old);
    DeleteDC(memory);

    engine_test::LoadLines({"SplashImageOn($title, $file)"});
    testing_support::WriteFileBytes(folder / "not a picture.bmp", "just some text");
    for (const std::string& bad : {folder / "missing.bmp", folder / "not a picture.bmp"}) {
        EXPECT_EQ(ScriptErrorOf("SPLASHIMAGEON", {Text("Bad picture"), Text(bad.c_str())}),
                  "Error: The requested picture file could not be loaded.")
            << bad;
        EXPECT_EQ(TaskWindow("Bad picture"), nullptr);
    }
    EXPECT_EQ(TaskWindow("Picture"), nullptr);   // replaced, then the bad one went too
}

TEST(Progress, TheWindowItsBarAndItsTexts)
{
    EXPECT_EQ(Call("PROGRESSON", {Text("Working"), Text("Main text"), Text("Sub text")}).result.GetInt(), 1);
    HWND progress = TaskWindow("Working");
    ASSERT_NE(progress, nullptr);
    EXPECT_TRUE(IsWindowVisible(progress));
    EXPECT_EQ(ClientSize(progress).cx, 300);
    EXPECT_EQ(ClientSize(progress).cy, 100);
    RECT work, frame;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    GetWindowRect(progress, &frame);
    EXPECT_EQ(frame.left, (work.right - work.left - 300) / 2);
    EXPECT_EQ(frame.top, (work.bottom - work.top - 100) / 2);

    std::vector<HWND> children = Children(progress);
    ASSERT_EQ(children.size(), 3u);
    HWND mainText = children[0], bar = children[1], subText = children[2];
    char className[64];
    GetClassNameA(bar, className, sizeof className);
    EXPECT_EQ(lstrcmpiA(className, PROGRESS_CLASSA), 0) << className;
    EXPECT_EQ(SendMessageA(bar, PBM_GETRANGE, FALSE, 0), 100);
    EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), 0);
    EXPECT_EQ(TextOf(mainText), "Main text");
    EXPECT_EQ(TextOf(subText), "Sub text");
    EXPECT_EQ(FontOf(mainText).lfWeight, 600);
    EXPECT_EQ(FontOf(mainText).lfHeight, PointsToHeight(10));

    EXPECT_EQ(Call("PROGRESSSET", {Int(40), Text("Step two")}).result.GetInt(), 1);
    EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), 40);
    EXPECT_EQ(TextOf(subText), "Step two");
    Call("PROGRESSSET", {Int(150), Text(""), Text("New main")});     // 150 leaves the bar
    EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), 40);
    EXPECT_EQ(TextOf(subText), "Step two");
    EXPECT_EQ(TextOf(mainText), "New main");

    // A second window replaces the first, at the place given.
    Call("PROGRESSON", {Text("Again"), Text("Main"), Text(""), Int(30), Int(40), Int(2)});
    EXPECT_EQ(TaskWindow("Working"), nullptr);
    HWND again = TaskWindow("Again");
    ASSERT_NE(again, nullptr);
    GetWindowRect(again, &frame);
    EXPECT_EQ(frame.left, 30);
    EXPECT_EQ(frame.top, 40);
    EXPECT_FALSE(GetWindowLongA(again, GWL_EXSTYLE) & WS_EX_TOPMOST);

    EXPECT_EQ(Call("PROGRESSOFF").result.GetInt(), 1);
    EXPECT_EQ(TaskWindow("Again"), nullptr);
    EXPECT_EQ(Call("PROGRESSSET", {Int(10)}).result.GetInt(), 1);   // nothing to set
}

std::vector<std::pair<DWORD, NOTIFYICONDATAA>> g_notifications;
BOOL WINAPI RecordNotification(DWORD message, PNOTIFYICONDATAA data)
{
    g_notifications.push_back({message, *data});
    return TRUE;
}

TEST(TrayTip, TheBalloonsDataInARealLayout)
{
    const NotifyIconCall saved = NotifyIconSender();
    NotifyIconSender() = RecordNotification;
    const BYTE was2000 = g_OsVersion.Is2000OrLater;
    g_OsVersion.Is2000OrLater = 1;
    const std::string longTitle(100, 't'), longText(400, 'x');
    const int result = Call("TRAYTIP", {Text(longTitle.c_str()), Text(longText.c_str()), Int(5), Int(NIIF_INFO)})
                           .result.GetInt();
    Call("TRAYTIP", {Text("Short"), Text("Tip"), Int(1)});
    g_OsVersion.Is2000OrLater = 0;
    Call("TRAYTIP", {Text("Old Windows"), Text("No balloons"), Int(1)});
    g_OsVersion.Is2000OrLater = was2000;
    NotifyIconSender() = saved;

    EXPECT_EQ(result, 1);
    ASSERT_EQ(g_notifications.size(), 3u);   // the icon once, then two tips
    EXPECT_EQ(g_notifications[0].first, static_cast<DWORD>(NIM_ADD));
    EXPECT_NE(g_notifications[0].second.hIcon, nullptr);
    const NOTIFYICONDATAA& tip = g_notifications[1].second;
    EXPECT_EQ(g_notifications[1].first, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_EQ(tip.cbSize, sizeof(NOTIFYICONDATAA));
    EXPECT_EQ(tip.hWnd, g_notifications[0].second.hWnd);
    EXPECT_NE(tip.hWnd, nullptr);
    EXPECT_EQ(tip.uID, 1u);
    EXPECT_EQ(tip.uFlags, static_cast<UINT>(NIF_INFO));
    EXPECT_EQ(std::string(tip.szInfoTitle), longTitle.substr(0, 63));
    EXPECT_EQ(std::string(tip.szInfo), longText.substr(0, 255));
    EXPECT_EQ(tip.uTimeout, 5000u);
    EXPECT_EQ(tip.dwInfoFlags, static_cast<DWORD>(NIIF_INFO));
    EXPECT_EQ(g_notifications[2].second.dwInfoFlags, 0u);
    EXPECT_STREQ(g_notifications[2].second.szTip, "");
}

TEST(EngineWindowTitle, TheEngineHasNoWindowSoTheTitleStaysEmpty)
{
    EXPECT_EQ(Call("ORVEXWINSETTITLE", {Text("A title")}).result.GetInt(), 1);
    EXPECT_EQ(Call("ORVEXWINGETTITLE").Text(), "");
}

}  // namespace
