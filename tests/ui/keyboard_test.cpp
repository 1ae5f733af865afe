// The logical-symbol keyboard.
#include "model/symbols.h"
#include "ui/keyboard.h"

#include <Qt>
#include <gtest/gtest.h>

namespace {
TEST(Keyboard, KeysByTheirUSPosition)
{
    struct TRow {
        TKeyInput In;
        std::string Insert;
    };
    const std::string ForAll(1, Sym::Ch(Sym::ForAll));
    const TRow Rows[] = {
        {{'Q', false, true, true, false}, ForAll},
        {{'W', false, true, true, false}, std::string(1, Sym::Ch(Sym::Exists))},
        {{'N', false, true, true, false}, std::string(1, Sym::Ch(Sym::Not))},
        {{'G', false, true, true, false}, std::string(1, Sym::Ch(Sym::GreaterEq))},
        {{0x20, false, true, true, false}, ". "},
        {{'Q', true, true, true, false}, ""},   // Ctrl+Shift+Alt is no symbol key
        {{'X', false, true, true, false}, ""},  // not in the symbol table
        {{'Q', false, true, false, false}, ""}, // Ctrl alone: a shortcut
        {{'A', false, false, false, false}, "a"},
        {{'A', true, false, false, false}, "A"},
        {{'A', false, false, false, true}, "A"}, // Caps Lock
        {{'A', true, false, false, true}, "a"},
        {{'1', true, false, false, false}, "!"},
        {{'2', true, false, false, false}, "@"},
        {{0xDE, true, false, false, false}, "\""},
        {{0xC0, false, false, false, false}, "`"},
        {{0xBE, false, false, false, false}, "."},
        {{0x20, false, false, false, false}, ""}, // Space reaches the memo itself
    };
    for (const TRow& Row : Rows) {
        SCOPED_TRACE(Row.In.Key);
        EXPECT_EQ(EditorKeyDown(Row.In), Row.Insert);
        EXPECT_EQ(KeyHandled, !Row.Insert.empty());
        EXPECT_EQ(EditorKeyPress(U'x'), Row.Insert.empty()) << "a handled key drops its character";
    }
    EditorKeyDown({0x70, false, false, false, false}); // F1
    EXPECT_FALSE(EditorKeyPress(U'\u00E9')) << "national characters never pass";
    EXPECT_FALSE(EditorKeyPress(U'a')) << "no key-down before this character";
    EXPECT_EQ(VirtualKeyFromScanCode(0x10), 'Q');
    EXPECT_EQ(VirtualKeyFromScanCode(0x28), 0xDE);
    EXPECT_EQ(VirtualKeyFromQtKey(Qt::Key_Exclam), '1');
}
} // namespace
