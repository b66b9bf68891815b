#include "setupfiles/contained_name.h"

namespace {

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

// "..", "...", ". ." and the like: Windows trims trailing dots and spaces from a component, so any of them
// can end as a step up. A single "." is refused with them; no setup file needs it.
bool IsDotsOnly(std::string_view component) {
    if (component.empty())
        return false;
    for (char c : component)
        if (c != '.' && c != ' ')
            return false;
    return true;
}

}  // namespace

bool IsContainedName(std::string_view name) {
    if (!name.empty() && IsSeparator(name.front()))
        return false;
    if (name.find(':') != std::string_view::npos)
        return false;
    size_t start = 0;
    while (start <= name.size()) {
        size_t end = start;
        while (end < name.size() && !IsSeparator(name[end])) ++end;
        if (IsDotsOnly(name.substr(start, end - start)))
            return false;
        start = end + 1;
    }
    return true;
}

bool IsPlainName(std::string_view name) {
    if (name.empty() || !IsContainedName(name))
        return false;
    for (char c : name)
        if (IsSeparator(c))
            return false;
    return true;
}
