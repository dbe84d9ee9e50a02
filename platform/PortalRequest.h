#pragma once
// The portal's Request object at one handle path, reduced to its Response signal, so
// that it can be connected like any Qt signal. QtDBus subscribes to the D-Bus signal
// when the Qt signal is first connected, and unsubscribes when the object goes.
#include <QDBusAbstractInterface>
#include <QVariantMap>

class TPortalRequest : public QDBusAbstractInterface {
    Q_OBJECT
public:
    // No service name: a Request's signal comes from the portal's unique name, and
    // asking the bus for that name would block.
    TPortalRequest(const QString& Handle, const QDBusConnection& Bus, QObject* Parent)
        : QDBusAbstractInterface(QString(), Handle, "org.freedesktop.portal.Request", Bus, Parent)
    {
    }

signals:
    void Response(uint Code, const QVariantMap& Results);
};
