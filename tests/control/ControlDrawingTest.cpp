// The control's drawing, checked by structure: into a bitmap (the frame on
// the bounds in the current pen, the inside in the current brush, the text
// on one line centred in the bounds, nothing outside the bounds) and into
// an enhanced metafile (a rectangle on the bounds, then the text "Quendar"
// at the centred position).
#include "ControlTestSupport.h"

#include <string>
#include <vector>

namespace {

const COLORREF BACKGROUND = RGB(0, 160, 0);
const COLORREF PEN = RGB(200, 0, 0);
const COLORREF BRUSH = RGB(255, 255, 0);
const COLORREF TEXT_COLOUR = RGB(0, 0, 255);

// A 32-bit top-down bitmap selected into a memory device context, filled
// with the background, holding the pen, brush and text colour above.
class Canvas {
public:
    Canvas(int width, int height) : width_(width), height_(height)
    {
        dc_ = CreateCompatibleDC(nullptr);
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
        oldBitmap_ = SelectObject(dc_, bitmap_);
        RECT all = {0, 0, width, height};
        HBRUSH background = CreateSolidBrush(BACKGROUND);
        FillRect(dc_, &all, background);
        DeleteObject(background);
        pen_ = CreatePen(PS_SOLID, 1, PEN);
        brush_ = CreateSolidBrush(BRUSH);
        oldPen_ = SelectObject(dc_, pen_);
        oldBrush_ = SelectObject(dc_, brush_);
        SetTextColor(dc_, TEXT_COLOUR);
        SetBkMode(dc_, TRANSPARENT);
    }
    ~Canvas()
    {
        SelectObject(dc_, oldPen_);
        SelectObject(dc_, oldBrush_);
        SelectObject(dc_, oldBitmap_);
        DeleteObject(pen_);
        DeleteObject(brush_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    HDC dc() const { return dc_; }
    COLORREF at(int x, int y) const
    {
        const DWORD p = bits_[y * width_ + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    int width() const { return width_; }
    int height() const { return height_; }

private:
    int width_, height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    DWORD* bits_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr, oldPen_ = nullptr, oldBrush_ = nullptr;
    HPEN pen_ = nullptr;
    HBRUSH brush_ = nullptr;
};

// Where one line of text of this extent sits when centred in bounds.
RECT centredCell(const RECT& bounds, SIZE text)
{
    RECT cell;
    cell.left = bounds.left + ((bounds.right - bounds.left) - text.cx) / 2;
    cell.top = bounds.top + ((bounds.bottom - bounds.top) - text.cy) / 2;
    cell.right = cell.left + text.cx;
    cell.bottom = cell.top + text.cy;
    return cell;
}

struct MetafileRecords {
    std::vector<DWORD> types;
    RECTL rectangle = {};
    std::wstring text;
    POINTL textAt = {};
};

int CALLBACK collect(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM data)
{
    MetafileRecords* out = reinterpret_cast<MetafileRecords*>(data);
    out->types.push_back(record->iType);
    if (record->iType == EMR_RECTANGLE) {
        out->rectangle = reinterpret_cast<const EMRRECTANGLE*>(record)->rclBox;
    } else if (record->iType == EMR_EXTTEXTOUTW) {
        const EMREXTTEXTOUTW* text = reinterpret_cast<const EMREXTTEXTOUTW*>(record);
        const wchar_t* chars =
            reinterpret_cast<const wchar_t*>(reinterpret_cast<const BYTE*>(record) + text->emrtext.offString);
        out->text.assign(chars, text->emrtext.nChars);
        out->textAt = text->emrtext.ptlReference;
    }
    return 1;
}

} // namespace

class ControlDrawingTest : public ControlTest {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        createControl(control_);
        query(control_.get(), IID_IViewObjectEx, view_);
    }
    void TearDown() override
    {
        view_.reset();
        control_.reset();
        ControlTest::TearDown();
    }
    HRESULT draw(HDC dc, const RECTL* bounds, DWORD aspect = DVASPECT_CONTENT)
    {
        return view_->Draw(aspect, -1, nullptr, nullptr, nullptr, dc, bounds, nullptr, nullptr, 0);
    }

    Ref<IQuendar> control_;
    Ref<IViewObjectEx> view_;
};

TEST_F(ControlDrawingTest, BitmapHasTheFrameOnTheBoundsAndTheNameCentredInside)
{
    const RECT boundsTable[] = {{10, 20, 190, 80}, {0, 0, 120, 110}, {35, 4, 165, 36}, {60, 40, 200, 120}};
    for (const RECT& b : boundsTable) {
        SCOPED_TRACE(testing::Message() << "bounds " << b.left << "," << b.top << " - " << b.right << "," << b.bottom);
        Canvas canvas(200, 120);
        const RECTL bounds = {b.left, b.top, b.right, b.bottom};
        ASSERT_EQ(S_OK, draw(canvas.dc(), &bounds));

        // The frame: the pen on the outermost pixels of the bounds (the right
        // and bottom edges of a rectangle are exclusive).
        int offFrame = 0;
        for (int x = b.left; x < b.right; ++x) {
            offFrame += canvas.at(x, b.top) != PEN;
            offFrame += canvas.at(x, b.bottom - 1) != PEN;
        }
        for (int y = b.top; y < b.bottom; ++y) {
            offFrame += canvas.at(b.left, y) != PEN;
            offFrame += canvas.at(b.right - 1, y) != PEN;
        }
        EXPECT_EQ(0, offFrame);

        // Nothing outside the bounds.
        int outside = 0;
        for (int y = 0; y < canvas.height(); ++y)
            for (int x = 0; x < canvas.width(); ++x)
                if ((x < b.left || x >= b.right || y < b.top || y >= b.bottom) && canvas.at(x, y) != BACKGROUND)
                    ++outside;
        EXPECT_EQ(0, outside);

        // Inside: the brush, except for the ink of the text.
        RECT ink = {LONG_MAX, LONG_MAX, LONG_MIN, LONG_MIN};
        int inkPixels = 0, strange = 0;
        for (int y = b.top + 1; y < b.bottom - 1; ++y) {
            for (int x = b.left + 1; x < b.right - 1; ++x) {
                const COLORREF c = canvas.at(x, y);
                if (c == BRUSH) continue;
                if (c == BACKGROUND || c == PEN) ++strange;
                ++inkPixels;
                ink.left = std::min<LONG>(ink.left, x);
                ink.top = std::min<LONG>(ink.top, y);
                ink.right = std::max<LONG>(ink.right, x + 1);
                ink.bottom = std::max<LONG>(ink.bottom, y + 1);
            }
        }
        EXPECT_EQ(0, strange);
        ASSERT_GT(inkPixels, 20);

        // The ink lies in the one-line cell of "Quendar" centred in the
        // bounds, and spreads across most of its width.
        SIZE extent;
        ASSERT_TRUE(GetTextExtentPoint32W(canvas.dc(), L"Quendar", 7, &extent));
        const RECT cell = centredCell(b, extent);
        EXPECT_GE(ink.left, cell.left - 1);
        EXPECT_LE(ink.right, cell.right + 1);
        EXPECT_GE(ink.top, cell.top - 1);
        EXPECT_LE(ink.bottom, cell.bottom + 1);
        EXPECT_GT(ink.right - ink.left, extent.cx * 3 / 4);
        // Horizontally centred on the bounds to within a pixel or two.
        EXPECT_NEAR((ink.left + ink.right) / 2.0, (b.left + b.right) / 2.0, 2.5);
    }
}

TEST_F(ControlDrawingTest, MetafileRecordsTheRectangleThenTheCentredText)
{
    HDC reference = CreateCompatibleDC(nullptr);
    HDC dc = CreateEnhMetaFileW(reference, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, dc);
    // The text is placed by the metafile device's own measure of it (a
    // device that cannot measure text counts it as no size at all, so the
    // text then starts at the very centre).
    SIZE extent = {0, 0};
    if (!GetTextExtentPoint32W(dc, L"Quendar", 7, &extent)) extent = SIZE{0, 0};
    const RECTL bounds = {100, 50, 700, 250};
    ASSERT_EQ(S_OK, draw(dc, &bounds));
    HENHMETAFILE metafile = CloseEnhMetaFile(dc);
    ASSERT_NE(nullptr, metafile);
    MetafileRecords records;
    EnumEnhMetaFile(nullptr, metafile, &collect, &records, nullptr);
    DeleteEnhMetaFile(metafile);
    DeleteDC(reference);

    std::vector<DWORD> drawn;
    for (DWORD type : records.types)
        if (type == EMR_RECTANGLE || type == EMR_EXTTEXTOUTW || type == EMR_EXTTEXTOUTA) drawn.push_back(type);
    ASSERT_EQ((std::vector<DWORD>{EMR_RECTANGLE, EMR_EXTTEXTOUTW}), drawn);
    // Rectangle boxes in a metafile are inclusive.
    EXPECT_EQ(bounds.left, records.rectangle.left);
    EXPECT_EQ(bounds.top, records.rectangle.top);
    EXPECT_EQ(bounds.right - 1, records.rectangle.right);
    EXPECT_EQ(bounds.bottom - 1, records.rectangle.bottom);
    EXPECT_EQ(L"Quendar", records.text);
    const RECT b = {bounds.left, bounds.top, bounds.right, bounds.bottom};
    const RECT cell = centredCell(b, extent);
    EXPECT_NEAR(cell.left, records.textAt.x, 1);
    EXPECT_NEAR(cell.top, records.textAt.y, 1);
}

TEST_F(ControlDrawingTest, DrawRefusesWhatItCannotDraw)
{
    Canvas canvas(20, 20);
    const RECTL bounds = {0, 0, 10, 10};
    EXPECT_EQ(DV_E_DVASPECT, draw(canvas.dc(), &bounds, DVASPECT_ICON));
    EXPECT_EQ(E_INVALIDARG, draw(nullptr, &bounds));
    // Not active windowless: there is no place of its own to draw at.
    EXPECT_EQ(E_INVALIDARG, draw(canvas.dc(), nullptr));
    EXPECT_EQ(BACKGROUND, canvas.at(0, 0));

    DWORD hit = 99;
    const RECT area = {10, 10, 50, 30};
    EXPECT_EQ(S_OK, view_->QueryHitPoint(DVASPECT_CONTENT, &area, POINT{10, 10}, 0, &hit));
    EXPECT_EQ(static_cast<DWORD>(HITRESULT_HIT), hit);
    EXPECT_EQ(S_OK, view_->QueryHitPoint(DVASPECT_CONTENT, &area, POINT{50, 20}, 0, &hit));
    EXPECT_EQ(static_cast<DWORD>(HITRESULT_OUTSIDE), hit);
}
