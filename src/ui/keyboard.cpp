#include "ui/keyboard.h"

#include "model/symbols.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <dlfcn.h>

bool KeyHandled = false;
bool AfterKeyDown = false;

namespace {
struct TSymbolKey {
    int Key;
    const char* Text;
};

const std::string ForAll(1, Sym::Ch(Sym::ForAll));
const std::string Exists(1, Sym::Ch(Sym::Exists));
const std::string Equiv(1, Sym::Ch(Sym::Equiv));
const std::string Implies(1, Sym::Ch(Sym::Implies));
const std::string And(1, Sym::Ch(Sym::And));
const std::string Or(1, Sym::Ch(Sym::Or));
const std::string Not(1, Sym::Ch(Sym::Not));
const std::string NotEq(1, Sym::Ch(Sym::NotEq));
const std::string LessEq(1, Sym::Ch(Sym::LessEq));
const std::string GreaterEq(1, Sym::Ch(Sym::GreaterEq));

const std::string* SymbolOf(int Key)
{
    static const std::string Delimiter = ". ";
    switch (Key) {
    case 'Q':
        return &ForAll;
    case 'W':
        return &Exists;
    case 'E':
        return &Equiv;
    case 'I':
        return &Implies;
    case 'C':
        return &And;
    case 'D':
        return &Or;
    case 'N':
        return &Not;
    case 'F':
        return &NotEq;
    case 'L':
        return &LessEq;
    case 'G':
        return &GreaterEq;
    case 0x20:
        return &Delimiter;
    default:
        return nullptr;
    }
}

struct TCharKey {
    int Key;
    char Plain;
    char Shifted;
};

constexpr TCharKey CharKeys[] = {
    {0x30, '0', ')'},  {0x31, '1', '!'}, {0x32, '2', '@'}, {0x33, '3', '#'},  {0x34, '4', '$'},
    {0x35, '5', '%'},  {0x36, '6', '^'}, {0x37, '7', '&'}, {0x38, '8', '*'},  {0x39, '9', '('},
    {0xBA, ';', ':'},  {0xBB, '=', '+'}, {0xBC, ',', '<'}, {0xBD, '-', '_'},  {0xBE, '.', '>'},
    {0xBF, '/', '?'},  {0xC0, '`', '~'}, {0xDB, '[', '{'}, {0xDC, '\\', '|'}, {0xDD, ']', '}'},
    {0xDE, '\'', '"'},
};

// Set-1 scan codes of the US layout's main block.
struct TScanKey {
    std::uint32_t Scan;
    int Key;
};

constexpr TScanKey ScanKeys[] = {
    {0x02, '1'},  {0x03, '2'}, {0x04, '3'},  {0x05, '4'},  {0x06, '5'},  {0x07, '6'},
    {0x08, '7'},  {0x09, '8'}, {0x0A, '9'},  {0x0B, '0'},  {0x0C, 0xBD}, {0x0D, 0xBB},
    {0x10, 'Q'},  {0x11, 'W'}, {0x12, 'E'},  {0x13, 'R'},  {0x14, 'T'},  {0x15, 'Y'},
    {0x16, 'U'},  {0x17, 'I'}, {0x18, 'O'},  {0x19, 'P'},  {0x1A, 0xDB}, {0x1B, 0xDD},
    {0x1E, 'A'},  {0x1F, 'S'}, {0x20, 'D'},  {0x21, 'F'},  {0x22, 'G'},  {0x23, 'H'},
    {0x24, 'J'},  {0x25, 'K'}, {0x26, 'L'},  {0x27, 0xBA}, {0x28, 0xDE}, {0x29, 0xC0},
    {0x2B, 0xDC}, {0x2C, 'Z'}, {0x2D, 'X'},  {0x2E, 'C'},  {0x2F, 'V'},  {0x30, 'B'},
    {0x31, 'N'},  {0x32, 'M'}, {0x33, 0xBC}, {0x34, 0xBE}, {0x35, 0xBF}, {0x39, 0x20},
};

// The Caps Lock toggle from the X server, where there is one.
bool X11CapsLock()
{
    using TGetState = int (*)(void*, unsigned int, unsigned int*);
    using TOpen = void* (*)(const char*);
    static void* Library = dlopen("libX11.so.6", RTLD_LAZY | RTLD_LOCAL);
    if (!Library)
        return false;
    static auto Open = reinterpret_cast<TOpen>(dlsym(Library, "XOpenDisplay"));
    static auto GetState = reinterpret_cast<TGetState>(dlsym(Library, "XkbGetIndicatorState"));
    static void* Display = Open ? Open(nullptr) : nullptr;
    unsigned int State = 0;
    if (!Display || !GetState || GetState(Display, 0x0100 /* core keyboard */, &State) != 0)
        return false;
    return State & 1;
}
} // namespace

