#include "platform/win32/resource_picture.h"

#include <cstring>

namespace orvo::platform::win32 {

ResourcePicture::ResourcePicture(int resourceId) {
  // The picture loader decodes through COM components; the window keeps COM started on its
  // thread for as long as the picture lives. A thread that already runs COM in another
  // mode answers RPC_E_CHANGED_MODE, and COM is usable all the same.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  comStarted_ = SUCCEEDED(com);

  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(resourceId), MAKEINTRESOURCEA(10) /* RT_RCDATA */);
  if (!found) return;
  const DWORD size = SizeofResource(module, found);
  HGLOBAL resource = LoadResource(module, found);
  const void* bytes = resource ? LockResource(resource) : nullptr;
  if (!bytes || size == 0) return;

  // The loader reads from a stream; the stream owns (and frees) its copy of the bytes.
  HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!copy) return;
  void* target = GlobalLock(copy);
  std::memcpy(target, bytes, size);
  GlobalUnlock(copy);
  IStream* stream = nullptr;
  if (FAILED(CreateStreamOnHGlobal(copy, TRUE, &stream))) {
    GlobalFree(copy);
    return;
  }
  void* picture = nullptr;
  if (SUCCEEDED(OleLoadPicture(stream, static_cast<LONG>(size), FALSE, IID_IPicture, &picture)))
    picture_ = static_cast<IPicture*>(picture);
  stream->Release();
}

ResourcePicture::~ResourcePicture() {
  if (picture_) picture_->Release();
  if (comStarted_) CoUninitialize();
}

void ResourcePicture::Draw(HDC dc, const RECT& target) const {
  if (!picture_) return;
  OLE_XSIZE_HIMETRIC width = 0;
  OLE_YSIZE_HIMETRIC height = 0;
  picture_->get_Width(&width);
  picture_->get_Height(&height);
  // Averaged, not sampled: sampling every other row of the shrunk picture bands its
  // gradients.
  const int oldMode = SetStretchBltMode(dc, HALFTONE);
  POINT oldOrigin;
  SetBrushOrgEx(dc, 0, 0, &oldOrigin);
  // HIMETRIC runs upwards: the source starts at the bottom edge with a negative height.
  picture_->Render(dc, target.left, target.top, target.right - target.left, target.bottom - target.top, 0, height,
                   width, -height, nullptr);
  SetBrushOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
  SetStretchBltMode(dc, oldMode);
}

}  // namespace orvo::platform::win32
