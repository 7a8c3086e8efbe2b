// Drive builtins: the drives there are, their types, file systems, labels,
// serial numbers, space and status, network drive mappings, and the CD tray.
// A drive argument is a root path; a missing trailing backslash is added,
// and critical-error boxes are turned off so that an empty drive answers
// with an error code instead of a dialog.
#include "engine/builtins/BuiltinFamily.h"

#include "base/OsVersion.h"
#include "engine/builtins/BuiltinSupport.h"
#include "engine/builtins/DriveSystem.h"

#include <string.h>

DriveSystemCalls& DriveSystem()
{
    static DriveSystemCalls calls = {GetDriveTypeA, mciSendStringA, WNetUseConnectionA, WNetCancelConnection2A,
                                     WNetGetConnectionA};
    return calls;
}

namespace {

CString DriveRoot(CVariantList& args, int index = 0)
{
    CString root = args.GetItem(index).GetString();
    if (root.IsEmpty() || root[root.GetLength() - 1] != '\\')
        root += '\\';
    return root;
}

CString QuietDriveRoot(CVariantList& args)
{
    SetErrorMode(SEM_FAILCRITICALERRORS);
    return DriveRoot(args);
}

bool StartsWithNoCase(const CString& text, const char* prefix)
{
    const int length = static_cast<int>(strlen(prefix));
    return text.GetLength() >= length && text.Left(length).CompareNoCase(prefix) == 0;
}

struct DriveTypeName
{
    const char* Filter;     // DriveGetDrive's filter
    const char* Name;       // DriveGetType's answer
    UINT Type;
};

const DriveTypeName kDriveTypes[] = {
    {"removable", "Removable", DRIVE_REMOVABLE}, {"fixed", "Fixed", DRIVE_FIXED},
    {"network", "Network", DRIVE_REMOTE},        {"cdrom", "CDROM", DRIVE_CDROM},
    {"ramdisk", "RAMDisk", DRIVE_RAMDISK},       {"unknown", "Unknown", DRIVE_UNKNOWN},
};

int BuiltinDriveGetDrive(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    SetErrorMode(SEM_FAILCRITICALERRORS);
    const CString filter = args.GetItem(0).GetString();
    const bool all = filter.CompareNoCase("all") == 0;
    const DriveTypeName* wanted = nullptr;
    for (const DriveTypeName& type : kDriveTypes)
        if (filter.CompareNoCase(type.Filter) == 0)
            wanted = &type;
    if (!all && !wanted) {
        context.SetError(1);
        return 0;
    }
    CString drives;
    for (char letter = 'a'; letter <= 'z'; ++letter) {
        const char root[] = {letter, ':', '\\', '\0'};
        const UINT type = DriveSystem().GetDriveType(root);
        if (all ? type != DRIVE_NO_ROOT_DIR : type == wanted->Type)
            drives += letter;
    }
    if (drives.IsEmpty() || !BuiltinSupport::MakeArray(result, drives.GetLength() + 1)) {
        context.SetError(1);
        return 0;
    }
    BuiltinSupport::ArrayElement(result, 0)->SetInt(drives.GetLength());
    for (int i = 0; i < drives.GetLength(); ++i) {
        const char drive[] = {drives[i], ':', '\0'};
        BuiltinSupport::ArrayElement(result, i + 1)->SetString(drive);
    }
    return 0;
}

int BuiltinDriveGetType(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    const UINT type = DriveSystem().GetDriveType(QuietDriveRoot(args));
    if (type == DRIVE_NO_ROOT_DIR) {
        result.SetString("");
        context.SetError(1);
        return 0;
    }
    const char* name = "Unknown";
    for (const DriveTypeName& entry : kDriveTypes)
        if (entry.Type == type)
            name = entry.Name;
    result.SetString(name);
    return 0;
}

enum VolumeDetail { VolumeFileSystem, VolumeLabel, VolumeSerial };

// One detail of GetVolumeInformationA for the drive argument; on failure an
// empty text and @error 1.
int ReadVolumeDetail(BuiltinContext& context, CVariantList& args, CEngineVariant& result, VolumeDetail detail)
{
    char label[MAX_PATH], fileSystem[MAX_PATH];
    DWORD serial, maximumLength, flags;
    if (!GetVolumeInformationA(QuietDriveRoot(args), label, MAX_PATH, &serial, &maximumLength, &flags, fileSystem,
                               MAX_PATH)) {
        result.SetString("");
        context.SetError(1);
        return 0;
    }
    char serialText[16];
    wsprintfA(serialText, "%lu", serial);
    result.SetString(detail == VolumeFileSystem ? fileSystem : detail == VolumeLabel ? label : serialText);
    return 0;
}

int BuiltinDriveGetFileSystem(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    return ReadVolumeDetail(context, args, result, VolumeFileSystem);
}

int BuiltinDriveGetLabel(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    return ReadVolumeDetail(context, args, result, VolumeLabel);
}

int BuiltinDriveGetSerial(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    return ReadVolumeDetail(context, args, result, VolumeSerial);
}

int BuiltinDriveSetLabel(BuiltinContext&, CVariantList& args, CEngineVariant& result)
{
    const CString root = DriveRoot(args);
    SetErrorMode(SEM_FAILCRITICALERRORS);
    if (!SetVolumeLabelA(root, args.GetItem(1).GetString()))
        result.SetInt(0);
    return 0;
}

// The drive's total bytes, or those free to the caller, in megabytes.
int DriveSpace(BuiltinContext& context, CVariantList& args, CEngineVariant& result, bool total)
{
    typedef BOOL(WINAPI * DiskFreeSpaceEx)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);
    const CString root = QuietDriveRoot(args);
    const auto freeSpaceEx = reinterpret_cast<DiskFreeSpaceEx>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetDiskFreeSpaceExA")));
    double bytes;
    if (freeSpaceEx) {
        ULARGE_INTEGER available, totalBytes, totalFree;
        if (!freeSpaceEx(root, &available, &totalBytes, &totalFree)) {
            context.SetError(1);
            return 0;
        }
        bytes = static_cast<double>(total ? totalBytes.QuadPart : available.QuadPart);
    } else {
        DWORD sectorsPerCluster, bytesPerSector, freeClusters, totalClusters;
        if (!GetDiskFreeSpaceA(root, &sectorsPerCluster, &bytesPerSector, &freeClusters, &totalClusters)) {
            context.SetError(1);
            return 0;
        }
        bytes = static_cast<double>(sectorsPerCluster) * bytesPerSector * (total ? totalClusters : freeClusters);
    }
    result.SetNumber(bytes / 1048576.0);
    return 0;
}

