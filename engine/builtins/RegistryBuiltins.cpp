// Registry builtins: reading, writing, deleting and enumerating keys and
// values of this computer's registry or, with a key path that starts with
// "\\computer\", another's. A key path names its root by the long or the
// short name ("HKEY_CURRENT_USER", "HKCU"); an unknown root is a script
// error, everything else an ordinary failure.
#include "engine/builtins/BuiltinFamily.h"

#include "engine/builtins/RegistryConnection.h"
#include "engine/support/TextHelpers.h"

#include <string.h>

#include <vector>

ConnectRegistryCall& RegistryConnector()
{
    static ConnectRegistryCall connect = RegConnectRegistryA;
    return connect;
}

namespace {

const char kRegistryError[] = "Unable to read/write the requested registry key.";
const DWORD kDataBufferSize = 65535;

struct RootName
{
    const char* LongName;
    const char* ShortName;
    HKEY Root;
};

const RootName kRoots[] = {
    {"HKEY_LOCAL_MACHINE", "HKLM", HKEY_LOCAL_MACHINE}, {"HKEY_CLASSES_ROOT", "HKCR", HKEY_CLASSES_ROOT},
    {"HKEY_CURRENT_CONFIG", "HKCC", HKEY_CURRENT_CONFIG}, {"HKEY_CURRENT_USER", "HKCU", HKEY_CURRENT_USER},
    {"HKEY_USERS", "HKU", HKEY_USERS},
};

// A key path taken apart: "\\computer\ROOT\sub\key\" gives the computer (or
// an empty text), the root's name and the sub-key without a trailing
// backslash.
struct RegistryPath
{
    CString Computer;
    CString RootName;
    CString SubKey;
};

RegistryPath SplitRegistryPath(const CString& path)
{
    RegistryPath parts;
    CString rest = path;
    if (rest.Left(2) == "\\\\") {
        const int slash = rest.Find('\\', 2);
        parts.Computer = slash < 0 ? rest.Mid(2) : rest.Mid(2, slash - 2);
        rest = slash < 0 ? CString() : rest.Mid(slash + 1);
    }
    const int slash = rest.Find('\\');
    parts.RootName = slash < 0 ? rest : rest.Left(slash);
    parts.SubKey = slash < 0 ? CString() : rest.Mid(slash + 1);
    if (!parts.SubKey.IsEmpty() && parts.SubKey[parts.SubKey.GetLength() - 1] == '\\')
        parts.SubKey = parts.SubKey.Left(parts.SubKey.GetLength() - 1);
    return parts;
}

bool LookupRegistryRoot(const CString& name, HKEY& root)
{
    for (const RootName& entry : kRoots)
        if (name.CompareNoCase(entry.LongName) == 0 || name.CompareNoCase(entry.ShortName) == 0) {
            root = entry.Root;
            return true;
        }
    return false;
}

// The root of one operation: the local root, or the other computer's, which
// is closed again when the operation ends.
class RegistryRoot
{
public:
    RegistryRoot() = default;
    RegistryRoot(const RegistryRoot&) = delete;
    RegistryRoot& operator=(const RegistryRoot&) = delete;
    ~RegistryRoot()
    {
        if (m_remote)
            RegCloseKey(m_root);
    }

    // False for an unknown root name (`known` false) or a failed connection.
    bool Open(const RegistryPath& path, bool& known)
    {
        HKEY local;
        known = LookupRegistryRoot(path.RootName, local);
        if (!known)
            return false;
        if (path.Computer.IsEmpty()) {
            m_root = local;
            return true;
        }
        m_remote = RegistryConnector()(path.Computer, local, &m_root) == ERROR_SUCCESS;
        return m_remote;
    }

