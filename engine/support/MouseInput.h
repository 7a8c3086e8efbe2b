// Synthetic mouse buttons and wheel steps at the cursor's position.
#pragma once

namespace EngineSupport {

enum MouseButton { kLeftButton, kRightButton, kMiddleButton };

// "RIGHT" or "MIDDLE" (either case); any other text means the left button.
MouseButton MouseButtonNamed(const char* button);

void MouseButtonDown(MouseButton button);
void MouseButtonUp(MouseButton button);
inline void MouseButtonDown(const char* button) { MouseButtonDown(MouseButtonNamed(button)); }
inline void MouseButtonUp(const char* button) { MouseButtonUp(MouseButtonNamed(button)); }

// One wheel notch: away from the user for "UP" (either case), towards the
// user for anything else.
void MouseWheelStep(const char* direction);

}  // namespace EngineSupport
