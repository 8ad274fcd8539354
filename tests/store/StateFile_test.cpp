#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <nlohmann/json.hpp>

#include "app/App.h"
#include "app/BundleInfo.h"
#include "common/FileTools.h"
#include "platform/UserFolders.h"
#include "store/StoreFixture.h"
#include "support/MoveFaults.h"

namespace {

using Json = nlohmann::ordered_json;

QString dataFolderPath() {
  return UserFolders::applicationSupport().child(BundleInfo::identifier).path();
}
QString statePath() { return dataFolderPath() + "/PreserveState.txt"; }

Json parse(const QString& text) { return Json::parse(text.toStdString()); }
QString dump(const Json& j) { return QString::fromStdString(j.dump()); }

}  // namespace

class StateFileTest : public StoreTest {
 protected:
  QString written() {
    const std::optional<QString> text = KM::JSON_CreateData();
    EXPECT_TRUE(text.has_value());
    return text.value_or(QString());
  }

  // Loads a state file of these bytes; answers the files the load added beside it.
  static QStringList loadFile(const QByteArray& bytes) {
    writeFile(statePath(), bytes);
    const QDir folder(dataFolderPath());
    const QStringList before = folder.entryList(QDir::Files);
    KM::GetKM_DataFromDisk();
    QStringList added = folder.entryList(QDir::Files);
    for (const QString& name : before) added.removeOne(name);
    return added;
  }

  // Empties the store as at program start; returns what it held.
  std::vector<PaletteRecord> takeStore() {
    std::vector<PaletteRecord> old = std::move(KM::DP);
    KM::resetToInitialValues();
    KM::MakeAlphabetShortcuts();
    return old;
  }

  static void expectSameStore(const std::vector<PaletteRecord>& expected) {
    ASSERT_EQ(KM::DP.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
      const PaletteRecord& a = KM::DP[i];
      const PaletteRecord& e = expected[i];
      EXPECT_EQ(a.i_NumRows, e.i_NumRows) << i;
      EXPECT_EQ(a.i_NumColumns, e.i_NumColumns) << i;
      EXPECT_EQ(a.s_Name, e.s_Name) << i;
      EXPECT_EQ(a.s_Alias, e.s_Alias) << i;
      EXPECT_EQ(a.s_WinTitle, e.s_WinTitle) << i;
      ASSERT_EQ(a.a_Btn->size(), 100u);
      for (size_t n = 0; n < 100; ++n) {
        const Btn& x = a.a_Btn->at(n);
        const Btn& y = e.a_Btn->at(n);
        EXPECT_TRUE(x.ID == y.ID && x.Row == y.Row && x.Col == y.Col && x.sID == y.sID &&
                    x.Tip == y.Tip && x.Info == y.Info && x.Shortcut == y.Shortcut && x.Vis == y.Vis &&
                    x.ShortcutShow == y.ShortcutShow)
            << "slot " << i << " button " << n;
      }
    }
  }
};

TEST_F(StateFileTest, FirstRunStoreIsWrittenAsTheWorkedExample) {
  KM::CreateFirstPalette();
  KM::ActivatePalette(KM::idxCP);
  view.top = 120;
  view.left = 300;
  view.height = 670;
  view.width = 640;

  QString expected =
      "[{\"LastPaletteIndex\":0,\"CurrentPalette\":0,\"ReuseablePalette\":\"\",\"WinTop\":120,"
      "\"WinLeft\":300,\"WinHeight\":670,\"WinWidth\":640}";
  const QString letters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
  for (int n = 0; n < 100; ++n)
    expected += QString(",{\"sID\":\"%1\",\"Shortcut\":\"%2\",\"Tip\":\"\",\"Info\":\"\",\"ShortcutShow\":false,"
                        "\"Vis\":true}")
                    .arg(n, 2, 10, QChar('0'))
                    .arg(n < 52 ? QString(letters[n]) : QString::fromUtf8("\xE2\x90\x80"));
  expected +=
      ",{\"numRows\":10,\"numColumns\":10,\"paleName\":\"P00\",\"paleAlias\":\"Original\","
      "\"paleWinTitle\":\"KM Palette\"}]";

  const QString text = written();
  EXPECT_EQ(text, expected);
  EXPECT_EQ(parse(text).size(), 102u);
  EXPECT_TRUE(messages.isEmpty());
}

