#include <limits>
#include <nlohmann/json.hpp>

#include "common/ErrorGuard.h"
#include "common/RuntimeException.h"
#include "store/KM.h"
#include "store/StoreDetail.h"

namespace {

const QString kNoDataToSave =
    QStringLiteral("Somehow no data to save to PreserveState at the end. Some bug.");

using KM::detail::kButtonCount;
using KM::detail::kmMethod;
constexpr qint64 kElementsPerSlot = kButtonCount + 1;

// --- Writing ---

using OrderedJson = nlohmann::ordered_json;

std::string utf8(const QString& text) {
  const QByteArray bytes = text.toUtf8();
  return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

// An object whose keys are appended in the order given. The keys are distinct by
// construction, so the ordered map's search for an existing key is skipped.
class ObjectBuilder {
 public:
  explicit ObjectBuilder(size_t keys) : value_(OrderedJson::value_t::object) {
    entries().reserve(keys);
  }
  template <class T>
  ObjectBuilder& add(const char* key, T&& v) {
    entries().emplace_back(key, OrderedJson(std::forward<T>(v)));
    return *this;
  }
  OrderedJson take() { return std::move(value_); }

 private:
  using Entries = OrderedJson::object_t::Container;
  Entries& entries() { return value_.get_ref<OrderedJson::object_t&>(); }
  OrderedJson value_;
};

OrderedJson buttonEntry(const Btn& b) {
  return ObjectBuilder(6)
      .add("sID", utf8(b.sID))
      .add("Shortcut", utf8(b.Shortcut))
      .add("Tip", utf8(b.Tip))
      .add("Info", utf8(b.Info))
      .add("ShortcutShow", b.ShortcutShow)
      .add("Vis", b.Vis)
      .take();
}

OrderedJson paletteEntry(const PaletteRecord& r) {
  return ObjectBuilder(5)
      .add("numRows", r.i_NumRows)
      .add("numColumns", r.i_NumColumns)
      .add("paleName", utf8(r.s_Name))
      .add("paleAlias", utf8(r.s_Alias))
      .add("paleWinTitle", utf8(r.s_WinTitle))
      .take();
}

// --- Reading ---

using Json = nlohmann::json;

// One element of the root, with checked access to its keys; every failure names the place.
class Entry {
 public:
  Entry(const Json& root, qint64 position) : position_(position), value_(root.at(static_cast<size_t>(position))) {
    if (!value_.is_object())
      throw JSONException(QStringLiteral("Element %1 is not an object.").arg(position_));
  }

  qint64 integer(const char* key) const {
    const Json& v = member(key);
    if (!v.is_number_integer() ||
        (v.is_number_unsigned() && v.get<quint64>() > quint64(std::numeric_limits<qint64>::max())))
      throw wrongType(key, "an integer");
    return v.get<qint64>();
  }
  QString string(const char* key) const {
    const Json& v = member(key);
    if (!v.is_string()) throw wrongType(key, "a string");
    const auto& s = v.get_ref<const std::string&>();
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
  }
  bool boolean(const char* key) const {
    const Json& v = member(key);
    if (!v.is_boolean()) throw wrongType(key, "true or false");
    return v.get<bool>();
  }

 private:
  const Json& member(const char* key) const {
    const auto it = value_.find(key);
    if (it == value_.end())
      throw MissingKeyException(QStringLiteral("Element %1 has no \"%2\".").arg(position_).arg(key));
    return *it;
  }
  JSONException wrongType(const char* key, const char* expected) const {
    return JSONException(QStringLiteral("\"%1\" of element %2 is not %3.").arg(key).arg(position_).arg(expected));
  }

  qint64 position_;
  const Json& value_;
};

// A store read completely from a text, not yet committed.
struct ReadStore {
  std::vector<PaletteRecord> records;
  qint64 current = 0;
  qint64 winTop = 0, winLeft = 0, winHeight = 0, winWidth = 0;
  qint64 ignoredElements = 0;  // after the last palette entry
};

qint64 clampGrid(qint64 n) { return std::clamp<qint64>(n, 1, 10); }

BtnArrayRef readButtons(const Json& root, qint64 first) {
  auto buttons = std::make_shared<BtnArray>();
  buttons->reserve(kButtonCount);
  for (int j = 0; j < kButtonCount; ++j) {
    const Entry e(root, first + j);
    Btn b;
    e.string("sID");  // checked, but the place decides the button
    b.ID = j;
    b.sID = KM::detail::twoDigits(j);
    b.Row = j / 10;
    b.Col = j % 10;
    b.Shortcut = e.string("Shortcut");
    b.Tip = e.string("Tip");
    b.Info = e.string("Info");
    b.ShortcutShow = e.boolean("ShortcutShow");
    b.Vis = e.boolean("Vis");
    buttons->push_back(std::move(b));
  }
  return buttons;
}

ReadStore readStore(const QString& text) {
  const QByteArray bytes = text.toUtf8();
  Json root;
  try {
    root = Json::parse(bytes.constBegin(), bytes.constEnd());
  } catch (const Json::parse_error& error) {
    throw JSONException(QString::fromUtf8(error.what()), error.id);
  }
  if (!root.is_array()) throw JSONException(QStringLiteral("The text is not a JSON array."));
  if (root.empty()) throw JSONException(QStringLiteral("The array has no state header."));

  ReadStore store;
  const Entry header(root, 0);
  const qint64 last = header.integer("LastPaletteIndex");
  store.current = header.integer("CurrentPalette");
  store.winTop = header.integer("WinTop");
  store.winLeft = header.integer("WinLeft");
  store.winHeight = header.integer("WinHeight");
  store.winWidth = header.integer("WinWidth");

  // The slot count comes from the file: held against the elements actually there before
  // anything is allocated for it. Elements after the last slot are not read.
  const qint64 elements = static_cast<qint64>(root.size());
  if (last < 0 || last > (elements - 1) / kElementsPerSlot - 1)
    throw JSONException(QStringLiteral("\"LastPaletteIndex\" %1 does not fit the %2 elements of the file.")
                            .arg(last)
                            .arg(elements));
  store.ignoredElements = elements - 1 - kElementsPerSlot * (last + 1);

  store.records.reserve(static_cast<size_t>(last + 1));
  for (qint64 i = 0; i <= last; ++i) {
    const qint64 first = 1 + kElementsPerSlot * i;
    PaletteRecord record;
    record.a_Btn = readButtons(root, first);
    const Entry e(root, first + kButtonCount);
    record.i_NumRows = clampGrid(e.integer("numRows"));
    record.i_NumColumns = clampGrid(e.integer("numColumns"));
    record.s_Name = e.string("paleName");
    record.s_Alias = e.string("paleAlias");
    record.s_WinTitle = e.string("paleWinTitle");
    store.records.push_back(std::move(record));
  }
  if (store.current < 0 || store.current > last ||
      store.records[static_cast<size_t>(store.current)].s_Alias == KM::noneMark)
    store.current = 0;
  return store;
}

void commit(ReadStore&& store) {
  for (size_t i = 0; i < store.records.size(); ++i) {
    if (i < KM::DP.size())
      KM::DP[i] = std::move(store.records[i]);
    else
      KM::DP.push_back(std::move(store.records[i]));
  }
  KM::initialWinTop = store.winTop;
  KM::initialWinLeft = store.winLeft;
  KM::initialWinHeight = store.winHeight;
  KM::initialWinWidth = store.winWidth;
  KM::idxCP = store.current;
}

}  // namespace

namespace KM {

std::optional<QString> JSON_CreateData() {
  return guarded(kmMethod("JSON_CreateData"), []() -> std::optional<QString> {
    if (DP.empty()) throw MissingObjectException(QStringLiteral("The palette list is empty."));
    const PaletteView& window = PaletteWindow();

    OrderedJson root = OrderedJson::array();
    root.get_ref<OrderedJson::array_t&>().reserve(1 + DP.size() * kElementsPerSlot);
    OrderedJson header = OrderedJson::object();
    header["LastPaletteIndex"] = static_cast<qint64>(DP.size()) - 1;
    header["CurrentPalette"] = idxCP;
    header["ReuseablePalette"] = utf8(reusablePaletteName);
    header["WinTop"] = window.Top();
    header["WinLeft"] = window.Left();
    header["WinHeight"] = window.Height();
    header["WinWidth"] = window.Width();
    root.push_back(std::move(header));

    for (qint64 i = 0; i < static_cast<qint64>(DP.size()); ++i) {
      const PaletteRecord& record = detail::completeRecordAt(i);
      for (const Btn& b : *record.a_Btn) root.push_back(buttonEntry(b));
      root.push_back(paletteEntry(record));
    }

    const std::string text = root.dump();
    if (text.size() < 20) {
      Dialogs::messageBox(kNoDataToSave);
      return std::nullopt;
    }
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  }, std::optional<QString>{});
}

std::optional<qint64> detail::parseStateText(const QString& text) {
  return guarded(kmMethod("JSON_ParseData"), [&text]() -> std::optional<qint64> {
    ReadStore store = readStore(text);
    const qint64 ignored = store.ignoredElements;
    commit(std::move(store));
    return ignored;
  });
}

bool JSON_ParseData(const QString& text) { return detail::parseStateText(text).has_value(); }

}  // namespace KM