    HKEY Get() const { return m_root; }

private:
    HKEY m_root = nullptr;
    bool m_remote = false;
};

// An open key, closed with the object.
class OpenKey
{
public:
    OpenKey() = default;
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    ~OpenKey() { Close(); }
    bool Open(HKEY root, const char* subKey, REGSAM access)
    {
        return RegOpenKeyExA(root, subKey, 0, access, &m_key) == ERROR_SUCCESS;
    }
    bool Create(HKEY root, const char* subKey)
    {
        return RegCreateKeyExA(root, subKey, 0, const_cast<LPSTR>(""), REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr,
                               &m_key, nullptr) == ERROR_SUCCESS;
    }
    void Close()
    {
        if (m_key)
            RegCloseKey(m_key);
        m_key = nullptr;
    }
    HKEY Get() const { return m_key; }

private:
    HKEY m_key = nullptr;
};

// Opens the root of `args`' key path; an unknown root shows the script
// error (the handler then returns 1 through `scriptError`).
bool OpenRoot(BuiltinContext& context, CVariantList& args, RegistryRoot& root, RegistryPath& path, bool& scriptError)
{
    path = SplitRegistryPath(args.GetItem(0).GetString());
    bool known;
    scriptError = false;
    if (root.Open(path, known))
        return true;
    if (!known) {
        context.ShowScriptError(kRegistryError, -1);
        scriptError = true;
    }
    return false;
}

// ---- Values as texts ----

// A text value of `size` bytes as the script sees it: cut at the returned
// size, without the terminators.
CString TextOfData(const std::vector<char>& data, DWORD size)
{
    while (size > 0 && data[size - 1] == '\0')
        --size;
    return CString(data.data(), static_cast<int>(size));
}

bool EncodeBinary(const char* text, std::vector<BYTE>& bytes)
{
    const size_t length = strlen(text);
    if (length % 2 != 0 || length / 2 > kDataBufferSize)
        return false;
    auto digit = [](char ch, int& value) {
        if (ch >= '0' && ch <= '9') value = ch - '0';
        else if (ch >= 'A' && ch <= 'F') value = ch - 'A' + 10;
        else if (ch >= 'a' && ch <= 'f') value = ch - 'a' + 10;
        else return false;
        return true;
    };
    bytes.clear();
    for (size_t i = 0; i < length; i += 2) {
        int high, low;
        if (!digit(text[i], high) || !digit(text[i + 1], low))
            return false;
        bytes.push_back(static_cast<BYTE>(high << 4 | low));
    }
    return true;
}

// The bytes and type RegWrite stores for a type name and data; false for
// data that does not fit the type, `knownType` false for an unknown name.
bool EncodeValue(const CString& typeName, CEngineVariant& data, DWORD& type, std::vector<BYTE>& bytes,
                 bool& knownType)
{
    knownType = true;
    const char* text = data.GetString();
    if (typeName.CompareNoCase("REG_SZ") == 0 || typeName.CompareNoCase("REG_EXPAND_SZ") == 0) {
        type = typeName.CompareNoCase("REG_SZ") == 0 ? REG_SZ : REG_EXPAND_SZ;
        bytes.assign(text, text + strlen(text) + 1);
        return true;
    }
    if (typeName.CompareNoCase("REG_MULTI_SZ") == 0) {
        type = REG_MULTI_SZ;
        size_t length = strlen(text);
        if (length > kDataBufferSize)
            length = kDataBufferSize;
        bytes.assign(text, text + length);
        if (length == 0)
            return true;
        for (BYTE& byte : bytes)
            if (byte == '\n')
                byte = 0;
        bytes.push_back(0);
        bytes.push_back(0);
        return true;
    }
    if (typeName.CompareNoCase("REG_DWORD") == 0) {
        type = REG_DWORD;
        const DWORD value = static_cast<DWORD>(static_cast<long long>(data.GetNumber()));
        const BYTE* raw = reinterpret_cast<const BYTE*>(&value);
        bytes.assign(raw, raw + sizeof value);
        return true;
    }
    if (typeName.CompareNoCase("REG_BINARY") == 0) {
        type = REG_BINARY;
        return EncodeBinary(text, bytes);
    }
    knownType = false;
    return false;
}

// ---- Handlers ----

int BuiltinRegRead(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    result.SetString("");
    RegistryRoot root;
    RegistryPath path;
    bool scriptError;
    OpenKey key;
    if (!OpenRoot(context, args, root, path, scriptError) || !key.Open(root.Get(), path.SubKey, KEY_READ)) {
        if (scriptError)
            return 1;
        context.SetError(1);
        return 0;
    }
    const CString valueName = args.GetItem(1).GetString();
    DWORD type = 0;
    if (RegQueryValueExA(key.Get(), valueName, nullptr, &type, nullptr, nullptr) != ERROR_SUCCESS) {
        context.SetError(-1);
        return 0;
    }
    std::vector<char> data(kDataBufferSize + 2, '\0');
    DWORD size = kDataBufferSize;
    if (RegQueryValueExA(key.Get(), valueName, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) !=
        ERROR_SUCCESS) {
        context.SetError(-2);
        return 0;
    }
    switch (type) {
    case REG_SZ:
    case REG_EXPAND_SZ:
        result.SetString(TextOfData(data, size));
        break;
    case REG_MULTI_SZ: {
        CString text = TextOfData(data, size);
        for (int i = 0; i < text.GetLength(); ++i)
            if (text[i] == '\0')
                text.SetAt(i, '\n');
        result.SetString(text);
        break;
    }
    case REG_DWORD:
        if (size < sizeof(DWORD)) {
            context.SetError(-2);
            break;
        }
        result.SetNumber(static_cast<double>(*reinterpret_cast<const DWORD*>(data.data())));
        break;
    case REG_BINARY: {
        CString hex;
        for (DWORD i = 0; i < size; ++i) {
            char pair[3];
            EngineSupport::FormatHex(static_cast<BYTE>(data[i]), pair, 2);
            hex += pair;
        }
        result.SetString(hex);
        break;
    }
    default:
        context.SetError(-2);
        break;
    }
    return 0;
}

int BuiltinRegWrite(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    const int count = args.GetCount();
    if (count == 2 || count == 3) {
        result.SetInt(0);
        return 0;
    }
    // The value is checked before anything is created, so that a bad type
    // or bad data leaves no new key behind.
    DWORD type = 0;
    std::vector<BYTE> bytes;
    bool validData = true, knownType = true;
    if (count == 4)
        validData = EncodeValue(args.GetItem(2).GetString(), args.GetItem(3), type, bytes, knownType);

    RegistryRoot root;
    RegistryPath path;
    bool scriptError;
    if (!OpenRoot(context, args, root, path, scriptError)) {
        if (scriptError)
            return 1;
        result.SetInt(0);
        return 0;
    }
    if (!knownType) {
        context.ShowScriptError(kRegistryError, -1);
        return 1;
    }
    if (!validData) {
        result.SetInt(0);
        return 0;
    }
    OpenKey key;
    if (!key.Create(root.Get(), path.SubKey)) {
        result.SetInt(0);
        return 0;
    }
    if (count == 1)
        return 0;
    const CString valueName = args.GetItem(1).GetString();
    if (RegSetValueExA(key.Get(), valueName, 0, type, bytes.empty() ? nullptr : bytes.data(),
                       static_cast<DWORD>(bytes.size())) != ERROR_SUCCESS)
        result.SetInt(0);
    return 0;
}

// Deletes every sub-key below `key` (not the key itself); false on the
// first failure.
bool DeleteKeyTree(HKEY key)
{
    for (;;) {
        char name[256];
        DWORD length = sizeof name;
        const LONG status = RegEnumKeyExA(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_NO_MORE_ITEMS)
            return true;
        if (status != ERROR_SUCCESS)
            return false;
        OpenKey child;
        if (!child.Open(key, name, KEY_READ | KEY_CREATE_SUB_KEY | KEY_SET_VALUE | DELETE | KEY_ENUMERATE_SUB_KEYS))
            return false;
        const bool emptied = DeleteKeyTree(child.Get());
        child.Close();
        if (!emptied || RegDeleteKeyA(key, name) != ERROR_SUCCESS)
            return false;
    }
}

int BuiltinRegDelete(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    RegistryRoot root;
    RegistryPath path;
    bool scriptError;
    if (!OpenRoot(context, args, root, path, scriptError)) {
        if (scriptError)
            return 1;
        result.SetInt(0);
        return 0;
    }
    const bool deleteValue = args.GetCount() > 1;
    // A key path without a sub-key names a whole root: it is never deleted.
    if (!deleteValue && path.SubKey.IsEmpty()) {
        result.SetInt(2);
        return 0;
    }
    OpenKey key;
    if (!key.Open(root.Get(), path.SubKey, KEY_READ | KEY_CREATE_SUB_KEY | KEY_SET_VALUE)) {
        result.SetInt(0);
        return 0;
    }
    if (deleteValue) {
        const LONG status = RegDeleteValueA(key.Get(), args.GetItem(1).GetString());
        result.SetInt(status == ERROR_SUCCESS ? 1 : status == ERROR_FILE_NOT_FOUND ? 0 : 2);
        return 0;
    }
    const bool emptied = DeleteKeyTree(key.Get());
    key.Close();
    result.SetInt(emptied && RegDeleteKeyA(root.Get(), path.SubKey) == ERROR_SUCCESS ? 1 : 2);
    return 0;
}

// RegEnumKey and RegEnumVal: the name at position n (counted from 1).
int EnumerateRegistry(BuiltinContext& context, CVariantList& args, CEngineVariant& result, bool values)
{
    RegistryRoot root;
    RegistryPath path;
    bool scriptError;
    OpenKey key;
    if (!OpenRoot(context, args, root, path, scriptError) || !key.Open(root.Get(), path.SubKey, KEY_READ)) {
        if (scriptError)
            return 1;
        result.SetString("");
        context.SetError(1);
        return 0;
    }
    const int index = args.GetItem(1).GetInt() - 1;
    std::vector<char> name(16384);
    DWORD length = static_cast<DWORD>(name.size());
    const LONG status = index < 0 ? ERROR_NO_MORE_ITEMS
                        : values  ? RegEnumValueA(key.Get(), static_cast<DWORD>(index), name.data(), &length,
                                                  nullptr, nullptr, nullptr, nullptr)
                                  : RegEnumKeyExA(key.Get(), static_cast<DWORD>(index), name.data(), &length,
                                                  nullptr, nullptr, nullptr, nullptr);
    if (status != ERROR_SUCCESS) {
        result.SetString("");
        context.SetError(-1);
        return 0;
    }
    result.SetString(name.data(), static_cast<int>(length));
    return 0;
}

int BuiltinRegEnumKey(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    return EnumerateRegistry(context, args, result, false);
}

int BuiltinRegEnumVal(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    return EnumerateRegistry(context, args, result, true);
}

const BuiltinBinding kBindings[] = {
    {"REGDELETE", BuiltinRegDelete},
    {"REGENUMKEY", BuiltinRegEnumKey},
    {"REGENUMVAL", BuiltinRegEnumVal},
    {"REGREAD", BuiltinRegRead},
    {"REGWRITE", BuiltinRegWrite},
};

}  // namespace

extern const BuiltinFamily kRegistryBuiltins = MakeBuiltinFamily("registry", kBindings);