TEST_F(StateFileTest, RoundTripThroughTheFileKeepsEverything) {
  makeStore({"Mail / \"Post\"", KM::noneMark, "Ünïcødé 🎹"}, 3);
  BtnArray& b = *KM::aBtn;
  b[0].Tip = "Say \"hi\" \\ back\\slash";
  b[0].Info = "line one\r\nline two\n\ttabbed\rold mac";
  b[1].Shortcut = KM::noneMark;
  b[1].ShortcutShow = true;
  b[2].Vis = false;
  b[3].Tip = QString("nul") + QChar(0) + "inside";
  b[99].Info = "emoji 🎉 and ␀ and </script> and /path/";
  KM::numRows = 3;
  KM::numColumns = 7;
  KM::paleWinTitle = "Tïtle ✓";
  KM::paletteContentChange = true;
  KM::SavePaletteToDP();
  KM::DP[0].a_Btn->at(50).Tip = "other palette";
  view.top = -40;
  view.left = 2500;
  view.height = 222;
  view.width = 448;

  const QString text = written();
  EXPECT_TRUE(text.contains("\u2400") && text.contains("🎹")) << "UTF-8 written as UTF-8";
  EXPECT_TRUE(text.contains("/path/")) << "\"/\" not escaped";
  writeFile(statePath(), text.toUtf8());
  const std::vector<PaletteRecord> saved = takeStore();

  KM::GetKM_DataFromDisk();
  expectSameStore(saved);
  EXPECT_EQ(KM::idxCP, 3);
  EXPECT_EQ(KM::initialWinTop, -40);
  EXPECT_EQ(KM::initialWinLeft, 2500);
  EXPECT_EQ(KM::initialWinHeight, 222);
  EXPECT_EQ(KM::initialWinWidth, 448);
  EXPECT_FALSE(KM::paletteContentChange || KM::paletteActiveChange);
  EXPECT_TRUE(KM::aBtn->empty());  // linked by the activation that follows
  EXPECT_EQ(App::current().appSupportFolder.path(), dataFolderPath());
  EXPECT_TRUE(messages.isEmpty() && logLines.isEmpty());
  EXPECT_EQ(readFile(statePath()), text.toUtf8());

  KM::ActivatePalette(KM::idxCP);
  EXPECT_EQ(KM::paleWinTitle, "Tïtle ✓");
  EXPECT_EQ(KM::numColumns, 7);
  EXPECT_EQ(written(), text);  // and it writes back the same bytes
}

TEST_F(StateFileTest, WithoutAFileTheFirstPaletteIsCreated) {
  ASSERT_FALSE(QFileInfo::exists(dataFolderPath()));
  KM::GetKM_DataFromDisk();
  EXPECT_TRUE(QFileInfo(dataFolderPath()).isDir());
  ASSERT_EQ(KM::DP.size(), 1u);
  EXPECT_EQ(KM::DP[0].s_Alias, "Original");
  EXPECT_EQ(KM::idxCP, 0);
  EXPECT_EQ(KM::initialWinTop + KM::initialWinLeft + KM::initialWinHeight + KM::initialWinWidth, 0);
  EXPECT_TRUE(KM::paletteContentChange);
  EXPECT_TRUE(messages.isEmpty());
}

