// The toolbar's tooltips: each button's tip is its command's caption.
#pragma once

#include <windows.h>

// Answers a tooltip's request for text (ANSI or wide) about a toolbar button
// and raises the tooltip above other windows. False for other notifications.
bool AnswerToolTipRequest(NMHDR* header);
