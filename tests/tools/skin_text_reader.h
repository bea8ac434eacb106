// A second, independent reader of SkinParameters.txt for the tests: the five sections as the editor reads them.
#pragma once

#include <string>
#include <vector>

struct SkinText {
  struct Font {
    std::string name;
    int count = 0;
    char separator = 0;
    std::string characters;
    std::vector<int> widths;
  };
  struct Page {
    std::string name;
    std::string bitmap;
    int left = 0, top = 0, right = 0, bottom = 0;
  };
  struct Control {
    std::string parameter, type, bitmap, page;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  };

  std::vector<std::string> bitmaps;
  std::vector<Font> fonts;
  std::vector<std::pair<std::string, int>> settings;
  std::vector<Page> pages;
  std::vector<Control> controls;
  bool endedAtMarker = false;  // the control list closed with a marker rather than the end of the file
};

class SkinTextReader {
 public:
  // Reads the whole text; false with a reason when a keyword is missing or a record is cut short.
  bool read(const std::string& text, SkinText& out, std::string& error);

 private:
  static bool isMarker(const std::string& word);
  void skipSpace();
  std::string word();
  bool integer(int& value);
  bool find(const std::string& keyword);

  std::string text_;
  std::size_t at_ = 0;
};
