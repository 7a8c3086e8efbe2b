// Opt(name, value): the run options. The result is the option's previous
// value; the option then takes the new one by its rule.
#include "engine/ScriptEngine.h"

namespace {

enum OptionRule
{
    kFlag,            // any non-zero value sets 1
    kNotNegative,     // a negative value is ignored
    kMinusOneOrMore,  // set when -1 or more
    kOneToLimit,      // a value outside 1..limit becomes 1
    kIgnored          // accepted; nothing is stored and the result stays 1
};

// Where an option lives: a byte or an int field.
struct OptionField
{
    BYTE* byteField;
    int* intField;

    int Get() const { return byteField ? *byteField : (intField ? *intField : 1); }
    void Set(int value) const
    {
        if (byteField)
            *byteField = static_cast<BYTE>(value);
        else if (intField)
            *intField = value;
    }
};

OptionField Byte(BYTE& field) { return OptionField{&field, nullptr}; }
OptionField Int(int& field) { return OptionField{nullptr, &field}; }
OptionField None(CPandrel_Script&) { return OptionField{nullptr, nullptr}; }

struct OptionEntry
{
    const char* name;
    OptionRule rule;
    int limit;
    OptionField (*field)(CPandrel_Script& engine);
};

int ApplyRule(const OptionEntry& option, int old, int value)
{
    switch (option.rule) {
    case kFlag:
        return value != 0 ? 1 : 0;
    case kNotNegative:
        return value >= 0 ? value : old;
    case kMinusOneOrMore:
        return value >= -1 ? value : old;
    case kOneToLimit:
        return value >= 1 && value <= option.limit ? value : 1;
    case kIgnored:
        break;
    }
    return old;
}

}  // namespace

int CPandrel_Script::BuiltinOpt(CVariantList& args, CEngineVariant& result)
{
    typedef CPandrel_Script E;
    static const OptionEntry kOptions[] = {
        {"CaretCoordMode", kFlag, 0, [](E& e) { return Byte(e.m_context.MouseAndPixel().CaretCoordMode); }},
        {"ColorMode", kFlag, 0, [](E& e) { return Byte(e.m_context.MouseAndPixel().ColorMode); }},
        {"GUICoordMode", kIgnored, 0, None},
        {"GUINotifyMode", kIgnored, 0, None},
        {"GUIResizeMode", kIgnored, 0, None},
        {"GuiTaskbarEntry", kIgnored, 0, None},
        {"ExpandEnvStrings", kFlag, 0, [](E& e) { return Byte(e.m_expandEnvStrings); }},
        {"MouseClickDelay", kNotNegative, 0, [](E& e) { return Int(e.m_context.MouseAndPixel().MouseClickDelay); }},
        {"MouseClickDownDelay", kNotNegative, 0, [](E& e) { return Int(e.m_context.MouseAndPixel().MouseClickDownDelay); }},
        {"MouseClickDragDelay", kNotNegative, 0, [](E& e) { return Int(e.m_context.MouseAndPixel().MouseClickDragDelay); }},
        {"MouseCoordMode", kFlag, 0, [](E& e) { return Byte(e.m_context.MouseAndPixel().MouseCoordMode); }},
        {"MustDeclareVars", kFlag, 0, [](E& e) { return Byte(e.m_mustDeclareVars); }},
        {"PixelCoordMode", kFlag, 0, [](E& e) { return Byte(e.m_context.MouseAndPixel().PixelCoordMode); }},
        {"RunErrorsFatal", kFlag, 0, [](E& e) { return Byte(e.m_runErrorsFatal); }},
        {"SendAttachMode", kFlag, 0, [](E& e) { return Byte(e.m_context.KeySender().AttachMode); }},
        {"SendCapslockMode", kFlag, 0, [](E& e) { return Byte(e.m_context.KeySender().CapslockMode); }},
        {"SendKeyDelay", kMinusOneOrMore, 0, [](E& e) { return Int(e.m_context.KeySender().KeyDelay); }},
        {"SendKeyDownDelay", kMinusOneOrMore, 0, [](E& e) { return Int(e.m_context.KeySender().KeyDownDelay); }},
        {"TrayIconDebug", kFlag, 0, [](E&) { return Byte(g_TrayIconDebug); }},
        {"TrayIconHide", kIgnored, 0, None},
        {"WinSearchChildren", kFlag, 0, [](E& e) { return Byte(e.m_context.WindowSearch().Options.SearchChildren); }},
        {"WinWaitDelay", kNotNegative, 0, [](E& e) { return Int(e.m_context.WindowSearch().Options.WaitDelay); }},
        {"WinDetectHiddenText", kFlag, 0, [](E& e) { return Byte(e.m_context.WindowSearch().Options.DetectHiddenText); }},
        {"WinTextMatchMode", kOneToLimit, 2, [](E& e) { return Int(e.m_context.WindowSearch().Options.TextMatchMode); }},
        {"WinTitleMatchMode", kOneToLimit, 4, [](E& e) { return Int(e.m_context.WindowSearch().Options.TitleMatchMode); }},
    };

    const CString name(args.GetItem(0).GetString());
    for (const OptionEntry& option : kOptions) {
        if (name.CompareNoCase(option.name) != 0)
            continue;
        if (option.rule != kIgnored) {
            const OptionField field = option.field(*this);
            const int old = field.Get();
            result.SetInt(old);
            field.Set(ApplyRule(option, old, args.GetItem(1).GetInt()));
        }
        return 0;
    }
    ShowScriptError("Unknown option or bad parameter specified.", -1);
    return 1;
}
