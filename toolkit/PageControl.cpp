#include "PageControl.h"

#include <QTabBar>
#include <stdexcept>

TPageControl::TPageControl(QWidget* Parent) : QTabWidget(Parent), TControl(static_cast<QWidget&>(*this))
{
    setAttribute(Qt::WA_NoMousePropagation);
    setFocusPolicy(Qt::NoFocus); // the tabs take the focus
    tabBar()->setFocusPolicy(Qt::StrongFocus);
    tabBar()->setDrawBase(true);
    connect(this, &QTabWidget::currentChanged, this,
            [this] { Fire(OnChange, static_cast<TObject*>(this)); });
}

TTabSheet* TPageControl::ActivePage() const { return static_cast<TTabSheet*>(currentWidget()); }

void TPageControl::AddPage(TTabSheet* Page)
{
    const QSignalBlocker Quiet(this); // adding the first page is no user's switch
    addTab(Page, QString());
}

bool TPageControl::SetProperty(std::string_view Prop, const TPropValue& V)
{
    if (Prop == "ActivePage") { // names a page created later in the description
        FActivePageName = PropText(V, Prop);
        return true;
    }
    return TControl::SetProperty(Prop, V);
}

void TPageControl::Loaded()
{
    if (FActivePageName.isEmpty())
        return;
    for (int I = 0; I < count(); ++I)
        if (static_cast<TTabSheet*>(widget(I))->Name == FActivePageName) {
            const QSignalBlocker Quiet(this);
            setCurrentIndex(I);
            return;
        }
    throw std::logic_error("ActivePage names no page of the page control");
}

bool TPageControl::SetEvent(std::string_view Event, const THandler& H)
{
    if (Event != "OnChange" || !std::holds_alternative<TNotifyEvent>(H))
        return false;
    OnChange = std::get<TNotifyEvent>(H);
    return true;
}

TTabSheet::TTabSheet(TPageControl* Owner)
    : QWidget(Owner), TControl(static_cast<QWidget&>(*this)), FOwner(Owner)
{
    setAutoFillBackground(true);
    Owner->AddPage(this);
}

bool TTabSheet::SetProperty(std::string_view Prop, const TPropValue& V)
{
    if (Prop == "Caption") {
        FCaption = PropText(V, Prop);
        FOwner->setTabText(FOwner->indexOf(this), FCaption);
        return true;
    }
    return TControl::SetProperty(Prop, V);
}
