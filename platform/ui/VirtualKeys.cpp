#include "platform/ui/VirtualKeys.h"

#include <QKeyEvent>
#include <array>
#include <utility>

namespace fw {

namespace {

// Keys whose virtual code is not simply their character.
constexpr std::array<std::pair<int, WORD>, 45> kKeyTable = {{
    {Qt::Key_Backspace, VK_BACK},   {Qt::Key_Tab, VK_TAB},         {Qt::Key_Backtab, VK_TAB},
    {Qt::Key_Clear, VK_CLEAR},      {Qt::Key_Return, VK_RETURN},   {Qt::Key_Enter, VK_RETURN},
    {Qt::Key_Shift, VK_SHIFT},      {Qt::Key_Control, VK_CONTROL}, {Qt::Key_Alt, VK_MENU},
    {Qt::Key_Pause, VK_PAUSE},      {Qt::Key_CapsLock, VK_CAPITAL}, {Qt::Key_Escape, VK_ESCAPE},
    {Qt::Key_Space, VK_SPACE},      {Qt::Key_PageUp, VK_PRIOR},    {Qt::Key_PageDown, VK_NEXT},
    {Qt::Key_End, VK_END},          {Qt::Key_Home, VK_HOME},       {Qt::Key_Left, VK_LEFT},
    {Qt::Key_Up, VK_UP},            {Qt::Key_Right, VK_RIGHT},     {Qt::Key_Down, VK_DOWN},
    {Qt::Key_Print, VK_SNAPSHOT},   {Qt::Key_Insert, VK_INSERT},   {Qt::Key_Delete, VK_DELETE},
    {Qt::Key_Help, VK_HELP},        {Qt::Key_Meta, VK_LWIN},       {Qt::Key_Menu, VK_APPS},
    {Qt::Key_NumLock, VK_NUMLOCK},  {Qt::Key_ScrollLock, VK_SCROLL}, {Qt::Key_Semicolon, VK_OEM_1},
    {Qt::Key_Colon, VK_OEM_1},      {Qt::Key_Equal, VK_OEM_PLUS},  {Qt::Key_Plus, VK_OEM_PLUS},
    {Qt::Key_Comma, VK_OEM_COMMA},  {Qt::Key_Less, VK_OEM_COMMA},  {Qt::Key_Minus, VK_OEM_MINUS},
    {Qt::Key_Underscore, VK_OEM_MINUS}, {Qt::Key_Period, VK_OEM_PERIOD}, {Qt::Key_Greater, VK_OEM_PERIOD},
    {Qt::Key_Slash, VK_OEM_2},      {Qt::Key_Question, VK_OEM_2},  {Qt::Key_QuoteLeft, VK_OEM_3},
    {Qt::Key_BracketLeft, VK_OEM_4}, {Qt::Key_Backslash, VK_OEM_5}, {Qt::Key_BracketRight, VK_OEM_6},
}};

WORD NumberPadKey(int qtKey) {
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return WORD(VK_NUMPAD0 + (qtKey - Qt::Key_0));
  switch (qtKey) {
  case Qt::Key_Asterisk: return VK_MULTIPLY;
  case Qt::Key_Plus: return VK_ADD;
  case Qt::Key_Minus: return VK_SUBTRACT;
  case Qt::Key_Period: return VK_DECIMAL;
  case Qt::Key_Slash: return VK_DIVIDE;
  default: return 0;
  }
}

} // namespace

WORD VirtualKeyFromQt(int qtKey, Qt::KeyboardModifiers modifiers) {
  if (modifiers & Qt::KeypadModifier) {
    if (WORD vk = NumberPadKey(qtKey)) return vk;
  }
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return WORD(qtKey);
  if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return WORD(qtKey);
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return WORD(VK_F1 + (qtKey - Qt::Key_F1));
  if (qtKey == Qt::Key_Apostrophe || qtKey == Qt::Key_QuoteDbl) return VK_OEM_7;
  for (const auto& [qt, vk] : kKeyTable)
    if (qt == qtKey) return vk;
  return 0;
}

WORD VirtualKeyFromEvent(const QKeyEvent& event) { return VirtualKeyFromQt(event.key(), event.modifiers()); }

int QtKeyFromVirtualKey(WORD vk) {
  if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z')) return vk;
  if (vk >= VK_F1 && vk <= VK_F12) return Qt::Key_F1 + (vk - VK_F1);
  if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return Qt::Key_0 + (vk - VK_NUMPAD0);
  if (vk == VK_OEM_7) return Qt::Key_Apostrophe;
  for (const auto& [qt, v] : kKeyTable)
    if (v == vk) return qt;
  return 0;
}

TShiftState ShiftStateFromQt(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
  TShiftState s = 0;
  if (modifiers & Qt::ShiftModifier) s |= ssShift;
  if (modifiers & Qt::AltModifier) s |= ssAlt;
  if (modifiers & Qt::ControlModifier) s |= ssCtrl;
  if (buttons & Qt::LeftButton) s |= ssLeft;
  if (buttons & Qt::RightButton) s |= ssRight;
  if (buttons & Qt::MiddleButton) s |= ssMiddle;
  return s;
}

TShortCut ShortCut(WORD key, TShiftState shift) {
  TShortCut sc = key & 0xFF;
  if (shift & ssShift) sc |= scShift;
  if (shift & ssCtrl) sc |= scCtrl;
  if (shift & ssAlt) sc |= scAlt;
  return sc;
}

QKeySequence ShortCutToKeySequence(TShortCut shortCut) {
  const int key = QtKeyFromVirtualKey(WORD(shortCut & 0xFF));
  if (!key) return {};
  int mods = 0;
  if (shortCut & scShift) mods |= Qt::SHIFT;
  if (shortCut & scCtrl) mods |= Qt::CTRL;
  if (shortCut & scAlt) mods |= Qt::ALT;
  return QKeySequence(mods | key);
}

QString ShortCutToText(TShortCut shortCut) {
  return ShortCutToKeySequence(shortCut).toString(QKeySequence::PortableText);
}

} // namespace fw
