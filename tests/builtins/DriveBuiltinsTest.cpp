// The drive builtins on the prefix's real drives, and the CD tray and the
// network mappings through stand-ins for the device and the network, which
// the test machine does not have.
#include "engine/builtins/DriveSystem.h"
#include "tests/builtins/BuiltinTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace builtins_test;

namespace {

TEST(DriveBuiltins, TheRealDrivesOfThePrefix)
{
    Outcome all = Call("DRIVEGETDRIVE", {Text("ALL")});
    EXPECT_EQ(all.error, 0);
    const std::string list = all.Text();
    EXPECT_NE(list.find("|c:"), std::string::npos) << list;
    EXPECT_NE(list.find("|z:"), std::string::npos) << list;
    all.result.ClearSubscripts();
    all.result.PushSubscript(0);
    EXPECT_EQ(all.result.Element()->GetInt() + 1, all.result.DimensionSize(1));
    all.result.ClearSubscripts();

    Outcome fixed = Call("DRIVEGETDRIVE", {Text("Fixed")});
    EXPECT_NE(fixed.Text().find("|c:"), std::string::npos) << fixed.Text();
    EXPECT_EQ(Call("DRIVEGETDRIVE", {Text("floppy")}).error, 1);

    EXPECT_EQ(Call("DRIVEGETTYPE", {Text("c:")}).Text(), "Fixed");
    EXPECT_EQ(Call("DRIVEGETTYPE", {Text("C:\\")}).Text(), "Fixed");
    EXPECT_EQ(Call("DRIVESTATUS", {Text("c:")}).Text(), "READY");

    Outcome fileSystem = Call("DRIVEGETFILESYSTEM", {Text("c:")});
    EXPECT_EQ(fileSystem.error, 0);
    EXPECT_FALSE(fileSystem.Text().empty());
    Outcome serial = Call("DRIVEGETSERIAL", {Text("c:")});
    EXPECT_EQ(serial.error, 0);
    EXPECT_EQ(serial.Text().find_first_not_of("0123456789"), std::string::npos) << serial.Text();
    EXPECT_EQ(Call("DRIVEGETLABEL", {Text("c:")}).error, 0);

    const double total = Call("DRIVESPACETOTAL", {Text("c:")}).Number();
    const double free = Call("DRIVESPACEFREE", {Text("c:\\")}).Number();
    EXPECT_GT(total, 0);
    EXPECT_GT(free, 0);
    EXPECT_LE(free, total);
}

TEST(DriveBuiltins, ADriveThatIsNotThereFailsEveryQuery)
{
    // The first letter from the end of the alphabet that names no drive.
    std::string drive;
    for (char letter = 'y'; letter > 'd' && drive.empty(); --letter) {
        const char root[] = {letter, ':', '\\', '\0'};
        if (GetDriveTypeA(root) == DRIVE_NO_ROOT_DIR)
            drive = std::string(1, letter) + ":";
    }
    ASSERT_FALSE(drive.empty());
    for (const char* name : {"DRIVEGETTYPE", "DRIVEGETFILESYSTEM", "DRIVEGETLABEL", "DRIVEGETSERIAL",
                             "DRIVESPACETOTAL", "DRIVESPACEFREE", "DRIVESTATUS", "DRIVEMAPGET"})
        EXPECT_EQ(Call(name, {Text(drive.c_str())}).error, 1) << name;
    EXPECT_EQ(Call("DRIVESTATUS", {Text(drive.c_str())}).Text(), "INVALID");
    EXPECT_EQ(Call("DRIVESETLABEL", {Text(drive.c_str()), Text("x")}).result.GetInt(), 0);
}

// Stand-ins for the system: drive x: is a CD drive, the MCI commands and the
// network calls are recorded and answered as the test says.
struct FakeSystem
{
    static std::vector<std::string> commands;
    static MCIERROR failAt;                 // the command number (1-based) that fails; 0: none
    static DWORD connectionError;
    static std::string connectionDescription;

