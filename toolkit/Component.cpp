#include "Component.h"

#include "Application.h"

bool TComponent::SetProperty(std::string_view, const TPropValue&) { return false; }
bool TComponent::SetEvent(std::string_view, const THandler&) { return false; }

void TControl::SetColor(TColor V)
{
    if (V == FColor)
        return;
    FColor = V;
    FWidget.update();
}

void TControl::SetFontColor(TColor V)
{
    if (V == FFontColor)
        return;
    FFontColor = V;
    FWidget.update();
}

void TControl::UpdateHint() { FWidget.setToolTip(HintShown() ? FHint : QString()); }

bool TControl::SetProperty(std::string_view Prop, const TPropValue& V)
{
    if (Prop == "Left") SetLeft(int(PropNumber(V, Prop)));
    else if (Prop == "Top") SetTop(int(PropNumber(V, Prop)));
    else if (Prop == "Width") FWidget.resize(int(PropNumber(V, Prop)), Height());
    else if (Prop == "Height") FWidget.resize(Width(), int(PropNumber(V, Prop)));
    else if (Prop == "Enabled") SetEnabled(PropFlag(V, Prop));
    else if (Prop == "Visible") FWidget.setVisible(PropFlag(V, Prop));
    else if (Prop == "Color") SetColor(TColor(PropNumber(V, Prop)));
    else if (Prop == "ParentColor") { if (PropFlag(V, Prop)) SetColor(clBtnFace); }
    else if (Prop == "Hint") { FHint = PropText(V, Prop); UpdateHint(); }
    else if (Prop == "ShowHint") { FShowHint = PropFlag(V, Prop); UpdateHint(); }
    else if (Prop == "ParentShowHint") { FParentShowHint = PropFlag(V, Prop); UpdateHint(); }
    else if (Prop == "TabOrder") FTabOrder = int(PropNumber(V, Prop));
    else if (Prop == "ParentFont") { if (PropFlag(V, Prop)) FWidget.setFont(QFont()); }
    else if (Prop == "Font.Name") {
        QFont F = FWidget.font();
        F.setFamilies(FontFamilies(PropText(V, Prop)));
        FWidget.setFont(F);
        FontChanged();
    } else if (Prop == "Font.Height") {
        QFont F = FWidget.font();
        F.setPixelSize(FontPixelSize(int(PropNumber(V, Prop))));
        FWidget.setFont(F);
        FontChanged();
    } else if (Prop == "Font.Style") {
        QFont F = FWidget.font();
        F.setBold(PropText(V, Prop) == QLatin1String("fsBold"));
        FWidget.setFont(F);
        FontChanged();
    } else if (Prop == "Font.Color") SetFontColor(TColor(PropNumber(V, Prop)));
    else return false;
    return true;
}

namespace {
int HandlerDepth = 0;
TEventTrace CurrentTrace = nullptr;
} // namespace

void SetEventTrace(TEventTrace Trace) { CurrentTrace = Trace; }

void TraceEvent(const QObject* Sender)
{
    if (CurrentTrace)
        CurrentTrace(Sender->objectName());
}

void RunHandler(const std::function<void()>& Body)
{
    struct TDepth {
        TDepth() { ++HandlerDepth; }
        ~TDepth() { --HandlerDepth; }
    };
    try {
        TDepth Depth;
        Body();
    } catch (const EPlatformError& E) {
        if (HandlerDepth > 0)
            throw;
        Application->ShowException(E);
    }
}
