#include <QRegularExpression>
#include <QSet>

#include "common/RtrnDateString.h"
#include "platform/Clock.h"
#include "support/TestEnvironment.h"

namespace {
Clock::LocalDateTime at(int y, int mo, int d, int h, int mi, int s, qint64 ns) { return {y, mo, d, h, mi, s, ns}; }

class RtrnDateStringTest : public TavelinTest {
 protected:
  void SetUp() override {
    TavelinTest::SetUp();
    RtrnDateString::extraLetterAscii1 = RtrnDateString::extraLetterAscii2 = 0;
    Clock::setNow(at(2025, 3, 7, 9, 5, 3, 123456000));
  }
  void TearDown() override {
    Clock::setNow(std::nullopt);
    TavelinTest::TearDown();
  }
};
}  // namespace

TEST_F(RtrnDateStringTest, EveryFormOfOneMoment) {
  const std::pair<qint64, QString> cases[] = {
      {1, "250307"},          {2, "250307_09"},           {3, "250307_0905"},
      {4, "250307_090503"},   {5, "2503070905"},          {6, "2025.03.07"},
      {7, "250307_090503Aa"}, {8, "03/07/2025 09:05:03"}, {9, "20250307_090503"},
      {10, "250307_090503_123456000"}, {11, "250307_090503_123456"}, {12, "250307_090503_123"},
      {13, "250307_0jgxw3"},  {0, "250307_090503"},       {-1, "250307_090503"}, {14, "250307_090503"},
  };
  for (const auto& [form, expected] : cases) EXPECT_EQ(RtrnDateString::rsAlphaDateTime(form), expected) << form;
  EXPECT_TRUE(logLines.isEmpty());
}

TEST_F(RtrnDateStringTest, PiecesAtTheEdgesOfDaysYearsAndSeconds) {
  struct Case {
    Clock::LocalDateTime t;
    qint64 form;
    QString expected;
  };
  const Case cases[] = {
      {at(2025, 3, 7, 0, 0, 0, 0), 4, "250307_000000"},
      {at(2025, 3, 7, 0, 0, 0, 0), 13, "250307_000000"},
      {at(2025, 3, 7, 12, 0, 0, 0), 13, "250307_0ppxc0"},
      {at(2025, 3, 7, 23, 59, 59, 999999999), 13, "250307_1ffunz"},
      {at(2025, 3, 7, 13, 0, 0, 0), 2, "250307_13"},
      {at(2000, 1, 2, 3, 4, 5, 6), 1, "000102"},
      {at(2009, 12, 31, 3, 4, 5, 6), 9, "20091231_030405"},
      {at(2009, 12, 31, 3, 4, 5, 6), 6, "2009.12.31"},
      {at(2009, 12, 31, 3, 4, 5, 7), 10, "091231_030405_000000007"},
      {at(2009, 12, 31, 9, 59, 59, 999999999), 11, "091231_095959_999999"},
      {at(2009, 12, 31, 9, 59, 59, 999999999), 12, "091231_095959_999"},
      {at(2009, 12, 31, 9, 59, 59, 999), 12, "091231_095959_000"},
  };
  for (const Case& c : cases) {
    Clock::setNow(c.t);
    EXPECT_EQ(RtrnDateString::rsAlphaDateTime(c.form), c.expected) << c.expected.toStdString();
  }
}

TEST_F(RtrnDateStringTest, FormSevenLettersCycleAndOtherFormsLeaveThem) {
  QStringList pairs;
  for (int i = 0; i < 677; ++i) {
    pairs << RtrnDateString::rsAlphaDateTime(7).right(2);
    RtrnDateString::rsAlphaDateTime(4);
  }
  EXPECT_EQ(pairs.mid(0, 3), (QStringList{"Aa", "Ab", "Ac"}));
  EXPECT_EQ(pairs.at(25), "Az");
  EXPECT_EQ(pairs.at(26), "Ba");
  EXPECT_EQ(pairs.at(675), "Zz");
  EXPECT_EQ(pairs.at(676), "Aa");
  EXPECT_EQ(QSet<QString>(pairs.begin(), pairs.end()).size(), 676);
}

TEST_F(RtrnDateStringTest, RealClockGivesWellFormedStamps) {
  Clock::setNow(std::nullopt);
  EXPECT_TRUE(QRegularExpression("^\\d{6}_\\d{6}$").match(RtrnDateString::rsAlphaDateTime(4)).hasMatch());
  EXPECT_TRUE(QRegularExpression("^\\d{6}_\\d{6}_\\d{9}$").match(RtrnDateString::rsAlphaDateTime(10)).hasMatch());
  EXPECT_TRUE(QRegularExpression("^\\d{6}_[01][0-9a-z]{5}$").match(RtrnDateString::rsAlphaDateTime(13)).hasMatch());
}
