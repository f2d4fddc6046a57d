// SPDX-License-Identifier: MIT
// The keys as ncurses reads them, and the characters a terminal without
// UTF-8 shows in place of those it lacks.
#include "backends/terminal/key_map.h"

#include <curses.h>
#include <gtest/gtest.h>

#include <clocale>
#include <deque>
#include <string>

#include "backends/terminal/glyphs.h"

namespace {

constexpr int kAltDown = 600;  // as ncurses numbers keys it learns from the terminal

Key FunctionKey(int code) {
    return TranslateKey(true, static_cast<wint_t>(code), kAltDown).key;
}

Key Character(wint_t code) {
    return TranslateKey(false, code, kAltDown).key;
}

TEST(KeyMap, FunctionKeysAndControlCharacters) {
    EXPECT_EQ(FunctionKey(KEY_BTAB), Key::BackTab);
    EXPECT_EQ(FunctionKey(KEY_ENTER), Key::Enter);
    EXPECT_EQ(FunctionKey(KEY_BACKSPACE), Key::Backspace);
    EXPECT_EQ(FunctionKey(KEY_DC), Key::Delete);
    EXPECT_EQ(FunctionKey(KEY_HOME), Key::Home);
    EXPECT_EQ(FunctionKey(KEY_END), Key::End);
    EXPECT_EQ(FunctionKey(KEY_F(1)), Key::F1);
    EXPECT_EQ(FunctionKey(KEY_F(4)), Key::F4);
    EXPECT_EQ(FunctionKey(KEY_F(10)), Key::F10);
    EXPECT_EQ(FunctionKey(kAltDown), Key::AltDown);
    EXPECT_EQ(FunctionKey(KEY_F(2)), Key::None);
    EXPECT_EQ(TranslateKey(true, KEY_DOWN, 0).key, Key::Down);  // no Alt+Down code known

    EXPECT_EQ(Character(L'\t'), Key::Tab);
    EXPECT_EQ(Character(L'\r'), Key::Enter);
    EXPECT_EQ(Character(L'\n'), Key::Enter);
    EXPECT_EQ(Character(0x1B), Key::Escape);
    EXPECT_EQ(Character(0x7F), Key::Backspace);
    EXPECT_EQ(Character(L'\b'), Key::Backspace);
    EXPECT_EQ(Character(0x01), Key::None);
    EXPECT_EQ(Character(0x85), Key::None);
}

TEST(KeyMap, PrintableCharactersAreTyped) {
    for (wchar_t ch : std::wstring(L" 5.Zz\u00E4\u00DF\u20AC")) {
        const KeyPress press = TranslateKey(false, static_cast<wint_t>(ch), kAltDown);
        EXPECT_EQ(press.key, Key::Char);
        EXPECT_EQ(press.ch, ch);
    }
}

// The keyboard after an Esc, as a queue of reads: what is given back comes
// first again, and an empty queue reads as nothing within the delay.
class Keyboard {
public:
    explicit Keyboard(std::deque<KeyRead> reads) : m_reads(std::move(reads)) {}

