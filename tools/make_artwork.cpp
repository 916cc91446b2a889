// Draws the editor artwork of both plug-ins: the 752 x 80 panel of each library (8-bit RGB) and
// the shared knob strip of 61 images of 80 x 80 (8-bit RGBA). Deterministic: the same fonts and
// libraries give the same files byte for byte, so the committed images can be regenerated and
// compared.
//
//   make_artwork <resources folder> [preview.png]
//
// writes <folder>/lunivex/panel.png, <folder>/dravimo/panel.png and <folder>/knob_strip.png, and
// optionally a picture at twice the size of both panels with knobs at their ends and middle, as
// an editor shows them.
#include <cairo.h>
#include <png.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kPanelWidth = 752;
constexpr int kPanelHeight = 80;
constexpr int kKnobSize = 80;
constexpr int kKnobFrames = 61;
constexpr double kPi = 3.14159265358979323846;
constexpr const char* kFace = "Liberation Sans";

struct Rgb {
    double r, g, b;
};

constexpr Rgb hex(unsigned v) {
    return {((v >> 16) & 0xFF) / 255.0, ((v >> 8) & 0xFF) / 255.0, (v & 0xFF) / 255.0};
}

// The palette.
constexpr Rgb kCream = hex(0xEEE6CF);
constexpr Rgb kCreamLight = hex(0xF7F1E1);
constexpr Rgb kCreamDark = hex(0xD9CFB3);
constexpr Rgb kInk = hex(0x2F4A33);         // lettering on the panel
constexpr Rgb kInkSoft = hex(0x6B7A62);     // captions and version
constexpr Rgb kBoxGreen = hex(0x0D2614);    // field and readout boxes
constexpr Rgb kBoxEdge = hex(0x06150A);
constexpr Rgb kWellGreen = hex(0xC4DDB0);   // knob wells
constexpr Rgb kWellShade = hex(0x9CBF86);
constexpr Rgb kKnobLight = hex(0xDDF0C9);   // knob face
constexpr Rgb kKnobMid = hex(0xB4D79A);
constexpr Rgb kKnobDark = hex(0x7FA866);
constexpr Rgb kKnobRim = hex(0x4F7440);

void setColor(cairo_t* cr, const Rgb& c, double alpha = 1.0) {
    cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

void addStop(cairo_pattern_t* p, double at, const Rgb& c, double alpha = 1.0) {
    cairo_pattern_add_color_stop_rgba(p, at, c.r, c.g, c.b, alpha);
}

void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -kPi / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, kPi / 2);
    cairo_arc(cr, x + r, y + h - r, r, kPi / 2, kPi);
    cairo_arc(cr, x + r, y + r, r, kPi, 3 * kPi / 2);
    cairo_close_path(cr);
}

