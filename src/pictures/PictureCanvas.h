#pragma once

#include <QPixmap>
#include <QWidget>

// A canvas that shows its backdrop picture unscaled from its top-left corner, as the palette
// window's buttons do, so a picture looks here as it will on its button.
class PictureCanvas : public QWidget {
  Q_OBJECT
 public:
  explicit PictureCanvas(QWidget* parent);

  const QPixmap& backdrop() const { return backdrop_; }
  void setBackdrop(const QPixmap& picture);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QPixmap backdrop_;
};
