#pragma once
// The event types and small value types that the windows' handlers see.
#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <variant>

using TObject = QObject;
using Word = std::uint16_t;

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

enum TShiftFlag : unsigned {
    ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32
};
using TShiftState = unsigned;

using TNotifyEvent = std::function<void(TObject* Sender)>;
using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(TObject* Sender, Word& Key, TShiftState Shift)>;
using THandler = std::variant<TNotifyEvent, TMouseEvent, TKeyEvent>;

// A failure the platform raises inside a handler; the application shows its message
// in the error box and goes on.
class EPlatformError : public std::runtime_error {
public:
    explicit EPlatformError(const QString& Message)
        : std::runtime_error(Message.toStdString()), FMessage(Message) {}
    QString Message() const { return FMessage; }

private:
    QString FMessage;
};