std::string EditorKeyDown(const TKeyInput& In)
{
    KeyHandled = false;
    AfterKeyDown = true;
    const bool None = !In.Shift && !In.Ctrl && !In.Alt;
    const bool ShiftOnly = In.Shift && !In.Ctrl && !In.Alt;
    std::string Insert;
    if (In.Ctrl && In.Alt && !In.Shift) {
        if (const std::string* S = SymbolOf(In.Key))
            Insert = *S;
    } else if (None || ShiftOnly) {
        for (const TCharKey& C : CharKeys)
            if (C.Key == In.Key)
                Insert = std::string(1, In.Shift ? C.Shifted : C.Plain);
        if (Insert.empty() && In.Key >= 'A' && In.Key <= 'Z') {
            const bool Upper = In.Shift != In.CapsLock;
            Insert = std::string(1, static_cast<char>(Upper ? In.Key : In.Key - 'A' + 'a'));
        }
    }
    KeyHandled = !Insert.empty();
    return Insert;
}

bool EditorKeyPress(char32_t Character)
{
    if (KeyHandled || !AfterKeyDown || Character > 0x7F) {
        KeyHandled = false;
        AfterKeyDown = false;
        return false;
    }
    return true;
}

int VirtualKeyFromScanCode(std::uint32_t ScanCode)
{
    for (const TScanKey& K : ScanKeys)
        if (K.Scan == ScanCode)
            return K.Key;
    return 0;
}

int VirtualKeyFromQtKey(int QtKey)
{
    if (QtKey >= Qt::Key_0 && QtKey <= Qt::Key_9)
        return QtKey;
    if (QtKey >= Qt::Key_A && QtKey <= Qt::Key_Z)
        return QtKey;
    switch (QtKey) {
    case Qt::Key_ParenRight:
        return '0';
    case Qt::Key_Exclam:
        return '1';
    case Qt::Key_At:
        return '2';
    case Qt::Key_NumberSign:
        return '3';
    case Qt::Key_Dollar:
        return '4';
    case Qt::Key_Percent:
        return '5';
    case Qt::Key_AsciiCircum:
        return '6';
    case Qt::Key_Ampersand:
        return '7';
    case Qt::Key_Asterisk:
        return '8';
    case Qt::Key_ParenLeft:
        return '9';
    case Qt::Key_Semicolon:
    case Qt::Key_Colon:
        return 0xBA;
    case Qt::Key_Equal:
    case Qt::Key_Plus:
        return 0xBB;
    case Qt::Key_Comma:
    case Qt::Key_Less:
        return 0xBC;
    case Qt::Key_Minus:
    case Qt::Key_Underscore:
        return 0xBD;
    case Qt::Key_Period:
    case Qt::Key_Greater:
        return 0xBE;
    case Qt::Key_Slash:
    case Qt::Key_Question:
        return 0xBF;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde:
        return 0xC0;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft:
        return 0xDB;
    case Qt::Key_Backslash:
    case Qt::Key_Bar:
        return 0xDC;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight:
        return 0xDD;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl:
        return 0xDE;
    case Qt::Key_Space:
        return 0x20;
    default:
        return 0;
    }
}

TKeyInput KeyInputOf(const QKeyEvent& Event)
{
    TKeyInput In;
    const Qt::KeyboardModifiers M = Event.modifiers();
    In.Shift = M & Qt::ShiftModifier;
    In.Ctrl = M & Qt::ControlModifier;
    In.Alt = M & Qt::AltModifier;
    if (M & Qt::KeypadModifier)
        return In; // the numeric keypad reaches the memo as it is
    // The physical key: X11 and Wayland give evdev codes plus 8, Windows its scan code.
    const QString Platform = QGuiApplication::platformName();
    const std::uint32_t Native = Event.nativeScanCode();
    if (Native != 0 && (Platform == "xcb" || Platform.startsWith("wayland")))
        In.Key = Native > 8 ? VirtualKeyFromScanCode(Native - 8) : 0;
    else if (Native != 0 && Platform == "windows")
        In.Key = VirtualKeyFromScanCode(Native & 0xFF);
    else
        In.Key = VirtualKeyFromQtKey(Event.key());
    // Caps Lock: an ASCII letter tells it; otherwise ask the X server.
    const QString Text = Event.text();
    if (Text.size() == 1 && Text[0].unicode() < 0x80 && Text[0].isLetter())
        In.CapsLock = Text[0].isUpper() != In.Shift;
    else if (In.Key >= 'A' && In.Key <= 'Z' && Platform == "xcb")
        In.CapsLock = X11CapsLock();
    return In;
}
