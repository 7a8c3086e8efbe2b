// The builtin functions of the script language: one entry per builtin, in
// the table's fixed order (the position is the builtin's index in tokens),
// with its handler and the least and greatest number of arguments. The
// names and counts are declared in BuiltinTable.cpp; the handlers come from
// the families' binding tables (engine/builtins/BuiltinFamily.h), bound by
// name when the table is first asked for.
#pragma once

#include <string>
#include <vector>

class BuiltinContext;
class CVariantList;
class CEngineVariant;

// A builtin's handler reads its arguments and sets the result; it returns 0
// to go on, non-zero after it has reported a script error.
typedef int (*BuiltinHandler)(BuiltinContext& context, CVariantList& args, CEngineVariant& result);

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

// The kBuiltinCount entries, in order, with their handlers bound.
const BuiltinEntry* GetBuiltinTable();

// Whether a call with `count` arguments is allowed.
inline bool BuiltinAcceptsArgumentCount(const BuiltinEntry& entry, int count)
{
    return count >= entry.MinArgs && (entry.MaxArgs == kAnyArgumentCount || count <= entry.MaxArgs);
}

// The handler of every builtin whose family is not built yet: an ordinary
// failure (result 0, @error 1), and the script goes on.
int BuiltinNotYetAvailable(BuiltinContext& context, CVariantList& args, CEngineVariant& result);

// How the families' binding tables met the table: how many bindings each
// entry received (an entry with none keeps BuiltinNotYetAvailable), and the
// bound names that no entry has.
struct BuiltinBindingReport
{
    int TimesBound[kBuiltinCount] = {};
    std::vector<std::string> UnknownNames;
};
const BuiltinBindingReport& GetBuiltinBindingReport();
