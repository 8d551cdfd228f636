#pragma once
// Virtual key codes as the program's key handlers compare them, the mapping from Qt's
// keys and modifiers, and menu shortcuts (TShortCut: key code plus modifier bits).

#include "platform/ui/Messages.h"
#include "platform/ui/Types.h"

#include <QKeySequence>
#include <QString>

class QKeyEvent;
class QInputEvent;

namespace fw {

enum : WORD {
  VK_LBUTTON = 0x01,
  VK_RBUTTON = 0x02,
  VK_CANCEL = 0x03,
  VK_MBUTTON = 0x04,
  VK_BACK = 0x08,
  VK_TAB = 0x09,
  VK_CLEAR = 0x0C,
  VK_RETURN = 0x0D,
  VK_SHIFT = 0x10,
  VK_CONTROL = 0x11,
  VK_MENU = 0x12,
  VK_PAUSE = 0x13,
  VK_CAPITAL = 0x14,
  VK_ESCAPE = 0x1B,
  VK_SPACE = 0x20,
  VK_PRIOR = 0x21,
  VK_NEXT = 0x22,
  VK_END = 0x23,
  VK_HOME = 0x24,
  VK_LEFT = 0x25,
  VK_UP = 0x26,
  VK_RIGHT = 0x27,
  VK_DOWN = 0x28,
  VK_SNAPSHOT = 0x2C,
  VK_INSERT = 0x2D,
  VK_DELETE = 0x2E,
  VK_HELP = 0x2F,
  // '0'..'9' are 0x30..0x39 and 'A'..'Z' are 0x41..0x5A, as their characters.
  VK_LWIN = 0x5B,
  VK_RWIN = 0x5C,
  VK_APPS = 0x5D,
  VK_NUMPAD0 = 0x60,
  VK_NUMPAD9 = 0x69,
  VK_MULTIPLY = 0x6A,
  VK_ADD = 0x6B,
  VK_SEPARATOR = 0x6C,
  VK_SUBTRACT = 0x6D,
  VK_DECIMAL = 0x6E,
  VK_DIVIDE = 0x6F,
  VK_F1 = 0x70,
  VK_F2 = 0x71,
  VK_F3 = 0x72,
  VK_F4 = 0x73,
  VK_F5 = 0x74,
  VK_F6 = 0x75,
  VK_F7 = 0x76,
  VK_F8 = 0x77,
  VK_F9 = 0x78,
  VK_F10 = 0x79,
  VK_F11 = 0x7A,
  VK_F12 = 0x7B,
  VK_NUMLOCK = 0x90,
  VK_SCROLL = 0x91,
  VK_OEM_1 = 0xBA,      // ;:
  VK_OEM_PLUS = 0xBB,   // =+
  VK_OEM_COMMA = 0xBC,  // ,<
  VK_OEM_MINUS = 0xBD,  // -_
  VK_OEM_PERIOD = 0xBE, // .>
  VK_OEM_2 = 0xBF,      // /?
  VK_OEM_3 = 0xC0,      // `~
  VK_OEM_4 = 0xDB,      // [{
  VK_OEM_5 = 0xDC,      // \|
  VK_OEM_6 = 0xDD,      // ]}
  VK_OEM_7 = 0xDE,      // '"
};

// The virtual key of a Qt key (Qt::Key plus Qt::KeypadModifier for the number pad);
// 0 for keys without one.
WORD VirtualKeyFromQt(int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
WORD VirtualKeyFromEvent(const QKeyEvent& event);
// The Qt key of a virtual key (the inverse for the keys above); 0 when unknown.
int QtKeyFromVirtualKey(WORD vk);

TShiftState ShiftStateFromQt(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons = Qt::NoButton);

// A menu shortcut: the virtual key in the low byte plus the modifier bits below.
using TShortCut = WORD;
enum : WORD { scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000, scNone = 0 };

TShortCut ShortCut(WORD key, TShiftState shift);
QKeySequence ShortCutToKeySequence(TShortCut shortCut);
QString ShortCutToText(TShortCut shortCut);

} // namespace fw
