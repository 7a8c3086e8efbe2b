// Builtins about the script itself: its hot keys and the Adlib function
// (which the run loop calls, RunLoop.cpp), calls of user functions by name,
// variables by name, and array bounds.
#include "engine/builtins/BuiltinFamily.h"

#include "engine/ScriptEngine.h"
#include "engine/VariableScopes.h"

#include <mmsystem.h>

namespace {

const char kUnknownFunction[] = "Unknown function name.";

bool UserFunctionExists(BuiltinContext& context, const char* name)
{
    int firstLine, parameterCount, lastLine;
    return context.LookupUserFunction(name, firstLine, parameterCount, lastLine);
}

// HotKeySet(key [, function]): binds the key to the function, rebinds it, or
// (without a function) lets it go. The key is registered for the engine's
// thread under its slot number.
int BuiltinHotKeySet(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    const bool withFunction = args.GetCount() > 1;
    const CEngineString function(withFunction ? args.GetItem(1).GetString() : "");
    if (withFunction && !UserFunctionExists(context, function)) {
        context.ShowScriptError(kUnknownFunction, -1);
        return 1;
    }
    int vk;
    bool shift, ctrl, alt, win;
    if (!CKeySender::ParseKeySpec(args.GetItem(0).GetString(), &vk, &shift, &ctrl, &alt, &win)) {
        result.SetInt(0);
        return 0;
    }
    const UINT modifiers = (shift ? MOD_SHIFT : 0) | (ctrl ? MOD_CONTROL : 0) | (alt ? MOD_ALT : 0) |
                           (win ? MOD_WIN : 0);
    const DWORD keyWord = static_cast<DWORD>(vk) << 16 | modifiers;

    ScriptHotKeySlot* slots = context.Callbacks().HotKeys;
    for (int id = 0; id < kScriptHotKeySlots; ++id) {
        if (!slots[id].InUse || slots[id].KeyWord != keyWord)
            continue;
        if (withFunction) {
            slots[id].FunctionName = function;
        } else {
            UnregisterHotKey(nullptr, id);
            slots[id].InUse = false;
            slots[id].KeyWord = 0;
            slots[id].FunctionName.Truncate(0);
        }
        return 0;
    }
    if (!withFunction) {
        result.SetInt(0);
        return 0;
    }
    for (int id = 0; id < kScriptHotKeySlots; ++id) {
        if (slots[id].InUse)
            continue;
        if (!RegisterHotKey(nullptr, id, modifiers, static_cast<UINT>(vk))) {
            result.SetInt(0);
            return 0;
        }
        slots[id].InUse = true;
        slots[id].KeyWord = keyWord;
        slots[id].FunctionName = function;
        return 0;
    }
    result.SetInt(0);   // every slot taken
    return 0;
}

int BuiltinAdlibEnable(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    AdlibSettings& adlib = context.Callbacks().Adlib;
    adlib.Enabled = 0;
    const CEngineString function(args.GetItem(0).GetString());
    if (!UserFunctionExists(context, function)) {
        context.ShowScriptError(kUnknownFunction, -1);
        return 1;
    }
    const int interval = args.GetCount() > 1 ? args.GetItem(1).GetInt() : 0;
    adlib.Function = function;
    adlib.LastTick = timeGetTime();
    adlib.Interval = interval >= 1 ? interval : 250;
    adlib.Enabled = 1;
    return 0;
}

int BuiltinAdlibDisable(BuiltinContext& context, CVariantList&, CEngineVariant&)
{
    context.Callbacks().Adlib.Enabled = 0;
    return 0;
}

// Call(function): runs the user function and gives what it returned (1
// unless it returned something else).
int BuiltinCall(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    int firstLine, parameterCount, lastLine;
    if (!context.LookupUserFunction(args.GetItem(0).GetString(), firstLine, parameterCount, lastLine)) {
        context.SetError(1);
        return 0;
    }
    CEngineVariant returned;
    const int failed = context.Engine().CallFunction(firstLine + 1, true, false, &returned, 1);
    result = returned;
    return failed;
}

int BuiltinEval(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    const CEngineVariant* value = context.Variables().Lookup(args.GetItem(0).GetString(), kScopeAuto);
    if (!value) {
        result.SetString("");
        context.SetError(1);
        return 0;
    }
    result = *value;
    return 0;
}

int BuiltinIsDeclared(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    result.SetInt(context.Variables().IsDeclared(args.GetItem(0).GetString()));
    return 0;
}

int BuiltinBreak(BuiltinContext&, CVariantList&, CEngineVariant&)
{
    return 0;
}

// UBound(array [, dimension]): the size of a dimension (1 by default; 0
// gives the number of dimensions).
int BuiltinUBound(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    CEngineVariant* value = &args.GetItem(0);
    if (value->IsReference() && value->GetTarget())
        value = value->GetTarget();
    if (!value->IsArray()) {
        context.SetError(1);
        return 0;
    }
    const int dimension = args.GetCount() > 1 ? args.GetItem(1).GetInt() : 1;
    const int size = value->DimensionSize(dimension);
    result.SetInt(size);
    if (size == 0)
        context.SetError(1);
    return 0;
}

const BuiltinBinding kBindings[] = {
    {"ADLIBDISABLE", BuiltinAdlibDisable},
    {"ADLIBENABLE", BuiltinAdlibEnable},
    {"BREAK", BuiltinBreak},
    {"CALL", BuiltinCall},
    {"EVAL", BuiltinEval},
    {"HOTKEYSET", BuiltinHotKeySet},
    {"ISDECLARED", BuiltinIsDeclared},
    {"UBOUND", BuiltinUBound},
};

}  // namespace

extern const BuiltinFamily kScriptBuiltins = MakeBuiltinFamily("script", kBindings);
