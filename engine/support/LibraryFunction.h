// Functions of system libraries bound at run time by name, for entries that
// older versions of Windows lack.
#pragma once

#include <windows.h>

namespace EngineSupport {

// `name` in `module` as a pointer of type `Function`, or null. (Through
// void*: the compiler warns on a cast between function types.)
template <class Function>
Function LibraryFunction(HMODULE module, const char* name)
{
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

}  // namespace EngineSupport