int BuiltinDriveSpaceTotal(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    return DriveSpace(context, args, result, true);
}

int BuiltinDriveSpaceFree(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    return DriveSpace(context, args, result, false);
}

int BuiltinDriveStatus(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    DWORD sectorsPerCluster, bytesPerSector, freeClusters, totalClusters;
    if (GetDiskFreeSpaceA(QuietDriveRoot(args), &sectorsPerCluster, &bytesPerSector, &freeClusters, &totalClusters)) {
        result.SetString("READY");
        return 0;
    }
    const DWORD error = GetLastError();
    result.SetString(error == ERROR_PATH_NOT_FOUND   ? "INVALID"
                     : error == ERROR_WRITE_PROTECT  ? "READONLY"
                     : error == ERROR_NOT_READY      ? "NOTREADY"
                                                     : "UNKNOWN");
    context.SetError(1);
    return 0;
}

// @error of a failed DriveMapAdd for the system's error code.
int MapAddError(DWORD error)
{
    switch (error) {
    case ERROR_ACCESS_DENIED: return 2;
    case ERROR_ALREADY_ASSIGNED:
    case ERROR_DEVICE_ALREADY_REMEMBERED: return 3;
    case ERROR_BAD_DEVICE: return 4;
    case ERROR_BAD_NET_NAME: return 5;
    case ERROR_INVALID_PASSWORD: return 6;
    default: return 1;
    }
}

