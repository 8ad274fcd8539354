#include "common/Anchors.h"

#include <QEvent>
#include <QPointer>
#include <vector>

namespace {

struct Anchor {
  QPointer<QWidget> control;
  Qt::Edges edges;
  QRect designGeometry;
  QSize designParentSize;
};

// One per parent: repositions its anchored controls whenever the parent is resized.
class AnchorKeeper : public QObject {
 public:
  explicit AnchorKeeper(QWidget* parent) : QObject(parent) { parent->installEventFilter(this); }

  void add(QWidget* control, Qt::Edges edges) {
    anchors_.push_back({control, edges, control->geometry(), parentWidget()->size()});
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == parent() && event->type() == QEvent::Resize) place();
    return false;
  }

 private:
  QWidget* parentWidget() const { return static_cast<QWidget*>(parent()); }

  // Along one axis: anchored at both ends it stretches, at the far end alone it moves.
  static void follow(bool nearEdge, bool farEdge, int grown, int& start, int& length) {
    if (farEdge && nearEdge) length += grown;
    else if (farEdge) start += grown;
  }

  void place() {
    const QSize now = parentWidget()->size();
    for (const Anchor& a : anchors_) {
      if (!a.control) continue;
      int x = a.designGeometry.x(), y = a.designGeometry.y();
      int w = a.designGeometry.width(), h = a.designGeometry.height();
      follow(a.edges & Qt::LeftEdge, a.edges & Qt::RightEdge, now.width() - a.designParentSize.width(), x, w);
      follow(a.edges & Qt::TopEdge, a.edges & Qt::BottomEdge, now.height() - a.designParentSize.height(), y, h);
      a.control->setGeometry(x, y, w, h);
    }
  }

  std::vector<Anchor> anchors_;
};

}  // namespace

void anchorToEdges(QWidget* control, Qt::Edges edges) {
  QWidget* parent = control->parentWidget();
  if (!parent) return;
  AnchorKeeper* keeper = nullptr;
  for (QObject* child : parent->children())
    if ((keeper = dynamic_cast<AnchorKeeper*>(child))) break;
  if (!keeper) keeper = new AnchorKeeper(parent);
  keeper->add(control, edges);
}
