#include "FormDescription.h"

#include <stdexcept>
#include <string>

namespace {
[[noreturn]] void WrongKind(std::string_view Prop, const char* Expected)
{
    throw std::logic_error("form description: " + std::string(Prop) + " takes " + Expected);
}
} // namespace

long long PropNumber(const TPropValue& V, std::string_view Prop)
{
    if (!std::holds_alternative<long long>(V)) WrongKind(Prop, "a number");
    return std::get<long long>(V);
}

bool PropFlag(const TPropValue& V, std::string_view Prop)
{
    if (!std::holds_alternative<bool>(V)) WrongKind(Prop, "a flag");
    return std::get<bool>(V);
}

QString PropText(const TPropValue& V, std::string_view Prop)
{
    if (!std::holds_alternative<const char*>(V)) WrongKind(Prop, "text");
    return QString::fromUtf8(std::get<const char*>(V));
}
