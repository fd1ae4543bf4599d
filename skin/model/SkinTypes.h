// The skin format's enumerations and small value types, shared by the records,
// the model and the drawing routines.
#pragma once

// Records use the class library's alignment and font-style set, so a
// control hands them to its font and caption as they are.
#include "platform/ExtCtrls.h"
#include "platform/Graphics.h"

enum TqvStretchType { qvstFull, qvstHorz, qvstVert };

enum TqvInActiveEffect { ieBrightness, ieDarkness, ieGrayScale, ieNoise, ieSplitBlur, ieInvert };

enum TqvMorphKind { mkDefault, mkGradient, mkLeftGradient, mkRightGradient, mkLeftSlide, mkRightSlide, mkPush };

enum TqvStdCommand { cmClose, cmMaximize, cmMinimize, cmSysMenu, cmDefault, cmRollUp, cmMinimizeToTray };

// The skin library's window messages (WM_USER + n).
constexpr unsigned WM_SKIN_CHANGING = 1225;
constexpr unsigned WM_SKIN_CHANGED = 1226;
constexpr unsigned WM_SKIN_CHANGE_DONE = 1227;
constexpr unsigned WM_SKIN_MENU_CLOSED = 1228;
constexpr unsigned WM_SKIN_MENU_COMMAND = 1229;
constexpr unsigned WM_SKIN_STRINGS_CHANGED = 1274;
constexpr unsigned WM_SKIN_PARENT_CHANGED = 1284;
constexpr unsigned WM_SKIN_FORM_SKINNABLE_CHANGED = 1294;
constexpr unsigned WM_SKIN_GLOW_SHOW = 1424;
constexpr unsigned WM_SKIN_GLOW_HIDE = 1425;
constexpr unsigned WM_SKIN_RESTORE_MAIN_FORM = 1426;
constexpr unsigned WM_SKIN_LAYERED_BORDERS_CHANGED = 1427;
constexpr unsigned WM_SKIN_TRAY_CALLBACK = 2048;
constexpr unsigned WM_SKIN_QUERY_OWN_FRAME = 45490;
constexpr unsigned WM_SKIN_SMART_EFFECTS_BEGIN = 45491;
constexpr unsigned WM_SKIN_SMART_EFFECTS_END = 45492;
constexpr unsigned WM_SKIN_PAINT_FRAME = 45513;
constexpr unsigned WM_SKIN_PAINT_BACKGROUND = 48202;
constexpr unsigned WM_SKIN_PAINT_FRAME_EX = 48203;

// Answers of the skinned forms to outside senders: 45490 (own frame drawn /
// the system's frame), 45513 (frame painted), 48203 (its lParam key, also its answer).
constexpr long SKIN_ANSWER_OWN_FRAME = 12853;
constexpr long SKIN_ANSWER_SYSTEM_FRAME = 12852;
constexpr long SKIN_ANSWER_FRAME_PAINTED = 12851;
constexpr long SKIN_PAINT_FRAME_EX_KEY = 16802;

// lParam of the skin-change broadcast.
constexpr int SKIN_MESSAGE_LPARAM = 1000;
