#pragma once
// A top-level window built from its description: a menu bar over a client surface
// that holds the controls at their described positions (no layout, no scroll bars).
// With KeyPreview the form sees every key-down before the focused control, after
// the menu's shortcuts. OnMouseDown is a press on the surface where no control lies.
#include "Component.h"

#include <QWidget>

class QMenuBar;
class TFormSurface;
struct TPublished;

class TForm : public QWidget, public TComponent {
    Q_OBJECT
public:
    TForm();
    ~TForm() override;
    QObject* Object() override { return this; }

    // Creates the components of the description, binds its events to the published
    // handlers, creates the window and runs OnCreate.
    void Load(const TFormDesc& Desc, const TPublished& Published);
    // Runs OnDestroy, once, while every component still exists.
    void BeforeDestruction();

    TComponent* FindComponent(const QString& Name) const;
    const QList<TComponent*>& Components() const { return FComponents; }
    void AddComponent(TComponent* C) { FComponents << C; }
    QWidget* Surface() const;
    QMenuBar* MenuBar();

    QString Caption() const { return windowTitle(); }
    int ClientWidth() const;
    int ClientHeight() const;
    bool KeyPreview() const { return FKeyPreview; }
    // Qt paints every widget into a backing store and copies it to the screen in one
    // step, so the form is always double-buffered; the flag records the request.
    bool DoubleBuffered = false;
    void Close() { close(); }
    int ShowModal();

    bool SetProperty(std::string_view Prop, const TPropValue& Value) override;
    bool SetEvent(std::string_view Event, const THandler& Handler) override;
    void Loaded() override;

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TKeyEvent OnKeyDown;
    TMouseEvent OnMouseDown;

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;
    void resizeEvent(QResizeEvent*) override;
    void closeEvent(QCloseEvent* E) override;
    void showEvent(QShowEvent* E) override;

private:
    void LayOut();
    TFormSurface* FSurface;
    QMenuBar* FMenuBar = nullptr;
    QList<TComponent*> FComponents;
    QString FMenuName;
    bool FKeyPreview = false;
    bool FDestroyed = false;
    bool FCentre = false;
    bool FShownOnce = false;
    int FOuterWidth = 0, FOuterHeight = 0;
    int FClientWidth = 0, FClientHeight = 0;
    class QEventLoop* FModalLoop = nullptr;
};
