#pragma once
// The base of every component a description can hold (TComponent) and of the visual
// ones (TControl): name, properties set by name while loading, and the properties
// all controls share. Geometry, painting and input stay with the Qt widget.
#include "FormDescription.h"
#include "Graphics.h"

#include <QFont>
#include <QWidget>

class TComponent {
public:
    virtual ~TComponent() = default;
    QString Name;
    virtual QObject* Object() = 0;
    // One property of the description; false when this kind has no such property.
    virtual bool SetProperty(std::string_view Prop, const TPropValue& Value);
    // One event binding; false when this kind raises no such event.
    virtual bool SetEvent(std::string_view Event, const THandler& Handler);
    // Runs once the whole description is loaded, before any handler is bound.
    virtual void Loaded() {}
};

class TControl : public TComponent {
public:
    explicit TControl(QWidget& Self) : FWidget(Self) {}
    QObject* Object() override { return &FWidget; }
    QWidget& Widget() const { return FWidget; }

    int Left() const { return FWidget.x(); }
    int Top() const { return FWidget.y(); }
    int Width() const { return FWidget.width(); }
    int Height() const { return FWidget.height(); }
    void SetLeft(int V) { FWidget.move(V, Top()); }
    void SetTop(int V) { FWidget.move(Left(), V); }
    bool Enabled() const { return FWidget.isEnabled(); }
    void SetEnabled(bool V) { FWidget.setEnabled(V); }
    TColor Color() const { return FColor; }
    void SetColor(TColor V);    // repaints only when the value changes
    TColor FontColor() const { return FFontColor; }
    void SetFontColor(TColor V);
    QString Hint() const { return FHint; }
    bool HintShown() const { return FShowHint && !FParentShowHint; }
    int TabOrder() const { return FTabOrder; }

    bool SetProperty(std::string_view Prop, const TPropValue& Value) override;

protected:
    // The widget's font or size changed: auto-sizing controls measure again.
    virtual void FontChanged() {}

private:
    void UpdateHint();
    QWidget& FWidget;
    TColor FColor = clBtnFace;
    TColor FFontColor = clWindowText;
    QString FHint;
    bool FShowHint = false;
    bool FParentShowHint = true;
    int FTabOrder = -1;
};

// Calls a handler as the message loop would: a platform error raised anywhere in the
// outermost handler ends it and is shown in the application's error box; nested
// handlers pass it on, so the whole chain stops.
void RunHandler(const std::function<void()>& Body);

// Tests follow the handlers that run through this hook: it sees the sender's name
// each time a bound handler is called.
using TEventTrace = void (*)(const QString& SenderName);
void SetEventTrace(TEventTrace Trace);
void TraceEvent(const QObject* Sender);

template <class Event, class... Args>
void Fire(const Event& Handler, TObject* Sender, Args&&... A)
{
    if (!Handler)
        return;
    TraceEvent(Sender);
    RunHandler([&] { Handler(Sender, std::forward<Args>(A)...); });
}
