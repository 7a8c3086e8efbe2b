// The framework's non-window classes: strings, containers, files, archives,
// geometry.
#pragma once

#include <windows.h>

#include "framework/Archive.h"
#include "framework/Collections.h"
#include "framework/File.h"
#include "framework/Geometry.h"
#include "framework/MemFile.h"
#include "framework/MessageBox.h"
#include "framework/Object.h"
#include "framework/String.h"

#ifndef ASSERT
#define ASSERT(condition) ((void)0)
#endif
#ifndef VERIFY
#define VERIFY(condition) ((void)(condition))
#endif
