#include "Timer.h"

TTimer::TTimer(QObject* Owner) : QObject(Owner)
{
    FTimer.setInterval(1000);
    FTimer.setTimerType(Qt::PreciseTimer);
    connect(&FTimer, &QTimer::timeout, this, [this] { Fire(OnTimer, static_cast<TObject*>(this)); });
    Update();
}

void TTimer::SetEnabled(bool V)
{
    if (V == FEnabled)
        return;
    FEnabled = V;
    Update();
}

void TTimer::Update()
{
    if (FEnabled && FTimer.interval() > 0)
        FTimer.start();
    else
        FTimer.stop();
}

bool TTimer::SetProperty(std::string_view Prop, const TPropValue& V)
{
    if (Prop == "Interval") {
        FTimer.setInterval(int(PropNumber(V, Prop)));
        Update();
    } else if (Prop == "Enabled")
        SetEnabled(PropFlag(V, Prop));
    else
        return false;
    return true;
}

bool TTimer::SetEvent(std::string_view Event, const THandler& H)
{
    if (Event != "OnTimer" || !std::holds_alternative<TNotifyEvent>(H))
        return false;
    OnTimer = std::get<TNotifyEvent>(H);
    return true;
}
