#pragma once

#include <QString>
#include <memory>
#include <vector>

// One button of a palette. Buttons live in their palette's shared array and are edited in
// place: copying is deleted so that `Btn b = KM::aBtn->at(n)` cannot silently edit a copy
// (take `Btn& b = KM::aBtn->at(n)`, or clone() when a detached copy is really meant).
class Btn {
 public:
  Btn() = default;
  virtual ~Btn() = default;
  Btn(const Btn&) = delete;
  Btn& operator=(const Btn&) = delete;
  Btn(Btn&&) = default;
  Btn& operator=(Btn&&) = default;

  Btn clone() const;

  qint64 ID = 0;
  qint64 Row = 0;
  QString Tip;
  QString Info;
  bool Vis = false;
  QString Shortcut;
  QString sID;
  qint64 Col = 0;
  bool ShortcutShow = false;

  // The nine fields joined by tabs, Info's line feeds as "<r>".
  virtual QString LineTabProperties() const;
  // The nine field names joined by tabs.
  static QString LineTabFieldName();
};

// A palette's buttons: element n is button number n. Shared between a record and KM::aBtn.
using BtnArray = std::vector<Btn>;
using BtnArrayRef = std::shared_ptr<BtnArray>;
