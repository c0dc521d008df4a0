// Helpers for the list tests: owned lists and images, item records.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "objclips.h"

class OwnedList {
 public:
  explicit OwnedList(HIIO h) : handle_(h) {}
  OwnedList(const OwnedList&) = delete;
  OwnedList& operator=(const OwnedList&) = delete;
  ~OwnedList() {
    if (handle_) t32DestroyIIO(handle_);
  }
  HIIO get() const { return handle_; }

 private:
  HIIO handle_;
};

class OwnedImage {
 public:
  OwnedImage(LONG bits, LONG width, LONG height, COLORREF colour) {
    EXPECT_TRUE(buf32Alloc(&handle_, bits, width, height, BUF_KIND_FILLED, &colour));
  }
  OwnedImage(const OwnedImage&) = delete;
  OwnedImage& operator=(const OwnedImage&) = delete;
  ~OwnedImage() {
    if (handle_) buf32Free(handle_);
  }
  HBUF get() const { return handle_; }

 private:
  HBUF handle_ = 0;
};

// A record naming the image and pointing at the payload, which must outlive
// the record (a temporary string would leave it dangling).
inline IIITEM Record(HBUF image, const char* name, const std::string& payload, LONG user = 0) {
  IIITEM item{};
  item.image = image;
  std::strncpy(item.name, name, IIO_NAME_MAX);
  item.data = payload.empty() ? nullptr : const_cast<char*>(payload.data());
  item.dataSize = static_cast<LONG>(payload.size());
  item.userValue = user;
  return item;
}

IIITEM Record(HBUF image, const char* name, std::string&& payload, LONG user = 0) = delete;
inline IIITEM Record(HBUF image, const char* name, const char* payload, LONG user = 0) {
  IIITEM item{};
  item.image = image;
  std::strncpy(item.name, name, IIO_NAME_MAX);
  item.data = const_cast<char*>(payload);
  item.dataSize = static_cast<LONG>(std::strlen(payload));
  item.userValue = user;
  return item;
}

inline std::string Payload(const IIITEM& item) {
  return std::string(static_cast<const char*>(item.data), static_cast<size_t>(item.dataSize));
}
