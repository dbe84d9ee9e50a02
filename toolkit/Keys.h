#pragma once
// Key codes and shift states in the Windows convention the handlers expect.
#include "Classes.h"

class QKeyEvent;
class QMouseEvent;

// The virtual-key code of a key event: letters and digits as their upper-case
// characters, the common keys by their VK_ values, 0 for keys with no code.
Word VirtualKeyOf(const QKeyEvent& Event);
TShiftState ShiftStateOf(Qt::KeyboardModifiers Modifiers, Qt::MouseButtons Buttons);
TMouseButton MouseButtonOf(Qt::MouseButton Button);
// A menu shortcut value (key code in the low byte, $2000 Shift, $4000 Ctrl, $8000 Alt).
int QtKeyOfShortCut(int ShortCut);
