#include "Beep.h"

#include <QApplication>

namespace {
TBeepHook CurrentHook = nullptr;
}

void Beep()
{
    if (CurrentHook)
        CurrentHook();
    else
        QApplication::beep();
}

void SetBeepHook(TBeepHook Hook) { CurrentHook = Hook; }
