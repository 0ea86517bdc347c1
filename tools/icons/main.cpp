// SPDX-License-Identifier: GPL-3.0-or-later
// zorvane-icons PICTURE SIZE OUT.png: the program's icon as a SIZE x SIZE
// PNG for the desktop's icon theme. Whole multiples keep the drawing's
// pixels sharp; other sizes are smoothed.
#include <QImage>
#include <charconv>
#include <cstdio>
#include <cstring>

namespace {

constexpr int kMaxSize = 1024;

int Fail(const char* what, const char* detail) {
  std::fprintf(stderr, "zorvane-icons: %s %s\n", what, detail);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) return Fail("usage:", "zorvane-icons PICTURE SIZE OUT.png");
  int size = 0;
  const char* sizeEnd = argv[2] + std::strlen(argv[2]);
  const auto parsed = std::from_chars(argv[2], sizeEnd, size);
  if (parsed.ec != std::errc{} || parsed.ptr != sizeEnd || size < 1 || size > kMaxSize) {
    return Fail("expected a size of 1 to 1024 pixels, got", argv[2]);
  }
  const QImage icon(QString::fromLocal8Bit(argv[1]));
  if (icon.isNull()) return Fail("cannot read the picture", argv[1]);
  const bool whole = size % icon.width() == 0 && size % icon.height() == 0;
  const QImage scaled =
      icon.convertToFormat(QImage::Format_ARGB32)
          .scaled(size, size, Qt::KeepAspectRatio, whole ? Qt::FastTransformation : Qt::SmoothTransformation);
  if (!scaled.save(QString::fromLocal8Bit(argv[3]), "PNG")) return Fail("cannot write", argv[3]);
  return 0;
}
