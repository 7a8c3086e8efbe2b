// The list of builtin families whose binding tables fill the builtin table.
// A new family adds its declaration and its entry here (BuiltinFamily.h).
#include "engine/builtins/BuiltinFamily.h"

extern const BuiltinFamily kEngineBuiltins;       // engine/EngineBuiltins.cpp: Opt, Delay, SetError
extern const BuiltinFamily kMathBuiltins;         // MathBuiltins.cpp
extern const BuiltinFamily kStringBuiltins;       // StringBuiltins.cpp, StringFormat.cpp
extern const BuiltinFamily kMouseBuiltins;        // MouseBuiltins.cpp
extern const BuiltinFamily kKeyBuiltins;          // KeyBuiltins.cpp
extern const BuiltinFamily kPixelBuiltins;        // PixelBuiltins.cpp
extern const BuiltinFamily kFileHandleBuiltins;   // FileHandleBuiltins.cpp
extern const BuiltinFamily kIniBuiltins;          // IniBuiltins.cpp
extern const BuiltinFamily kShortcutBuiltins;     // ShortcutBuiltins.cpp
extern const BuiltinFamily kFileDialogBuiltins;   // FileDialogBuiltins.cpp
extern const BuiltinFamily kFileBuiltins;         // FileBuiltins.cpp
extern const BuiltinFamily kDriveBuiltins;        // DriveBuiltins.cpp
extern const BuiltinFamily kRegistryBuiltins;     // RegistryBuiltins.cpp
extern const BuiltinFamily kScriptBuiltins;       // ScriptBuiltins.cpp
extern const BuiltinFamily kSystemBuiltins;       // SystemBuiltins.cpp
extern const BuiltinFamily kMessageBuiltins;      // MessageBuiltins.cpp
extern const BuiltinFamily kSplashAndProgressBuiltins;   // SplashAndProgressBuiltins.cpp
extern const BuiltinFamily kWindowBuiltins;       // WindowBuiltins.cpp
extern const BuiltinFamily kWindowWaitBuiltins;   // WindowWaitBuiltins.cpp
extern const BuiltinFamily kProgramBuiltins;      // ProgramBuiltins.cpp
extern const BuiltinFamily kProcessBuiltins;      // ProcessBuiltins.cpp
extern const BuiltinFamily kControlBuiltins;      // ControlBuiltins.cpp, ControlCommands.cpp

namespace {

const BuiltinFamily* const kFamilies[] = {
    &kEngineBuiltins,
    &kMathBuiltins,
    &kStringBuiltins,
    &kMouseBuiltins,
    &kKeyBuiltins,
    &kPixelBuiltins,
    &kFileHandleBuiltins,
    &kIniBuiltins,
    &kShortcutBuiltins,
    &kFileDialogBuiltins,
    &kFileBuiltins,
    &kDriveBuiltins,
    &kRegistryBuiltins,
    &kScriptBuiltins,
    &kSystemBuiltins,
    &kMessageBuiltins,
    &kSplashAndProgressBuiltins,
    &kWindowBuiltins,
    &kWindowWaitBuiltins,
    &kProgramBuiltins,
    &kProcessBuiltins,
    &kControlBuiltins,
};

}  // namespace

const BuiltinFamily* const* GetBuiltinFamilies(int& count)
{
    count = static_cast<int>(sizeof kFamilies / sizeof kFamilies[0]);
    return kFamilies;
}
