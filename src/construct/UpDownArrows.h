#pragma once

#include <QToolButton>
#include <QWidget>

// Two stacked arrow buttons, 20 × 25, that report each click as Up or Down. They never take
// the keyboard focus, so clicking them leaves the focus where the user was typing.
class UpDownArrows : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kWidth = 20;
  static constexpr int kHeight = 25;

  explicit UpDownArrows(QWidget* parent);

  QToolButton* upArrow = nullptr;
  QToolButton* downArrow = nullptr;

 signals:
  void Up();
  void Down();
};
