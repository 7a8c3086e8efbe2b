#include "app/MacroFolder.h"

#include "macro/Folders.h"
#include "macro/Robot.h"

#include <io.h>

CString GetScriptFolder()
{
    return GetUserDataFolder() + "\\script";
}

CString MacroFilePath(const CString& name)
{
    return GetScriptFolder() + "\\" + name + ".txt";
}

BOOL MacroFileExists(const CString& name)
{
    return !name.IsEmpty() && _access(MacroFilePath(name), 0) == 0;
}

void ListMacroFiles(CStringArray& paths)
{
    paths.RemoveAll();
    CFileFind finder;
    BOOL more = finder.FindFile(GetScriptFolder() + "\\*.txt");
    while (more) {
        more = finder.FindNextFile();
        if (!finder.IsDirectory())
            paths.Add(finder.GetFilePath());
    }
}

int FindMacroPosition(const CString& name)
{
    CStringArray paths;
    ListMacroFiles(paths);
    for (INT_PTR i = 0; i < paths.GetSize(); ++i) {
        CRobot robot;
        robot.LoadFromFile(paths[i]);
        if (robot.Name.CompareNoCase(name) == 0)
            return static_cast<int>(i);
    }
    return static_cast<int>(paths.GetSize());
}

CString MacroNameAt(int position)
{
    CStringArray paths;
    ListMacroFiles(paths);
    if (position < 0 || position >= paths.GetSize())
        return CString();
    CRobot robot;
    robot.LoadFromFile(paths[position]);
    return robot.Name;
}
