#pragma once

#include <memory>

#include "framework/Types.h"

class QImage;
class QPainter;

namespace fw {

class Graphics;
class Picture;

// The pixels a one-line DrawString(text, x, y) may touch: from (x + left,
// y + top) to (x + right, y + bottom), right and bottom excluded, in whole page
// pixels; all 0 for no text.
struct TextBounds {
    Integer left = 0, top = 0, right = 0, bottom = 0;
};

// The two-dimensional shapes that Graphics::DrawObject draws. Border and Fill are
// opacities from 0 (invisible) to 100 (opaque).
class Object2D {
  public:
    virtual ~Object2D() = default;
    double X = 0;
    double Y = 0;
    double Border = 0;
    Color BorderColor = 0x000000;
    double BorderWidth = 1;
    double Fill = 100;
    Color FillColor = 0x000000;
};

// A rectangle placed by its centre: DrawObject(shape, x, y) puts its centre at
// (X + x, Y + y). Its frame spans Width x Height from there, one pixel row and
// column more than the size (the outline's far edge is part of it); the border
// lies inside that area.
class RectShape : public Object2D {
  public:
    double Width = 0;
    double Height = 0;
};

// A straight segment from (X, Y) to (X2, Y2) (Order 0), drawn in BorderColor with
// BorderWidth; DrawObject moves both end points by (x, y).
class CurveShape : public Object2D {
  public:
    CurveShape() { Border = 100; }
    Integer Order = 0;
    double X2 = 0;
    double Y2 = 0;
};

// A text whose baseline starts centred on (X + x, Y + y), drawn in FillColor.
class StringShape : public Object2D {
  public:
    String Text;
    String TextFont;  // "" for the framework's default font
    double TextSize = 0;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
};

// Where a Graphics draws: a picture's pixels or a canvas's backing surface.
// One painter stays open on the pixels from drawing to drawing, since opening one
// costs more than most drawings; it is closed whenever the pixels are read, copied
// or replaced, so no one sees them half drawn.
class Surface {
  public:
    Surface();
    virtual ~Surface();
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;
    // The pixels, with every drawing so far in them.
    QImage* Image();
    virtual Integer Width() const = 0;
    virtual Integer Height() const = 0;
    // Called after each drawing with the rectangle it touched, in page pixels.
    virtual void Damaged(double x, double y, double w, double h) = 0;
    // Called when drawing on the pixels begins, and when they are replaced.
    virtual void Changing() {}

    // The open painter, begun on first use; nullptr when there are no pixels.
    QPainter* Painter();
    // What is set on the open painter, as it was when it began: labels mostly
    // share a font and a pen, and setting them costs more than comparing.
    struct PainterState {
        int font = -1;  // the font's id, -1 for none
        unsigned pen = 0;
        bool penSet = false;
        // Whether it draws in device pixels rather than page pixels.
        bool inDevicePixels = false;
    } painterState;
    // Closes the painter. Subclasses call it before replacing or freeing the
    // pixels.
    void Flush();

  protected:
    // The pixels as they are, perhaps with a painter open on them.
    virtual QImage* Pixels() = 0;

  private:
    std::unique_ptr<QPainter> painter_;
};

// Drawing on a picture or a canvas. Coordinates are page pixels (one text point is
// one pixel); the surface underneath may hold more device pixels per page pixel.
class Graphics {
  public:
    explicit Graphics(Surface& surface);
    ~Graphics();
    Graphics(const Graphics&) = delete;
    Graphics& operator=(const Graphics&) = delete;

    Color ForeColor = 0x000000;
    String TextFont;      // "" for the default font
    double TextSize = 0;  // pixels; 0 means the default size, 12
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;

    Integer Width() const;
    Integer Height() const;

    // Clears to white.
    void ClearRect(double x, double y, double w, double h);
    void FillRect(double x, double y, double w, double h);
    // A one-pixel outline in ForeColor, covering w x h pixels from (x, y).
    void DrawRect(double x, double y, double w, double h);
    void DrawLine(double x1, double y1, double x2, double y2);
    void DrawPicture(const Picture& pic, double x, double y);
    // Draws the source rectangle of pic into the destination rectangle; the parts
    // of the source outside the picture are left out.
    void DrawPicture(const Picture& pic, double x, double y, double w, double h, double sx,
                     double sy, double sw, double sh);
    // y is the baseline. wrapWidth 0 draws one line; more wraps at that width.
    void DrawString(const String& text, double x, double y, double wrapWidth = 0);
    Integer StringWidth(const String& text);
    // Height that the text takes when wrapped at wrapWidth (one line when 0).
    Integer StringHeight(const String& text, double wrapWidth);
    // Where a one-line DrawString of the text leaves pixels, its underline and
    // anti-aliased edges included: glyphs may reach outside the advance and the
    // line height.
    TextBounds StringBounds(const String& text);
    void DrawObject(const Object2D& shape, double x = 0, double y = 0);

    // The colour of the page pixel (x, y); 0 outside the surface.
    Color Pixel(Integer x, Integer y) const;

    struct Impl;

  private:
    Surface& surface_;
    std::unique_ptr<Impl> impl_;
};

class Picture {
  public:
    Picture(Integer width, Integer height, double devicePixelRatio);
    ~Picture();
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    Integer Width() const { return width_; }
    Integer Height() const { return height_; }
    fw::Graphics& Graphics() { return *graphics_; }

    // For the layer's own use: the pixels, and a picture made from an image.
    QImage& Image();
    const QImage& Image() const;
    // The pixels at the given density: these, or a copy made over at it.
    const QImage& ImageAt(double devicePixelRatio) const;
    static std::shared_ptr<Picture> FromImage(const QImage& image);
    bool Valid() const;

  private:
    class PictureSurface;
    Integer width_;
    Integer height_;
    std::unique_ptr<PictureSurface> surface_;
    std::unique_ptr<fw::Graphics> graphics_;
};

// A blank picture of width x height page pixels at the screen's pixel density;
// nullptr when it cannot be made. A size of 0 (or less) gives an empty picture.
std::shared_ptr<Picture> NewPicture(Integer width, Integer height, Integer depth);

}  // namespace fw
