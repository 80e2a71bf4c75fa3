// One check-list item drawn on a memory DC, read back pixel by pixel.
#include <gtest/gtest.h>

#include "toolkit/check_list.h"
#include "toolkit/unique_handle.h"
#include "toolkit/win32_check_list.h"

namespace voranel::test {
namespace {

constexpr int kWidth = 60;
constexpr int kHeight = 16;
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kGrey = RGB(128, 128, 128);

class ItemCanvas {
 public:
  ItemCanvas() : dc_(::CreateCompatibleDC(nullptr)) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = kWidth;
    info.bmiHeader.biHeight = -kHeight;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_.reset(::CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    previous_ = ::SelectObject(dc_.get(), bitmap_.get());
  }
  ~ItemCanvas() { ::SelectObject(dc_.get(), previous_); }

  void Draw(const win32::CheckItemLook& look) {
    const RECT area{0, 0, kWidth, kHeight};
    win32::DrawCheckItem(dc_.get(), area, look);
  }
  COLORREF At(int x, int y) const { return ::GetPixel(dc_.get(), x, y); }

 private:
  win32::UniqueMemoryDc dc_;
  win32::UniqueBitmap bitmap_;
  HGDIOBJ previous_ = nullptr;
};

struct LookCase {
  const char* what;
  bool ticked, selected, enabled;
  COLORREF dot;   // the middle of the mark
  COLORREF body;  // right of the mark, clear of the text
};

TEST(ItemDrawingTest, MarkDotAndHighlightFollowTheItemState) {
  const COLORREF window = ::GetSysColor(COLOR_WINDOW);
  const COLORREF highlight = ::GetSysColor(COLOR_HIGHLIGHT);
  const LookCase cases[] = {
      {"clear", false, false, true, kWhite, window},
      {"ticked", true, false, true, kBlack, window},
      {"ticked and selected", true, true, true, kBlack, highlight},
      {"selected in a disabled list", false, true, false, kWhite, window},
      {"ticked in a disabled list", true, true, false, kBlack, window},
  };
  ASSERT_NE(window, highlight);
  const int middleX = kTickMarkWidth / 2, middleY = (kHeight - 11) / 2 + 5;
  for (const LookCase& c : cases) {
    ItemCanvas canvas;
    canvas.Draw({"", c.ticked, c.selected, c.enabled, false});
    EXPECT_EQ(canvas.At(middleX, middleY), c.dot) << c.what;
    // The dot is 5 pixels across: 2 either side of the middle, not 3.
    EXPECT_EQ(canvas.At(middleX + 2, middleY), c.dot) << c.what;
    EXPECT_EQ(canvas.At(middleX + 3, middleY), kWhite) << c.what;
    // The grey circle, 11 across, on white.
    EXPECT_EQ(canvas.At(middleX - 5, middleY), kGrey) << c.what;
    EXPECT_EQ(canvas.At(middleX + 5, middleY), kGrey) << c.what;
    EXPECT_EQ(canvas.At(middleX, middleY - 5), kGrey) << c.what;
    EXPECT_EQ(canvas.At(0, 0), kWhite) << c.what;
    EXPECT_EQ(canvas.At(kTickMarkWidth - 1, 0), kWhite) << c.what;
    EXPECT_EQ(canvas.At(kTickMarkWidth, 0), c.body) << c.what;
    EXPECT_EQ(canvas.At(kWidth - 1, kHeight - 1), c.body) << c.what;
  }
}

TEST(ItemDrawingTest, TextStartsAfterTheMark) {
  ItemCanvas canvas;
  canvas.Draw({"WWWW", false, false, true, false});
  bool inked = false;
  for (int x = kTickMarkWidth; x < kWidth; ++x) {
    for (int y = 0; y < kHeight; ++y) inked |= canvas.At(x, y) != ::GetSysColor(COLOR_WINDOW);
  }
  EXPECT_TRUE(inked);
}

}  // namespace
}  // namespace voranel::test
