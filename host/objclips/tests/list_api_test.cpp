// Lists in memory: properties, items, thumbnails, selection, stale handles.
#include "list_fixture.h"

namespace {

TEST(ListProps, DefaultsAndSetting) {
  OwnedList list(t32CreateIIO(0));
  ASSERT_NE(list.get(), 0u);
  IIOPROPS props{};
  ASSERT_TRUE(t32IIOAction(list.get(), IIO_GETPROPS, 0, reinterpret_cast<LPARAM>(&props)));
  EXPECT_EQ(props.thumbWidth, 64);
  EXPECT_EQ(props.thumbHeight, 64);
  EXPECT_EQ(props.itemCount, 0);
  EXPECT_EQ(props.selected, -1);
  EXPECT_EQ(props.window, 0u);
  props.thumbWidth = 80;
  props.thumbHeight = 50;
  props.background = RGB(1, 2, 3);
  ASSERT_TRUE(t32IIOAction(list.get(), IIO_SETPROPS, 0, reinterpret_cast<LPARAM>(&props)));
  IIOPROPS again{};
  ASSERT_TRUE(t32IIOAction(list.get(), IIO_GETPROPS, 0, reinterpret_cast<LPARAM>(&again)));
  EXPECT_EQ(again.thumbWidth, 80);
  EXPECT_EQ(again.thumbHeight, 50);
  EXPECT_EQ(again.background, RGB(1, 2, 3));
}

TEST(ListProps, RefusesBadRecordsAndKeepsTheOld) {
  OwnedList list(t32CreateIIO(0));
  IIOPROPS bad{};
  struct Case {
    LONG w, h, selected;
  } cases[] = {{0, 64, -1}, {64, 0, -1}, {-5, 64, -1}, {2000, 64, -1}, {64, 64, 0}, {64, 64, -2}};
  for (const Case& c : cases) {
    bad.thumbWidth = c.w;
    bad.thumbHeight = c.h;
    bad.selected = c.selected;
    EXPECT_FALSE(t32IIOAction(list.get(), IIO_SETPROPS, 0, reinterpret_cast<LPARAM>(&bad)));
  }
  EXPECT_FALSE(t32IIOAction(list.get(), IIO_SETPROPS, 0, 0));
  EXPECT_FALSE(t32IIOAction(list.get(), IIO_GETPROPS, 0, 0));
  EXPECT_FALSE(t32IIOAction(list.get(), 99, 0, 0));
  IIOPROPS props{};
  ASSERT_TRUE(t32IIOAction(list.get(), IIO_GETPROPS, 0, reinterpret_cast<LPARAM>(&props)));
  EXPECT_EQ(props.thumbWidth, 64);
}

TEST(ListItems, AddKeepsOwnThumbnailAndPayloadCopies) {
  OwnedList list(t32CreateIIO(0));
  std::string payload = "header and data";
  {
    OwnedImage image(24, 200, 100, RGB(10, 20, 30));
    IIITEM add = Record(image.get(), "Erstes", payload, 7);
    ASSERT_TRUE(t32IIAction(list.get(), II_ADD, 0, &add));
  }  // the caller's image is gone: the list keeps its own thumbnail
  payload[0] = 'X';  // and its own payload
  IIITEM got{};
  ASSERT_TRUE(t32IIAction(list.get(), II_GET, 0, &got));
  EXPECT_STREQ(got.name, "Erstes");
  EXPECT_EQ(Payload(got), "header and data");
  EXPECT_EQ(got.userValue, 7);
  BUFINFO info{};
  ASSERT_TRUE(buf32GetInfo(got.image, &info));
  EXPECT_EQ(info.width, 64);  // fitted into 64 x 64, aspect kept
  EXPECT_EQ(info.height, 32);
  EXPECT_EQ(info.pixelFormat, 24);
  BYTE px[3];
  ASSERT_TRUE(buf32GetMem(got.image, 10, 10, 1, 1, px));
  EXPECT_EQ(px[0], 10);
  EXPECT_EQ(px[2], 30);
}

struct ThumbCase {
  LONG boxW, boxH, imageW, imageH, thumbW, thumbH;
};

class ThumbnailFit : public testing::TestWithParam<ThumbCase> {};

TEST_P(ThumbnailFit, FitsTheBoxKeepingAspect) {
  const ThumbCase& c = GetParam();
  OwnedList list(t32CreateIIO(0));
  IIOPROPS props{};
  ASSERT_TRUE(t32IIOAction(list.get(), IIO_GETPROPS, 0, reinterpret_cast<LPARAM>(&props)));
  props.thumbWidth = c.boxW;
  props.thumbHeight = c.boxH;
  ASSERT_TRUE(t32IIOAction(list.get(), IIO_SETPROPS, 0, reinterpret_cast<LPARAM>(&props)));
  OwnedImage image(8, c.imageW, c.imageH, RGB(9, 9, 9));
  IIITEM add = Record(image.get(), "t", "");
  ASSERT_TRUE(t32IIAction(list.get(), II_ADD, 0, &add));
  IIITEM got{};
  ASSERT_TRUE(t32IIAction(list.get(), II_GET, 0, &got));
  LONG w = 0, h = 0;
  ASSERT_TRUE(buf32GetWHU(got.image, &w, &h, nullptr));
  EXPECT_EQ(w, c.thumbW);
  EXPECT_EQ(h, c.thumbH);
  EXPECT_EQ(got.data, nullptr);
  EXPECT_EQ(got.dataSize, 0);
}

INSTANTIATE_TEST_SUITE_P(Sizes, ThumbnailFit,
                         testing::Values(ThumbCase{80, 50, 160, 100, 80, 50},
                                         ThumbCase{80, 50, 100, 100, 50, 50},
                                         ThumbCase{80, 50, 400, 10, 80, 2},
                                         ThumbCase{80, 50, 1000, 1, 80, 1},   // at least 1
                                         ThumbCase{64, 64, 30, 20, 30, 20},  // fits: unchanged
                                         ThumbCase{42, 42, 42, 43, 41, 42}));

TEST(ListItems, DeleteReplaceAndSelection) {
  OwnedList list(t32CreateIIO(0));
  for (const char* name : {"a", "b", "c", "d"}) {
    IIITEM add = Record(0, name, name);
    ASSERT_TRUE(t32IIAction(list.get(), II_ADD, -1, &add));
  }
  EXPECT_EQ(t32IIOAction(list.get(), IIO_GETCOUNT, 0, 0), 4);
  ASSERT_TRUE(t32IIOAction(list.get(), IIO_SELECT, 0, 65536 + 2));
  EXPECT_EQ(t32IIOAction(list.get(), IIO_GETSEL, 0, 0), 3);
  EXPECT_FALSE(t32IIOAction(list.get(), IIO_SELECT, 0, 65536 + 4));
  EXPECT_FALSE(t32IIOAction(list.get(), IIO_SELECT, 0, 2));
  EXPECT_EQ(t32IIOAction(list.get(), IIO_GETSEL, 0, 0), 3);

  ASSERT_TRUE(t32IIAction(list.get(), II_DELETE, 0, nullptr));  // selection follows "c"
  EXPECT_EQ(t32IIOAction(list.get(), IIO_GETSEL, 0, 0), 2);
  IIITEM got{};
  ASSERT_TRUE(t32IIAction(list.get(), II_GET, 1, &got));
  EXPECT_STREQ(got.name, "c");

  IIITEM replacement = Record(0, "C2", "new");
  ASSERT_TRUE(t32IIAction(list.get(), II_REPLACE, 1, &replacement));
  ASSERT_TRUE(t32IIAction(list.get(), II_GET, 1, &got));
  EXPECT_STREQ(got.name, "C2");
  EXPECT_EQ(Payload(got), "new");

  ASSERT_TRUE(t32IIAction(list.get(), II_DELETE, 1, nullptr));  // the selected one
  EXPECT_EQ(t32IIOAction(list.get(), IIO_GETSEL, 0, 0), 0);
  EXPECT_FALSE(t32IIAction(list.get(), II_DELETE, 2, nullptr));
  EXPECT_FALSE(t32IIAction(list.get(), II_GET, -1, &got));
  EXPECT_FALSE(t32IIAction(list.get(), II_REPLACE, 5, &replacement));
  EXPECT_FALSE(t32IIAction(list.get(), 9, 0, &got));
  EXPECT_FALSE(t32IIAction(list.get(), II_GET, 0, nullptr));
  ASSERT_TRUE(t32IIOAction(list.get(), IIO_SELECT, 0, 65536 - 1));  // none
  EXPECT_EQ(t32IIOAction(list.get(), IIO_GETSEL, 0, 0), 0);
}

TEST(ListItems, PayloadEditedThroughTheRecordIsKept) {
  OwnedList list(t32CreateIIO(0));
  IIITEM add = Record(0, "p", "abcd");
  ASSERT_TRUE(t32IIAction(list.get(), II_ADD, 0, &add));
  IIITEM got{};
  ASSERT_TRUE(t32IIAction(list.get(), II_GET, 0, &got));
  static_cast<char*>(got.data)[1] = 'Z';
  IIITEM again{};
  ASSERT_TRUE(t32IIAction(list.get(), II_GET, 0, &again));
  EXPECT_EQ(Payload(again), "aZcd");
}

TEST(ListItems, RefusesBadRecords) {
  OwnedList list(t32CreateIIO(0));
  IIITEM noData = Record(0, "x", "");
  noData.data = nullptr;
  noData.dataSize = 10;  // size without memory
  EXPECT_FALSE(t32IIAction(list.get(), II_ADD, 0, &noData));
  IIITEM negative = Record(0, "x", "abc");
  negative.dataSize = -1;
  EXPECT_FALSE(t32IIAction(list.get(), II_ADD, 0, &negative));
  HBUF dead = 0;
  ASSERT_TRUE(buf32Alloc(&dead, 8, 2, 2, BUF_KIND_PLAIN, nullptr));
  ASSERT_TRUE(buf32Free(dead));
  IIITEM staleImage = Record(dead, "x", "");
  EXPECT_FALSE(t32IIAction(list.get(), II_ADD, 0, &staleImage));
  EXPECT_EQ(t32IIOAction(list.get(), IIO_GETCOUNT, 0, 0), 0);

  IIITEM longName{};  // no terminator in the whole field: cut, never overrun
  std::memset(longName.name, 'n', sizeof longName.name);
  ASSERT_TRUE(t32IIAction(list.get(), II_ADD, 0, &longName));
  IIITEM got{};
  ASSERT_TRUE(t32IIAction(list.get(), II_GET, 0, &got));
  EXPECT_EQ(std::string(got.name), std::string(IIO_NAME_MAX, 'n'));
}

TEST(ListHandles, AttachDetachAndStaleHandles) {
  HIIO handle = t32CreateIIO(0);
  ASSERT_TRUE(t32IIOAction(handle, IIO_ATTACH, 1, 4321));
  IIOPROPS props{};
  ASSERT_TRUE(t32IIOAction(handle, IIO_GETPROPS, 0, reinterpret_cast<LPARAM>(&props)));
  EXPECT_EQ(props.window, 4321u);
  EXPECT_FALSE(t32IIOAction(handle, IIO_ATTACH, 1, 0));
  ASSERT_TRUE(t32IIOAction(handle, IIO_ATTACH, 0, 0));
  ASSERT_TRUE(t32IIOAction(handle, IIO_GETPROPS, 0, reinterpret_cast<LPARAM>(&props)));
  EXPECT_EQ(props.window, 0u);

  ASSERT_TRUE(t32DestroyIIO(handle));
  EXPECT_FALSE(t32DestroyIIO(handle));
  IIITEM item = Record(0, "x", "");
  EXPECT_FALSE(t32IIAction(handle, II_ADD, 0, &item));
  EXPECT_FALSE(t32IIOAction(handle, IIO_GETPROPS, 0, reinterpret_cast<LPARAM>(&props)));
  EXPECT_EQ(t32IIOAction(handle, IIO_GETCOUNT, 0, 0), 0);
  OwnedList next(t32CreateIIO(0));
  EXPECT_NE(next.get(), handle);
}

}  // namespace
