// The list file form: round trip, the load procedure, broken files.
#include <vector>

#include "item_list.h"
#include "list_fixture.h"

namespace {

using objclips::DecodeList;
using objclips::EncodeList;
using objclips::FindList;
using objclips::ItemList;

// A list of three items: RGB and 1-bit thumbnails, one item without image.
HIIO SampleList() {
  HIIO list = t32CreateIIO(0);
  IIOPROPS props{};
  t32IIOAction(list, IIO_GETPROPS, 0, reinterpret_cast<LPARAM>(&props));
  props.thumbWidth = 80;
  props.thumbHeight = 50;
  t32IIOAction(list, IIO_SETPROPS, 0, reinterpret_cast<LPARAM>(&props));
  OwnedImage rgb(24, 160, 90, RGB(200, 100, 50));
  OwnedImage bits(1, 13, 7, RGB(255, 255, 255));
  static const std::string kBinary("\x01\x00\x02\x00payload", 11);
  IIITEM a = Record(rgb.get(), "Farbverlauf", kBinary, 3);
  IIITEM b = Record(bits.get(), "Loch", "");
  IIITEM c = Record(0, "", "only data", -9);
  t32IIAction(list, II_ADD, 0, &a);
  t32IIAction(list, II_ADD, 0, &b);
  t32IIAction(list, II_ADD, 0, &c);
  t32IIOAction(list, IIO_SELECT, 0, 65536 + 1);
  return list;
}

std::vector<BYTE> Pixels(HBUF h) {
  BUFINFO info{};
  EXPECT_TRUE(buf32GetInfo(h, &info));
  std::vector<BYTE> bytes(static_cast<size_t>(info.dataSize));
  EXPECT_TRUE(buf32GetMem(h, 0, 0, info.width, info.height, bytes.data()));
  return bytes;
}

TEST(ListCodec, RoundTripKeepsEverything) {
  OwnedList original(SampleList());
  std::vector<BYTE> bytes = EncodeList(*FindList(original.get()));
  std::unique_ptr<ItemList> decoded = DecodeList(bytes, nullptr);
  ASSERT_NE(decoded, nullptr);
  OwnedList copy(objclips::RegisterList(std::move(decoded)));
  IIOPROPS a{}, b{};
  t32IIOAction(original.get(), IIO_GETPROPS, 0, reinterpret_cast<LPARAM>(&a));
  t32IIOAction(copy.get(), IIO_GETPROPS, 0, reinterpret_cast<LPARAM>(&b));
  EXPECT_EQ(b.thumbWidth, 80);
  EXPECT_EQ(b.thumbHeight, 50);
  EXPECT_EQ(b.itemCount, 3);
  EXPECT_EQ(b.selected, 1);
  EXPECT_EQ(b.background, a.background);
  for (LONG i = 0; i < 3; ++i) {
    IIITEM x{}, y{};
    ASSERT_TRUE(t32IIAction(original.get(), II_GET, i, &x));
    ASSERT_TRUE(t32IIAction(copy.get(), II_GET, i, &y));
    EXPECT_STREQ(x.name, y.name);
    EXPECT_EQ(Payload(x), Payload(y));
    EXPECT_EQ(x.userValue, y.userValue);
    ASSERT_EQ(x.image == 0, y.image == 0);
    if (x.image) {
      EXPECT_EQ(Pixels(x.image), Pixels(y.image)) << "item " << i;
    }
  }
  EXPECT_EQ(EncodeList(*FindList(copy.get())), bytes);
}

// Load procedure of the tests: replaces the payload by "item <index>".
std::string g_rebuilt;
BOOL RebuildPayload(LONG index, IIITEM* item) {
  g_rebuilt = "item " + std::to_string(index) + " was " + std::to_string(item->dataSize);
  item->data = g_rebuilt.data();
  item->dataSize = static_cast<LONG>(g_rebuilt.size());
  return TRUE;
}

BOOL RefuseSecond(LONG index, IIITEM*) { return index != 1; }

TEST(ListCodec, LoadProcedureRebuildsOrRefusesItems) {
  OwnedList original(SampleList());
  std::vector<BYTE> bytes = EncodeList(*FindList(original.get()));
  std::unique_ptr<ItemList> rebuilt = DecodeList(bytes, RebuildPayload);
  ASSERT_NE(rebuilt, nullptr);
  std::string first(rebuilt->items[0]->data.begin(), rebuilt->items[0]->data.end());
  std::string last(rebuilt->items[2]->data.begin(), rebuilt->items[2]->data.end());
  EXPECT_EQ(first, "item 0 was 11");
  EXPECT_EQ(last, "item 2 was 9");
  EXPECT_EQ(DecodeList(bytes, RefuseSecond), nullptr);
}

TEST(ListCodec, EveryTruncationIsRefused) {
  OwnedList original(SampleList());
  std::vector<BYTE> bytes = EncodeList(*FindList(original.get()));
  for (size_t n = 0; n < bytes.size(); ++n) {
    std::vector<BYTE> cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n));
    ASSERT_EQ(DecodeList(cut, nullptr), nullptr) << "accepted " << n << " of " << bytes.size();
  }
  bytes.push_back(0);
  EXPECT_EQ(DecodeList(bytes, nullptr), nullptr) << "trailing byte accepted";
}

