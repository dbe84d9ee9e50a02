#pragma once
// The two windows created as the program creates them, fresh for each test, and a
// log of the handlers that run.
#include "Application.h"
#include "Beep.h"
#include "Component.h"
#include "TavrinPicker.h"
#include "Unit1.h"

#include <QStringList>

class TPickerFixture {
public:
    TPickerFixture()
    {
        App.Initialize();
        App.CreateForm(FrmMain);
        App.CreateForm(About);
    }
    ~TPickerFixture()
    {
        App.DestroyForms();
        FrmMain = nullptr;
        About = nullptr;
    }
    TApplication App;
};

// The senders of the handlers that ran since Start(), in order.
struct TEventLog {
    static inline QStringList Events;
    static void Record(const QString& Sender) { Events << Sender; }
    static void Start()
    {
        Events.clear();
        SetEventTrace(&Record);
    }
    static void Stop() { SetEventTrace(nullptr); }
};

// Counts the refusal beeps of input controls.
struct TBeepCounter {
    static inline int Count = 0;
    static void Hear() { ++Count; }
    TBeepCounter()
    {
        Count = 0;
        SetBeepHook(&Hear);
    }
    ~TBeepCounter() { SetBeepHook(nullptr); }
};

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

// Answers the error boxes that come up while it lives, and keeps their texts.
class TErrorBoxWatcher {
public:
    TErrorBoxWatcher()
    {
        FTimer.setInterval(5);
        QObject::connect(&FTimer, &QTimer::timeout, [this] {
            if (auto* Box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                Texts << Box->text();
                Box->accept();
            }
        });
        FTimer.start();
    }
    QStringList Texts;

private:
    QTimer FTimer;
};
