#include "app/toolkit/picture.h"

#include <ole2.h>
#include <olectl.h>

#include <cstring>

namespace toolkit {

PictureFormat PictureFormatOf(const unsigned char* bytes, std::size_t size) {
  if (size >= 2 && bytes[0] == 'B' && bytes[1] == 'M') return PictureFormat::kBmp;
  if (size >= 2 && bytes[0] == 0xFF && bytes[1] == 0xD8) return PictureFormat::kJpeg;
  if (size >= 4 && std::memcmp(bytes, "GIF8", 4) == 0) return PictureFormat::kGif;
  return PictureFormat::kUnknown;
}

namespace {

// OLE reads the picture from a stream over a moveable memory block holding a copy of the bytes.
IPicture* LoadOlePicture(const unsigned char* bytes, std::size_t size) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!block) return nullptr;
  void* place = GlobalLock(block);
  if (!place) {
    GlobalFree(block);
    return nullptr;
  }
  std::memcpy(place, bytes, size);
  GlobalUnlock(block);

  IStream* stream = nullptr;
  if (FAILED(CreateStreamOnHGlobal(block, TRUE, &stream))) {
    GlobalFree(block);
    return nullptr;
  }
  IPicture* picture = nullptr;
  HRESULT hr = OleLoadPicture(stream, static_cast<LONG>(size), FALSE, IID_IPicture,
                              reinterpret_cast<void**>(&picture));
  stream->Release();  // frees the block too
  return SUCCEEDED(hr) ? picture : nullptr;
}

}  // namespace

Picture DecodePicture(const unsigned char* bytes, std::size_t size) {
  if (!bytes || PictureFormatOf(bytes, size) == PictureFormat::kUnknown) return {nullptr, {0, 0}};
  IPicture* picture = LoadOlePicture(bytes, size);
  if (!picture) return {nullptr, {0, 0}};

  Picture result{nullptr, {0, 0}};
  SHORT type = PICTYPE_UNINITIALIZED;
  OLE_HANDLE handle = 0;
  if (SUCCEEDED(picture->get_Type(&type)) && type == PICTYPE_BITMAP &&
      SUCCEEDED(picture->get_Handle(&handle)) && handle) {
    // The picture object owns its bitmap; keep a copy that outlives it.
    HBITMAP own =
        static_cast<HBITMAP>(CopyImage(reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)),
                                       IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    BITMAP info;
    if (own && GetObjectA(own, sizeof info, &info) == sizeof info) {
      result = {own, {info.bmWidth, info.bmHeight < 0 ? -info.bmHeight : info.bmHeight}};
    } else if (own) {
      DeleteObject(own);
    }
  }
  picture->Release();
  return result;
}

}  // namespace toolkit