TEST_F(StateFileTest, HandEditedValuesAreMadeSafe) {
  makeStore({"Second", KM::noneMark});
  const Json good = parse(written());

  struct Case {
    const char* what;
    std::function<void(Json&)> edit;
    std::function<void()> check;
    bool ignoresSome = false;  // objects after the last palette entry
  };
  const Case cases[] = {
      {"objects after the last palette entry",
       [&good](Json& j) {
         for (size_t n = 1; n <= 101; ++n) j.push_back(good[n]);
         j.push_back(Json::object());
       },
       [] { EXPECT_EQ(KM::DP[2].s_Alias, KM::noneMark); }, true},
      {"LastPaletteIndex 1 with three slots", [](Json& j) { j[0]["LastPaletteIndex"] = 1; },
       [] { EXPECT_EQ(KM::DP[1].s_Alias, "Second"); }, true},
      {"current beyond the last slot", [](Json& j) { j[0]["CurrentPalette"] = 3; },
       [] { EXPECT_EQ(KM::idxCP, 0); }},
      {"current negative", [](Json& j) { j[0]["CurrentPalette"] = -1; }, [] { EXPECT_EQ(KM::idxCP, 0); }},
      {"current on a freed slot", [](Json& j) { j[0]["CurrentPalette"] = 2; }, [] { EXPECT_EQ(KM::idxCP, 0); }},
      {"current in use", [](Json& j) { j[0]["CurrentPalette"] = 1; }, [] { EXPECT_EQ(KM::idxCP, 1); }},
      {"rows and columns out of range",
       [](Json& j) {
         j[101]["numRows"] = 0;
         j[101]["numColumns"] = 11;
         j[202]["numRows"] = -7;
         j[202]["numColumns"] = 4;
       },
       [] {
         EXPECT_EQ(KM::DP[0].i_NumRows, 1);
         EXPECT_EQ(KM::DP[0].i_NumColumns, 10);
         EXPECT_EQ(KM::DP[1].i_NumRows, 1);
         EXPECT_EQ(KM::DP[1].i_NumColumns, 4);
       }},
      {"sID not matching the place",
       [](Json& j) {
         j[1 + 3]["sID"] = "7";
         j[1 + 4]["sID"] = "ab";
         j[1 + 5]["sID"] = "47";
       },
       [] {
         for (int n : {3, 4, 5}) {
           const Btn& b = KM::DP[0].a_Btn->at(n);
           EXPECT_EQ(b.sID, QString("0%1").arg(n));
           EXPECT_TRUE(b.ID == n && b.Row == 0 && b.Col == n);
         }
       }},
      {"no ReuseablePalette, keys in another order",
       [](Json& j) {
         j[0].erase("ReuseablePalette");
         std::vector<std::pair<std::string, Json>> items;
         for (auto& [key, value] : j[101].items()) items.emplace_back(key, value);
         Json reversed = Json::object();
         for (auto it = items.rbegin(); it != items.rend(); ++it) reversed[it->first] = it->second;
         j[101] = reversed;
       },
       [] { EXPECT_EQ(KM::DP[0].s_WinTitle, "KM Palette"); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    takeStore();
    messages.clear();
    Json edited = good;
    c.edit(edited);
    const QByteArray bytes = dump(edited).toUtf8();
    const QStringList added = loadFile(bytes);
    ASSERT_EQ(KM::DP.size(), edited[0]["LastPaletteIndex"].get<size_t>() + 1);
    c.check();
    EXPECT_EQ(readFile(statePath()), bytes);
    if (!c.ignoresSome) {
      EXPECT_TRUE(added.isEmpty() && messages.isEmpty());
      EXPECT_FALSE(KM::paletteActiveChange || KM::paletteContentChange);
    } else {
      // What was ignored is kept in a copy of the file as read, the user told where, and
      // the close's save, which leaves it out, leaves the copy alone.
      ASSERT_EQ(added.size(), 1);
      const QString copy = dataFolderPath() + "/" + added[0];
      EXPECT_TRUE(added[0].startsWith("PreserveState-as-read-") && added[0].endsWith(".txt")) << added[0].toStdString();
      EXPECT_EQ(readFile(copy), bytes);
      ASSERT_EQ(messages.size(), 1);
      EXPECT_TRUE(messages[0].contains(copy)) << messages[0].toStdString();
      EXPECT_TRUE(KM::paletteActiveChange);
      FileTools::StringToFileItem(written(), KM::stateFileBaseName, App::current().appSupportFolder);
      EXPECT_EQ(parse(QString::fromUtf8(readFile(statePath()))).size(), 1 + 101 * KM::DP.size());
      EXPECT_EQ(readFile(copy), bytes);
    }
    KM::ActivatePalette(KM::idxCP);
    EXPECT_EQ(KM::aBtn->size(), 100u);
  }
  EXPECT_TRUE(logLines.isEmpty());
}

TEST_F(StateFileTest, LinkedFileHoldingMoreIsCopiedFromWhatItLeadsTo) {
  makeStore({});
  Json j = parse(written());
  j.push_back(Json::object());
  const QByteArray bytes = dump(j).toUtf8();
  takeStore();
  const QString target = homePath() + "/dotfiles/PreserveState.txt";
  writeFile(target, bytes);
  QDir().mkpath(dataFolderPath());
  ASSERT_TRUE(QFile::link(target, statePath()));

  KM::GetKM_DataFromDisk();
  const QStringList copies = QDir(dataFolderPath()).entryList({"PreserveState-as-read-*"}, QDir::Files);
  ASSERT_EQ(copies.size(), 1);
  const QString copy = dataFolderPath() + "/" + copies[0];
  EXPECT_FALSE(QFileInfo(copy).isSymLink());

  // The save replaces what the link leads to; the copy keeps the file as read.
  FileTools::StringToFileItem(written(), KM::stateFileBaseName, App::current().appSupportFolder);
  EXPECT_NE(readFile(target), bytes);
  EXPECT_EQ(readFile(copy), bytes);
}

TEST_F(StateFileTest, FileHoldingMoreThatCannotBeCopiedIsNamedAndNotSavedOver) {
  makeStore({"Second"});
  Json j = parse(written());
  j.push_back(Json::object());
  takeStore();
  const ScopedMoveFault noSpace([](EntryMove::Step step, const auto&, const auto&) {
    return step == EntryMove::Step::Copy ? ENOSPC : 0;
  });

  EXPECT_EQ(loadFile(dump(j).toUtf8()), QStringList{});

  ASSERT_EQ(KM::DP.size(), 2u);
  ASSERT_EQ(messages.size(), 1);
  EXPECT_TRUE(messages[0].contains("could not be copied") && messages[0].contains(statePath())) << messages[0].toStdString();
  EXPECT_FALSE(KM::paletteActiveChange || KM::paletteContentChange);  // an unchanged run keeps the file
}

TEST_F(StateFileTest, UnreadableFileIsKeptAsideAndTheStoreStartsFresh) {
  makeStore({"Second", "Third"});
  const QString three = written();
  const Json good = parse(three);
  takeStore();
  KM::CreateFirstPalette();
  const QString one = written();

  const auto edited = [&](const std::function<void(Json&)>& edit) {
    Json j = good;
    edit(j);
    return dump(j).toUtf8();
  };
  struct Case {
    const char* what;
    QByteArray bytes;
  };
  const Case cases[] = {
      {"not JSON", "Palettes: P00, P01"},
      {"root not an array", "{\"LastPaletteIndex\":0}"},
      {"empty array", "[]"},
      {"element not an object", edited([](Json& j) { j[50] = 5; })},
      {"a missing key", edited([](Json& j) { j[5].erase("Tip"); })},
      {"a missing header key", edited([](Json& j) { j[0].erase("WinWidth"); })},
      {"a wrong type", edited([](Json& j) { j[7]["Vis"] = "true"; })},
      {"a row count as text", edited([](Json& j) { j[303]["numRows"] = "10"; })},
      {"a fractional number", edited([](Json& j) { j[0]["CurrentPalette"] = 1.0; })},
      {"a number beyond 64 bits", edited([](Json& j) { j[0]["WinTop"] = 18446744073709551615ull; })},
      {"LastPaletteIndex 2 with 203 elements", edited([](Json& j) { j.erase(j.begin() + 203, j.end()); })},
      {"LastPaletteIndex 10^12", QString(one).replace("\"LastPaletteIndex\":0", "\"LastPaletteIndex\":1000000000000").toUtf8()},
      {"LastPaletteIndex negative", QString(one).replace("\"LastPaletteIndex\":0", "\"LastPaletteIndex\":-1").toUtf8()},
      {"an empty file", "\n"},
      {"a file of zero bytes", ""},
      {"a truncated file", three.left(three.size() / 2).toUtf8()},
  };

  QDir folder(dataFolderPath());
  QMap<QString, QByteArray> kept;  // file name -> the bytes it must keep
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    takeStore();
    messages.clear();
    logLines.clear();

    const QStringList added = loadFile(c.bytes);

    EXPECT_EQ(logLines, QStringList{"Exception - KM.JSON_ParseData"});
    EXPECT_FALSE(QFileInfo::exists(statePath()));
    ASSERT_EQ(added.size(), 1);
    EXPECT_TRUE(added[0].startsWith("PreserveState-unreadable-") && added[0].endsWith(".txt")) << added[0].toStdString();
    kept[added[0]] = c.bytes;
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(folder.filePath(added[0]))) << messages[0].toStdString();

    // A usable store: one complete palette, made current.
    ASSERT_EQ(KM::DP.size(), 1u);
    EXPECT_EQ(KM::idxCP, 0);
    EXPECT_EQ(KM::initialWinWidth, 0);
    KM::ActivatePalette(KM::idxCP);
    EXPECT_EQ(KM::aBtn->size(), 100u);
    EXPECT_EQ(KM::paleAlias, "Original");
  }

  // The palette window's close saves; every kept file still holds its original bytes.
  FileTools::StringToFileItem(written(), KM::stateFileBaseName, App::current().appSupportFolder);
  EXPECT_EQ(readFile(statePath()), written().toUtf8());
  EXPECT_EQ(kept.size(), static_cast<qsizetype>(std::size(cases)));
  for (auto it = kept.cbegin(); it != kept.cend(); ++it)
    EXPECT_EQ(readFile(folder.filePath(it.key())), it.value()) << it.key().toStdString();
}

