// The handler tables of our window classes (a dialog's message map, the application's command
// map): entries in a static array, seen through one small view, and the class a handler belongs to.
#pragma once

#include <cstddef>

template <class Entry>
struct HandlerTable {
    const Entry* pEntries;
    std::size_t nCount;
};

template <class Entry, std::size_t N>
constexpr HandlerTable<Entry> MakeHandlerTable(const Entry (&entries)[N])
{
    return HandlerTable<Entry>{entries, N};
}

// The class of which `F` is a member function.
template <class F>
struct MemberClass;
template <class T, class R, class... Args>
struct MemberClass<R (T::*)(Args...)> {
    using type = T;
};
