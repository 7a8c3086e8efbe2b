// The process-wide objects are constructed in a fixed order, whatever the
// link order: the OS version record, the script engine, its line store, and
// then the application object. Each definition carries its attribute.
#pragma once

#define KESTRUNE_INIT_OS_VERSION    __attribute__((init_priority(1001)))
#define KESTRUNE_INIT_SCRIPT_ENGINE __attribute__((init_priority(1002)))
#define KESTRUNE_INIT_SCRIPT_FILE   __attribute__((init_priority(1003)))
#define KESTRUNE_INIT_APPLICATION   __attribute__((init_priority(1004)))
