#include "ui/ButtonImages.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "icon/ProgramIcon.h"

namespace tagsling::ui {
namespace {

// Colours of the palette's categories.
constexpr COLORREF kBasic = RGB(0x1f, 0x4e, 0x9a);
constexpr COLORREF kChars = RGB(0xa8, 0x1c, 0x1c);
constexpr COLORREF kPara = RGB(0x1d, 0x7a, 0x32);
constexpr COLORREF kTable = RGB(0x6a, 0x2c, 0x91);
constexpr COLORREF kLink = RGB(0x0b, 0x6b, 0xb5);
constexpr COLORREF kForm = RGB(0xb0, 0x5a, 0x00);
constexpr COLORREF kFrame = RGB(0x00, 0x7c, 0x80);
constexpr COLORREF kTool = RGB(0x44, 0x4c, 0x56);
constexpr COLORREF kHtml5 = RGB(0xc8, 0x3e, 0x16);
constexpr COLORREF kHighlight = RGB(0xff, 0xe0, 0x40);
constexpr COLORREF kPaper = RGB(0xff, 0xff, 0xff);
constexpr COLORREF kFolder = RGB(0xe8, 0xb0, 0x30);

COLORREF Tint(COLORREF color, double amount) {
  auto mix = [amount](int c) { return static_cast<BYTE>(c + (255 - c) * amount); };
  return RGB(mix(GetRValue(color)), mix(GetGValue(color)), mix(GetBValue(color)));
}

enum TextStyle : unsigned { kBold = 1, kItalic = 2, kUnderline = 4, kStrike = 8, kMono = 16, kPlain = 32 };

// Drawing on a 16 x 16 grid scaled to the picture's pixel size.
class Canvas {
 public:
  Canvas(HDC dc, const RECT& area) : dc_(dc), left_(area.left), top_(area.top) {
    scale_ = std::min(area.right - area.left, area.bottom - area.top) / 16.0;
    pen_ = std::max(1, static_cast<int>(std::lround(scale_)));
  }

  int X(double x) const { return left_ + static_cast<int>(std::lround(x * scale_)); }
  int Y(double y) const { return top_ + static_cast<int>(std::lround(y * scale_)); }

  void Fill(double x0, double y0, double x1, double y1, COLORREF color) {
    RECT r{X(x0), Y(y0), X(x1), Y(y1)};
    const win::UniqueBrush brush(CreateSolidBrush(color));
    FillRect(dc_, &r, brush.get());
  }

  // A rectangle with a one-unit border.
  void Box(double x0, double y0, double x1, double y1, COLORREF fill, COLORREF border) {
    Fill(x0, y0, x1, y1, border);
    RECT r{X(x0) + pen_, Y(y0) + pen_, X(x1) - pen_, Y(y1) - pen_};
    if (r.right > r.left && r.bottom > r.top) {
      const win::UniqueBrush brush(CreateSolidBrush(fill));
      FillRect(dc_, &r, brush.get());
    }
  }

  void RoundBox(double x0, double y0, double x1, double y1, COLORREF fill, COLORREF border) {
    const int radius = std::max(2, static_cast<int>(std::lround(4 * scale_)));
    Outlined(fill, border, pen_, [&] { RoundRect(dc_, X(x0), Y(y0), X(x1), Y(y1), radius, radius); });
  }

  void Ellipse(double x0, double y0, double x1, double y1, COLORREF fill, COLORREF border) {
    Outlined(fill, border, pen_, [&] { ::Ellipse(dc_, X(x0), Y(y0), X(x1), Y(y1)); });
  }

  void Line(std::initializer_list<double> coordinates, COLORREF color, double width = 1) {
    const std::vector<POINT> points = Points(coordinates);
    const win::UniquePen pen(CreatePen(PS_SOLID, std::max(1, static_cast<int>(std::lround(width * scale_))), color));
    const win::SelectObjectScope select(dc_, pen.get());
    Polyline(dc_, points.data(), static_cast<int>(points.size()));
  }

  void Triangle(double x0, double y0, double x1, double y1, double x2, double y2, COLORREF color) {
    Shape({x0, y0, x1, y1, x2, y2}, color);
  }

  // A filled polygon through the points (x, y pairs).
  void Shape(std::initializer_list<double> coordinates, COLORREF color) {
    const std::vector<POINT> points = Points(coordinates);
    Outlined(color, color, 1, [&] { Polygon(dc_, points.data(), static_cast<int>(points.size())); });
  }

