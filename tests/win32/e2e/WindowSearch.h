// Finding the windows of the program under test from outside: its top-level dialogs by owner, the
// children of a dialog in template order, and a barrier that waits until the program has handled
// every message posted to it before.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

// The visible dialog-class (#32770) windows that `owner` owns: message boxes, file dialogs, the
// About box, prompts.
std::vector<HWND> OwnedDialogs(HWND owner);
// Waits for exactly one such window and returns it; throws, naming what is on screen, if none comes.
HWND AwaitOwnedDialog(HWND owner, const std::string& what);
// Waits until `owner` owns no visible dialog any more.
void AwaitNoOwnedDialog(HWND owner, const std::string& what);

// The visible dialog-class windows of a process, whoever owns them, described for a failure message.
std::string DescribeDialogsOf(DWORD processId);

// The child windows of a dialog in z-order, which for a dialog is the order of its template.
std::vector<HWND> ChildrenInOrder(HWND dialog);
// The first descendant of `parent` with the given class, depth first; null when none.
HWND FindDescendant(HWND parent, const wchar_t* className);

// The id of a control as the template gives it; 0xFFFF for the "no id of its own" of both template
// forms (a WORD -1 in DIALOG, a DWORD -1 in DIALOGEX).
unsigned ControlId(HWND control);

// Posts a harmless message to `control` and waits until its window procedure has run it: every
// message posted to the same thread before has been handled by then (a thread's posted messages
// are handled in order), including any modal window that such a message opened.
void Barrier(HWND control);

}  // namespace e2e
