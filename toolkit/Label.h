#pragma once
// A text label: caption (CR LF breaks lines), opaque background in its Color, size
// that follows the caption within its constraints, greyed text when disabled, a
// click event. Painting is our own so the background and the greying are exact.
#include "Component.h"

#include <QList>
#include <QStaticText>

class TLabel : public QWidget, public TControl {
    Q_OBJECT
public:
    explicit TLabel(QWidget* Parent);

    QString Caption() const { return FCaption; }
    void SetCaption(const QString& V);
    bool SetProperty(std::string_view Prop, const TPropValue& Value) override;
    bool SetEvent(std::string_view Event, const THandler& Handler) override;
    void Loaded() override { AdjustSize(); }

    TNotifyEvent OnClick;

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* E) override;
    void mouseReleaseEvent(QMouseEvent* E) override;
    void changeEvent(QEvent* E) override;
    void FontChanged() override { AdjustSize(); }

private:
    QStringList Lines() const;
    const QList<QStaticText>& LineTexts();
    void AdjustSize();
    QString FCaption;
    QList<QStaticText> FLineTexts; // laid out once per caption and font
    bool FAutoSize = true;
    bool FTransparent = false;
    int FMinWidth = 0, FMaxWidth = 0, FMinHeight = 0, FMaxHeight = 0;
    bool FPressed = false;
};
