#pragma once
// A scroll bar whose position is the value: writes are clamped to Min..Max, and
// OnChange runs inside the write, only when the position really changes. Arrow,
// trough, keyboard and thumb tracking all go through that same write.
#include "Component.h"

#include <QScrollBar>

class TScrollBar : public QScrollBar, public TControl {
    Q_OBJECT
public:
    explicit TScrollBar(QWidget* Parent);

    int Position() const { return value(); }
    void SetPosition(int V) { setValue(V); }
    bool SetProperty(std::string_view Prop, const TPropValue& Value) override;
    bool SetEvent(std::string_view Event, const THandler& Handler) override;

    TNotifyEvent OnChange;

protected:
    void keyPressEvent(QKeyEvent* E) override;
};
