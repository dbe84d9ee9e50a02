#include "FormLoader.h"

#include "FlatButtons.h"
#include "Form.h"
#include "Image.h"
#include "Label.h"
#include "Menus.h"
#include "PageControl.h"
#include "Published.h"
#include "ScrollBar.h"
#include "Shape.h"
#include "SpinEdit.h"
#include "Timer.h"

#include <QLineEdit>
#include <QTabBar>
#include <algorithm>
#include <stdexcept>
#include <string>

namespace {

[[noreturn]] void Fault(const std::string& What) { throw std::logic_error("form description: " + What); }

QWidget* ParentWidget(TForm& Form, TComponent* Parent)
{
    if (!Parent)
        return Form.Surface();
    auto* Control = dynamic_cast<TControl*>(Parent);
    if (!Control)
        Fault("a control's parent must be a control");
    return &Control->Widget();
}

TComponent* Create(TForm& Form, std::string_view Kind, TComponent* Parent)
{
    if (Kind == "TLabel") return new TLabel(ParentWidget(Form, Parent));
    if (Kind == "TShape") return new TShape(ParentWidget(Form, Parent));
    if (Kind == "TScrollBar") return new TScrollBar(ParentWidget(Form, Parent));
    if (Kind == "TSpinEdit") return new TSpinEdit(ParentWidget(Form, Parent));
    if (Kind == "TImage") return new TImage(ParentWidget(Form, Parent));
    if (Kind == "TFlatButton") return new TFlatButton(ParentWidget(Form, Parent));
    if (Kind == "TFlatSpeedButton") return new TFlatSpeedButton(ParentWidget(Form, Parent));
    if (Kind == "TPageControl") return new TPageControl(ParentWidget(Form, Parent));
    if (Kind == "TTabSheet") {
        auto* Owner = dynamic_cast<TPageControl*>(Parent);
        if (!Owner) Fault("a tab sheet belongs to a page control");
        return new TTabSheet(Owner);
    }
    if (Kind == "TTimer") return new TTimer(&Form);
    if (Kind == "TMainMenu") return new TMainMenu(&Form, Form.MenuBar());
    if (Kind == "TMenuItem") {
        auto* Item = new TMenuItem(&Form);
        if (auto* Menu = dynamic_cast<TMainMenu*>(Parent)) Menu->Add(Item);
        else if (auto* Owner = dynamic_cast<TMenuItem*>(Parent)) Owner->Add(Item);
        else Fault("a menu item belongs to a menu or a menu item");
        return Item;
    }
    Fault("unknown kind " + std::string(Kind));
}

void ApplyProps(TComponent& C, const std::vector<TProp>& Props, const char* Owner)
{
    for (const TProp& P : Props)
        if (!C.SetProperty(P.Name, P.Value))
            Fault(std::string(Owner) + " has no property " + P.Name);
}

void BindEvents(TForm& Form, TComponent& C, const std::vector<TEventBinding>& Events,
                const TPublished& Published, const char* Owner)
{
    for (const TEventBinding& B : Events) {
        const auto M = std::find_if(Published.Methods.begin(), Published.Methods.end(),
                                    [&](const TPublishedMethod& P) { return std::string_view(P.Name) == B.Handler; });
        if (M == Published.Methods.end())
            Fault(std::string("no handler ") + B.Handler);
        if (!C.SetEvent(B.Event, M->Bind(Form)))
            Fault(std::string(Owner) + " raises no " + B.Event + " of the kind " + B.Handler + " takes");
    }
}

// The widget that takes the focus for a control.
QWidget* FocusWidget(TControl& C)
{
    if (auto* Spin = dynamic_cast<TSpinEdit*>(&C)) return Spin->Editor();
    if (auto* Pages = dynamic_cast<TPageControl*>(&C)) return Pages->tabBar();
    return &C.Widget();
}

// Controls in tab order: each parent's children by TabOrder, a container followed by
// its own children, as the Tab key visits them.
void CollectTabOrder(TForm& Form, QWidget* Parent, QList<QWidget*>& Order)
{
    QList<TControl*> Children;
    for (TComponent* C : Form.Components())
        if (auto* Control = dynamic_cast<TControl*>(C); Control && Control->Widget().parentWidget() == Parent)
            Children << Control;
    std::stable_sort(Children.begin(), Children.end(),
                     [](TControl* A, TControl* B) { return A->TabOrder() < B->TabOrder(); });
    for (TControl* Control : Children) {
        if (QWidget* Focus = FocusWidget(*Control); Focus->focusPolicy() & Qt::TabFocus)
            Order << Focus;
        if (auto* Pages = dynamic_cast<TPageControl*>(Control)) {
            for (int I = 0; I < Pages->count(); ++I)
                CollectTabOrder(Form, Pages->widget(I), Order);
        } else
            CollectTabOrder(Form, &Control->Widget(), Order);
    }
}

} // namespace

void LoadForm(TForm& Form, const TFormDesc& Desc, const TPublished& Published)
{
    Form.Name = QString::fromUtf8(Desc.Name);
    Form.setObjectName(Form.Name);
    ApplyProps(Form, Desc.Props, Desc.Name);
    for (const TComponentDesc& D : Desc.Components) {
        TComponent* Parent = nullptr;
        if (D.Parent && !(Parent = Form.FindComponent(QString::fromUtf8(D.Parent))))
            Fault(std::string(D.Name) + ": no parent " + D.Parent);
        if (Form.FindComponent(QString::fromUtf8(D.Name)))
            Fault(std::string("two components named ") + D.Name);
        TComponent* C = Create(Form, D.Kind, Parent);
        C->Name = QString::fromUtf8(D.Name);
        C->Object()->setObjectName(C->Name);
        Form.AddComponent(C);
        ApplyProps(*C, D.Props, D.Name);
    }
    for (const TPublishedField& F : Published.Fields) {
        TComponent* C = Form.FindComponent(QString::fromUtf8(F.Name));
        if (!C || !F.Assign(Form, C))
            Fault(std::string("no component of the right kind for the field ") + F.Name);
    }
    for (TComponent* C : Form.Components())
        C->Loaded();
    Form.Loaded();

    BindEvents(Form, Form, Desc.Events, Published, Desc.Name);
    for (const TComponentDesc& D : Desc.Components)
        BindEvents(Form, *Form.FindComponent(QString::fromUtf8(D.Name)), D.Events, Published, D.Name);

    QList<QWidget*> Order;
    CollectTabOrder(Form, Form.Surface(), Order);
    for (qsizetype I = 1; I < Order.size(); ++I)
        QWidget::setTabOrder(Order[I - 1], Order[I]);
    if (!Order.isEmpty())
        Order.first()->setFocus();

    Fire(Form.OnCreate, static_cast<TObject*>(&Form));
}
