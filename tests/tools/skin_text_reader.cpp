// A second, independent reader of SkinParameters.txt for the tests: the five sections as the editor reads them.
#include "skin_text_reader.h"

#include <cctype>

bool SkinTextReader::isMarker(const std::string& word) {
  return word.empty() || word[0] == '-' || (word.size() > 1 && word[1] == '-');
}

void SkinTextReader::skipSpace() {
  while (at_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[at_]))) ++at_;
}

std::string SkinTextReader::word() {
  skipSpace();
  const std::size_t start = at_;
  while (at_ < text_.size() && !std::isspace(static_cast<unsigned char>(text_[at_]))) ++at_;
  return text_.substr(start, at_ - start);
}

bool SkinTextReader::integer(int& value) {
  skipSpace();
  std::size_t end = at_;
  if (end < text_.size() && (text_[end] == '-' || text_[end] == '+')) ++end;
  const std::size_t digits = end;
  while (end < text_.size() && std::isdigit(static_cast<unsigned char>(text_[end]))) ++end;
  if (end == digits) return false;  // nothing consumed, as a failed "%d"
  value = std::stoi(text_.substr(at_, end - at_));
  at_ = end;
  return true;
}

bool SkinTextReader::find(const std::string& keyword) {
  for (std::string w = word(); !w.empty(); w = word()) {
    if (w == keyword) return true;
  }
  return false;
}

bool SkinTextReader::read(const std::string& text, SkinText& out, std::string& error) {
  text_ = text;
  at_ = 0;
  out = SkinText();

  if (!find("BITMAPS")) return error = "no BITMAPS keyword", false;
  while (out.bitmaps.size() < 128) {
    const std::string name = word();
    if (isMarker(name)) break;
    out.bitmaps.push_back(name);
  }

  if (!find("FONTS")) return error = "no FONTS keyword", false;
  while (out.fonts.size() < 8) {
    SkinText::Font font;
    font.name = word();
    if (isMarker(font.name)) break;  // the marker consumes only itself
    if (!integer(font.count) || font.count < 0 || font.count > 255) return error = "bad count in " + font.name, false;
    if (at_ + 1 + static_cast<std::size_t>(font.count) > text_.size()) return error = "font cut short", false;
    font.separator = text_[at_++];
    font.characters = text_.substr(at_, font.count);
    at_ += font.count;
    for (int i = 0; i < font.count; ++i) {
      int width = 0;
      if (!integer(width)) return error = "missing width in " + font.name, false;
      font.widths.push_back(width);
    }
    out.fonts.push_back(font);
  }

  if (!find("PARAMETERS")) return error = "no PARAMETERS keyword", false;
  while (out.settings.size() < 128) {
    const std::string name = word();
    int value = -32768;
    if (isMarker(name) || !integer(value)) break;
    out.settings.emplace_back(name, value);
  }

  if (!find("PAGES")) return error = "no PAGES keyword", false;
  while (out.pages.size() < 64) {
    SkinText::Page page;
    page.name = word();
    word();
    page.bitmap = word();
    word();
    if (isMarker(page.name)) break;
    // Numbers missing from a page record count as 0.
    if (integer(page.left) && integer(page.top) && integer(page.right)) integer(page.bottom);
    out.pages.push_back(page);
  }

  if (!find("CONTROLS")) return error = "no CONTROLS keyword", false;
  for (;;) {
    SkinText::Control c;
    c.parameter = word();
    if (c.parameter.empty()) break;
    if (isMarker(c.parameter)) {
      out.endedAtMarker = true;
      break;
    }
    c.type = word();
    c.bitmap = word();
    c.page = word();
    if (!(integer(c.x1) && integer(c.y1) && integer(c.x2) && integer(c.y2))) {
      return error = "control record of " + c.parameter + " lacks its four numbers", false;
    }
    out.controls.push_back(c);
  }
  return true;
}
