// Kestrune.exe: the application object; the framework's WinMain runs it.
#include "base/InitOrder.h"
#include "app/PandrelApp.h"

// Constructed after the OS version record, the script engine and its line
// store, which the application uses from its first moment.
CPandrelApp theApp KESTRUNE_INIT_APPLICATION;
