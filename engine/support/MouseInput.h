// Synthetic mouse buttons and wheel steps at the cursor's position.
#pragma once

namespace EngineSupport {

// `button` is "RIGHT" or "MIDDLE" (either case); any other text means the
// left button.
void MouseButtonDown(const char* button);
void MouseButtonUp(const char* button);

// One wheel notch: away from the user for "UP" (either case), towards the
// user for anything else.
void MouseWheelStep(const char* direction);

}  // namespace EngineSupport
