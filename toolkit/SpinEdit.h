#pragma once
// A number field with up and down buttons. Its text is the truth: Value reads the
// text as a 32-bit integer (0, the minimum, when it is none), writing Value clamps
// and rewrites the text, and OnChange runs once for every change of the text, typed,
// pasted or written. Typing is filtered with a beep; leaving the field clamps an
// out-of-range number.
#include "Component.h"

#include <optional>

class QLineEdit;
class QToolButton;

class TSpinEdit : public QWidget, public TControl {
    Q_OBJECT
public:
    explicit TSpinEdit(QWidget* Parent);

    QString Text() const { return FText; }
    void SetText(const QString& V);
    int Value() const;
    void SetValue(int V);
    int MinValue() const { return FMinValue; }
    int MaxValue() const { return FMaxValue; }
    QLineEdit* Editor() const { return FEdit; }

    bool SetProperty(std::string_view Prop, const TPropValue& Value) override;
    bool SetEvent(std::string_view Event, const THandler& Handler) override;

    TNotifyEvent OnChange;

    // The text as a signed 32-bit decimal: leading blanks and one sign allowed,
    // nothing else; empty when it is not such a number.
    static std::optional<int> ParseInt32(const QString& Text);
    // Whether a typed character is let through: digits, signs, the decimal
    // separator and control characters other than Enter.
    static bool IsValidChar(QChar C);

protected:
    void resizeEvent(QResizeEvent*) override;
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    int Clamp(long long V) const;
    void Step(int Delta);
    void EditTextChanged(const QString& V);
    QLineEdit* FEdit;
    QToolButton* FUp;
    QToolButton* FDown;
    QString FText;
    int FMinValue = 0;
    int FMaxValue = 100;
    int FIncrement = 1;
};
