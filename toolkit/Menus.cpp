#include "Menus.h"

#include "Keys.h"

#include <QMenu>
#include <QMenuBar>

TMainMenu::TMainMenu(QObject* Owner, QMenuBar* Bar) : QObject(Owner), FBar(Bar) {}

void TMainMenu::Add(TMenuItem* Item)
{
    FItems << Item;
    FBar->addAction(Item->Action());
}

void TMainMenu::Loaded() { TMenuItem::AssignAccessKeys(FItems); }

TMenuItem::TMenuItem(QObject* Owner) : QObject(Owner), FAction(this)
{
    FAction.setShortcutContext(Qt::WindowShortcut);
    connect(&FAction, &QAction::triggered, this, [this] { Fire(OnClick, static_cast<TObject*>(this)); });
}

void TMenuItem::Add(TMenuItem* Child)
{
    if (!FMenu) {
        FMenu = new QMenu();
        connect(this, &QObject::destroyed, FMenu, &QObject::deleteLater);
        FAction.setMenu(FMenu);
    }
    FItems << Child;
    FMenu->addAction(Child->Action());
}

void TMenuItem::SetCaption(const QString& V)
{
    FCaption = V;
    FAction.setText(V);
}

namespace {

QChar AccessKeyOf(const QString& Caption)
{
    for (qsizetype I = 0; I + 1 < Caption.size(); ++I)
        if (Caption[I] == QLatin1Char('&')) {
            if (Caption[I + 1] != QLatin1Char('&'))
                return Caption[I + 1].toUpper();
            ++I;
        }
    return {};
}

bool IsAsciiAlnum(QChar C)
{
    return (C >= QLatin1Char('0') && C <= QLatin1Char('9')) || (C >= QLatin1Char('A') && C <= QLatin1Char('Z')) ||
           (C >= QLatin1Char('a') && C <= QLatin1Char('z'));
}

} // namespace

void TMenuItem::AssignAccessKeys(const QList<TMenuItem*>& Siblings)
{
    QString Used;
    for (TMenuItem* Item : Siblings)
        if (const QChar Key = AccessKeyOf(Item->FCaption); !Key.isNull())
            Used += Key;
    for (TMenuItem* Item : Siblings) {
        if (!AccessKeyOf(Item->FCaption).isNull())
            continue;
        for (QChar C : Item->FCaption) {
            const QChar Key = C.toUpper();
            if (IsAsciiAlnum(C) && !Used.contains(Key)) {
                Used += Key;
                Item->SetCaption(Item->FCaption + QStringLiteral("(&") + Key + QLatin1Char(')'));
                break;
            }
        }
    }
}

bool TMenuItem::SetProperty(std::string_view Prop, const TPropValue& V)
{
    if (Prop == "Caption")
        SetCaption(PropText(V, Prop));
    else if (Prop == "ShortCut") {
        FShortCut = int(PropNumber(V, Prop));
        FAction.setShortcut(QKeySequence(QtKeyOfShortCut(FShortCut)));
    } else
        return false;
    return true;
}

bool TMenuItem::SetEvent(std::string_view Event, const THandler& H)
{
    if (Event != "OnClick" || !std::holds_alternative<TNotifyEvent>(H))
        return false;
    OnClick = std::get<TNotifyEvent>(H);
    return true;
}

void TMenuItem::Loaded() { AssignAccessKeys(FItems); }
