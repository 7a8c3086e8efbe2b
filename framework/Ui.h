// The framework's window classes, on top of its core (Framework.h): the
// application and its threads, windows with message maps, dialogs with data
// exchange, the Windows controls, menus, image lists and GDI.
#pragma once

#include "framework/Framework.h"

#include "framework/CmdTarget.h"
#include "framework/CommonControls.h"
#include "framework/ControlContainer.h"
#include "framework/Controls.h"
#include "framework/DataExchange.h"
#include "framework/Dc.h"
#include "framework/Dialog.h"
#include "framework/FileDialog.h"
#include "framework/Gdi.h"
#include "framework/HtmlView.h"
#include "framework/ImageList.h"
#include "framework/Menu.h"
#include "framework/MessageMap.h"
#include "framework/WinApp.h"
#include "framework/WinThread.h"
#include "framework/Wnd.h"