  // Text centred in the box, as large as fits.
  void Text(double x0, double y0, double x1, double y1, const wchar_t* text, COLORREF color, unsigned style = kBold) {
    RECT r{X(x0), Y(y0), X(x1), Y(y1)};
    const int box_width = r.right - r.left;
    const int box_height = r.bottom - r.top;
    const int length = static_cast<int>(wcslen(text));
    for (int height = box_height + box_height / 4; height >= 4; --height) {
      const win::UniqueFont font(CreateFontW(
          -height, 0, 0, 0, (style & kPlain) ? FW_NORMAL : FW_BOLD, (style & kItalic) != 0, (style & kUnderline) != 0,
          (style & kStrike) != 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
          DEFAULT_PITCH, (style & kMono) ? L"Courier New" : L"Arial"));
      const win::SelectObjectScope select(dc_, font.get());
      SIZE extent{};
      GetTextExtentPoint32W(dc_, text, length, &extent);
      TEXTMETRICW metrics{};
      GetTextMetricsW(dc_, &metrics);
      const int ink_height = metrics.tmAscent - metrics.tmInternalLeading;
      if ((extent.cx <= box_width && ink_height <= box_height) || height == 4) {
        SetBkMode(dc_, TRANSPARENT);
        SetTextColor(dc_, color);
        const int x = r.left + (box_width - extent.cx) / 2;
        const int y = r.top + (box_height - ink_height) / 2 - metrics.tmInternalLeading;
        ExtTextOutW(dc_, x, y, 0, nullptr, text, static_cast<UINT>(length), nullptr);
        return;
      }
    }
  }

  void Badge(const wchar_t* text, COLORREF color, unsigned style = kBold) {
    RoundBox(0, 1, 16, 15, Tint(color, 0.86), color);
    Text(1.5, 3, 14.5, 13, text, color, style);
  }

  // Lines of text aligned left, centre or right (align: 0, 1, 2).
  void AlignLines(int align, COLORREF color) {
    const double widths[] = {12, 8, 12, 6};
    for (int i = 0; i < 4; ++i) {
      const double w = widths[i];
      const double x0 = align == 0 ? 2 : align == 1 ? 8 - w / 2 : 14 - w;
      Fill(x0, 3 + i * 3, x0 + w, 4.5 + i * 3, color);
    }
  }

  void Grid(COLORREF color, int highlight_row, int highlight_cell, bool header) {
    Box(1, 2, 15, 14, kPaper, color);
    if (header) Fill(1, 2, 15, 6, Tint(color, 0.5));
    if (highlight_row >= 0) Fill(1, 2 + 4 * highlight_row, 15, 6 + 4 * highlight_row, Tint(color, 0.5));
    if (highlight_cell >= 0) Fill(5.7, 6, 10.3, 10, Tint(color, 0.4));
    Line({1, 6, 15, 6}, color);
    Line({1, 10, 15, 10}, color);
    Line({5.7, 2, 5.7, 14}, color);
    Line({10.3, 2, 10.3, 14}, color);
  }

  void List(COLORREF color, bool numbered) {
    for (int i = 0; i < 3; ++i) {
      const double y = 3 + i * 4;
      if (numbered) {
        wchar_t digit[2] = {static_cast<wchar_t>(L'1' + i), 0};
        Text(0.5, y - 1.5, 4.5, y + 3, digit, color);
      } else {
        Ellipse(1.5, y - 0.5, 4, y + 2, color, color);
      }
      Fill(6, y, 15, y + 1.5, color);
    }
  }

  void Document(COLORREF color) {
    Box(3, 1, 13, 15, kPaper, color);
    Triangle(10, 1, 13, 1, 13, 4, Tint(color, 0.5));
  }

  void ButtonShape(const wchar_t* text, COLORREF color) {
    RoundBox(0, 2, 16, 14, RGB(0xe8, 0xe8, 0xe8), color);
    Text(2, 3.5, 14, 12.5, text, color);
  }

  // A page with one region filled: where a structural element sits.
  void PageRegion(double x0, double y0, double x1, double y1, COLORREF color) {
    Box(1, 1.5, 15, 14.5, kPaper, color);
    Fill(x0, y0, x1, y1, color);
  }

  // A landscape (sun and hill) in a frame.
  void Landscape(double x0, double y0, double x1, double y1, COLORREF color) {
    Box(x0, y0, x1, y1, Tint(color, 0.85), color);
    const double w = x1 - x0;
    const double h = y1 - y0;
    Ellipse(x0 + w * 0.62, y0 + h * 0.18, x0 + w * 0.86, y0 + h * 0.42, kHighlight, kHighlight);
    Triangle(x0 + 1, y1 - 1, x0 + w * 0.4, y0 + h * 0.35, x0 + w * 0.8, y1 - 1, color);
  }

 private:
  std::vector<POINT> Points(std::initializer_list<double> coordinates) const {
    std::vector<POINT> points;
    for (auto it = coordinates.begin(); it != coordinates.end() && it + 1 != coordinates.end(); it += 2) {
      points.push_back({X(*it), Y(*(it + 1))});
    }
    return points;
  }

  // Draws a shape filled with `fill` and outlined with `border`.
  template <typename Draw>
  void Outlined(COLORREF fill, COLORREF border, int width, Draw draw) {
    const win::UniquePen pen(CreatePen(PS_SOLID, width, border));
    const win::UniqueBrush brush(CreateSolidBrush(fill));
    win::SelectObjectScope select_pen(dc_, pen.get());
    win::SelectObjectScope select_brush(dc_, brush.get());
    draw();
  }