    static UINT WINAPI DriveType(LPCSTR root)
    {
        return lstrcmpiA(root, "x:\\") == 0 ? DRIVE_CDROM : DRIVE_FIXED;
    }
    static MCIERROR WINAPI SendMci(LPCSTR command, LPSTR, UINT, HWND)
    {
        commands.push_back(command);
        return static_cast<MCIERROR>(commands.size()) == failAt ? 1 : 0;
    }
    static DWORD WINAPI UseConnection(HWND, LPNETRESOURCEA resource, LPCSTR password, LPCSTR user, DWORD flags,
                                      LPSTR accessName, LPDWORD accessNameSize, LPDWORD resultFlags)
    {
        char text[512];
        wsprintfA(text, "type %lu local %s remote %s user %s password %s flags %lx size %lu",
                  resource->dwType, resource->lpLocalName ? resource->lpLocalName : "(none)", resource->lpRemoteName,
                  user ? user : "(none)", password ? password : "(none)", flags, *accessNameSize);
        connectionDescription = text;
        lstrcpyA(accessName, "k:");
        *resultFlags = resource->lpLocalName ? 0 : CONNECT_LOCALDRIVE;
        return connectionError;
    }
    static DWORD WINAPI CancelConnection(LPCSTR name, DWORD, BOOL force)
    {
        return lstrcmpiA(name, "k:") == 0 && force ? NO_ERROR : ERROR_NOT_CONNECTED;
    }
    static DWORD WINAPI GetConnection(LPCSTR name, LPSTR remote, LPDWORD size)
    {
        if (lstrcmpiA(name, "k:") != 0)
            return ERROR_NOT_CONNECTED;
        lstrcpynA(remote, "\\\\server\\share", static_cast<int>(*size));
        return NO_ERROR;
    }
};
std::vector<std::string> FakeSystem::commands;
MCIERROR FakeSystem::failAt = 0;
DWORD FakeSystem::connectionError = NO_ERROR;
std::string FakeSystem::connectionDescription;

class DriveStandIns : public testing::Test
{
protected:
    DriveStandIns() : m_saved(DriveSystem())
    {
        DriveSystem() = {FakeSystem::DriveType, FakeSystem::SendMci, FakeSystem::UseConnection,
                         FakeSystem::CancelConnection, FakeSystem::GetConnection};
        FakeSystem::commands.clear();
        FakeSystem::failAt = 0;
        FakeSystem::connectionError = NO_ERROR;
    }
    ~DriveStandIns() override { DriveSystem() = m_saved; }

private:
    DriveSystemCalls m_saved;
};

TEST_F(DriveStandIns, CDTrayOpensAndClosesOnlyACDDrive)
{
    struct Case
    {
        const char* drive;
        const char* status;
        MCIERROR failAt;
        int result;
        std::vector<std::string> commands;
    };
    const Case cases[] = {
        {"x:", "OPEN", 0, 1, {"open x: type cdaudio alias cd wait", "set cd door open wait", "close cd wait"}},
        {"X:", "Close", 0, 1, {"open X: type cdaudio alias cd wait", "set cd door closed wait", "close cd wait"}},
        {"x:", "closed", 2, 0, {"open x: type cdaudio alias cd wait", "set cd door closed wait", "close cd wait"}},
        {"x:", "open", 1, 0, {"open x: type cdaudio alias cd wait"}},
        {"x:", "eject", 0, 0, {}},
        {"c:", "open", 0, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.drive) + " " + c.status);
        FakeSystem::commands.clear();
        FakeSystem::failAt = c.failAt;
        EXPECT_EQ(Call("CDTRAY", {Text(c.drive), Text(c.status)}).result.GetInt(), c.result);
        EXPECT_EQ(FakeSystem::commands, c.commands);
    }
    EXPECT_EQ(Call("DRIVEGETTYPE", {Text("x:")}).Text(), "CDROM");
    EXPECT_EQ(Call("DRIVEGETDRIVE", {Text("CDROM")}).Text(), "[1|x:]");
}

TEST_F(DriveStandIns, MapAddPassesTheDeviceAndAccountAndReportsWhyItFailed)
{
    Outcome chosen = Call("DRIVEMAPADD", {Text("*"), Text("\\\\server\\share")});
    EXPECT_EQ(chosen.Text(), "k:");
    EXPECT_EQ(FakeSystem::connectionDescription,
              "type 1 local (none) remote \\\\server\\share user (none) password (none) flags 80 size 256");

    EXPECT_EQ(Call("DRIVEMAPADD", {Text("k:"), Text("\\\\server\\share"), Int(1), Text("me"), Text("secret")})
                  .result.GetInt(),
              1);
    EXPECT_EQ(FakeSystem::connectionDescription,
              "type 1 local k: remote \\\\server\\share user me password secret flags 1 size 256");
    Call("DRIVEMAPADD", {Text("lpt1:"), Text("\\\\server\\printer"), Int(0), Text("me")});
    EXPECT_EQ(FakeSystem::connectionDescription,
              "type 2 local lpt1: remote \\\\server\\printer user me password (none) flags 0 size 256");

    const struct
    {
        DWORD system;
        int error;
    } errors[] = {{ERROR_ACCESS_DENIED, 2}, {ERROR_ALREADY_ASSIGNED, 3}, {ERROR_DEVICE_ALREADY_REMEMBERED, 3},
                  {ERROR_BAD_DEVICE, 4},    {ERROR_BAD_NET_NAME, 5},     {ERROR_INVALID_PASSWORD, 6},
                  {ERROR_NO_NETWORK, 1}};
    for (const auto& e : errors) {
        FakeSystem::connectionError = e.system;
        Outcome failed = Call("DRIVEMAPADD", {Text("*"), Text("\\\\server\\share")});
        EXPECT_EQ(failed.result.GetInt(), 0) << e.system;
        EXPECT_EQ(failed.error, e.error) << e.system;
    }

    EXPECT_EQ(Call("DRIVEMAPGET", {Text("k:")}).Text(), "\\\\server\\share");
    Outcome notMapped = Call("DRIVEMAPGET", {Text("m:")});
    EXPECT_EQ(notMapped.Text(), "");
    EXPECT_EQ(notMapped.error, 1);
    EXPECT_EQ(Call("DRIVEMAPDEL", {Text("k:")}).result.GetInt(), 1);
    EXPECT_EQ(Call("DRIVEMAPDEL", {Text("m:")}).result.GetInt(), 0);
}

}  // namespace
