#include "Clipboard.h"

#include "Classes.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace {
bool HeldOpen = false;
const char16_t CannotOpen[] = u"クリップボードを開くことができません";
} // namespace

TClipboard* Clipboard()
{
    static TClipboard Instance;
    return &Instance;
}

void TClipboard::SimulateHeldOpen(bool Held) { HeldOpen = Held; }

void TClipboard::SetTextBuf(const QString& Text)
{
    if (HeldOpen)
        throw EPlatformError(QString::fromUtf16(CannotOpen));
    QClipboard* System = QGuiApplication::clipboard();
    auto* Data = new QMimeData;
    Data->setText(Text);
    // Named with its charset too, for clients that ask for exactly that type.
    Data->setData(QStringLiteral("text/plain;charset=utf-8"), Text.toUtf8());
    System->setMimeData(Data, QClipboard::Clipboard);
    // On X11 the text is ours to serve only if we became the selection's owner.
    if (System->text(QClipboard::Clipboard) != Text)
        throw EPlatformError(QString::fromUtf16(CannotOpen));
}
