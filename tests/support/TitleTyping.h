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

struct Case {
  const char* name;
  QString start;
  int caret;
  QString typed;   // typed key by key
  QString pasted;  // pasted with Ctrl+V
  QString field;
  int caretAfter;
};

inline const Case kCases[] = {
    // A full field refuses what is typed, wherever the caret stands.
    {"digits in the middle of a full field", kFull, 5, "12", {}, kFull, 5},
    {"letter in front of a full field", kFull, 0, "z", {}, kFull, 0},
    {"digit at the end of a full field", kFull, 25, "1", {}, kFull, 25},
    {"emoji pasted into a full field", kFull, 25, {}, kEmoji, kFull, 25},
    // A paste keeps what fits, then the title rules run on that.
    {"long paste with punctuation", "Tools", 5, {}, ", my (big) tools: one & two & three; four", "Tools my big tools on", 21},
    {"emoji as the 25th character", kFull.left(24), 24, {}, kEmoji + kEmoji, kFull.left(24) + kEmoji, 26},
    {"emoji pasted over a selected letter", kFull, -1, {}, kEmoji + "x", kFull.left(24) + kEmoji, 26},
    // The 25th character is a digit in front: "A" goes in front of it and the last one is cut.
    {"digit in front of 24 characters", kFull.left(24), 0, "1", {}, "A1" + kFull.left(23), 2},
    // The caret moves only by what the rules took away before it.
    {"punctuation typed in the middle", "Tools", 2, ",", {}, "Tools", 2},
    {"space typed next to a space", "To ols", 2, " ", {}, "To ols", 3},
    {"paste with punctuation in front", "Tools", 0, {}, "(a.b)", "abTools", 2},
};

// Starts the field on the case's text and caret (-1: the last character selected) and
// makes the case's edit through key events.
inline void edit(QLineEdit* field, const Case& c) {
  field->setText(c.start);
  if (c.caret < 0) field->setSelection(static_cast<int>(c.start.size()) - 1, 1);
  else field->setCursorPosition(c.caret);
  if (!c.typed.isEmpty()) QTest::keyClicks(field, c.typed);
  if (!c.pasted.isEmpty()) {
    QApplication::clipboard()->setText(c.pasted);
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
  }
}

// Runs every case through the field: the field holds what the case says, the caret stands
// where it says, and `check` looks at whatever else the window shows of the title.
inline void runCases(QLineEdit* field, const std::function<void(const Case&)>& check = {}) {
  field->setFocus();
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    edit(field, c);
    EXPECT_EQ(field->text(), c.field);
    EXPECT_EQ(field->cursorPosition(), c.caretAfter);
    if (check) check(c);
  }
}

}  // namespace TitleTyping