// Offsets into the header and the first item of SampleList's file.
constexpr size_t kVersionAt = 4, kThumbWidthAt = 8, kSelectedAt = 24, kCountAt = 28;
constexpr size_t kFirstNameLengthAt = 32;

void PutU32(std::vector<BYTE>& bytes, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<BYTE>(v >> (8 * i));
}

TEST(ListCodec, BrokenFieldsAreRefused) {
  OwnedList original(SampleList());
  const std::vector<BYTE> good = EncodeList(*FindList(original.get()));
  ASSERT_NE(DecodeList(good, nullptr), nullptr);
  // Where the first item's image header lies: after name, user value, payload.
  size_t imageAt = kFirstNameLengthAt + 2 + 11 + 4 + 4 + 11;
  struct Case {
    const char* what;
    size_t at;
    uint32_t value;
  } cases[] = {
      {"signature", 0, 0x4C4F4949u ^ 1},     {"version", kVersionAt, 2},
      {"thumb width 0", kThumbWidthAt, 0},   {"thumb width huge", kThumbWidthAt, 5000},
      {"selected past end", kSelectedAt, 3}, {"selected below -1", kSelectedAt, 0xFFFFFFFE},
      {"count huge", kCountAt, 0xFFFFFFFFu}, {"count too small", kCountAt, 2},
      {"count too large", kCountAt, 4},      {"payload size huge", imageAt - 15, 0x7FFFFFF0},
      {"payload size past end", imageAt - 15, 4000},
      {"pixel format", imageAt, 32},         {"image width 0", imageAt + 4, 0},
      {"image width huge", imageAt + 4, 100000},
      {"image height past end", imageAt + 8, 1000},
  };
  for (const Case& c : cases) {
    std::vector<BYTE> bad = good;
    PutU32(bad, c.at, c.value);
    EXPECT_EQ(DecodeList(bad, nullptr), nullptr) << c.what;
  }
  std::vector<BYTE> longName = good;
  longName[kFirstNameLengthAt] = IIO_NAME_MAX + 1;
  EXPECT_EQ(DecodeList(longName, nullptr), nullptr) << "name length";
  std::vector<BYTE> zeroInName = good;
  zeroInName[kFirstNameLengthAt + 2] = 0;
  EXPECT_EQ(DecodeList(zeroInName, nullptr), nullptr) << "zero byte in name";
}

TEST(ListCodec, EmptyListRoundTrips) {
  OwnedList empty(t32CreateIIO(0));
  std::vector<BYTE> bytes = EncodeList(*FindList(empty.get()));
  EXPECT_EQ(bytes.size(), 32u);
  std::unique_ptr<ItemList> decoded = DecodeList(bytes, nullptr);
  ASSERT_NE(decoded, nullptr);
  EXPECT_EQ(decoded->Count(), 0);
  EXPECT_EQ(decoded->props.thumbWidth, 64);
}

}  // namespace
