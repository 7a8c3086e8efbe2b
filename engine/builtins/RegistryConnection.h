// How the registry builtins reach another computer's registry: replaceable,
// so that tests can stand in for a remote machine where there is no network.
// The engine never changes it.
#pragma once

#include <windows.h>

typedef LONG(WINAPI* ConnectRegistryCall)(LPCSTR computer, HKEY root, PHKEY remoteRoot);

// RegConnectRegistryA unless a test replaced it.
ConnectRegistryCall& RegistryConnector();