void useFont(cairo_t* cr, double size, bool bold) {
    cairo_select_font_face(cr, kFace, CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

// Width of text drawn with extra space between the letters.
double spacedWidth(cairo_t* cr, const std::string& text, double spacing) {
    double width = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char letter[2] = {text[i], 0};
        cairo_text_extents_t e;
        cairo_text_extents(cr, letter, &e);
        width += e.x_advance + (i + 1 < text.size() ? spacing : 0);
    }
    return width;
}

// Draws text with its left end at x and its baseline at y.
void showSpaced(cairo_t* cr, const std::string& text, double x, double y, double spacing) {
    for (char c : text) {
        const char letter[2] = {c, 0};
        cairo_move_to(cr, x, y);
        cairo_show_text(cr, letter);
        cairo_text_extents_t e;
        cairo_text_extents(cr, letter, &e);
        x += e.x_advance + spacing;
    }
}

// Text centred on x with its capitals centred on y.
void centredText(cairo_t* cr, const std::string& text, double x, double y, double spacing) {
    cairo_text_extents_t caps;
    cairo_text_extents(cr, "H", &caps);
    showSpaced(cr, text, x - spacedWidth(cr, text, spacing) / 2, y + caps.height / 2, spacing);
}

// A sunken box: dark fill, a darker top and left inner edge, a light lower lip on the panel.
void sunkenBox(cairo_t* cr, double left, double top, double right, double bottom) {
    const double w = right - left, h = bottom - top;
    roundedRect(cr, left - 1, top - 1, w + 2, h + 2.5, 4);
    setColor(cr, kCreamLight);
    cairo_fill(cr);
    roundedRect(cr, left - 1, top - 1, w + 2, h + 2, 4);
    setColor(cr, kCreamDark);
    cairo_fill(cr);
    roundedRect(cr, left, top, w, h, 3);
    setColor(cr, kBoxGreen);
    cairo_fill(cr);
    // Inner shadow along the top.
    cairo_save(cr);
    roundedRect(cr, left, top, w, h, 3);
    cairo_clip(cr);
    cairo_pattern_t* shade = cairo_pattern_create_linear(0, top, 0, top + 5);
    addStop(shade, 0, kBoxEdge, 0.9);
    addStop(shade, 1, kBoxEdge, 0.0);
    cairo_set_source(cr, shade);
    cairo_paint(cr);
    cairo_pattern_destroy(shade);
    cairo_restore(cr);
}

void screw(cairo_t* cr, double cx, double cy, double slotAngle) {
    const double r = 4.5;
    cairo_arc(cr, cx + 0.4, cy + 0.8, r + 0.6, 0, 2 * kPi);
    setColor(cr, kCreamDark);
    cairo_fill(cr);
    cairo_pattern_t* metal = cairo_pattern_create_radial(cx - 1.5, cy - 1.5, 0.5, cx, cy, r);
    addStop(metal, 0, hex(0xFAFAF5));
    addStop(metal, 0.6, hex(0xC9C6BA));
    addStop(metal, 1, hex(0x8C887C));
    cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
    cairo_set_source(cr, metal);
    cairo_fill(cr);
    cairo_pattern_destroy(metal);
    cairo_set_line_width(cr, 1.3);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    const double dx = std::cos(slotAngle) * (r - 1.2), dy = std::sin(slotAngle) * (r - 1.2);
    cairo_move_to(cr, cx - dx, cy - dy);
    cairo_line_to(cr, cx + dx, cy + dy);
    setColor(cr, hex(0x4A473F));
    cairo_stroke(cr);
}

// The pointer angle of knob image i, in radians clockwise from straight up: from about seven
// o'clock (image 0) through twelve (image 30) to about five o'clock (image 60).
double pointerAngle(int image) { return (210.0 + 5.0 * image) * kPi / 180.0; }

// A recessed well around a knob centred on (cx, cy), with scale marks outside the knob.
void knobWell(cairo_t* cr, double cx, double cy) {
    const double r = 38;
    cairo_arc(cr, cx, cy + 0.8, r + 1, 0, 2 * kPi);
    setColor(cr, kCreamLight);
    cairo_fill(cr);
    cairo_arc(cr, cx, cy, r + 1, 0, 2 * kPi);
    setColor(cr, kCreamDark);
    cairo_fill(cr);
    cairo_pattern_t* well = cairo_pattern_create_radial(cx, cy - 6, 4, cx, cy, r);
    addStop(well, 0, kWellGreen);
    addStop(well, 0.85, kWellGreen);
    addStop(well, 1, kWellShade);
    cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
    cairo_set_source(cr, well);
    cairo_fill(cr);
    // Scale: a mark every tenth of the travel, longer at the ends and the middle.
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int step = 0; step <= 10; ++step) {
        const double a = pointerAngle(step * 6);
        const bool major = step == 0 || step == 5 || step == 10;
        const double inner = major ? 31.5 : 32.5, outer = 36;
        cairo_move_to(cr, cx + std::sin(a) * inner, cy - std::cos(a) * inner);
        cairo_line_to(cr, cx + std::sin(a) * outer, cy - std::cos(a) * outer);
        cairo_set_line_width(cr, major ? 1.6 : 1.0);
        setColor(cr, kInk, major ? 0.9 : 0.6);
        cairo_stroke(cr);
    }
}

