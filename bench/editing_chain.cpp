// editing_chain: one bar change through the whole editing chain of the real main
// window (snapshot, swatch, spin edit, both codes), in-process on Qt's offscreen
// platform: the chain alone, the chain with the repaint it asks for, and a thumb
// drag across the whole bar, 0 to 255 and back, with one repaint at the end.
#include "Label.h"
#include "PickerFixture.h"
#include "ScrollBar.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

// The application and the two windows, made on first use and kept to the end.
void MakeForms()
{
    static bool Made = false;
    if (Made)
        return;
    Made = true;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int Argc = 1;
    static char Name[] = "editing_chain";
    static char* Argv[] = {Name, nullptr};
    new QApplication(Argc, Argv);
    new TPickerFixture;
    FrmMain->show();
    QApplication::processEvents();
}

// The next position of a bar going back and forth over 0..255, so each write is a
// real change.
int NextPosition(int Step) { return Step % 510 < 255 ? Step % 510 + 1 : 509 - Step % 510; }

void RepaintNow() { QApplication::processEvents(); }

void CheckCode(benchmark::State& State, int Red)
{
    const QString Want = QStringLiteral("#%1%2%3").arg(Red, 2, 16, QChar('0')).arg(0, 2, 16, QChar('0')).arg(0, 2, 16, QChar('0')).toUpper();
    if (FrmMain->lblHtmlCode->Caption() != Want)
        State.SkipWithError("the HTML code does not follow the bar");
}

// A thumb drag writes the slider position on every tracked motion.
void DragTo(TScrollBar* Bar, int V) { Bar->setSliderPosition(V); }

void BarChange(benchmark::State& State)
{
    MakeForms();
    TScrollBar* Bar = FrmMain->sclRed;
    int Step = 0;
    for (auto _ : State)
        DragTo(Bar, NextPosition(Step++));
    CheckCode(State, Bar->Position());
    RepaintNow();
}

void BarChangeRepainted(benchmark::State& State)
{
    MakeForms();
    TScrollBar* Bar = FrmMain->sclRed;
    int Step = 0;
    for (auto _ : State) {
        DragTo(Bar, NextPosition(Step++));
        RepaintNow();
    }
    CheckCode(State, Bar->Position());
}

void Sweep0To255(benchmark::State& State)
{
    MakeForms();
    TScrollBar* Bar = FrmMain->sclRed;
    DragTo(Bar, 0);
    RepaintNow();
    bool Up = true;
    for (auto _ : State) {
        Bar->setSliderDown(true);
        for (int V = 1; V <= 255; ++V)
            DragTo(Bar, Up ? V : 255 - V);
        Bar->setSliderDown(false);
        RepaintNow();
        Up = !Up;
    }
    CheckCode(State, Up ? 0 : 255);
}

} // namespace

BENCHMARK(BarChange)->Name("bar_change")->Unit(benchmark::kMicrosecond);
BENCHMARK(BarChangeRepainted)->Name("bar_change_repainted")->Unit(benchmark::kMicrosecond);
BENCHMARK(Sweep0To255)->Name("sweep_0_255")->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
