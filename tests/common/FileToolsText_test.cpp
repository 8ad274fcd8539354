#include <sys/stat.h>

#include <QDir>
#include <QFile>

#include "app/App.h"
#include "common/FileTools.h"
#include "support/TestEnvironment.h"

namespace {
const QString kTooLong = "rbHasExtension passed a proposed file name that is too long";
const QString kNotAppropriate = "rbHasExtension passed a proposed file name that is not appropriate";
const QString kUnableToCreate = "Somehow unable to create the %1 file. Method: %2";

QStringList entries(const QString& path) {
  return QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}
}  // namespace

using FileToolsTextTest = TavelinTest;

TEST_F(FileToolsTextTest, HasExtensionTable) {
  struct Case {
    QString name;
    bool expected;
    QString message;
  };
  const Case cases[] = {
      {"PreserveState", false, {}},  {"notes.txt", true, {}},  {"photo.jpeg", true, {}},
      {"archive.tar.gz", true, {}},  {"a.b.c", true, {}},      {".ab", true, {}},
      {"a.b", false, {}},            {"name.", false, {}},     {"page.html5", false, {}},
      {"", false, {}},               {"NOTES.TXT", true, {}},  {QString(251, 'x') + ".txt", true, {}},
      {QString(252, 'x') + ".txt", false, kTooLong},
      {QString(250, u'\u2400') + ".png", true, {}},  // characters, not bytes, are counted
      {"a/b.txt", false, kNotAppropriate},
      {"a\nb.txt", false, kNotAppropriate},
  };
  for (const Case& c : cases) {
    messages.clear();
    EXPECT_EQ(FileTools::rbHasExtension(c.name), c.expected) << c.name.left(20).toStdString();
    EXPECT_EQ(messages, c.message.isEmpty() ? QStringList{} : QStringList{c.message}) << c.name.left(20).toStdString();
  }
}

TEST_F(FileToolsTextTest, WriterAddsTxtOnlyWithoutExtension) {
  const FolderItem folder = home().child("data");
  folder.createFolder();
  const std::pair<QString, QString> cases[] = {
      {"PreserveState", "PreserveState.txt"}, {"notes.txt", "notes.txt"}, {"readme", "readme.txt"}, {"a.b", "a.b.txt"}};
  for (const auto& [given, written] : cases) {
    FileTools::StringToFileItem("x", given, folder);
    EXPECT_EQ(readFile(folder.path() + "/" + written), "x") << given.toStdString();
  }
  EXPECT_EQ(entries(folder.path()).size(), 4);

  // Too long: told, then tried with ".txt"; the file system refuses such a name, which is reported.
  FileTools::StringToFileItem("x", QString(256, 'y'), folder);
  EXPECT_EQ(messages, QStringList{kTooLong});
  EXPECT_EQ(logLines, QStringList{"Exception - FileTools.StringToFileItem"});
  EXPECT_TRUE(messages.size() == 1 && beeps == 0);
}

TEST_F(FileToolsTextTest, NamesWithSlashOrLineFeedNeverReachTheDisk) {
  const FolderItem folder = home().child("data");
  folder.createFolder();
  folder.child("sub").createFolder();
  // Told, given ".txt" all the same, then refused as a file that cannot be created.
  const std::pair<QString, QString> cases[] = {
      {"sub/evil.txt", "sub/evil.txt.txt"}, {"../escape", "../escape.txt"}, {"two\nlines", "two\nlines.txt"}};
  for (const auto& [name, tried] : cases) {
    messages.clear();
    beeps = 0;
    FileTools::StringToFileItem("x", name, folder);
    FileTools::DictionaryToFileItem({{1, "a"}}, name, folder);
    EXPECT_EQ(messages, (QStringList{kNotAppropriate, kUnableToCreate.arg(tried, "StringToFileItem"),
                                     kNotAppropriate, kUnableToCreate.arg(tried, "DictionaryToFileItem")}))
        << name.toStdString();
    EXPECT_EQ(beeps, 2);
  }
  EXPECT_EQ(entries(folder.path()), QStringList{"sub"});
  EXPECT_TRUE(entries(folder.path() + "/sub").isEmpty());
  EXPECT_EQ(entries(homePath()), (QStringList{"Desktop", "data"}));
  EXPECT_TRUE(logLines.isEmpty());
}

TEST_F(FileToolsTextTest, WrittenTextReadsBackByteForByte) {
  const FolderItem folder = home();
  const QString texts[] = {"", "one line", "a\nb\n", "a\r\nb", "\xEF\xBB\xBF", QString::fromUtf8("P00 \u2400 caf\u00e9\n\n")};
  for (const QString& text : texts) {
    FileTools::StringToFileItem(text, "round.txt", folder);
    EXPECT_EQ(readFile(homePath() + "/round.txt"), text.toUtf8());
    EXPECT_EQ(FileTools::rsStringFile(folder.child("round.txt")), text);
  }
  EXPECT_TRUE(logLines.isEmpty());
}

TEST_F(FileToolsTextTest, FailedWriteKeepsThePreviousFileAndIsReported) {
  const QString path = homePath() + "/PreserveState.txt";
  const QByteArray previous = "[{\"good\": true}]";
  writeFile(path, previous);

  {
    const FileSizeLimit full(1024);
    FileTools::StringToFileItem(QString(100000, 'z'), "PreserveState", home());
  }

  EXPECT_EQ(readFile(path), previous);
  EXPECT_EQ(entries(homePath()), (QStringList{"Desktop", "PreserveState.txt"}));  // no stray temporary file
  EXPECT_EQ(logLines, QStringList{"Exception - FileTools.StringToFileItem"});
}

