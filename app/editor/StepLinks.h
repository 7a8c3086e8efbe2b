// The step editors' links ("Click for more help", "Measure relative
// distance"): one look, and the maker's help pages they open.
#pragma once

#include "controls/Label.h"

// Transparent, "Tahoma" 10 points, underlined, notifying the parent, with
// the hand cursor.
void StyleStepLink(CLabel& link);

// Opens the help page of a step ("#how_Q18") in the browser; tells the user
// when that fails.
void OpenStepHelp(CWnd* owner, const char* fragment);
