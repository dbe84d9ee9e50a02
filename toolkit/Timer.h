#pragma once
// A repeating timer: OnTimer runs every Interval milliseconds while Enabled. Ticks
// come through the event loop, so they never interrupt a handler and never pile up.
#include "Component.h"

#include <QTimer>

class TTimer : public QObject, public TComponent {
    Q_OBJECT
public:
    explicit TTimer(QObject* Owner);
    QObject* Object() override { return this; }

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool V);
    int Interval() const { return FTimer.interval(); }
    bool SetProperty(std::string_view Prop, const TPropValue& Value) override;
    bool SetEvent(std::string_view Event, const THandler& Handler) override;

    TNotifyEvent OnTimer;

private:
    void Update();
    QTimer FTimer;
    bool FEnabled = true;
};
