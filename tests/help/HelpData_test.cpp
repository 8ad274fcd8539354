#include <QApplication>
#include <QRegularExpression>

#include "common/winReportError.h"
#include "help/HelpData.h"
#include "support/TestEnvironment.h"

namespace {

int reportWindowCount() {
  int n = 0;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (qobject_cast<winReportError*>(w) && w->isVisible()) ++n;
  return n;
}

QString bodyOf(qint64 id) {
  const QString& value = HelpData::helpDict->at(HelpData::Key{id});
  return value.mid(value.indexOf(HelpData::kFieldMark) + 1);
}

}  // namespace

using HelpDataTest = TavelinTest;

TEST_F(HelpDataTest, HelpTextParsesIntoTheSixPagesWithTheirTitles) {
  HelpData::FillDictionaryFromHELP_TEXT();
  ASSERT_TRUE(HelpData::helpDict.has_value());
  const QStringList titles = {"Help: Delete Palette", "Help: Change the Alias",
                              "Help: New Palette",    "Help: Switch Palette",
                              "Help: Grid Construct", "Help: Button Pictures"};
  ASSERT_EQ(HelpData::helpDict->size(), 6u);
  for (qint64 id = 1; id <= 6; ++id) {
    const QString& value = HelpData::helpDict->at(HelpData::Key{id});
    EXPECT_TRUE(value.startsWith(titles.at(id - 1) + HelpData::kFieldMark)) << id;
  }
  EXPECT_TRUE(logLines.isEmpty());
  EXPECT_EQ(reportWindowCount(), 0);
}

TEST_F(HelpDataTest, RecordsKeepTheirFormatLengthsAndStructure) {
  const QByteArray bytes(HelpData::HELP_TEXT);
  const QString text = QString::fromUtf8(bytes);
  EXPECT_EQ(text.count('\n'), 5);
  EXPECT_FALSE(text.contains('\r'));
  EXPECT_FALSE(text.endsWith('\n'));
  EXPECT_NEAR(bytes.size(), 12744, 1274);
  EXPECT_NEAR(text.size(), 12526, 1252);

  struct Page {
    qint64 id;
    int length;
    int lineBreaks;
    int paragraphs;
    QStringList headings;  // styled spans that must be there
  };
  const QString green = R"(<span style="color:Green"><b>%1</b></span>)";
  const QString section = R"(<span style="color:Black;font-size:18.0pt"><b>%1</b></span>)";
  const Page pages[] = {
      {1, 1740, 6, 4, {}},
      {2, 1202, 12, 7, {green.arg("Name/ID"), green.arg("Name/Alias")}},
      {3, 552, 4, 3, {}},
      {4, 877, 4, 3, {}},
      {5, 4646, 46, 20, {section.arg("Global Decisions"), section.arg("Button by Button Decisions")}},
      {6, 3366, 20, 9, {green.arg("Select Picture To Add"), green.arg("Remove"), green.arg("Done")}},
  };
  HelpData::FillDictionaryFromHELP_TEXT();
  for (const Page& page : pages) {
    const QString body = bodyOf(page.id);
    SCOPED_TRACE(page.id);
    EXPECT_NEAR(body.size(), page.length, page.length / 10);
    EXPECT_EQ(body.count(HelpData::kLineBreakMark), page.lineBreaks);
    EXPECT_EQ(body.count("<p>"), page.paragraphs);
    EXPECT_EQ(body.count("</p>"), page.paragraphs);
    // Blocks are separated by exactly two marks, and a body neither begins nor ends with one.
    EXPECT_EQ(body.count(HelpData::kLineBreakMark + HelpData::kLineBreakMark), page.lineBreaks / 2);
    EXPECT_FALSE(body.startsWith(HelpData::kLineBreakMark));
    EXPECT_FALSE(body.endsWith(HelpData::kLineBreakMark));
    for (const char* banned : {"&nbsp", "<br/>", "\t", "  ", "\u241F", "<html", "<body", "<head"})
      EXPECT_FALSE(body.contains(QString::fromUtf8(banned), Qt::CaseInsensitive)) << banned;
    for (const QString& heading : page.headings) EXPECT_TRUE(body.contains(heading)) << heading.toStdString();
    // Only the elements the viewer is given: paragraphs, bold, italics, emphasis, spans.
    static const QRegularExpression tag("</?([a-z]+)");
    for (auto it = tag.globalMatch(body); it.hasNext();) {
      const QString name = it.next().captured(1);
      EXPECT_TRUE(QStringList({"p", "b", "i", "em", "span"}).contains(name)) << name.toStdString();
    }
  }
  EXPECT_FALSE(bodyOf(1).contains("<span style=\"color:DarkBlue\""));
  EXPECT_EQ(text.count("<em>"), 1);
  int maestro = 0;
  for (qint64 id : {1, 2, 4}) maestro += bodyOf(id).count("<i>Keyboard Maestro</i>");
  EXPECT_EQ(maestro, 6);
  for (qint64 id : {1, 4, 6}) EXPECT_TRUE(bodyOf(id).contains("<i>Tavelins</i>")) << id;
}

TEST_F(HelpDataTest, AFaultyRecordIsReportedOnceAndEarlierRecordsStay) {
  HelpData::FillDictionaryFromHELP_TEXT();
  HelpData::FillDictionaryFromText(QStringLiteral("1␟One␟a\n2␟Two␟b\nno mark here\n4␟Four␟d"));
  ASSERT_TRUE(HelpData::helpDict.has_value());
  EXPECT_EQ(HelpData::helpDict->size(), 2u);  // the earlier dictionary is gone
  EXPECT_EQ(HelpData::helpDict->at(HelpData::Key{qint64(2)}), "Two␟b");
  EXPECT_EQ(logLines, QStringList{"Exception - HelpData.FillDictionaryFromHELP_TEXT"});
  EXPECT_EQ(reportWindowCount(), 1);

  HelpData::FillDictionaryFromText(QStringLiteral("x␟X␟y"));
  EXPECT_TRUE(HelpData::helpDict->empty());
  EXPECT_EQ(logLines.size(), 2);
}

TEST_F(HelpDataTest, LaterRecordReplacesEarlierAndTextKeysStayApart) {
  HelpData::FillDictionaryFromText(QStringLiteral("5␟Old␟a\n5␟New␟b␟c"));
  EXPECT_EQ(HelpData::helpDict->at(HelpData::Key{qint64(5)}), "New␟b␟c");
  HelpData::helpDict->insert_or_assign(HelpData::Key{QStringLiteral("5")}, "<p>short</p>");
  EXPECT_EQ(HelpData::helpDict->at(HelpData::Key{qint64(5)}), "New␟b␟c");
  EXPECT_EQ(HelpData::helpDict->size(), 2u);
  EXPECT_TRUE(logLines.isEmpty());
}
