#pragma once

#include <QStringList>

#include "store/KM.h"
#include "support/TestEnvironment.h"

// Records what the store asks of the palette window, in order.
class RecordingView : public PaletteView {
 public:
  void EraseAllPictures() override { calls << "erase"; }
  void RedrawGrid() override { calls << "redraw"; }
  void setPaletteTitle(const QString& title) override { calls << "title:" + title; }
  void setTipText(const QString& text) override { calls << "tip:" + text; }
  void setNumberText(const QString& text) override { calls << "number:" + text; }
  qint64 Top() const override { return top; }
  qint64 Left() const override { return left; }
  qint64 Height() const override { return height; }
  qint64 Width() const override { return width; }

  QStringList calls;
  qint64 top = 0, left = 0, height = 0, width = 0;
};

// A store at its program-start values with the shortcut alphabet built, and a fake window.
class StoreTest : public TavelinTest {
 protected:
  void SetUp() override {
    TavelinTest::SetUp();
    KM::resetToInitialValues();
    KM::MakeAlphabetShortcuts();
    KM::paletteView = &view;
  }
  void TearDown() override {
    KM::paletteView = nullptr;
    KM::resetToInitialValues();
    TavelinTest::TearDown();
  }

  // The first palette plus one slot per alias (the none mark makes a freed slot), with
  // palette `current` active and both change flags cleared.
  void makeStore(const QStringList& moreAliases, qint64 current = 0) {
    KM::CreateFirstPalette();
    for (const QString& alias : moreAliases) {
      KM::DP.emplace_back();
      KM::DefaultValuesPalette(static_cast<qint64>(KM::DP.size()) - 1);
      KM::DP.back().s_Alias = alias;
    }
    KM::ActivatePalette(current);
    KM::paletteContentChange = false;
    KM::paletteActiveChange = false;
  }

  RecordingView view;
};