int BuiltinDriveMapAdd(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    const CString device = args.GetItem(0).GetString();
    const CString share = args.GetItem(1).GetString();
    const bool systemChoosesDevice = StartsWithNoCase(device, "*");
    NETRESOURCEA resource = {};
    resource.dwType = StartsWithNoCase(device, "LPT") ? RESOURCETYPE_PRINT : RESOURCETYPE_DISK;
    resource.lpLocalName = device.IsEmpty() || systemChoosesDevice ? nullptr : const_cast<LPSTR>(static_cast<LPCSTR>(device));
    resource.lpRemoteName = const_cast<LPSTR>(static_cast<LPCSTR>(share));

    const bool withAccount = args.GetCount() >= 4 && !g_OsVersion.Is9x;
    const CString user = withAccount ? CString(args.GetItem(3).GetString()) : CString();
    const CString password = withAccount && args.GetCount() >= 5 ? CString(args.GetItem(4).GetString()) : CString();
    DWORD flags = args.GetCount() > 2 ? static_cast<DWORD>(args.GetItem(2).GetInt()) : 0;
    if (systemChoosesDevice)
        flags |= CONNECT_REDIRECT;

    char accessName[256] = "";
    DWORD accessNameSize = sizeof accessName;
    DWORD resultFlags = 0;
    const DWORD error = DriveSystem().UseConnection(nullptr, &resource,
                                                    withAccount && args.GetCount() >= 5 ? static_cast<LPCSTR>(password) : nullptr,
                                                    withAccount ? static_cast<LPCSTR>(user) : nullptr, flags, accessName,
                                                    &accessNameSize, &resultFlags);
    if (error != NO_ERROR) {
        result.SetInt(0);
        context.SetError(MapAddError(error));
        return 0;
    }
    if (systemChoosesDevice) {
        accessName[sizeof accessName - 1] = '\0';
        result.SetString(resultFlags & CONNECT_LOCALDRIVE ? accessName : "");
    }
    return 0;
}

int BuiltinDriveMapDel(BuiltinContext&, CVariantList& args, CEngineVariant& result)
{
    if (DriveSystem().CancelConnection(args.GetItem(0).GetString(), 0, TRUE) != NO_ERROR)
        result.SetInt(0);
    return 0;
}

int BuiltinDriveMapGet(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    char share[1024] = "";
    DWORD size = sizeof share;
    if (DriveSystem().GetConnection(args.GetItem(0).GetString(), share, &size) != NO_ERROR) {
        result.SetString("");
        context.SetError(1);
        return 0;
    }
    share[sizeof share - 1] = '\0';
    result.SetString(share);
    return 0;
}

int BuiltinCDTray(BuiltinContext&, CVariantList& args, CEngineVariant& result)
{
    const CString drive = args.GetItem(0).GetString();
    CString status = args.GetItem(1).GetString();
    status.MakeLower();
    if (status == "close")
        status = "closed";
    CString root = drive;
    if (root.IsEmpty() || root[root.GetLength() - 1] != '\\')
        root += '\\';
    SetErrorMode(SEM_FAILCRITICALERRORS);
    if ((status != "open" && status != "closed") || DriveSystem().GetDriveType(root) != DRIVE_CDROM) {
        result.SetInt(0);
        return 0;
    }
    const DriveSystemCalls& system = DriveSystem();
    if (system.SendMciString("open " + drive + " type cdaudio alias cd wait", nullptr, 0, nullptr) != 0) {
        result.SetInt(0);
        return 0;
    }
    if (system.SendMciString("set cd door " + status + " wait", nullptr, 0, nullptr) != 0)
        result.SetInt(0);
    system.SendMciString("close cd wait", nullptr, 0, nullptr);
    return 0;
}

const BuiltinBinding kBindings[] = {
    {"CDTRAY", BuiltinCDTray},
    {"DRIVEGETDRIVE", BuiltinDriveGetDrive},
    {"DRIVEGETFILESYSTEM", BuiltinDriveGetFileSystem},
    {"DRIVEGETLABEL", BuiltinDriveGetLabel},
    {"DRIVEGETSERIAL", BuiltinDriveGetSerial},
    {"DRIVEGETTYPE", BuiltinDriveGetType},
    {"DRIVEMAPADD", BuiltinDriveMapAdd},
    {"DRIVEMAPDEL", BuiltinDriveMapDel},
    {"DRIVEMAPGET", BuiltinDriveMapGet},
    {"DRIVESETLABEL", BuiltinDriveSetLabel},
    {"DRIVESPACEFREE", BuiltinDriveSpaceFree},
    {"DRIVESPACETOTAL", BuiltinDriveSpaceTotal},
    {"DRIVESTATUS", BuiltinDriveStatus},
};

}  // namespace

extern const BuiltinFamily kDriveBuiltins = MakeBuiltinFamily("drives", kBindings);
