#include <QFile>
#include <QRegularExpression>

#include "support/TestEnvironment.h"

// The AppleScript that reaches Keyboard Maestro runs only on macOS; its text is what can be
// checked everywhere.
TEST(FirePaletteScriptTest, NamesTheMacroByTheFirstTextAndPassesTheSecondWithoutWaiting) {
  QFile source(QStringLiteral(TAVELIN_SOURCE_DIR) + "/resources/FirePalette.applescript");
  ASSERT_TRUE(source.open(QIODevice::ReadOnly)) << source.fileName().toStdString();
  const QString text = QString::fromUtf8(source.readAll());
  const auto has = [&text](const QString& pattern) {
    return QRegularExpression(pattern).match(text).hasMatch();
  };
  EXPECT_TRUE(has(R"(on run argv\s)"));
  EXPECT_TRUE(has(R"(set macroName to item 1 of argv\s)"));
  EXPECT_TRUE(has(R"(set buttonNumber to item 2 of argv\s)"));
  EXPECT_TRUE(has(R"(on run \{macroName, buttonNumber\})"));
  EXPECT_TRUE(has(R"(with parameters \{macroName, buttonNumber\})"));
  EXPECT_TRUE(has(R"(ignoring application responses\s+tell application \\"Keyboard Maestro Engine\\" to do script macroName with parameter buttonNumber\s+end ignoring)"));
}
