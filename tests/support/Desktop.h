#pragma once
// What an end-to-end test needs of the X desktop it runs on: the real picker started
// as a process, xdotool for the mouse and keys, xclip for the clipboard, and
// screenshots of the root window for pixels.
#include <QColor>
#include <QImage>
#include <QProcess>
#include <QRect>
#include <QStringList>

// Runs a desktop tool and returns what it printed; fails the test on a bad status.
QString Tool(const QString& Program, const QStringList& Args, int TimeoutMs = 10000);
void Xdotool(const QStringList& Args);
QImage Screenshot();
QColor PixelAt(int X, int Y);
// The colour that covers the whole rectangle, or an invalid colour when it varies.
QColor UniformColour(const QRect& R);

class TPicker {
public:
    // Starts the built binary (its path comes from the build) with extra environment.
    explicit TPicker(const QStringList& Env = {});
    ~TPicker();
    QString WindowId() const { return FWindow; }
    QRect Geometry() const; // the X window, which is the client area without a frame
    QProcess& Process() { return FProcess; }
    void Focus();
    // Types numbers into the spin edits from the keyboard, as a person would: the
    // focus starts on the page tabs and the spin edits follow the three bars. An
    // empty entry skips its field.
    void TypeIntoSpinEdits(const QStringList& Numbers);
    // Asks the window to close as a window manager would (WM_DELETE_WINDOW), so the
    // picker takes its normal way out.
    void Close();
    // Waits for the process to end; its exit status, or -1 when it did not end.
    int WaitForExit(int TimeoutMs);

private:
    QProcess FProcess;
    QString FWindow;
};

QString PickerPath();
