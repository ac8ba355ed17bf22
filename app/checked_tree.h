#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <string_view>

#include "controls/control_set.h"

// A tree view with a check box before each node. The box is the node's state image: 1 unticked,
// 2 ticked, and 3 partly ticked, an image the control lacks and SetUpCheckedTree adds.
namespace tidora::app {

// Gives a new tree view its boxes, the partly ticked one among them; the tree frees their image
// list when it goes, which a tree view does not do by itself.
void SetUpCheckedTree(HWND tree);

// A new unticked node, last under parent (TVI_ROOT for a group); the parent shows expanded.
HTREEITEM AppendTreeNode(HWND tree, HTREEITEM parent, std::string_view text);
std::string TreeNodeText(HWND tree, HTREEITEM node);
// Read from the control, so that whoever set the state image (the user, an automation tool)
// is heard.
ui::TickState TreeNodeTick(HWND tree, HTREEITEM node);
void SetTreeNodeTick(HWND tree, HTREEITEM node, ui::TickState tick);

// The node whose box the user is changing, for a click on a box (NM_CLICK) or space (TVN_KEYDOWN);
// nullptr for any other notification. The control changes the box only after the notification.
HTREEITEM NodeTheUserTicks(const NMHDR& header);

}  // namespace tidora::app
