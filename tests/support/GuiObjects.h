// How many GDI and USER objects this process holds, to show that repeating
// something leaks none.
//
// GetGuiResources gives the counts on Windows. Wine's returns 0, so there
// they are counted directly: every GDI handle index that names a live
// object of this process (Wine accepts a handle without its generation
// bits), and for USER objects the process's windows, menus and icons.
// Either way the numbers are meant for comparing with each other.
#pragma once

#include <windows.h>

#include <functional>

namespace testing_support {

struct GuiObjectCounts
{
    long gdi = 0;
    long user = 0;
};

GuiObjectCounts CountGuiObjects();

// Runs `once` to load what stays loaded (classes, fonts, cached images),
// then `repeats` more times, and expects the counts not to have grown.
void ExpectNoGuiObjectLeak(const std::function<void()>& once, int repeats = 5);

}  // namespace testing_support
