#pragma once
// A page control with tab sheets. OnChange runs after the user has moved to another
// page, by a tab click or from the keyboard.
#include "Component.h"

#include <QTabWidget>

class TTabSheet;

class TPageControl : public QTabWidget, public TControl {
    Q_OBJECT
public:
    explicit TPageControl(QWidget* Parent);

    TTabSheet* ActivePage() const;
    void AddPage(TTabSheet* Page);
    bool SetProperty(std::string_view Prop, const TPropValue& Value) override;
    bool SetEvent(std::string_view Event, const THandler& Handler) override;
    void Loaded() override;

    TNotifyEvent OnChange;

private:
    QString FActivePageName;
};

class TTabSheet : public QWidget, public TControl {
    Q_OBJECT
public:
    explicit TTabSheet(TPageControl* Owner);
    QString Caption() const { return FCaption; }
    bool SetProperty(std::string_view Prop, const TPropValue& Value) override;

private:
    TPageControl* FOwner;
    QString FCaption;
};
