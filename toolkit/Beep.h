#pragma once
// The refusal sound of an input control. Tests hear it through a hook instead of the
// loudspeaker.
using TBeepHook = void (*)();

void Beep();
void SetBeepHook(TBeepHook Hook); // nullptr: the real bell