TEST_F(FileToolsTextTest, ReaderAnswersEmptyForMissingAndReportsFolders) {
  EXPECT_EQ(FileTools::rsStringFile(FolderItem()), "");
  EXPECT_EQ(FileTools::rsStringFile(home().child("missing.txt")), "");
  EXPECT_TRUE(logLines.isEmpty());
  EXPECT_TRUE(messages.isEmpty());
  EXPECT_EQ(FileTools::rsStringFile(home().child("Desktop")), "");
  EXPECT_EQ(logLines, QStringList{"Exception - FileTools.rsStringFile"});
  // A named pipe is refused without opening it (opening it would wait for a writer).
  ASSERT_EQ(mkfifo(QFile::encodeName(homePath() + "/pipe.txt").constData(), 0600), 0);
  EXPECT_EQ(FileTools::rsStringFile(home().child("pipe.txt")), "");
  EXPECT_EQ(logLines.size(), 2);
  logLines.removeLast();

  FileTools::StringToFileItem("x", "a.txt", FolderItem());
  FileTools::DictionaryToFileItem({}, "a.txt", FolderItem());
  EXPECT_EQ(logLines.mid(1), (QStringList{"Exception - FileTools.StringToFileItem",
                                          "Exception - FileTools.DictionaryToFileItem"}));
}

TEST_F(FileToolsTextTest, ReaderRefusesTextThatIsNotUtf8) {
  // A hand edit saved as Latin-1, a stray byte, a cut-off sequence, an encoded surrogate.
  const QByteArray cases[] = {"caf\xE9", "a\xFF" "b", "end \xE2\x90", "\xED\xA0\x80"};
  for (const QByteArray& bytes : cases) {
    logLines.clear();
    writeFile(homePath() + "/latin1.txt", bytes);
    EXPECT_EQ(FileTools::rsStringFile(home().child("latin1.txt")), "") << bytes.toHex().toStdString();
    EXPECT_EQ(logLines, QStringList{"Exception - FileTools.rsStringFile"});
    EXPECT_EQ(readFile(homePath() + "/latin1.txt"), bytes);
  }
}

TEST_F(FileToolsTextTest, CreateFolderInAppSupport) {
  FolderItem& support = App::current().appSupportFolder;
  support = FolderItem();
  EXPECT_TRUE(FileTools::CreateFolderInAppSupport("ButtonPictures").isNull());
  EXPECT_EQ(logLines, QStringList{"Exception - FileTools.CreateFolderInAppSupport"});

  support = home().child("support");
  support.createFolder();
  const FolderItem made = FileTools::CreateFolderInAppSupport("ButtonPictures");
  EXPECT_EQ(made, support.child("ButtonPictures"));
  EXPECT_TRUE(made.isFolder());
  writeFile(made.path() + "/05Face.png", "png");
  EXPECT_EQ(FileTools::CreateFolderInAppSupport("ButtonPictures"), made);  // existing: answered unchanged
  EXPECT_EQ(readFile(made.path() + "/05Face.png"), "png");

  writeFile(support.path() + "/plain", "file");
  EXPECT_FALSE(FileTools::CreateFolderInAppSupport("plain").isFolder());  // a file is answered as it is

  EXPECT_TRUE(FileTools::CreateFolderInAppSupport("a/b").isNull());
  EXPECT_EQ(messages, QStringList{"Problem with FileTools CreateFolderInAppSupport"});
  EXPECT_EQ(logLines.size(), 1);
  support = FolderItem();
}

TEST_F(FileToolsTextTest, FolderFilesListsPlainVisibleFilesAppending) {
  const QString dir = homePath() + "/P00";
  writeFile(dir + "/05Face.png", "a");
  writeFile(dir + "/.hidden", "b");
  QDir().mkpath(dir + "/old");
  writeFile(homePath() + "/elsewhere/target.png", "c");
  QFile::link(homePath() + "/elsewhere/target.png", dir + "/07Link.png");
  QFile::link(homePath() + "/elsewhere", dir + "/linkedFolder");

  QStringList names{"kept"};
  FileTools::FolderFilesToArray(FolderItem(dir), names);
  ASSERT_EQ(names.size(), 3);
  EXPECT_EQ(names.first(), "kept");
  EXPECT_EQ(QStringList(names.mid(1)).count("05Face.png"), 1);
  EXPECT_EQ(QStringList(names.mid(1)).count("07Link.png"), 1);  // a link is listed by its own name

  FileTools::FolderFilesToArray(FolderItem(dir), names);
  EXPECT_EQ(names.size(), 5);
  FileTools::FolderFilesToArray(FolderItem(dir + "/missing"), names);
  FileTools::FolderFilesToArray(FolderItem(), names);
  EXPECT_EQ(names.size(), 5);
  EXPECT_TRUE(logLines.isEmpty());
}

TEST_F(FileToolsTextTest, DictionaryFileHasOneLinePerEntry) {
  FileTools::DictionaryToFileItem({{1, "Title"}, {2, "a\nb"}, {"k", " padded \n"}}, "dict", home());
  EXPECT_EQ(QString::fromUtf8(readFile(homePath() + "/dict.txt")),
            QString::fromUtf8("1\u241FTitle\n2\u241Fa\u2424b\nk\u241F padded \u2424"));
  FileTools::DictionaryToFileItem({}, "empty.txt", home());
  EXPECT_TRUE(QFileInfo::exists(homePath() + "/empty.txt"));
  EXPECT_EQ(readFile(homePath() + "/empty.txt"), "");
}
