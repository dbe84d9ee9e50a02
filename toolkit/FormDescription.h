#pragma once
// A window's declarative description: its components in creation order, each with its
// properties and its event bindings by handler name, as a designer would save them.
#include "Classes.h"

#include <string_view>
#include <vector>

// A property value: a number (TColor values too), a flag or UTF-8 text.
using TPropValue = std::variant<long long, bool, const char*>;

struct TProp {
    const char* Name;
    TPropValue Value;
    TProp(const char* N, int V) : Name(N), Value(static_cast<long long>(V)) {}
    TProp(const char* N, unsigned V) : Name(N), Value(static_cast<long long>(V)) {}
    TProp(const char* N, bool V) : Name(N), Value(V) {}
    TProp(const char* N, const char* V) : Name(N), Value(V) {}
};

struct TEventBinding {
    const char* Event;   // "OnChange"
    const char* Handler; // "sclRedChange"
};

struct TComponentDesc {
    const char* Name;
    const char* Kind;   // "TLabel", "TScrollBar", ...
    const char* Parent; // nullptr: the form itself
    std::vector<TProp> Props;
    std::vector<TEventBinding> Events;
};

struct TFormDesc {
    const char* Name;
    std::vector<TProp> Props;
    std::vector<TEventBinding> Events;
    std::vector<TComponentDesc> Components;
};

// Reading a value of the kind a property expects; a mismatch is a fault in the
// description and throws.
long long PropNumber(const TPropValue& V, std::string_view Prop);
bool PropFlag(const TPropValue& V, std::string_view Prop);
QString PropText(const TPropValue& V, std::string_view Prop);