struct PanelText {
    const char* product;
    const char* channel[2];
};

void drawPanel(cairo_t* cr, const PanelText& text) {
    // Panel face with a soft light from above and a bevelled edge.
    cairo_pattern_t* face = cairo_pattern_create_linear(0, 0, 0, kPanelHeight);
    addStop(face, 0, kCreamLight);
    addStop(face, 0.35, kCream);
    addStop(face, 1, hex(0xE4DBC0));
    cairo_set_source(cr, face);
    cairo_paint(cr);
    cairo_pattern_destroy(face);
    cairo_set_line_width(cr, 1);
    cairo_rectangle(cr, 0.5, 0.5, kPanelWidth - 1, kPanelHeight - 1);
    setColor(cr, hex(0xB8AD8E));
    cairo_stroke(cr);
    cairo_move_to(cr, 1.5, kPanelHeight - 1.5);
    cairo_line_to(cr, 1.5, 1.5);
    cairo_line_to(cr, kPanelWidth - 1.5, 1.5);
    setColor(cr, hex(0xFFFDF6));
    cairo_stroke(cr);

    screw(cr, 8, 8, 0.6);
    screw(cr, kPanelWidth - 8, 8, 2.1);
    screw(cr, 8, kPanelHeight - 8, 1.2);
    screw(cr, kPanelWidth - 8, kPanelHeight - 8, 2.7);

    // Knob wells under the knob rectangles (64..144 and 272..352, full height).
    knobWell(cr, 104, 40);
    knobWell(cr, 312, 40);

    // Field boxes, their captions and the channel headings above each pair.
    const int fieldLeft[2] = {146, 354};
    for (int ch = 0; ch < 2; ++ch) {
        const int ms = fieldLeft[ch], samples = fieldLeft[ch] + 56;
        sunkenBox(cr, ms, 24, ms + 48, 48);
        sunkenBox(cr, samples, 24, samples + 48, 48);
        useFont(cr, 9, false);
        setColor(cr, kInkSoft);
        centredText(cr, "ms", ms + 24, 56, 0.3);
        centredText(cr, "samples", samples + 24, 56, 0.3);

        const double centre = ms + 52;
        useFont(cr, 10, true);
        setColor(cr, kInk);
        const std::string heading = text.channel[ch];
        const double half = spacedWidth(cr, heading, 1.2) / 2;
        centredText(cr, heading, centre, 13, 1.2);
        cairo_set_line_width(cr, 1);
        setColor(cr, kInk, 0.45);
        cairo_move_to(cr, ms + 2, 13.5);
        cairo_line_to(cr, centre - half - 5, 13.5);
        cairo_move_to(cr, centre + half + 5, 13.5);
        cairo_line_to(cr, samples + 46, 13.5);
        cairo_stroke(cr);
    }

    // The readout box behind the four lines (497..672, 6..64).
    sunkenBox(cr, 495, 5, 673, 64);

    // Product and maker, reading upwards along the right edge.
    cairo_save(cr);
    cairo_translate(cr, 712, kPanelHeight / 2.0);
    cairo_rotate(cr, -kPi / 2);
    useFont(cr, 20, true);
    setColor(cr, kInk);
    {
        // Fit the product name between the two right-hand screws.
        const double width = spacedWidth(cr, text.product, 1.5);
        if (width > 58) useFont(cr, 20 * 58 / width, true);
        centredText(cr, text.product, 0, 0, 1.5);
    }
    cairo_translate(cr, 0, 20);
    useFont(cr, 8, true);
    setColor(cr, kInkSoft);
    centredText(cr, "QUELLIN", 0, 0, 2.2);
    cairo_restore(cr);
    cairo_set_line_width(cr, 1);
    setColor(cr, kInk, 0.35);
    cairo_move_to(cr, 690.5, 14);
    cairo_line_to(cr, 690.5, 66);
    cairo_stroke(cr);

    // Version, small, at the lower left between the screw and the first knob.
    useFont(cr, 7.5, false);
    setColor(cr, kInkSoft);
    showSpaced(cr, "v2.0", 20, 75, 0.4);
}

