#pragma once
// The application object: creates the forms (the first becomes the main form, whose
// closing ends the program), runs the event loop, shows errors raised in handlers,
// and destroys the forms at the end, each after its OnDestroy.
#include "Classes.h"

#include <QList>

class TForm;

class TApplication {
public:
    TApplication();
    ~TApplication();
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;

    // Sets the application-wide font, so Japanese text renders everywhere.
    void Initialize();

    // Assigns the global Ref before the form loads its description, so code that runs
    // while it loads already finds the window through it.
    template <class T>
    void CreateForm(T*& Ref)
    {
        Ref = new T;
        FForms << Ref;
        if (!FMainForm)
            FMainForm = Ref;
        Ref->Load(T::Description(), T::Published());
    }

    TForm* MainForm() const { return FMainForm; }
    int Run();
    void Terminate();
    // Destroys every form, most recent first, each after its OnDestroy.
    void DestroyForms();
    void ShowException(const EPlatformError& E);

private:
    QList<TForm*> FForms;
    TForm* FMainForm = nullptr;
};

extern TApplication* Application;
