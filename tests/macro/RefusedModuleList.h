// The window finder as a 32-bit Kestrune on 64-bit Windows sees a 64-bit
// process: the system refuses the module list, so the program file must
// come from the process's image name.
#pragma once

#include "macro/ActiveWinPath.h"

class RefusedModuleList : public CActiveWinPath
{
public:
    int refusals = 0;   // how often the module list was asked for

protected:
    BOOL FirstProcessModule(HANDLE, HMODULE*) override
    {
        ++refusals;
        SetLastError(ERROR_PARTIAL_COPY);
        return FALSE;
    }
};
