// The builtin functions of the script language: one entry per builtin, in
// the table's fixed order (the position is the builtin's index in tokens),
// with its handler and the least and greatest number of arguments.
#pragma once

class CPandrel_Script;
class CVariantList;
class CEngineVariant;

// A builtin's handler reads its arguments and sets the result; it returns 0
// to go on, non-zero after it has reported a script error.
typedef int (CPandrel_Script::*BuiltinHandler)(CVariantList& args, CEngineVariant& result);

struct BuiltinEntry
{
    const char* Name;          // upper case
    BuiltinHandler Handler;
    unsigned char MinArgs;
    unsigned char MaxArgs;     // kAnyArgumentCount: no limit
};

enum
{
    kBuiltinCount = 216,
    kAnyArgumentCount = 255
};

// The kBuiltinCount entries, in order.
const BuiltinEntry* GetBuiltinTable();

// Whether a call with `count` arguments is allowed.
inline bool BuiltinAcceptsArgumentCount(const BuiltinEntry& entry, int count)
{
    return count >= entry.MinArgs && (entry.MaxArgs == kAnyArgumentCount || count <= entry.MaxArgs);
}
