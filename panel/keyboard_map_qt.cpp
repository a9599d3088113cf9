// The key codes panel/keyboard.cpp maps are Qt's own.
#include <Qt>

static_assert(Qt::Key_Escape == 0x01000000 && Qt::Key_Backspace == 0x01000003 &&
              Qt::Key_Return == 0x01000004 && Qt::Key_Enter == 0x01000005 &&
              Qt::Key_Delete == 0x01000007 && Qt::Key_F1 == 0x01000030);
static_assert(Qt::Key_Space == 0x20 && Qt::Key_Asterisk == 0x2a && Qt::Key_Plus == 0x2b &&
              Qt::Key_Comma == 0x2c && Qt::Key_Minus == 0x2d && Qt::Key_Period == 0x2e &&
              Qt::Key_0 == 0x30 && Qt::Key_9 == 0x39 && Qt::Key_Q == 0x51 && Qt::Key_Z == 0x5a);
static_assert(Qt::Key_D == 0x44 && Qt::Key_S == 0x53 && Qt::Key_U == 0x55);
static_assert(Qt::Key_X == 0x58);
