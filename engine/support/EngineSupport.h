// Every Win32 support routine of the script engine, namespace EngineSupport.
#pragma once

#include "engine/support/FileTree.h"
#include "engine/support/LocalAddress.h"
#include "engine/support/MouseInput.h"
#include "engine/support/PathHelpers.h"
#include "engine/support/PreciseSleep.h"
#include "engine/support/RegistryAndVersion.h"
#include "engine/support/Shutdown.h"
#include "engine/support/SoundPlayer.h"
#include "engine/support/TextHelpers.h"
#include "engine/support/TimedMessageBox.h"
#include "engine/support/UrlDownload.h"
