#include "common/DisplayText.h"
#include "support/TestEnvironment.h"

using DisplayTextTest = TavelinTest;

TEST_F(DisplayTextTest, LongTextsAreCutForDisplayOnly) {
  EXPECT_EQ(DisplayText::shown("KM Palette"), "KM Palette");
  const QString limit(DisplayText::kMaxShownCharacters, QLatin1Char('t'));
  EXPECT_EQ(DisplayText::shown(limit), limit);
  EXPECT_EQ(DisplayText::shown(limit + "t"), limit + u"\u2026"_qs);

  // Counted in characters: a text of emoji at the limit is whole, and a cut keeps pairs whole.
  const QString smile = u"\U0001F600"_qs;
  const QString smiles = smile.repeated(DisplayText::kMaxShownCharacters);
  EXPECT_EQ(DisplayText::shown(smiles), smiles);
  EXPECT_EQ(DisplayText::shown(smiles + smile), smiles + u"\u2026"_qs);

  EXPECT_EQ(DisplayText::windowTitle("A [*] title"), "A [*][*] title");
}