// One knob image, pointer at image's angle, centred in a kKnobSize square at (0, y0).
void drawKnob(cairo_t* cr, int image, double y0) {
    const double cx = kKnobSize / 2.0, cy = y0 + kKnobSize / 2.0;
    const double rim = 29, top = 24;
    // Side of the knob: lit from the upper left.
    cairo_pattern_t* side = cairo_pattern_create_linear(cx - rim, cy - rim, cx + rim, cy + rim);
    addStop(side, 0, kKnobLight);
    addStop(side, 0.5, kKnobMid);
    addStop(side, 1, kKnobDark);
    cairo_arc(cr, cx, cy, rim, 0, 2 * kPi);
    cairo_set_source(cr, side);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(side);
    cairo_set_line_width(cr, 1.2);
    setColor(cr, kKnobRim);
    cairo_stroke(cr);
    // Fine grip lines around the side; they turn with the knob.
    const double turn = pointerAngle(image);
    cairo_set_line_width(cr, 0.8);
    for (int i = 0; i < 36; ++i) {
        const double a = turn + i * 2 * kPi / 36;
        cairo_move_to(cr, cx + std::sin(a) * (top + 1.2), cy - std::cos(a) * (top + 1.2));
        cairo_line_to(cr, cx + std::sin(a) * (rim - 1.6), cy - std::cos(a) * (rim - 1.6));
    }
    setColor(cr, kKnobRim, 0.35);
    cairo_stroke(cr);
    // Top face: a gentle dome.
    cairo_pattern_t* dome = cairo_pattern_create_radial(cx - 7, cy - 8, 2, cx, cy, top);
    addStop(dome, 0, hex(0xEEF8E4));
    addStop(dome, 0.7, kKnobMid);
    addStop(dome, 1, hex(0x9CC383));
    cairo_arc(cr, cx, cy, top, 0, 2 * kPi);
    cairo_set_source(cr, dome);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(dome);
    cairo_set_line_width(cr, 1);
    setColor(cr, kKnobRim, 0.6);
    cairo_stroke(cr);
    // The pointer.
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, 3.2);
    cairo_move_to(cr, cx + std::sin(turn) * 6, cy - std::cos(turn) * 6);
    cairo_line_to(cr, cx + std::sin(turn) * (rim - 3), cy - std::cos(turn) * (rim - 3));
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_stroke(cr);
}

