// SPDX-License-Identifier: GPL-3.0-or-later
// zorvane-cli render FILE -o OUT.png [--map PICTURE] [--size WxH]: what the
// program's window shows for a database, drawn by the view's own drawing.
#include <QString>
#include <optional>
#include <ostream>

#include "cli/Subcommand.h"
#include "common/CommandLine.h"
#include "database/DatabaseFile.h"
#include "database/Merge.h"
#include "map/qt/MapViewImage.h"

namespace {

constexpr const char* kName = "render";
// Keeps a mistyped size from asking for gigabytes.
constexpr int kMaxSide = 10000;

std::optional<PixelSize> ParseSize(const std::string& text) {
  const std::size_t cross = text.find('x');
  if (cross == std::string::npos) return std::nullopt;
  PixelSize size;
  if (!ReadNumber(text.substr(0, cross), size.width) || !ReadNumber(text.substr(cross + 1), size.height)) {
    return std::nullopt;
  }
  if (size.width < 1 || size.height < 1 || size.width > kMaxSide || size.height > kMaxSide) return std::nullopt;
  return size;
}

struct RenderArgs {
  std::string database;
  std::string output;
  std::string map = kMapFileName;
  std::optional<PixelSize> size;
};

// An error text, or empty when `args` parsed.
std::string Parse(const ParsedArgs& parsed, RenderArgs& render) {
  if (parsed.positional.size() != 1) return "expected one database file";
  render.database = parsed.positional.front();
  const std::string* output = parsed.Option("-o");
  if (output == nullptr) return "expected -o OUT.png";
  render.output = *output;
  if (const std::string* map = parsed.Option("--map")) render.map = *map;
  if (const std::string* size = parsed.Option("--size")) {
    render.size = ParseSize(*size);
    if (!render.size) {
      return "--size expects WIDTHxHEIGHT, each 1 to " + std::to_string(kMaxSide) + ", got '" + *size + "'";
    }
  }
  return {};
}

int RunRender(const ParsedArgs& args, CliStreams& io) {
  RenderArgs parsed;
  if (const std::string error = Parse(args, parsed); !error.empty()) return UsageError(io, kName, error);

  // Read as Read from File reads it, merged into an empty database: what the
  // window would show after loading the file.
  DatabaseImage incoming, working, scratch;
  const DatabaseFileRead read = LoadDatabaseFile(parsed.database, incoming);
  if (read.status != DatabaseFileStatus::Ok) {
    io.err << "zorvane-cli render: " << parsed.database << ": " << ToString(read.status) << '\n';
    return kExitFailed;
  }
  MergeIncoming(working, incoming, scratch);

  MapPicture picture;
  const bool loaded = picture.Load(QString::fromStdString(parsed.map));
  if (!picture.IsHeld()) {
    const char* why = loaded ? "not a picture" : "cannot open";
    if (!parsed.size) {
      io.err << "zorvane-cli render: " << parsed.map << ": " << why << " (give --size to draw without a map)\n";
      return kExitFailed;
    }
    io.err << "zorvane-cli render: warning: " << parsed.map << ": " << why
           << "; drawn as the program shows it, all white\n";
  }

  const PixelSize client = parsed.size.value_or(picture.GetImageSize());
  const QImage image = DrawMapViewImage(client, picture, loaded, working);
  if (!image.save(QString::fromStdString(parsed.output), "PNG")) {
    io.err << "zorvane-cli render: " << parsed.output << ": cannot write\n";
    return kExitFailed;
  }
  return kExitOk;
}

}  // namespace

Subcommand RenderSubcommand() {
  return {kName,
          "render FILE -o OUT.png [--map PICTURE] [--size WxH]",
          "draw a database on the map as the window shows it, as PNG",
          &RunRender,
          {{"-o", "OUT.png", "the picture to write"},
           {"--map", "PICTURE", "the map to draw on; without it, uk.bmp in the working folder"},
           {"--size", "WxH", "the window's inside size; without it, the map's"}}};
}
