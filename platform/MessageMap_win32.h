// A dialog class lists the messages it handles in one static table of
//   {message, control id, notification code, handler}
// that its dialog procedure searches; the control id and the code count only for WM_COMMAND.
// Handler<&CMyDlg::OnSomething> adapts a member function to the table, cracking the message's
// parameters by the function's signature:
//   void ()                 any message, or a command                    result TRUE
//   void (UINT, LPARAM)     WM_SYSCOMMAND: the command and its position  result TRUE
//   void (HDROP)            WM_DROPFILES: the drop handle                result TRUE
//   HICON ()                WM_QUERYDRAGICON: the icon handle            the handle
#pragma once

#include <cstddef>

#include <windows.h>

#include <shellapi.h>

#include "platform/HandlerTable_win32.h"

class CDialog;

using MessageHandler = INT_PTR (*)(CDialog& dialog, WPARAM wParam, LPARAM lParam);

struct MessageMapEntry {
    UINT message;
    UINT nID;
    UINT nCode;
    MessageHandler pfnHandler;
};

using MessageMap = HandlerTable<MessageMapEntry>;

namespace message_map_detail {

template <class T>
INT_PTR Invoke(T& self, void (T::*pfn)(), WPARAM, LPARAM)
{
    (self.*pfn)();
    return TRUE;
}

template <class T>
INT_PTR Invoke(T& self, void (T::*pfn)(UINT, LPARAM), WPARAM wParam, LPARAM lParam)
{
    (self.*pfn)(static_cast<UINT>(wParam), lParam);
    return TRUE;
}

template <class T>
INT_PTR Invoke(T& self, void (T::*pfn)(HDROP), WPARAM wParam, LPARAM)
{
    (self.*pfn)(reinterpret_cast<HDROP>(wParam));
    return TRUE;
}

template <class T>
INT_PTR Invoke(T& self, HICON (T::*pfn)(), WPARAM, LPARAM)
{
    return reinterpret_cast<INT_PTR>((self.*pfn)());
}

} // namespace message_map_detail

template <auto pfn>
INT_PTR Handler(CDialog& dialog, WPARAM wParam, LPARAM lParam)
{
    using T = typename MemberClass<decltype(pfn)>::type;
    return message_map_detail::Invoke(static_cast<T&>(dialog), pfn, wParam, lParam);
}
