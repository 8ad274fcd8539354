// Writing and loading a state file of 100 palettes, against nlohmann-json's bare dump() and
// parse() of the same document. Prints the figures; goals: load <= 1.5 x parse, write <= 2 x dump.
#include <QString>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <nlohmann/json.hpp>
#include <vector>

#include "store/KM.h"

namespace {

class StillView : public PaletteView {
 public:
  void EraseAllPictures() override {}
  void RedrawGrid() override {}
  void setPaletteTitle(const QString&) override {}
  void setTipText(const QString&) override {}
  void setNumberText(const QString&) override {}
  qint64 Top() const override { return 120; }
  qint64 Left() const override { return 300; }
  qint64 Height() const override { return 670; }
  qint64 Width() const override { return 640; }
};

// The best of `runs` timings of body, in milliseconds; prepare runs untimed before each.
double bestMs(int runs, const std::function<void()>& prepare, const std::function<void()>& body) {
  std::vector<double> times;
  for (int r = 0; r < runs; ++r) {
    prepare();
    const auto start = std::chrono::steady_clock::now();
    body();
    times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  return *std::min_element(times.begin(), times.end());
}

void buildStore(int palettes) {
  KM::resetToInitialValues();
  KM::MakeAlphabetShortcuts();
  KM::CreateFirstPalette();
  for (int p = 1; p < palettes; ++p) KM::CreateNewPalette(QStringLiteral("Palette %1").arg(p));
  for (PaletteRecord& record : KM::DP) {
    for (Btn& b : *record.a_Btn) {
      b.Tip = QStringLiteral("Open the %1 project window — «%2»").arg(b.sID, record.s_Alias);
      b.Info = QStringLiteral(
                   "Runs the macro %1 of %2.\nIt opens the project folder, arranges the windows "
                   "side by side and starts the build.\r\nHold \"Shift\" to skip the build; "
                   "see C:\\Tools\\build.cmd or /usr/local/bin/build for details. ✓")
                   .arg(b.sID, record.s_Name);
    }
  }
  KM::ActivatePalette(0);
}

}  // namespace

int main() {
  StillView view;
  KM::paletteView = &view;
  constexpr int kPalettes = 100;
  constexpr int kRuns = 15;
  buildStore(kPalettes);

  const QString text = KM::JSON_CreateData().value_or(QString());
  const std::string utf8 = text.toStdString();
  const nlohmann::ordered_json document = nlohmann::ordered_json::parse(utf8);

  const auto nothing = [] {};
  std::size_t sink = 0;
  const double write = bestMs(kRuns, nothing, [] { (void)KM::JSON_CreateData(); });
  const double dump = bestMs(kRuns, nothing, [&] { sink += document.dump().size(); });
  const double load = bestMs(
      kRuns,
      [] {
        KM::resetToInitialValues();
        KM::MakeAlphabetShortcuts();
      },
      [&] {
        KM::JSON_ParseData(text);
        KM::ActivatePalette(KM::idxCP);
      });
  const double parse = bestMs(kRuns, nothing, [&] { sink += nlohmann::json::parse(utf8).size(); });
  const bool loaded = KM::DP.size() == kPalettes && KM::aBtn->size() == 100;

  std::printf("State file of %d palettes: %zu elements, %.2f MB (best of %d runs)\n", kPalettes,
              document.size(), utf8.size() / 1e6, kRuns);
  std::printf("  write  KM::JSON_CreateData          %8.2f ms\n", write);
  std::printf("  bare   ordered_json::dump()         %8.2f ms   write/dump  = %.2f (goal <= 2.0)\n", dump,
              write / dump);
  std::printf("  load   JSON_ParseData+Activate    %8.2f ms\n", load);
  std::printf("  bare   json::parse()                %8.2f ms   load/parse  = %.2f (goal <= 1.5)\n", parse,
              load / parse);
  std::printf("  (checksum %zu)\n", sink);
  std::printf("  store loaded completely: %s\n", loaded ? "yes" : "NO");
  KM::paletteView = nullptr;
  return loaded ? 0 : 1;
}
