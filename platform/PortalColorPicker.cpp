#include "PortalColorPicker.h"

#include "PortalRequest.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

#include <algorithm>
#include <cmath>

namespace platform {
namespace {

const QString PortalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString PortalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString ScreenshotInterface = QStringLiteral("org.freedesktop.portal.Screenshot");
const QString RequestInterface = QStringLiteral("org.freedesktop.portal.Request");

enum TResponse : unsigned { Success = 0, CancelledByUser = 1 };

QString NoPortalMessage()
{
    return QString::fromUtf8("デスクトップの色選択を使えません。\n"
                             "デスクトップポータル (xdg-desktop-portal) が動いていないか、"
                             "色の選択に対応していません。");
}

QString PortalFailedMessage() { return QString::fromUtf8("デスクトップの色選択で色を取得できませんでした。"); }

// The path the portal gives the request: it is made of our unique name (without the
// ':' and with '_' for '.') and the token we pass.
QString PredictedHandle(const QDBusConnection& Bus, const QString& Token)
{
    QString Sender = Bus.baseService().mid(1);
    Sender.replace('.', '_');
    return PortalPath + QStringLiteral("/request/") + Sender + '/' + Token;
}

// Tokens are unique within this process, which is all the portal needs, since the
// handle path also holds our unique name.
QString NextToken()
{
    static unsigned Serial = 0;
    return QStringLiteral("tavrin%1").arg(++Serial);
}

// results["color"] is a struct of three doubles.
bool ReadColour(const QVariant& Value, double (&Rgb)[3])
{
    if (Value.metaType() != QMetaType::fromType<QDBusArgument>())
        return false;
    const QDBusArgument Arg = Value.value<QDBusArgument>();
    if (Arg.currentSignature() != QLatin1String("(ddd)"))
        return false;
    Arg.beginStructure();
    Arg >> Rgb[0] >> Rgb[1] >> Rgb[2];
    Arg.endStructure();
    return true;
}

void SendClose(const QString& Handle)
{
    QDBusConnection::sessionBus().send(
        QDBusMessage::createMethodCall(PortalService, Handle, RequestInterface, QStringLiteral("Close")));
}

} // namespace

std::uint8_t PortalChannelByte(double V)
{
    if (std::isnan(V))
        return 0;
    return std::uint8_t(std::clamp(std::round(V * 255.0), 0.0, 255.0));
}

TPortalColorPicker::TPortalColorPicker(QObject* Parent) : QObject(Parent) {}

TPortalColorPicker::~TPortalColorPicker() { Close(); }

void TPortalColorPicker::Pick(const QString& ParentWindow)
{
    if (FPending)
        return;
    QDBusConnection Bus = QDBusConnection::sessionBus();
    if (!Bus.isConnected()) {
        emit Failed(NoPortalMessage());
        return;
    }
    FPending = true;
    const QString Token = NextToken();
    // Subscribed before the call, so that a quick answer cannot be missed.
    Subscribe(PredictedHandle(Bus, Token));
    QDBusMessage Call = QDBusMessage::createMethodCall(PortalService, PortalPath, ScreenshotInterface,
                                                       QStringLiteral("PickColor"));
    Call << ParentWindow << QVariantMap{{QStringLiteral("handle_token"), Token}};
    FCall = new QDBusPendingCallWatcher(Bus.asyncCall(Call), this);
    connect(FCall, &QDBusPendingCallWatcher::finished, this, &TPortalColorPicker::CallFinished);
}

void TPortalColorPicker::Close()
{
    if (!FPending)
        return;
    if (FCall) {
        // The handle is not known yet: close the request as soon as it is.
        FCall->disconnect(this);
        FCall->setParent(nullptr); // it outlives this object when that is going
        connect(FCall, &QDBusPendingCallWatcher::finished, FCall, [](QDBusPendingCallWatcher* Call) {
            const QDBusPendingReply<QDBusObjectPath> Reply = *Call;
            if (!Reply.isError())
                SendClose(Reply.value().path());
            Call->deleteLater();
        });
        FCall = nullptr;
    } else if (FRequest) {
        SendClose(FRequest->path());
    }
    Finish();
}

void TPortalColorPicker::CallFinished(QDBusPendingCallWatcher* Call)
{
    Call->deleteLater();
    FCall = nullptr;
    const QDBusPendingReply<QDBusObjectPath> Reply = *Call;
    // No portal on the bus, or one without PickColor (an older Screenshot version).
    if (Reply.isError()) {
        Finish();
        emit Failed(NoPortalMessage());
        return;
    }
    // Older portals make up their own handle path: listen there instead.
    const QString Handle = Reply.value().path();
    if (FRequest && FRequest->path() != Handle)
        Subscribe(Handle);
}

void TPortalColorPicker::Responded(unsigned Code, const QVariantMap& Results)
{
    if (FCall) { // the answer came before the call's reply: the handle was ours
        FCall->disconnect(this);
        FCall->deleteLater();
        FCall = nullptr;
    }
    Finish();
    double Rgb[3] = {};
    if (Code == Success && ReadColour(Results.value(QStringLiteral("color")), Rgb))
        emit Picked(PortalChannelByte(Rgb[0]), PortalChannelByte(Rgb[1]), PortalChannelByte(Rgb[2]));
    else if (Code == CancelledByUser)
        emit Cancelled();
    else
        emit Failed(PortalFailedMessage());
}

void TPortalColorPicker::Subscribe(const QString& Handle)
{
    if (FRequest) {
        FRequest->disconnect(this);
        FRequest->deleteLater();
    }
    FRequest = new TPortalRequest(Handle, QDBusConnection::sessionBus(), this);
    connect(FRequest, &TPortalRequest::Response, this, &TPortalColorPicker::Responded);
}

void TPortalColorPicker::Finish()
{
    FPending = false;
    if (FRequest) {
        FRequest->disconnect(this);
        FRequest->deleteLater();
        FRequest = nullptr;
    }
}

} // namespace platform