    KeyPress AfterEscape() { return Read().key; }
    EscapeRead Read() {
        return ReadAfterEscape(
            [this](bool) {
                if (m_reads.empty()) {
                    return KeyRead{};
                }
                const KeyRead read = m_reads.front();
                m_reads.pop_front();
                return read;
            },
            [this](const KeyRead& read) {
                if (read.kind != KeyRead::Kind::Nothing) {
                    m_reads.push_front(read);
                }
            });
    }
    const std::deque<KeyRead>& Left() const { return m_reads; }

private:
    std::deque<KeyRead> m_reads;
};

std::deque<KeyRead> Characters(const std::string& text) {
    std::deque<KeyRead> reads;
    for (char ch : text) {
        reads.push_back({KeyRead::Kind::Character, static_cast<wint_t>(ch)});
    }
    return reads;
}

std::string Text(const std::deque<KeyRead>& reads) {
    std::string text;
    for (const KeyRead& read : reads) {
        text += read.kind == KeyRead::Kind::Character ? static_cast<char>(read.code) : '#';
    }
    return text;
}

TEST(KeyMap, AnEscOnItsOwnOrBeforeAnotherIsEsc) {
    Keyboard alone({});
    EXPECT_EQ(alone.AfterEscape().key, Key::Escape);
    Keyboard twice(Characters("\x1bx"));
    EXPECT_EQ(twice.AfterEscape().key, Key::Escape);
    EXPECT_EQ(Text(twice.Left()), "\x1bx");  // the second Esc is read again
}

TEST(KeyMap, SequencesTheTerminalDoesNotKnowAreSwallowedWhole) {
    // CSI with parameters, SS3, the Linux console's F1, Alt with a letter,
    // and one cut short by the link: none is Esc, and nothing of them is typed.
    for (const std::string sequence :
         {"[4~x", "[1;5Px", "[<0;3;4Mx", "OFx", "O5Ax", "[[Ax", "ax", "[12"}) {
        Keyboard keyboard(Characters(sequence));
        EXPECT_EQ(keyboard.AfterEscape().key, Key::None) << sequence;
        EXPECT_EQ(Text(keyboard.Left()), sequence.back() == 'x' ? "x" : "") << sequence;
    }
    // What cannot belong to a sequence is given back: a key that follows it.
    Keyboard interrupted(Characters("[1\t"));
    EXPECT_EQ(interrupted.AfterEscape().key, Key::None);
    EXPECT_EQ(Text(interrupted.Left()), "\t");

    // Esc before a key the description knows: Alt with that key; Alt+Down opens a list.
    Keyboard altDown({{KeyRead::Kind::FunctionKey, KEY_DOWN}});
    EXPECT_EQ(altDown.AfterEscape().key, Key::AltDown);
    Keyboard altUp({{KeyRead::Kind::FunctionKey, KEY_UP}});
    EXPECT_EQ(altUp.AfterEscape().key, Key::None);
}

// A terminal in bracketed-paste mode wraps what is pasted; the text comes
// whole, line breaks and all, and nothing of it is a key.
TEST(KeyMap, ABracketedPasteComesAsItsText) {
    Keyboard pasted(Characters("[200~N 53d 33.006\rE 9\x1b[201~x"));
    const EscapeRead read = pasted.Read();
    EXPECT_EQ(read.key.key, Key::None);
    EXPECT_EQ(read.paste, L"N 53d 33.006\rE 9");
    EXPECT_EQ(Text(pasted.Left()), "x");
    // An Esc that starts no end is dropped; a paste whose end never comes
    // ends where the text stopped.
    Keyboard cut(Characters("[200~53\x1bx 10"));
    EXPECT_EQ(cut.Read().paste, L"53x 10");
    EXPECT_FALSE(Keyboard(Characters("[201~")).Read().paste);
}

class Locale {
public:
    explicit Locale(const char* name) : m_old(std::setlocale(LC_CTYPE, nullptr)) {
        m_set = std::setlocale(LC_CTYPE, name) != nullptr;
    }
    ~Locale() { std::setlocale(LC_CTYPE, m_old.c_str()); }
    bool Set() const { return m_set; }

private:
    std::string m_old;
    bool m_set;
};

TEST(Glyphs, WithoutUtf8FramesTurnAsciiAndUmlautsLoseTheirDots) {
    Locale ascii("C");
    const std::wstring shown = {CharacterToShow(Glyph::kTopLeft),
                                CharacterToShow(Glyph::kHorizontal),
                                CharacterToShow(Glyph::kVertical),
                                CharacterToShow(Glyph::kDropDownArrow),
                                CharacterToShow(L'\u00B0'),
                                CharacterToShow(L'\u00E4'),
                                CharacterToShow(L'\u00DC'),
                                CharacterToShow(L'\u20AC'),
                                CharacterToShow(L'x')};
    EXPECT_EQ(shown, L"+-|voaU?x");
}

TEST(Glyphs, UnderUtf8EverythingIsShownAsItIs) {
    Locale utf8("C.UTF-8");
    ASSERT_TRUE(utf8.Set());
    for (wchar_t ch : {Glyph::kTopLeft, Glyph::kDropDownArrow, L'\u00B0', L'\u00E4', L'x'}) {
        EXPECT_EQ(CharacterToShow(ch), ch);
    }
    EXPECT_EQ(CharacterToShow(L'\u4E2D'), L'?');  // two columns wide: would push the frame aside
}

}  // namespace