  HDC dc_;
  int left_;
  int top_;
  double scale_;
  int pen_;
};

// The pictures that are one call of the canvas: letters on a badge, letters
// in the box, a push button with a letter, or lines of text aligned.
enum class Look : std::uint8_t { kBadge, kLetters, kButton, kAlignedLines };

struct LetterBox {
  double x0, y0, x1, y1;
};
constexpr LetterBox kSquareBox{1, 1, 15, 15};
constexpr LetterBox kWideBox{0.5, 1, 15.5, 15};
constexpr LetterBox kFullBox{0.5, 0.5, 15.5, 15.5};
constexpr LetterBox kLowBox{0.5, 2, 15.5, 14};

struct SimplePicture {
  Picture picture;
  Look look;
  const wchar_t* text;
  COLORREF color;
  unsigned style = kBold;
  LetterBox box = kSquareBox;  // Letters: the box they are centred in
  int align = 0;               // AlignedLines: 0 left, 1 centred, 2 right
};

constexpr SimplePicture Badge(Picture picture, const wchar_t* text, COLORREF color) {
  return {picture, Look::kBadge, text, color};
}
constexpr SimplePicture Button(Picture picture, const wchar_t* text, COLORREF color) {
  return {picture, Look::kButton, text, color};
}
constexpr SimplePicture Letters(Picture picture, const wchar_t* text, COLORREF color, unsigned style = kBold,
                                LetterBox box = kSquareBox) {
  return {picture, Look::kLetters, text, color, style, box};
}
constexpr SimplePicture AlignedLines(Picture picture, int align, COLORREF color) {
  return {picture, Look::kAlignedLines, L"", color, kBold, kSquareBox, align};
}

// Picture::kBlank is used by no control and stays blank.
constexpr SimplePicture kSimplePictures[] = {
    Button(Picture::kResetButton, L"R", kForm),
    Button(Picture::kPushButton, L"B", kForm),
    Badge(Picture::kForm, L"Fm", kForm),
    Letters(Picture::kNormalMode, L"<>", kBasic, kBold, kLowBox),  // normal mode: paste at the caret
    Badge(Picture::kAddress, L"Ad", kBasic),
    Badge(Picture::kBody, L"Bd", kBasic),
    Badge(Picture::kComment, L"<!", kBasic),
    Badge(Picture::kHtml, L"HT", kBasic),
    Badge(Picture::kDocType, L"!D", kBasic),
    Badge(Picture::kHead, L"Hd", kBasic),
    Badge(Picture::kTitle, L"Ti", kBasic),
    Badge(Picture::kLink, L"A", kLink),
    Badge(Picture::kAnchor, L"#", kLink),
    Badge(Picture::kMailto, L"@", kLink),
    Letters(Picture::kBold, L"B", kChars),
    Letters(Picture::kBig, L"A+", kChars, kBold, kWideBox),
    Badge(Picture::kBlink, L"Bl", kChars),
    Letters(Picture::kFont, L"F", kChars, kBold | kItalic),
    Letters(Picture::kItalic, L"I", kChars, kBold | kItalic),
    Letters(Picture::kAmpersand, L"&", kChars),
    Letters(Picture::kLessThan, L"<", kChars),
    Letters(Picture::kQuote, L"\"", kChars),
    Letters(Picture::kGreaterThan, L">", kChars),
    Letters(Picture::kStrike, L"S", kChars, kBold | kStrike),
    Letters(Picture::kSmall, L"A-", kChars, kBold, kWideBox),
    Letters(Picture::kTeletype, L"TT", kChars, kBold | kMono, kWideBox),
    Letters(Picture::kUnderline, L"U", kChars, kBold | kUnderline),
    AlignedLines(Picture::kCenter, 1, kPara),
    AlignedLines(Picture::kAlignCenter, 1, kLink),
    AlignedLines(Picture::kAlignLeft, 0, kLink),
    AlignedLines(Picture::kAlignRight, 2, kLink),
    Badge(Picture::kHeading1, L"H1", kPara),
    Badge(Picture::kHeading2, L"H2", kPara),
    Badge(Picture::kHeading3, L"H3", kPara),
    Badge(Picture::kHeading4, L"H4", kPara),
    Badge(Picture::kHeading5, L"H5", kPara),
    Badge(Picture::kHeading6, L"H6", kPara),
    Letters(Picture::kParagraph, L"¶", kPara),
    Button(Picture::kSubmitButton, L"S", kForm),
    Badge(Picture::kDefinitionData, L"DD", kTable),
    Badge(Picture::kDefinitionList, L"DL", kTable),
    Badge(Picture::kDefinitionTerm, L"DT", kTable),
    Badge(Picture::kHeadings, L"Hn", kPara),
    Letters(Picture::kUserTags, L"★", kForm, kPlain, kFullBox),
    Badge(Picture::kWwwcMeta, L"W", kBasic),
    Badge(Picture::kTagMenu, L"<T>", kBasic),  // tag menu
    Letters(Picture::kInternetExplorer, L"e", kLink, kBold, kFullBox),
    Letters(Picture::kNetscape, L"N", kPara, kBold, kFullBox),
    // The grouped buttons of the page "HTML5": head, text, blocks and more.
    Badge(Picture::kHtml5HeadTags, L"hd", kHtml5),
    Badge(Picture::kHtml5TextTags, L"Aa", kHtml5),
    Badge(Picture::kHtml5MoreTags, L"+", kHtml5),
};

void DrawSimplePicture(Canvas& c, const SimplePicture& picture) {
  switch (picture.look) {
    case Look::kBadge:
      c.Badge(picture.text, picture.color);
      break;
    case Look::kLetters:
      c.Text(picture.box.x0, picture.box.y0, picture.box.x1, picture.box.y1, picture.text, picture.color,
             picture.style);
      break;
    case Look::kButton:
      c.ButtonShape(picture.text, picture.color);
      break;
    case Look::kAlignedLines:
      c.AlignLines(picture.align, picture.color);
      break;
  }
}

// The pictures drawn shape by shape, one function per family: each draws
// `picture` and returns true, or returns false for a picture of another
// family.

// Form controls: drop-down list, check box, radio button, text fields,
// hidden field.
bool DrawFormControl(Canvas& c, Picture picture) {
  switch (picture) {
    case Picture::kComboBox:  // combo box <SELECT>
      c.Box(0.5, 4, 15.5, 12, kPaper, kForm);
      c.Fill(10, 4, 15.5, 12, Tint(kForm, 0.6));
      c.Triangle(11, 7, 14.5, 7, 12.75, 9.5, kForm);
      c.Fill(2, 7.3, 8, 8.7, kForm);
      return true;
    case Picture::kCheckBox:
      c.Box(2, 2, 14, 14, kPaper, kForm);
      c.Line({4.5, 8, 7, 11, 12, 4.5}, kForm, 2);
      return true;
    case Picture::kRadioButton:
      c.Ellipse(2, 2, 14, 14, kPaper, kForm);
      c.Ellipse(5.5, 5.5, 10.5, 10.5, kForm, kForm);
      return true;
    case Picture::kTextArea:  // multi-line text field
      c.Box(0.5, 1.5, 15.5, 14.5, kPaper, kForm);
      for (int i = 0; i < 3; ++i) c.Fill(3, 4 + i * 3, 12, 5.2 + i * 3, Tint(kForm, 0.4));
      c.Fill(13, 1.5, 15.5, 14.5, Tint(kForm, 0.6));
      return true;
    case Picture::kTextField:
      c.Box(0.5, 4, 15.5, 12, kPaper, kForm);
      c.Line({4, 6, 4, 10}, kForm, 1.3);
      return true;
    case Picture::kHiddenField:  // a dashed outline
      for (int i = 0; i < 4; ++i) {
        c.Fill(1 + i * 3.7, 4, 3 + i * 3.7, 5, kForm);
        c.Fill(1 + i * 3.7, 11, 3 + i * 3.7, 12, kForm);
      }
      c.Fill(1, 4, 2, 12, kForm);
      c.Fill(14, 4, 15, 12, kForm);
      return true;
    default:
      return false;
  }
}

// Frames.
bool DrawFramePicture(Canvas& c, Picture picture) {
  switch (picture) {
    case Picture::kFramesetColumns:
      c.Box(1, 2, 15, 14, kPaper, kFrame);
      c.Fill(7.3, 2, 8.7, 14, kFrame);
      return true;
    case Picture::kFramesetRows:
      c.Box(1, 2, 15, 14, kPaper, kFrame);
      c.Fill(1, 7.3, 15, 8.7, kFrame);
      return true;
    case Picture::kFrame:
      c.Box(1, 2, 15, 14, Tint(kFrame, 0.8), kFrame);
      c.Box(4, 5, 12, 11, kPaper, kFrame);
      return true;
    case Picture::kNoFrames:
      c.Box(1, 2, 15, 14, kPaper, kFrame);
      c.Line({3, 12, 13, 4}, kChars, 1.6);
      return true;
    default:
      return false;
  }
}

// Text and paragraphs: the refresh badge, the image, characters, sub- and
// superscript, quotation, line break, rule.
bool DrawTextPicture(Canvas& c, Picture picture) {
  switch (picture) {
    case Picture::kMetaRefresh:
      c.Badge(L"", kBasic);
      c.Line({11.5, 5, 11.5, 8, 8.5, 8}, kBasic, 1.2);
      c.Line({11.5, 8, 10, 5.2, 7.5, 4.5, 5, 5.5, 4, 8, 5, 10.5, 7.5, 11.5, 10, 10.5}, kBasic, 1.4);
      return true;
    case Picture::kImage:
      c.Box(0.5, 2, 15.5, 14, RGB(0xd8, 0xec, 0xff), kLink);
      c.Ellipse(10, 4, 13, 7, RGB(0xf0, 0xc0, 0x20), RGB(0xf0, 0xc0, 0x20));
      c.Triangle(1.5, 13, 6.5, 6, 11.5, 13, kPara);
      return true;
    case Picture::kNoBreakSpace:
      c.Line({2, 8, 2, 12, 14, 12, 14, 8}, kChars, 1.6);
      return true;
    case Picture::kSubscript:
      c.Text(0, 1, 10, 12, L"x", kChars);
      c.Text(9, 8, 16, 16, L"2", kChars);
      return true;
    case Picture::kSuperscript:
      c.Text(0, 4, 10, 15, L"x", kChars);
      c.Text(9, 0, 16, 8, L"2", kChars);
      return true;
    case Picture::kBlockquote:  // two quotation marks
      c.Ellipse(1.5, 3.5, 7, 9, kPara, kPara);
      c.Triangle(4.5, 8, 7, 7, 2.5, 13.5, kPara);
      c.Ellipse(9, 3.5, 14.5, 9, kPara, kPara);
      c.Triangle(12, 8, 14.5, 7, 10, 13.5, kPara);
      return true;
    case Picture::kLineBreak:
      c.Line({13, 3, 13, 10, 4, 10}, kPara, 1.6);
      c.Triangle(2, 10, 6, 6.5, 6, 13.5, kPara);
      return true;
    case Picture::kHorizontalRule:
      c.Fill(1, 7, 15, 9.5, kPara);
      c.Fill(1, 9.5, 15, 10.5, Tint(kPara, 0.6));
      return true;
    default:
      return false;
  }
}

// Lists and tables.
bool DrawListOrTable(Canvas& c, Picture picture) {
  switch (picture) {
    case Picture::kCaption:  // caption above a table
      c.Fill(3, 1.5, 13, 3.5, kTable);
      c.Box(1, 5, 15, 15, kPaper, kTable);
      c.Line({1, 10, 15, 10}, kTable);
      c.Line({8, 5, 8, 15}, kTable);
      return true;
    case Picture::kListItem:
      c.Ellipse(1.5, 6.5, 5, 10, kTable, kTable);
      c.Fill(7, 7.3, 15, 9.2, kTable);
      return true;
    case Picture::kOrderedList:
      c.List(kTable, true);
      return true;
    case Picture::kTable:
      c.Grid(kTable, -1, -1, false);
      return true;
    case Picture::kTableRow:
      c.Grid(kTable, 1, -1, false);
      return true;
    case Picture::kUnorderedList:
      c.List(kTable, false);
      return true;
    case Picture::kTableData:
      c.Grid(kTable, -1, 1, false);
      return true;
    case Picture::kTableHeader:
      c.Grid(kTable, -1, -1, true);
      return true;
    default:
      return false;
  }
}

// The program's commands: closing, colours, sandwich mode, options,
// browsers, the editor, external tools.
bool DrawProgramCommand(Canvas& c, Picture picture) {
  switch (picture) {
    case Picture::kClose:
      c.Line({3, 3, 13, 13}, kChars, 2.2);
      c.Line({13, 3, 3, 13}, kChars, 2.2);
      return true;
    case Picture::kColorInput:  // RGB colour
      c.Box(1, 1, 8, 8, RGB(0xe0, 0x20, 0x20), kTool);
      c.Box(8, 1, 15, 8, RGB(0x20, 0xb0, 0x30), kTool);
      c.Box(1, 8, 8, 15, RGB(0x20, 0x50, 0xe0), kTool);
      c.Box(8, 8, 15, 15, RGB(0xf0, 0xd0, 0x20), kTool);
      return true;
    case Picture::kSandwichMode:  // the selection between the tag's parts
      c.Text(0, 2, 5, 14, L"<", kForm);
      c.Text(11, 2, 16, 14, L">", kForm);
      c.Fill(5.5, 5, 10.5, 11, Tint(kLink, 0.3));
      return true;
    case Picture::kOptions:  // two sliders
      c.Line({1, 5, 15, 5}, kTool, 1.2);
      c.Line({1, 11, 15, 11}, kTool, 1.2);
      c.Box(3.5, 2.5, 7, 7.5, Tint(kLink, 0.4), kTool);
      c.Box(9, 8.5, 12.5, 13.5, Tint(kLink, 0.4), kTool);
      return true;
    case Picture::kBrowserSize:
      c.Box(0.5, 1.5, 15.5, 14.5, kPaper, kLink);
      c.Fill(0.5, 1.5, 15.5, 4.5, kLink);
      c.Line({5, 12, 12, 6}, kTool, 1.3);
      c.Triangle(13, 5, 9, 5.5, 12.5, 9, kTool);
      return true;
    case Picture::kEditorInFreeArea:
      c.Box(0.5, 0.5, 15.5, 15.5, kPaper, kTool);
      c.Fill(0.5, 0.5, 15.5, 4, Tint(kTool, 0.5));
      c.Box(2.5, 6, 13.5, 13.5, Tint(kLink, 0.8), kLink);
      return true;
    case Picture::kExternalTools:  // a run triangle
      c.Box(0.5, 1.5, 15.5, 14.5, Tint(kTool, 0.85), kTool);
      c.Triangle(5.5, 4.5, 12, 8, 5.5, 11.5, kPara);
      return true;
    case Picture::kDefaultBrowserPreview:  // a browser window showing a globe
      c.Box(0.5, 1.5, 15.5, 14.5, kPaper, kLink);
      c.Fill(0.5, 1.5, 15.5, 4.5, kLink);
      c.Ellipse(4.5, 6, 11.5, 13, Tint(kLink, 0.85), kLink);
      c.Ellipse(6.7, 6, 9.3, 13, Tint(kLink, 0.85), kLink);
      c.Line({4.5, 9.5, 11.5, 9.5}, kLink);
      return true;
    case Picture::kLivePreview:  // a browser window with the reload arrow
      c.Box(0.5, 1.5, 15.5, 14.5, kPaper, kLink);
      c.Fill(0.5, 1.5, 15.5, 4.5, kLink);
      c.Line({11, 7.5, 9.5, 6.5, 7, 6.5, 5, 8.5, 5, 10.5, 7, 12.5, 9.5, 12.5, 11, 11}, kHtml5, 1.4);
      c.Triangle(9, 5, 12.5, 5.5, 11, 8.5, kHtml5);
      return true;
    default:
      return false;
  }
}

// The text-input commands, new and open, tag deletion.
bool DrawTextInputCommand(Canvas& c, Picture picture) {
  switch (picture) {
    case Picture::kFileNameInput:
      c.Document(kTool);
      c.Text(4, 6, 12, 14, L"F", kLink);
      return true;
    case Picture::kUrlInput:  // a globe
      c.Ellipse(1.5, 1.5, 14.5, 14.5, Tint(kLink, 0.85), kLink);
      c.Ellipse(5, 1.5, 11, 14.5, Tint(kLink, 0.85), kLink);
      c.Line({1.5, 8, 14.5, 8}, kLink);
      return true;
    case Picture::kTextFileInsertion:
      c.Document(kTool);
      for (int i = 0; i < 3; ++i) c.Fill(5, 6 + i * 2.6, 11, 7 + i * 2.6, kTool);
      return true;
    case Picture::kNewDocument:
      c.Document(kTool);
      return true;
    case Picture::kOpen:  // a folder
      c.Box(1, 4, 9, 7, kFolder, RGB(0x9a, 0x70, 0x10));
      c.Box(1, 6, 15, 14, kFolder, RGB(0x9a, 0x70, 0x10));
      return true;
    case Picture::kTagDeletion:
      c.Badge(L"</>", kChars);
      c.Line({2, 13.5, 14, 2.5}, kChars, 1.3);
      return true;
    default:
      return false;
  }
}

// The page "HTML5": the document and the parts of a page.
bool DrawHtml5Structure(Canvas& c, Picture picture) {
  switch (picture) {
    case Picture::kHtml5Document:  // a shield with a 5
      c.Shape({1.5, 0.5, 14.5, 0.5, 13.3, 13.3, 8, 15.5, 2.7, 13.3}, kHtml5);
      c.Text(4, 3, 12, 12.5, L"5", kPaper);
      return true;
    case Picture::kHtml5Header:  // the top of the page
      c.PageRegion(1, 1.5, 15, 5.5, kHtml5);
      return true;
    case Picture::kHtml5Nav:  // a column of links
      c.PageRegion(1, 1.5, 6, 14.5, kHtml5);
      for (int i = 0; i < 3; ++i) c.Fill(2.5, 4 + i * 3.3, 4.5, 5.3 + i * 3.3, kPaper);
      return true;
    case Picture::kHtml5Main:  // the middle of the page, between its header and footer
      c.Box(1, 1.5, 15, 14.5, kPaper, kHtml5);
      c.Fill(2, 2.5, 14, 4, Tint(kHtml5, 0.55));
      c.Fill(2, 12, 14, 13.5, Tint(kHtml5, 0.55));
      c.Fill(2, 5, 14, 11, kHtml5);
      return true;
    case Picture::kHtml5Section:  // the page in parts, each with its heading
      for (int i = 0; i < 2; ++i) {
        const double top = 1 + i * 7.5;
        c.Box(1, top, 15, top + 6.5, kPaper, kHtml5);
        c.Fill(3, top + 2, 10, top + 3.8, kHtml5);
      }
      return true;
    case Picture::kHtml5Article:  // a headline and its text
      c.Document(kHtml5);
      c.Fill(4.5, 3.5, 10, 5.5, kHtml5);
      for (int i = 0; i < 3; ++i) c.Fill(4.5, 7.5 + i * 2.3, 11.5, 8.5 + i * 2.3, Tint(kHtml5, 0.3));
      return true;
    case Picture::kHtml5Aside:  // a column beside the text
      c.PageRegion(10, 1.5, 15, 14.5, kHtml5);
      for (int i = 0; i < 3; ++i) c.Fill(2.5, 4 + i * 3.3, 8.5, 5 + i * 3.3, Tint(kHtml5, 0.4));
      return true;
    case Picture::kHtml5Footer:  // the bottom of the page
      c.PageRegion(1, 10.5, 15, 14.5, kHtml5);
      return true;
    default:
      return false;
  }
}

// The page "HTML5": media and marked-up text.
bool DrawHtml5Content(Canvas& c, Picture picture) {
  switch (picture) {
    case Picture::kHtml5Figure:  // a picture above its caption
      c.Landscape(1, 1, 15, 11, kHtml5);
      c.Fill(3, 12.5, 13, 14.5, kHtml5);
      return true;
    case Picture::kHtml5Picture:  // one image in several sources
      c.Box(5, 1, 15.5, 10, Tint(kHtml5, 0.6), kHtml5);
      c.Landscape(0.5, 5, 11, 15, kHtml5);
      return true;
    case Picture::kHtml5Video:  // play
      c.RoundBox(0.5, 2, 15.5, 14, kHtml5, kHtml5);
      c.Triangle(6, 5, 11.5, 8, 6, 11, kPaper);
      return true;
    case Picture::kHtml5Audio:  // a loudspeaker
      c.Shape({1, 6, 4, 6, 8.5, 2, 8.5, 14, 4, 10, 1, 10}, kHtml5);
      c.Line({10.5, 5.5, 11.7, 8, 10.5, 10.5}, kHtml5, 1.2);
      c.Line({12.5, 3.2, 14.7, 8, 12.5, 12.8}, kHtml5, 1.2);
      return true;
    case Picture::kHtml5Details:  // an open disclosure triangle and the text it shows
      c.Triangle(1, 3, 7, 3, 4, 7, kHtml5);
      c.Fill(8.5, 4, 15, 6, kHtml5);
      c.Fill(4, 9.5, 15, 10.5, Tint(kHtml5, 0.3));
      c.Fill(4, 12.5, 12, 13.5, Tint(kHtml5, 0.3));
      return true;
    case Picture::kHtml5Mark:  // highlighted text
      c.Fill(0, 3, 16, 13, kHighlight);
      c.Text(1, 4, 15, 12, L"ab", kHtml5);
      return true;
    case Picture::kHtml5Time:  // a clock
      c.Ellipse(1, 1, 15, 15, kPaper, kHtml5);
      c.Line({8, 3.5, 8, 8, 11.5, 10}, kHtml5, 1.4);
      return true;
    default:
      return false;
  }
}

// The abbreviation commands. Edges on even grid lines fall on whole
// pixels at 100 % and at 150 %.
bool DrawAbbreviationCommand(Canvas& c, Picture picture) {
  switch (picture) {
    case Picture::kExpandAbbreviation:  // the abbreviation's chevron, and the element it became
      c.Line({1, 4, 4.5, 8, 1, 12}, kHtml5, 1.6);
      c.Fill(6, 2, 16, 4, kTool);
      c.Fill(8, 6, 14, 8, Tint(kTool, 0.35));
      c.Fill(8, 10, 14, 12, Tint(kTool, 0.35));
      c.Fill(6, 14, 16, 16, kTool);
      return true;
    case Picture::kWrapWithAbbreviation:  // the same element around the selection
      c.Line({1, 4, 4.5, 8, 1, 12}, kHtml5, 1.6);
      c.Fill(6, 2, 16, 4, kTool);
      c.Fill(8, 6, 16, 12, Tint(kLink, 0.3));
      c.Fill(6, 14, 16, 16, kTool);
      return true;
    default:
      return false;
  }
}

bool DrawFigure(Canvas& c, Picture picture) {
  for (bool (*draw)(Canvas&, Picture) :
       {&DrawFormControl, &DrawFramePicture, &DrawTextPicture, &DrawListOrTable, &DrawProgramCommand,
        &DrawTextInputCommand, &DrawHtml5Structure, &DrawHtml5Content, &DrawAbbreviationCommand}) {
    if (draw(c, picture)) return true;
  }
  return false;
}

void DrawToolPicture(Canvas& c, int index) {
  const auto picture = static_cast<Picture>(index);
  for (const SimplePicture& simple : kSimplePictures) {
    if (simple.picture == picture) {
      DrawSimplePicture(c, simple);
      return;
    }
  }
  DrawFigure(c, picture);
}

using Painter = void (*)(Canvas&, int);

// A 32-bit top-down DIB section of width x height; `bits` receives its pixels.
// An RGB DIB needs no device context.
win::UniqueBitmap CreateDib(int width, int height, void** bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  win::UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0));
  if (!bitmap) *bits = nullptr;
  return bitmap;
}

