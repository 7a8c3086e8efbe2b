// Control-container support: lets windows of the calling thread host
// ActiveX controls such as the system's web browser (CHtmlView). The
// program enables it once, first thing in InitInstance.
#pragma once

#include <windows.h>

// Initialises OLE for the calling thread (once); FALSE when OLE refused.
BOOL AfxEnableControlContainer();
// Whether AfxEnableControlContainer succeeded on this thread.
BOOL AfxControlContainerEnabled();
