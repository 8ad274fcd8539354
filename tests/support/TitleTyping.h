#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>
#include <functional>

// What a window-title field does with keys a user types and texts a user pastes, as a table
// that every window with such a field runs through its own field.
namespace TitleTyping {

inline const QString kFull = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXY");  // 25 characters
inline const QString kEmoji = QStringLiteral("\U0001F600");

inline const QString kFlag = QStringLiteral("\U0001F1EB\U0001F1F7");  // two code points, one character seen
inline const QString kThumb = QStringLiteral("\U0001F44D");
inline const QString kSkinTone = QStringLiteral("\U0001F3FD");
inline const QString kMan = QStringLiteral("\U0001F468");
inline const QString kAccent = QStringLiteral("\u0301");  // combines with the letter before it
inline const QString kJoiner = QStringLiteral("\u200D");
// Mother, mother and daughter; father, mother, daughter and son: emoji joined by U+200D.
inline const QString kFamilyOfThree = QStringLiteral("\U0001F469\u200D\U0001F469\u200D\U0001F467");
inline const QString kFamilyOfFour = QStringLiteral("\U0001F468\u200D\U0001F469\u200D\U0001F467\u200D\U0001F466");
// A black flag, five tag letters and the cancel tag: the flag of England.
inline const QString kTagFlag =
    QStringLiteral("\U0001F3F4\U000E0067\U000E0062\U000E0065\U000E006E\U000E0067\U000E007F");

// A field takes as many typed characters as its window allows (25 in Grid Construct, 30 in
// the rename window), and the title rules then cut it to 25; a case holds for one limit or,
// with 0, for both.
struct Case {
  const char* name;
  int limit;
  QString start;
  int caret;  // -1: the last character selected; -2: all of it
  QString typed;   // typed key by key, a code point a key
  QString pasted;  // pasted with Ctrl+V
  QString field;
  int caretAfter;
};

inline const Case kCases[] = {
    // Where typing stops at 25, a full field refuses what is typed, wherever the caret stands.
    {"digits in the middle of a full field", 25, kFull, 5, "12", {}, kFull, 5},
    {"letter in front of a full field", 25, kFull, 0, "z", {}, kFull, 0},
    {"long paste with punctuation", 25, "Tools", 5, {}, ", my (big) tools: one & two & three; four", "Tools my big tools on", 21},
    {"flag pasted as the 25th character", 25, kFull.left(24), 24, {}, kFlag, kFull.left(24), 24},
    {"family typed key by key in the middle", 25, kFull.left(21), 1, kFamilyOfThree, {}, kFull.left(21), 1},
    // Where it stops at 30, the title rules cut what goes beyond 25 at the end.
    {"digits in the middle of a full field", 30, kFull, 5, "12", {}, "ABCDE12" + kFull.mid(5, 18), 7},
    {"letter in front of a full field", 30, kFull, 0, "z", {}, "z" + kFull.left(24), 1},
    {"digit in front of a full field", 30, kFull, 0, "5", {}, "A5ABCDEFGHIJKLMNOPQRSTUVW", 2},
    {"long paste with punctuation", 30, "Tools", 5, {}, ", my (big) tools: one & two & three; four", "Tools my big tools one t", 24},
    {"paste of 29 characters over the title", 30, "Tools", -2, {}, "a.b.c.d.e.f.g.h.i.j.k.l.m.n.o", "abcdefghijklmno", 15},
    {"flag pasted as the 25th character", 30, kFull.left(24), 24, {}, kFlag, kFull.left(24), 24},
    {"family typed key by key in the middle", 30, kFull.left(21), 1, kFamilyOfThree, {},
     "A" + kFamilyOfThree + kFull.mid(1, 19), 9},
    // Either way a paste keeps what fits, then the title rules run on that.
    {"digit at the end of a full field", 0, kFull, 25, "1", {}, kFull, 25},
    {"emoji pasted into a full field", 0, kFull, 25, {}, kEmoji, kFull, 25},
    {"emoji as the 25th character", 0, kFull.left(24), 24, {}, kEmoji + kEmoji, kFull.left(24) + kEmoji, 26},
    {"emoji pasted over a selected letter", 0, kFull, -1, {}, kEmoji + "x", kFull.left(24) + kEmoji, 26},
    {"accented letter pasted as the 25th character", 0, kFull.left(24), 24, {}, "e" + kAccent, kFull.left(24), 24},
    // A key refused at the end that would join the 25th character leaves it there when it is
    // whole on its own.
    {"accent typed after the 25th character", 0, kFull.left(24), 24, "e" + kAccent, {}, kFull.left(24) + "e", 25},
    {"skin tone typed after the 25th character", 0, kFull.left(24), 24, kThumb + kSkinTone, {}, kFull.left(24) + kThumb, 26},
    {"joiner and emoji typed after the 25th character", 0, kFull.left(24), 24, kMan + kJoiner + kMan, {},
     kFull.left(24) + kMan, 26},
    // A character typed piece by piece that cannot be finished goes whole, as it would pasted,
    // and so do its pieces typed after it; the typing then goes on.
    {"flag typed key by key as the 25th character", 0, kFull.left(24), 24, kFlag, {}, kFull.left(24), 24},
    {"two flags typed key by key after 22 characters", 0, kFull.left(22), 22, kFlag + kFlag, {}, kFull.left(22) + kFlag, 26},
    {"family of three typed key by key after 21 characters", 0, kFull.left(21), 21, kFamilyOfThree, {}, kFull.left(21), 21},
    {"family of four typed key by key after 21 characters", 0, kFull.left(21), 21, kFamilyOfFour + "z", {},
     kFull.left(21) + "z", 22},
    {"tag flag typed key by key after 21 characters", 0, kFull.left(21), 21, kTagFlag, {}, kFull.left(21), 21},
    // A lone regional indicator the user typed stays when a key that would not pair with it is refused.
    {"letter typed after a lone regional indicator", 0, kFull.left(24) + kFlag.left(2), 26, "z", {},
     kFull.left(24) + kFlag.left(2), 26},
    // The 25th character is a digit in front: "A" goes in front of it and the last one is cut.
    {"digit in front of 24 characters", 0, kFull.left(24), 0, "1", {}, "A1" + kFull.left(23), 2},
    // The caret moves only by what the rules took away before it.
    {"punctuation typed in the middle", 0, "Tools", 2, ",", {}, "Tools", 2},
    {"space typed next to a space", 0, "To ols", 2, " ", {}, "To ols", 3},
    {"paste with punctuation in front", 0, "Tools", 0, {}, "(a.b)", "abTools", 2},
};

// Types the text as keys, one code point a key, as an input method may send a flag or a
// family of emoji.
inline void typeKeys(QLineEdit* field, const QString& text) {
  for (const uint point : text.toUcs4()) {
    const char32_t key = point;
    if (key < 128) QTest::keyClick(field, static_cast<char>(key));
    else QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString::fromUcs4(&key, 1), Qt::NoModifier);
  }
}

// Starts the field on the case's text and caret (-1: the last character selected) and
// makes the case's edit through key events.
inline void edit(QLineEdit* field, const Case& c) {
  field->setText(c.start);
  if (c.caret == -1) field->setSelection(static_cast<int>(c.start.size()) - 1, 1);
  else if (c.caret == -2) field->selectAll();
  else field->setCursorPosition(c.caret);
  typeKeys(field, c.typed);
  if (!c.pasted.isEmpty()) {
    QApplication::clipboard()->setText(c.pasted);
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
  }
}

// Runs every case for the field's typing limit through the field: the field holds what the
// case says, the caret stands where it says, and `check` looks at whatever else the window
// shows of the title.
inline void runCases(QLineEdit* field, int limit, const std::function<void(const Case&)>& check = {}) {
  field->setFocus();
  for (const Case& c : kCases) {
    if (c.limit != 0 && c.limit != limit) continue;
    SCOPED_TRACE(c.name);
    edit(field, c);
    EXPECT_EQ(field->text(), c.field);
    EXPECT_EQ(field->cursorPosition(), c.caretAfter);
    if (check) check(c);
  }
}

}  // namespace TitleTyping