// Renders one picture into straight (not premultiplied) BGRA pixels, top row
// first: drawn on black and on white, the difference gives the coverage.
// Both passes share one bitmap and one device context (making them is most
// of the cost of a small picture); the context's drawing state is reset
// between the passes, so the second starts as the first did.
std::vector<std::uint32_t> Render(Painter painter, int index, int size) {
  const size_t count = static_cast<size_t>(size) * static_cast<size_t>(size);
  std::vector<std::uint32_t> planes[2];
  void* bits = nullptr;
  win::UniqueBitmap bitmap = CreateDib(size, size, &bits);
  if (!bits) return std::vector<std::uint32_t>(count, 0);
  win::MemoryDc dc(nullptr);
  win::SelectObjectScope select(dc.get(), bitmap.get());
  const int fresh_state = SaveDC(dc.get());
  for (int pass = 0; pass < 2; ++pass) {
    if (pass > 0) {
      RestoreDC(dc.get(), fresh_state);
      SaveDC(dc.get());
    }
    RECT all{0, 0, size, size};
    FillRect(dc.get(), &all, static_cast<HBRUSH>(GetStockObject(pass == 0 ? BLACK_BRUSH : WHITE_BRUSH)));
    Canvas canvas(dc.get(), all);
    painter(canvas, index);
    GdiFlush();
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    planes[pass].assign(pixels, pixels + count);
  }
  RestoreDC(dc.get(), fresh_state);
  std::vector<std::uint32_t> result(count);
  for (size_t i = 0; i < count; ++i) {
    const std::uint32_t on_black = planes[0][i];
    const std::uint32_t on_white = planes[1][i];
    int alpha = 255;
    for (int shift = 0; shift < 24; shift += 8) {
      const int b = static_cast<int>((on_black >> shift) & 0xff);
      const int w = static_cast<int>((on_white >> shift) & 0xff);
      alpha = std::min(alpha, 255 - (w - b));
    }
    alpha = std::clamp(alpha, 0, 255);
    std::uint32_t pixel = static_cast<std::uint32_t>(alpha) << 24;
    if (alpha > 0) {
      for (int shift = 0; shift < 24; shift += 8) {
        const int b = static_cast<int>((on_black >> shift) & 0xff);
        pixel |= static_cast<std::uint32_t>(std::min(255, b * 255 / alpha)) << shift;
      }
    }
    result[i] = pixel;
  }
  return result;
}