TEST_F(StateFileTest, FileThatIsNotUtf8IsKeptAsideUnchanged) {
  makeStore({"Café"});
  KM::aBtn->at(0).Tip = "Crème brûlée";
  QByteArray latin1 = written().toLatin1();  // as an editor that saves Latin-1 leaves it
  ASSERT_TRUE(latin1.contains("Cr\xE8me"));
  takeStore();
  writeFile(statePath(), latin1);

  KM::GetKM_DataFromDisk();

  EXPECT_EQ(logLines, (QStringList{"Exception - FileTools.rsStringFile", "Exception - KM.JSON_ParseData"}));
  EXPECT_FALSE(QFileInfo::exists(statePath()));
  const QStringList kept = QDir(dataFolderPath()).entryList({"PreserveState-unreadable-*.txt"}, QDir::Files);
  ASSERT_EQ(kept.size(), 1);
  ASSERT_EQ(messages.size(), 1);
  EXPECT_TRUE(messages[0].contains(kept[0]));
  ASSERT_EQ(KM::DP.size(), 1u);
  EXPECT_EQ(KM::DP[0].s_Alias, "Original");

  // The close's save writes the new store beside it; the user's bytes stay as they were.
  FileTools::StringToFileItem(written(), KM::stateFileBaseName, App::current().appSupportFolder);
  EXPECT_EQ(readFile(dataFolderPath() + "/" + kept[0]), latin1);
}

TEST_F(StateFileTest, WriterRefusesAnIncompleteStore) {
  makeStore({"Second"});
  KM::DP[1].a_Btn->pop_back();
  EXPECT_FALSE(KM::JSON_CreateData().has_value());
  EXPECT_EQ(logLines, QStringList{"Exception - KM.JSON_CreateData"});

  KM::DP[1].a_Btn = std::make_shared<BtnArray>();
  KM::DefaultValuesPalette(1);
  KM::paletteView = nullptr;
  EXPECT_FALSE(KM::JSON_CreateData().has_value());
  EXPECT_EQ(logLines.size(), 2);
}
