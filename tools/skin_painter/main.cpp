// ravensoot-skin: draws the default skin's images and bitmap fonts and writes its SkinParameters.txt.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "tools/skin_painter/preview_composer.h"
#include "tools/skin_painter/skin_checker.h"
#include "tools/skin_painter/skin_file_writer.h"
#include "tools/skin_painter/skin_layout.h"
#include "tools/skin_painter/skin_renderer.h"
#include "tools/skin_painter/text_pen.h"

namespace {

const char* const kUsage =
    "usage: ravensoot-skin --out FOLDER [--preview FILE] [--preview-lively FILE] [--fonts FOLDER]\n"
    "\n"
    "Draws the default skin into FOLDER: SkinParameters.txt and one PNG per bitmap.\n"
    "  --out FOLDER             skin folder to write (created if missing)\n"
    "  --preview FILE           also write the window as the editor builds it, controls at rest\n"
    "  --preview-lively FILE    also write it with assorted values, lit meters and the second LFO page\n"
    "  --fonts FOLDER           folder holding DejaVuSans.ttf and DejaVuSans-Bold.ttf\n"
    "                           (default /usr/share/fonts/truetype/dejavu)\n"
    "Exit status: 0 written, 1 failed, 2 bad arguments.\n";

bool prepareFolder(const std::filesystem::path& folder) {
  std::error_code ec;
  if (!folder.empty()) std::filesystem::create_directories(folder, ec);
  return !ec;
}

bool writePreview(const PreviewComposer& composer, const std::string& path, bool lively) {
  if (path.empty()) return true;
  if (!prepareFolder(std::filesystem::path(path).parent_path())) {
    std::fprintf(stderr, "ravensoot-skin: cannot create the folder of %s\n", path.c_str());
    return false;
  }
  if (!composer.compose(lively)->writePng(path)) {
    std::fprintf(stderr, "ravensoot-skin: cannot write %s\n", path.c_str());
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::string out;
  std::string preview;
  std::string lively;
  std::string fonts = "/usr/share/fonts/truetype/dejavu";
  for (int i = 1; i < argc; ++i) {
    const bool hasValue = i + 1 < argc;
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::fputs(kUsage, stdout);
      return 0;
    } else if (std::strcmp(argv[i], "--out") == 0 && hasValue) {
      out = argv[++i];
    } else if (std::strcmp(argv[i], "--preview") == 0 && hasValue) {
      preview = argv[++i];
    } else if (std::strcmp(argv[i], "--preview-lively") == 0 && hasValue) {
      lively = argv[++i];
    } else if (std::strcmp(argv[i], "--fonts") == 0 && hasValue) {
      fonts = argv[++i];
    } else {
      std::fprintf(stderr, "ravensoot-skin: unexpected argument '%s'\n%s", argv[i], kUsage);
      return 2;
    }
  }
  if (out.empty()) {
    std::fprintf(stderr, "ravensoot-skin: --out is required\n%s", kUsage);
    return 2;
  }

  const TextPen pen(fonts);
  if (!pen.valid()) {
    std::fprintf(stderr, "ravensoot-skin: %s\n", pen.error().c_str());
    return 1;
  }
  const SkinModel model = SkinLayout().build();
  SkinRenderer rendered(model, pen);
  std::string error;
  if (!rendered.render(error)) {
    std::fprintf(stderr, "ravensoot-skin: %s\n", error.c_str());
    return 1;
  }
  const std::vector<std::string> problems = SkinChecker(model, rendered).problems();
  for (const std::string& problem : problems) std::fprintf(stderr, "ravensoot-skin: %s\n", problem.c_str());
  if (!problems.empty()) return 1;

  if (!prepareFolder(out)) {
    std::fprintf(stderr, "ravensoot-skin: cannot create the folder %s\n", out.c_str());
    return 1;
  }
  if (!rendered.writeImages(out, error) ||
      !SkinFileWriter::write(out + "/SkinParameters.txt", model, rendered, error)) {
    std::fprintf(stderr, "ravensoot-skin: %s\n", error.c_str());
    return 1;
  }
  const PreviewComposer composer(model, rendered);
  if (!writePreview(composer, preview, false) || !writePreview(composer, lively, true)) return 1;
  std::printf("ravensoot-skin: wrote %zu bitmaps and SkinParameters.txt to %s\n", model.bitmaps.size(), out.c_str());
  return 0;
}
