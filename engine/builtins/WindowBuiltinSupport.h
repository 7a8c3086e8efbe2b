// What the window, window-wait and control builtins share: the window search
// for their first two arguments (title, optional text).
#pragma once

#include "engine/VariantList.h"
#include "engine/builtins/BuiltinContext.h"
#include "engine/builtins/BuiltinSupport.h"

// The search for the title (argument 1) and the text (argument 2, empty when
// not given).
inline void SetWindowSearch(BuiltinContext& context, CVariantList& args)
{
    CWindowSearch& search = context.WindowSearch();
    search.Title = args.GetItem(0).GetString();
    search.Text = args.GetCount() >= 2 ? args.GetItem(1).GetString() : "";
}

// The array [x, y, width, height] of a window's or control's place.
inline void MakeRectangleArray(CEngineVariant& result, int x, int y, int width, int height)
{
    if (!BuiltinSupport::MakeArray(result, 4))
        return;
    const int values[] = {x, y, width, height};
    for (int i = 0; i < 4; ++i)
        BuiltinSupport::ArrayElement(result, i)->SetInt(values[i]);
}
