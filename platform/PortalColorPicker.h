#pragma once
// One colour from the desktop portal's own picker (org.freedesktop.portal.Screenshot
// PickColor on the session bus), for Wayland sessions, where no program may read the
// screen. Everything is asynchronous: Pick() returns at once and exactly one of the
// three signals follows, unless Close() ends the request first. The compositor shows
// the picker; this class only talks to the portal.
#include <QObject>
#include <QString>
#include <cstdint>

class QDBusPendingCallWatcher;
class TPortalRequest;

namespace platform {

// A channel of the portal's colour (a double in 0..1) as a byte: rounded, clamped,
// and 0 for a value that is not a number.
std::uint8_t PortalChannelByte(double V);

class TPortalColorPicker : public QObject {
    Q_OBJECT
public:
    explicit TPortalColorPicker(QObject* Parent = nullptr);
    ~TPortalColorPicker() override;

    // ParentWindow is the portal's window identifier ("x11:<XID in hex>", or empty).
    void Pick(const QString& ParentWindow);
    // Closes the outstanding request, so the desktop's picker goes away; no signal.
    void Close();
    bool Pending() const { return FPending; }

signals:
    void Picked(int R, int G, int B);
    void Cancelled();
    void Failed(const QString& Message);

private:
    void CallFinished(QDBusPendingCallWatcher* Call);
    void Responded(unsigned Code, const QVariantMap& Results);
    void Subscribe(const QString& Handle);
    void Finish();
    bool FPending = false;
    QDBusPendingCallWatcher* FCall = nullptr; // the PickColor call until its reply
    TPortalRequest* FRequest = nullptr;       // the Response we listen for
};

} // namespace platform
