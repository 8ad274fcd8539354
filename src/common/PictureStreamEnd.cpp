#include "common/PictureStreamEnd.h"

#include <QFile>
#include <optional>

namespace {

// Reads a file forward in blocks, so a walk over a large file neither loads it whole nor
// reads it byte by byte from the system.
class ByteCursor {
 public:
  explicit ByteCursor(QFile& file) : file_(file) {}

  std::optional<quint8> next() {
    if (at_ == block_.size()) {
      block_ = file_.read(kBlock);
      at_ = 0;
      if (block_.isEmpty()) return std::nullopt;
    }
    return static_cast<quint8>(block_.at(at_++));
  }

  std::optional<quint32> bigEndian(int bytes) {
    quint32 value = 0;
    for (int i = 0; i < bytes; ++i) {
      const auto b = next();
      if (!b) return std::nullopt;
      value = (value << 8) | *b;
    }
    return value;
  }

  // False when the file ends before count more bytes.
  bool skip(qint64 count) {
    const qint64 buffered = block_.size() - at_;
    if (count <= buffered) {
      at_ += count;
      return true;
    }
    const qint64 target = file_.pos() + (count - buffered);
    block_.clear();
    at_ = 0;
    return target <= file_.size() && file_.seek(target);
  }

 private:
  static constexpr qint64 kBlock = 1 << 16;
  QFile& file_;
  QByteArray block_;
  qsizetype at_ = 0;
};

constexpr quint8 kMarker = 0xFF;
constexpr quint8 kStartOfImage = 0xD8;
constexpr quint8 kEndOfImage = 0xD9;

// The code of the next marker that begins a segment or ends the image. Entropy-coded data
// holds 0xFF only as 0xFF00 or before a restart mark, and a restart mark has no length, so
// both are passed over; so are fill bytes and stray bytes between segments, as decoders do.
std::optional<quint8> nextSegment(ByteCursor& in) {
  for (;;) {
    std::optional<quint8> b = in.next();
    while (b && *b != kMarker) b = in.next();
    while (b && *b == kMarker) b = in.next();
    if (!b) return std::nullopt;
    const bool restart = *b >= 0xD0 && *b <= 0xD7;
    if (*b != 0x00 && *b != 0x01 && !restart) return b;
  }
}

// Walks the segments, each skipped by its length, to the end mark; a thumbnail's own end
// mark lies inside a skipped segment.
bool jpegComplete(ByteCursor& in) {
  if (in.next() != kMarker || in.next() != kStartOfImage) return false;
  for (std::optional<quint8> marker = nextSegment(in); marker; marker = nextSegment(in)) {
    if (*marker == kEndOfImage) return true;
    const auto length = in.bigEndian(2);
    if (!length || *length < 2 || !in.skip(*length - 2)) return false;
  }
  return false;
}

// Walks the chunks to IEND, which must be there with its checksum.
bool pngComplete(ByteCursor& in) {
  static const quint8 kSignature[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  for (quint8 expected : kSignature)
    if (in.next() != expected) return false;
  for (;;) {
    const auto length = in.bigEndian(4);
    const auto type = in.bigEndian(4);
    if (!length || !type || *length > 0x7FFFFFFFu) return false;
    const qint64 rest = static_cast<qint64>(*length) + 4;  // data and checksum
    if (*type == 0x49454E44u) return rest == 4 && in.bigEndian(4).has_value();  // "IEND"
    if (!in.skip(rest)) return false;
  }
}

}  // namespace

namespace PictureStreamEnd {

bool complete(const QString& path, const QByteArray& format) {
  const bool jpeg = format == "jpeg" || format == "jpg";
  if (!jpeg && format != "png") return true;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  ByteCursor in(file);
  return jpeg ? jpegComplete(in) : pngComplete(in);
}

}  // namespace PictureStreamEnd
