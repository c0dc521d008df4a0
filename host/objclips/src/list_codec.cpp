// The list file form, all numbers little-endian:
//   header: signature "IIOL", version (16 bits, 1), 0 (16 bits), thumbnail
//           width, thumbnail height, background colour, show-names flag,
//           selected index (-1 none), item count (32 bits each)
//   each item: name length (16 bits) and name bytes, user value, payload
//           size and payload bytes, then the thumbnail: pixel format (0 for
//           none), width, height and rows of pixel memory, top row first.
// The file ends right after the last item. Reading checks every size
// against the bytes left before anything is allocated.
#include <cstring>

#include "byte_stream.h"
#include "item_list.h"

namespace objclips {
namespace {

constexpr BYTE kSignature[4] = {'I', 'I', 'O', 'L'};
constexpr uint32_t kVersion = 1;
// More items than any list shows; a larger count marks a broken file.
constexpr uint32_t kMaxItems = 100000;

void EncodeImage(ByteWriter& out, HBUF image) {
  BUFINFO info{};
  if (!image || !buf32GetInfo(image, &info)) {
    out.U32(0);
    return;
  }
  out.U32(static_cast<uint32_t>(info.pixelFormat));
  out.U32(static_cast<uint32_t>(info.width));
  out.U32(static_cast<uint32_t>(info.height));
  std::vector<BYTE> row(static_cast<size_t>(info.rowBytes));
  for (LONG y = 0; y < info.height; ++y) {
    buf32Line(image, y, 1, row.data());
    out.Bytes(row.data(), row.size());
  }
}

// A thumbnail read back into a new buffer; *image is 0 for "none".
bool DecodeImage(ByteReader& in, HBUF* image) {
  *image = 0;
  uint32_t bits = 0, width = 0, height = 0;
  if (!in.U32(&bits)) return false;
  if (bits == 0) return true;
  if (!in.U32(&width) || !in.U32(&height)) return false;
  if (width == 0 || height == 0 || width > IIO_MAX_THUMB || height > IIO_MAX_THUMB) return false;
  if (bits != 1 && bits != 8 && bits != 16 && bits != 24 && bits != 64) return false;
  uint64_t rowBytes = bits == 1 ? (width + 7) / 8 : uint64_t{width} * (bits / 8);
  if (rowBytes * height > in.Left()) return false;  // checked before allocating
  HBUF buffer = 0;
  if (!buf32Alloc(&buffer, static_cast<LONG>(bits), static_cast<LONG>(width),
                  static_cast<LONG>(height), BUF_KIND_PLAIN, nullptr)) {
    return false;
  }
  BUFINFO info{};
  buf32GetInfo(buffer, &info);
  for (LONG y = 0; y < info.height; ++y) {
    const BYTE* row = in.Take(static_cast<size_t>(info.rowBytes));
    if (!row) {
      buf32Free(buffer);
      return false;
    }
    buf32Line(buffer, y, 2, const_cast<BYTE*>(row));
  }
  *image = buffer;
  return true;
}

std::unique_ptr<Item> DecodeItem(ByteReader& in) {
  auto item = std::make_unique<Item>();
  uint32_t nameLength = 0, userValue = 0, dataSize = 0;
  if (!in.U16(&nameLength) || nameLength > IIO_NAME_MAX) return nullptr;
  const BYTE* name = in.Take(nameLength);
  if (!name || std::memchr(name, 0, nameLength)) return nullptr;
  item->name.assign(reinterpret_cast<const char*>(name), nameLength);
  if (!in.U32(&userValue) || !in.U32(&dataSize) || dataSize > 0x7FFFFFFF) return nullptr;
  const BYTE* data = in.Take(dataSize);
  if (!data) return nullptr;
  item->data.assign(data, data + dataSize);
  item->userValue = static_cast<LONG>(userValue);
  if (!DecodeImage(in, &item->thumbnail)) return nullptr;
  return item;
}

// Hands the item to the load procedure, which may rebuild its payload.
bool OfferItem(Item& item, LONG index, IIOLOADPROC itemProc) {
  if (!itemProc) return true;
  IIITEM record{};
  RecordFromItem(item, &record);
  if (!itemProc(index, &record)) return false;
  if (record.dataSize < 0 || (record.dataSize > 0 && !record.data)) return false;
  const BYTE* data = static_cast<const BYTE*>(record.data);
  std::vector<BYTE> rebuilt(data, data + record.dataSize);  // data may point into item.data
  item.data = std::move(rebuilt);
  item.name.assign(record.name, strnlen(record.name, IIO_NAME_MAX));
  item.userValue = record.userValue;
  return true;
}

bool DecodeHeader(ByteReader& in, ItemList& list, uint32_t* count) {
  const BYTE* signature = in.Take(sizeof kSignature);
  if (!signature || std::memcmp(signature, kSignature, sizeof kSignature) != 0) return false;
  uint32_t version = 0, zero = 0, w = 0, h = 0, background = 0, names = 0, selected = 0;
  if (!in.U16(&version) || !in.U16(&zero) || version != kVersion) return false;
  if (!in.U32(&w) || !in.U32(&h) || !in.U32(&background) || !in.U32(&names) ||
      !in.U32(&selected) || !in.U32(count)) {
    return false;
  }
  if (w < 1 || w > IIO_MAX_THUMB || h < 1 || h > IIO_MAX_THUMB || *count > kMaxItems) return false;
  LONG sel = static_cast<LONG>(selected);
  if (sel < -1 || sel >= static_cast<LONG>(*count)) return false;
  list.props.thumbWidth = static_cast<LONG>(w);
  list.props.thumbHeight = static_cast<LONG>(h);
  list.props.background = background;
  list.props.showNames = names ? 1 : 0;
  list.props.selected = sel;
  return true;
}

}  // namespace

std::vector<BYTE> EncodeList(const ItemList& list) {
  ByteWriter out;
  out.Bytes(kSignature, sizeof kSignature);
  out.U16(kVersion);
  out.U16(0);
  out.U32(static_cast<uint32_t>(list.props.thumbWidth));
  out.U32(static_cast<uint32_t>(list.props.thumbHeight));
  out.U32(list.props.background);
  out.U32(list.props.showNames ? 1 : 0);
  out.U32(static_cast<uint32_t>(list.props.selected));
  out.U32(static_cast<uint32_t>(list.items.size()));
  for (const std::unique_ptr<Item>& item : list.items) {
    out.U16(static_cast<uint32_t>(item->name.size()));
    out.Bytes(item->name.data(), item->name.size());
    out.U32(static_cast<uint32_t>(item->userValue));
    out.U32(static_cast<uint32_t>(item->data.size()));
    out.Bytes(item->data.data(), item->data.size());
    EncodeImage(out, item->thumbnail);
  }
  return std::move(out.Result());
}

std::unique_ptr<ItemList> DecodeList(const std::vector<BYTE>& bytes, IIOLOADPROC itemProc) {
  ByteReader in(bytes);
  auto list = std::make_unique<ItemList>();
  uint32_t count = 0;
  if (!DecodeHeader(in, *list, &count)) return nullptr;
  for (uint32_t i = 0; i < count; ++i) {
    std::unique_ptr<Item> item = DecodeItem(in);
    if (!item || !OfferItem(*item, static_cast<LONG>(i), itemProc)) return nullptr;
    list->items.push_back(std::move(item));
  }
  if (in.Left() != 0) return nullptr;  // trailing bytes: not a file we wrote
  return list;
}

}  // namespace objclips
