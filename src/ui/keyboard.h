// The logical-symbol keyboard: keys by their position on a US keyboard, whatever the layout.
#pragma once

#include <cstdint>
#include <string>

class QKeyEvent;

// Pairs each key-down with the character event that follows it.
extern bool KeyHandled;
extern bool AfterKeyDown;

// A key as the handlers see it: the virtual-key code of its position on a US keyboard and
// the exact set of held modifiers.
struct TKeyInput {
    int Key = 0;
    bool Shift = false;
    bool Ctrl = false;
    bool Alt = false;
    bool CapsLock = false; // the toggle is on (and the key itself is not held)
};

// The text a key-down inserts, empty when the key is left to the memo.
std::string EditorKeyDown(const TKeyInput& Input);
// Whether the character of the last key-down may reach the memo.
bool EditorKeyPress(char32_t Character);

// Virtual-key codes of the positions this keyboard knows, from a PC (set 1) scan code or from
// a Qt key of a US layout; 0 for any other key.
int VirtualKeyFromScanCode(std::uint32_t ScanCode);
int VirtualKeyFromQtKey(int QtKey);
// The key input of a Qt key event, read on the running platform.
TKeyInput KeyInputOf(const QKeyEvent& Event);
