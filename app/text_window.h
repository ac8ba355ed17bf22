#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

// A plain window of its own showing read-only text: resizable, owned by the main window and
// never modal, so the program goes on working while it is open.
namespace tidora::app {

// The edit control that shows the text and fills the window.
inline constexpr DWORD kTextBoxStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL |
                                       WS_HSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL |
                                       ES_AUTOHSCROLL;

// A hidden text window centred on its owner, its edit control made with the child id text_id.
// Its close box and Escape destroy it; closed runs as it goes, so that whoever holds its handles
// lets go of them. nullptr when the window cannot be made.
HWND CreateTextWindow(HWND owner, int text_id, std::function<void()> closed);
// Shows the window in front, restored if minimised.
void BringTextWindowForward(HWND window);

// The edit's text with its lines broken by "\n", as the core writes them; the edit wants "\r\n".
void SetTextBoxText(HWND edit, std::string_view text);
std::string TextBoxText(HWND edit);

}  // namespace tidora::app
