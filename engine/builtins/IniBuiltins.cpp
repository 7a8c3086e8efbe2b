// INI-file builtins. A relative file name counts from the working folder,
// as everywhere else in a script, not from the Windows folder where the
// profile functions would otherwise put it.
#include "engine/builtins/BuiltinFamily.h"

#include "engine/support/PathHelpers.h"

#include <vector>

namespace {

const int kValueBufferSize = 65535;

CString FullIniPath(const char* name)
{
    CString full;
    if (!EngineSupport::GetFullPathNoSlash(name, full))
        full = name;
    return full;
}

// Writes (or, with no value, deletes) one key, then flushes the system's
// cache of the file so that the text on disk is current.
bool WriteIniKey(const char* file, const char* section, const char* key, const char* value)
{
    const CString path = FullIniPath(file);
    if (!WritePrivateProfileStringA(section, key, value, path))
        return false;
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path);
    return true;
}

int BuiltinIniRead(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    const CString path = FullIniPath(args.GetItem(0).GetString());
    const CEngineString section(args.GetItem(1).GetString());
    const CEngineString key(args.GetItem(2).GetString());
    const CEngineString fallback(args.GetItem(3).GetString());
    std::vector<char> value(kValueBufferSize);
    const DWORD length = GetPrivateProfileStringA(section, key, fallback, value.data(), kValueBufferSize, path);
    result.SetString(value.data(), static_cast<int>(length));
    return 0;
}

int BuiltinIniWrite(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    const CEngineString file(args.GetItem(0).GetString());
    const CEngineString section(args.GetItem(1).GetString());
    const CEngineString key(args.GetItem(2).GetString());
    const CEngineString value(args.GetItem(3).GetString());
    if (!WriteIniKey(file, section, key, value))
        result.SetInt(0);
    return 0;
}

int BuiltinIniDelete(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    const CEngineString file(args.GetItem(0).GetString());
    const CEngineString section(args.GetItem(1).GetString());
    const CEngineString key(args.GetItem(2).GetString());
    if (!WriteIniKey(file, section, key, nullptr))
        result.SetInt(0);
    return 0;
}

const BuiltinBinding kBindings[] = {
    {"INIDELETE", BuiltinIniDelete},
    {"INIREAD", BuiltinIniRead},
    {"INIWRITE", BuiltinIniWrite},
};

}  // namespace

extern const BuiltinFamily kIniBuiltins = MakeBuiltinFamily("INI files", kBindings);