bool writePng(const std::string& path, cairo_surface_t* surface, bool withAlpha) {
    cairo_surface_flush(surface);
    const int width = cairo_image_surface_get_width(surface);
    const int height = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);

    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        return false;
    }
    png_init_io(png, file);
    png_set_compression_level(png, 9);
    png_set_IHDR(png, info, width, height, 8,
                 withAlpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    const int channels = withAlpha ? 4 : 3;
    std::vector<unsigned char> row(std::size_t(width) * channels);
    for (int y = 0; y < height; ++y) {
        const auto* in = reinterpret_cast<const std::uint32_t*>(data + std::ptrdiff_t(y) * stride);
        for (int x = 0; x < width; ++x) {
            const std::uint32_t p = in[x];
            unsigned a = p >> 24, r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
            if (!withAlpha) a = 255;
            if (a != 0 && a != 255) {  // cairo keeps colours premultiplied
                r = (r * 255 + a / 2) / a;
                g = (g * 255 + a / 2) / a;
                b = (b * 255 + a / 2) / a;
            }
            unsigned char* o = &row[std::size_t(x) * channels];
            o[0] = static_cast<unsigned char>(a == 0 ? 0 : r);
            o[1] = static_cast<unsigned char>(a == 0 ? 0 : g);
            o[2] = static_cast<unsigned char>(a == 0 ? 0 : b);
            if (withAlpha) o[3] = static_cast<unsigned char>(a);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0;
}

bool makePanel(const std::string& path, const PanelText& text) {
    cairo_surface_t* surface =
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, kPanelWidth, kPanelHeight);
    cairo_t* cr = cairo_create(surface);
    drawPanel(cr, text);
    cairo_destroy(cr);
    const bool ok = writePng(path, surface, false);
    cairo_surface_destroy(surface);
    return ok;
}

bool makeKnobStrip(const std::string& path) {
    cairo_surface_t* surface =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kKnobSize, kKnobSize * kKnobFrames);
    cairo_t* cr = cairo_create(surface);
    for (int i = 0; i < kKnobFrames; ++i) drawKnob(cr, i, double(i) * kKnobSize);
    cairo_destroy(cr);
    const bool ok = writePng(path, surface, true);
    cairo_surface_destroy(surface);
    return ok;
}

// Both panels from the written files, knob images 0, 30 and 60 laid over them, at twice the size.
bool makePreview(const std::string& folder, const std::string& path) {
    cairo_surface_t* panels[2] = {
        cairo_image_surface_create_from_png((folder + "/lunivex/panel.png").c_str()),
        cairo_image_surface_create_from_png((folder + "/dravimo/panel.png").c_str())};
    cairo_surface_t* strip =
        cairo_image_surface_create_from_png((folder + "/knob_strip.png").c_str());
    cairo_surface_t* out = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kPanelWidth * 2,
                                                      (kPanelHeight * 2 + 8) * 2);
    cairo_t* cr = cairo_create(out);
    cairo_set_source_rgb(cr, 0.2, 0.2, 0.2);
    cairo_paint(cr);
    cairo_scale(cr, 2, 2);
    const int knobs[2][2] = {{0, 30}, {60, 45}};
    for (int p = 0; p < 2; ++p) {
        const double y = p * (kPanelHeight + 4);
        cairo_set_source_surface(cr, panels[p], 0, y);
        cairo_paint(cr);
        const int knobLeft[2] = {64, 272};
        for (int k = 0; k < 2; ++k) {
            cairo_save(cr);
            cairo_rectangle(cr, knobLeft[k], y, kKnobSize, kKnobSize);
            cairo_clip(cr);
            cairo_set_source_surface(cr, strip, knobLeft[k], y - knobs[p][k] * kKnobSize);
            cairo_paint(cr);
            cairo_restore(cr);
        }
    }
    cairo_destroy(cr);
    const bool ok = cairo_surface_write_to_png(out, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(out);
    cairo_surface_destroy(strip);
    cairo_surface_destroy(panels[0]);
    cairo_surface_destroy(panels[1]);
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: %s <resources folder> [preview.png]\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    const PanelText lunivex{"LUNIVEX", {"LEFT", "RIGHT"}};
    const PanelText dravimo{"DRAVIMO", {"CHANNEL 1", "CHANNEL 2"}};
    bool ok = makePanel(folder + "/lunivex/panel.png", lunivex);
    ok = makePanel(folder + "/dravimo/panel.png", dravimo) && ok;
    ok = makeKnobStrip(folder + "/knob_strip.png") && ok;
    if (!ok) std::fprintf(stderr, "could not write the images into %s\n", folder.c_str());
    if (ok && argc == 3 && !makePreview(folder, argv[2])) {
        std::fprintf(stderr, "could not write the preview %s\n", argv[2]);
        ok = false;
    }
    return ok ? 0 : 1;
}
