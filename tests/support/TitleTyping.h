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

// A field takes as many typed characters as its window allows (25 in Grid Construct, 30 in
// the rename window), and the title rules then cut it to 25; a case holds for one limit or,
// with 0, for both.
struct Case {
  const char* name;
  int limit;
  QString start;
  int caret;  // -1: the last character selected; -2: all of it
  QString typed;   // typed key by key
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
    // Where it stops at 30, the title rules cut what goes beyond 25 at the end.
    {"digits in the middle of a full field", 30, kFull, 5, "12", {}, "ABCDE12" + kFull.mid(5, 18), 7},
    {"letter in front of a full field", 30, kFull, 0, "z", {}, "z" + kFull.left(24), 1},
    {"digit in front of a full field", 30, kFull, 0, "5", {}, "A5ABCDEFGHIJKLMNOPQRSTUVW", 2},
    {"long paste with punctuation", 30, "Tools", 5, {}, ", my (big) tools: one & two & three; four", "Tools my big tools one t", 24},
    {"paste of 29 characters over the title", 30, "Tools", -2, {}, "a.b.c.d.e.f.g.h.i.j.k.l.m.n.o", "abcdefghijklmno", 15},
    {"flag pasted as the 25th character", 30, kFull.left(24), 24, {}, kFlag, kFull.left(24), 24},
    // Either way a paste keeps what fits, then the title rules run on that.
    {"digit at the end of a full field", 0, kFull, 25, "1", {}, kFull, 25},
    {"emoji pasted into a full field", 0, kFull, 25, {}, kEmoji, kFull, 25},
    {"emoji as the 25th character", 0, kFull.left(24), 24, {}, kEmoji + kEmoji, kFull.left(24) + kEmoji, 26},
    {"emoji pasted over a selected letter", 0, kFull, -1, {}, kEmoji + "x", kFull.left(24) + kEmoji, 26},
    // The 25th character is a digit in front: "A" goes in front of it and the last one is cut.
    {"digit in front of 24 characters", 0, kFull.left(24), 0, "1", {}, "A1" + kFull.left(23), 2},
    // The caret moves only by what the rules took away before it.
    {"punctuation typed in the middle", 0, "Tools", 2, ",", {}, "Tools", 2},
    {"space typed next to a space", 0, "To ols", 2, " ", {}, "To ols", 3},
    {"paste with punctuation in front", 0, "Tools", 0, {}, "(a.b)", "abTools", 2},
};

// Starts the field on the case's text and caret (-1: the last character selected) and
// makes the case's edit through key events.
inline void edit(QLineEdit* field, const Case& c) {
  field->setText(c.start);
  if (c.caret == -1) field->setSelection(static_cast<int>(c.start.size()) - 1, 1);
  else if (c.caret == -2) field->selectAll();
  else field->setCursorPosition(c.caret);
  if (!c.typed.isEmpty()) QTest::keyClicks(field, c.typed);
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
