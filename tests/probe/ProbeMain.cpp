// kestrune_probe.exe: the probe for a person or a script.
//
//   kestrune_probe screenshot <file.png> [seconds]
//       waits (60 s, or as long as given) for Kestrune's main window to
//       show, brings it to the front and saves a picture of its client area
//       as a PNG file
//   kestrune_probe rows
//       prints the rows of the macro list: the check box, then the columns
//
// Exit code 0 on success, 1 when there is no main window, 2 when the file
// cannot be written, 3 for a wrong command line.
#include "tests/probe/KestruneProbe.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace {

int Screenshot(const char* path, DWORD seconds)
{
    HWND window = kestrune_probe::WaitForMainWindow(seconds * 1000);
    if (!window) {
        fprintf(stderr, "kestrune_probe: no Kestrune main window after %lu s\n", seconds);
        return 1;
    }
    kestrune_probe::BringToFront(window);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Sleep(700);   // the window's own painting, in its own process
    if (!kestrune_probe::SaveWindowPicture(window, path, true)) {
        fprintf(stderr, "kestrune_probe: cannot write %s\n", path);
        return 2;
    }
    printf("%s\n", path);
    return 0;
}

int Rows()
{
    HWND window = kestrune_probe::FindMainWindow();
    if (!window) {
        fprintf(stderr, "kestrune_probe: Kestrune is not running\n");
        return 1;
    }
    for (const kestrune_probe::ListRow& row : kestrune_probe::ReadListRows(kestrune_probe::MacroListOf(window))) {
        printf("[%c]", row.checked ? 'x' : ' ');
        for (size_t i = 1; i < row.texts.size(); ++i)
            printf(" | %s", row.texts[i].c_str());
        printf("\n");
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc >= 3 && strcmp(argv[1], "screenshot") == 0)
        return Screenshot(argv[2], argc >= 4 ? static_cast<DWORD>(atoi(argv[3])) : 60);
    if (argc == 2 && strcmp(argv[1], "rows") == 0)
        return Rows();
    fprintf(stderr, "usage: kestrune_probe screenshot <file.png> [seconds]\n       kestrune_probe rows\n");
    return 3;
}
