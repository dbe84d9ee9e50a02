#include "Keys.h"

#include <QKeyEvent>
#include <utility>

namespace {

constexpr std::pair<int, Word> KeyTable[] = {
    {Qt::Key_Backspace, 0x08}, {Qt::Key_Tab, 0x09}, {Qt::Key_Backtab, 0x09},
    {Qt::Key_Return, 0x0D}, {Qt::Key_Enter, 0x0D}, {Qt::Key_Shift, 0x10},
    {Qt::Key_Control, 0x11}, {Qt::Key_Alt, 0x12}, {Qt::Key_Pause, 0x13},
    {Qt::Key_CapsLock, 0x14}, {Qt::Key_Escape, 0x1B}, {Qt::Key_Space, 0x20},
    {Qt::Key_PageUp, 0x21}, {Qt::Key_PageDown, 0x22}, {Qt::Key_End, 0x23},
    {Qt::Key_Home, 0x24}, {Qt::Key_Left, 0x25}, {Qt::Key_Up, 0x26},
    {Qt::Key_Right, 0x27}, {Qt::Key_Down, 0x28}, {Qt::Key_Insert, 0x2D},
    {Qt::Key_Delete, 0x2E}, {Qt::Key_Meta, 0x5B}, {Qt::Key_Menu, 0x5D},
};

} // namespace

Word VirtualKeyOf(const QKeyEvent& Event)
{
    const int Key = Event.key();
    if ((Key >= Qt::Key_0 && Key <= Qt::Key_9) || (Key >= Qt::Key_A && Key <= Qt::Key_Z))
        return Word(Key);
    if (Key >= Qt::Key_F1 && Key <= Qt::Key_F24)
        return Word(0x70 + (Key - Qt::Key_F1));
    for (const auto& [QtKey, Vk] : KeyTable)
        if (QtKey == Key)
            return Vk;
    return 0;
}

TShiftState ShiftStateOf(Qt::KeyboardModifiers Modifiers, Qt::MouseButtons Buttons)
{
    TShiftState State = 0;
    if (Modifiers & Qt::ShiftModifier) State |= ssShift;
    if (Modifiers & Qt::AltModifier) State |= ssAlt;
    if (Modifiers & Qt::ControlModifier) State |= ssCtrl;
    if (Buttons & Qt::LeftButton) State |= ssLeft;
    if (Buttons & Qt::RightButton) State |= ssRight;
    if (Buttons & Qt::MiddleButton) State |= ssMiddle;
    return State;
}

TMouseButton MouseButtonOf(Qt::MouseButton Button)
{
    switch (Button) {
    case Qt::RightButton: return TMouseButton::mbRight;
    case Qt::MiddleButton: return TMouseButton::mbMiddle;
    default: return TMouseButton::mbLeft;
    }
}

int QtKeyOfShortCut(int ShortCut)
{
    const int Vk = ShortCut & 0xFF;
    int Key = 0;
    if ((Vk >= '0' && Vk <= '9') || (Vk >= 'A' && Vk <= 'Z'))
        Key = Vk;
    else if (Vk >= 0x70 && Vk <= 0x87)
        Key = Qt::Key_F1 + (Vk - 0x70);
    else
        for (const auto& [QtKey, Code] : KeyTable)
            if (Code == Vk) { Key = QtKey; break; }
    if (Key == 0)
        return 0;
    if (ShortCut & 0x2000) Key |= Qt::SHIFT;
    if (ShortCut & 0x4000) Key |= Qt::CTRL;
    if (ShortCut & 0x8000) Key |= Qt::ALT;
    return Key;
}
