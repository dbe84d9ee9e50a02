#pragma once
// What a form class publishes to its description, by name: the fields that receive
// the components and the handlers the events are bound to. The stand-in for the
// run-time type information a form loader would read.
#include "Classes.h"

#include <functional>
#include <vector>

class TForm;
class TComponent;

struct TPublishedField {
    const char* Name;
    std::function<bool(TForm&, TComponent*)> Assign; // false: wrong kind
};

struct TPublishedMethod {
    const char* Name;
    std::function<THandler(TForm&)> Bind;
};

struct TPublished {
    std::vector<TPublishedField> Fields;
    std::vector<TPublishedMethod> Methods;
};

template <class F, class C>
TPublishedField Field(const char* Name, C* F::*Member)
{
    return {Name, [Member](TForm& Form, TComponent* Comp) {
                auto* Typed = dynamic_cast<C*>(Comp);
                if (Typed)
                    static_cast<F&>(Form).*Member = Typed;
                return Typed != nullptr;
            }};
}

template <class F>
TPublishedMethod Method(const char* Name, void (F::*M)(TObject*))
{
    return {Name, [M](TForm& Form) -> THandler {
                return TNotifyEvent([&Form, M](TObject* S) { (static_cast<F&>(Form).*M)(S); });
            }};
}

template <class F>
TPublishedMethod Method(const char* Name, void (F::*M)(TObject*, TMouseButton, TShiftState, int, int))
{
    return {Name, [M](TForm& Form) -> THandler {
                return TMouseEvent([&Form, M](TObject* S, TMouseButton B, TShiftState Sh, int X, int Y) {
                    (static_cast<F&>(Form).*M)(S, B, Sh, X, Y);
                });
            }};
}

template <class F>
TPublishedMethod Method(const char* Name, void (F::*M)(TObject*, Word&, TShiftState))
{
    return {Name, [M](TForm& Form) -> THandler {
                return TKeyEvent([&Form, M](TObject* S, Word& K, TShiftState Sh) {
                    (static_cast<F&>(Form).*M)(S, K, Sh);
                });
            }};
}
