#pragma once
// A main menu and its items. An item with children opens a submenu; a leaf item runs
// OnClick when chosen or when its shortcut is pressed anywhere in the window. Items
// without an access key get one automatically: the first letter or digit that no
// sibling uses, shown as a bracketed suffix.
#include "Component.h"

#include <QAction>

class QMenu;
class QMenuBar;
class TMenuItem;

class TMainMenu : public QObject, public TComponent {
    Q_OBJECT
public:
    TMainMenu(QObject* Owner, QMenuBar* Bar);
    QObject* Object() override { return this; }
    QMenuBar* Bar() const { return FBar; }
    void Add(TMenuItem* Item);
    void Loaded() override;

private:
    QMenuBar* FBar;
    QList<TMenuItem*> FItems;
};

class TMenuItem : public QObject, public TComponent {
    Q_OBJECT
public:
    explicit TMenuItem(QObject* Owner);
    QObject* Object() override { return this; }
    QAction* Action() { return &FAction; }
    QString Caption() const { return FCaption; }
    int ShortCut() const { return FShortCut; }
    const QList<TMenuItem*>& Items() const { return FItems; }
    void Add(TMenuItem* Child);
    void Loaded() override;

    bool SetProperty(std::string_view Prop, const TPropValue& Value) override;
    bool SetEvent(std::string_view Event, const THandler& Handler) override;

    TNotifyEvent OnClick;

    // Gives every item of a sibling list without an access key the first letter or
    // digit of its caption that no sibling uses yet.
    static void AssignAccessKeys(const QList<TMenuItem*>& Siblings);

private:
    void SetCaption(const QString& V);
    QAction FAction;
    QMenu* FMenu = nullptr;
    QString FCaption;
    int FShortCut = 0;
    QList<TMenuItem*> FItems;
};
