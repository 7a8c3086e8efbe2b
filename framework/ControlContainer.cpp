#include "framework/ControlContainer.h"

#include <ole2.h>

namespace {

// OLE is a per-thread affair; the thread keeps it until it ends.
thread_local bool t_enabled = false;

}  // namespace

BOOL AfxEnableControlContainer()
{
    if (!t_enabled)
        t_enabled = SUCCEEDED(::OleInitialize(nullptr));
    return t_enabled;
}

BOOL AfxControlContainerEnabled()
{
    return t_enabled;
}
