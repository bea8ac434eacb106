// Writes SkinParameters.txt: the five sections in order, each closed by its end marker.
#include "tools/skin_painter/skin_file_writer.h"

#include <cstdio>
#include <fstream>
#include <sstream>

namespace {

const char* const kMarker = "--------------------------------";
// The page list's end line must be four words: the reader takes four words before it looks for the marker.
const char* const kPageMarker = "-------- -------- -------- --------";

std::string padded(const std::string& word, std::size_t width) {
  return word.size() >= width ? word + " " : word + std::string(width - word.size(), ' ');
}

}  // namespace

std::string SkinFileWriter::text(const SkinModel& model, const SkinRenderer& rendered) {
  std::ostringstream out;
  out << "Raven Soot 3 default skin\n"
         "Drawn by the tool ravensoot-skin (tools/skin_painter): change the tool and run it again\n"
         "(cmake --build build --target skin) instead of editing this file by hand.\n\n";

  out << "BITMAPS\n";
  for (const BitmapPlan& plan : model.bitmaps) out << plan.name << "\n";
  out << kMarker << "\n\n";

  // Each font: name, glyph count, one space, the characters exactly as they stand, then one width per glyph.
  out << "FONTS\n";
  for (const FontPlan& font : model.fonts) {
    const GlyphStrip* strip = rendered.font(font.name);
    if (strip == nullptr) continue;
    out << font.name << " " << strip->characters.size() << " " << strip->characters << "\n";
    for (std::size_t i = 0; i < strip->widths.size(); ++i) {
      out << strip->widths[i] << ((i + 1) % 32 == 0 || i + 1 == strip->widths.size() ? "\n" : " ");
    }
  }
  out << kMarker << "\n\n";

  out << "PARAMETERS\n";
  for (const SkinSetting& setting : model.settings) out << padded(setting.name, 26) << setting.value << "\n";
  out << kMarker << "\n\n";

  out << "PAGES\n";
  for (const SkinPage& page : model.pages) {
    out << page.name << " bitmap " << page.bitmap << " rect " << page.rect.left << " " << page.rect.top << " "
        << page.rect.right << " " << page.rect.bottom << "\n";
  }
  out << kPageMarker << "\n\n";

  out << "CONTROLS\n";
  for (const SkinControl& c : model.controls) {
    out << padded(c.parameter, 16) << padded(c.type, 15) << padded(c.bitmap, 15) << padded(c.page, 5) << c.x1 << " "
        << c.y1 << " " << c.x2 << " " << c.y2 << "\n";
  }
  out << kMarker << "\n";
  return out.str();
}

bool SkinFileWriter::write(const std::string& path, const SkinModel& model, const SkinRenderer& rendered,
                           std::string& error) {
  std::ofstream file(path, std::ios::binary);
  file << text(model, rendered);
  file.close();
  if (!file) {
    error = "cannot write " + path;
    return false;
  }
  return true;
}
