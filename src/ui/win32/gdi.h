#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>

#include "platform/win32/unique_handle.h"

namespace ui::win32 {

template <class Handle, class Deleter>
using UniqueHandle = platform::win32::UniqueResource<Handle, Deleter>;

struct GdiDeleter {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct IconDeleter {
  void operator()(HICON icon) const { DestroyIcon(icon); }
};
struct MenuDeleter {
  void operator()(HMENU menu) const { DestroyMenu(menu); }
};
struct ImageListDeleter {
  void operator()(HIMAGELIST list) const { ImageList_Destroy(list); }
};

using FontHandle = UniqueHandle<HFONT, GdiDeleter>;
using BrushHandle = UniqueHandle<HBRUSH, GdiDeleter>;
using PenHandle = UniqueHandle<HPEN, GdiDeleter>;
using BitmapHandle = UniqueHandle<HBITMAP, GdiDeleter>;
// Only for icons loaded without LR_SHARED: the system owns shared ones.
using IconHandle = UniqueHandle<HICON, IconDeleter>;
using MenuHandle = UniqueHandle<HMENU, MenuDeleter>;
using ImageListHandle = UniqueHandle<HIMAGELIST, ImageListDeleter>;

// Selects an object into a device context for one scope and puts the old one back, because a
// DC must not be released with our objects still selected.
class SelectInScope {
 public:
  SelectInScope(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  SelectInScope(const SelectInScope&) = delete;
  SelectInScope& operator=(const SelectInScope&) = delete;
  ~SelectInScope() { SelectObject(dc_, old_); }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// The model's colour as a COLORREF. Values with the high bit set are system colour indexes
// (0x8000000F is the button face), as the original forms store them.
inline COLORREF ToColorRef(std::uint32_t color) {
  if ((color & 0x80000000u) != 0) return GetSysColor(static_cast<int>(color & 0xFFu));
  return static_cast<COLORREF>(color & 0x00FFFFFFu);
}

}  // namespace ui::win32