void Premultiply(std::vector<std::uint32_t>& pixels) {
  for (std::uint32_t& pixel : pixels) {
    const std::uint32_t alpha = pixel >> 24;
    std::uint32_t out = alpha << 24;
    for (int shift = 0; shift < 24; shift += 8) {
      out |= ((((pixel >> shift) & 0xff) * alpha + 127) / 255) << shift;
    }
    pixel = out;
  }
}

// A 32-bit top-down DIB section holding `pixels` (width x height).
win::UniqueBitmap MakeBitmap(const std::vector<std::uint32_t>& pixels, int width, int height) {
  void* bits = nullptr;
  win::UniqueBitmap bitmap = CreateDib(width, height, &bits);
  if (bits) std::copy(pixels.begin(), pixels.end(), static_cast<std::uint32_t*>(bits));
  return bitmap;
}

}  // namespace

ToolPictures::ToolPictures(int size)
    : size_(size),
      list_(ImageList_Create(size, size, ILC_COLOR32, kToolImageCount, 0)),
      pixels_(static_cast<size_t>(kToolImageCount)),
      in_list_(static_cast<size_t>(kToolImageCount), false) {
  // Every slot exists from the start, so the toolbars' picture numbers are
  // valid; a slot gets its picture when a toolbar showing it appears.
  if (list_) ImageList_SetImageCount(list_.get(), static_cast<UINT>(kToolImageCount));
}

bool ToolPictures::Valid(int index) const { return index >= 0 && index < kToolImageCount; }

const std::vector<std::uint32_t>& ToolPictures::Pixels(int index) {
  std::vector<std::uint32_t>& pixels = pixels_[static_cast<size_t>(index)];
  if (pixels.empty()) {
    pixels = Render(DrawToolPicture, index, size_);
    Premultiply(pixels);
  }
  return pixels;
}

void ToolPictures::Draw(int index) {
  if (!list_ || !Valid(index) || in_list_[static_cast<size_t>(index)]) return;
  const win::UniqueBitmap bitmap = MakeBitmap(Pixels(index), size_, size_);
  in_list_[static_cast<size_t>(index)] = ImageList_Replace(list_.get(), index, bitmap.get(), nullptr) != FALSE;
}

HBITMAP ToolPictures::MenuBitmap(int index) {
  if (!Valid(index)) return nullptr;
  auto it = menu_bitmaps_.find(index);
  if (it == menu_bitmaps_.end()) it = menu_bitmaps_.emplace(index, MakeBitmap(Pixels(index), size_, size_)).first;
  return it->second.get();
}

win::UniqueIcon CreateProgramIcon(int index, int size) {
  // The drawing of tagsling.ico, the icon resource Explorer shows.
  const std::vector<std::uint32_t> pixels = icon::RenderProgramIcon(index, size);
  win::UniqueBitmap color = MakeBitmap(pixels, size, size);
  // The mask is unused for 32-bit icons with alpha, but must exist (cleared:
  // rows of whole 16-bit words).
  const std::vector<BYTE> zeros(static_cast<size_t>((size + 15) / 16 * 2) * static_cast<size_t>(size), 0);
  win::UniqueBitmap mask(CreateBitmap(size, size, 1, 1, zeros.data()));
  ICONINFO info{};
  info.fIcon = TRUE;
  info.hbmColor = color.get();
  info.hbmMask = mask.get();
  return win::UniqueIcon(CreateIconIndirect(&info));
}

void DrawProgramPicture(HDC dc, const RECT& rect, int index) {
  const int size = std::min(rect.right - rect.left, rect.bottom - rect.top);
  if (size <= 0) return;
  win::UniqueIcon picture = CreateProgramIcon(index, size);
  if (picture) DrawIconEx(dc, rect.left, rect.top, picture.get(), size, size, 0, nullptr, DI_NORMAL);
}

}  // namespace tagsling::ui
