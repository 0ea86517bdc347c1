// zorvane-cli render FILE -o OUT.png [--map PICTURE] [--size WxH]: what the
// program's window shows for a database, drawn by the view's own drawing.
#include <QString>
#include <charconv>
#include <optional>
#include <ostream>

#include "database/DatabaseFile.h"
#include "database/Merge.h"
#include "map/qt/MapViewImage.h"
#include "tools/cli/Subcommand.h"

namespace {

constexpr const char* kName = "render";
// Keeps a mistyped size from asking for gigabytes.
constexpr int kMaxSide = 10000;

std::optional<PixelSize> ParseSize(const std::string& text) {
  const std::size_t cross = text.find('x');
  if (cross == std::string::npos) return std::nullopt;
  PixelSize size;
  const char* end = text.data() + text.size();
  const auto w = std::from_chars(text.data(), text.data() + cross, size.width);
  const auto h = std::from_chars(text.data() + cross + 1, end, size.height);
  if (w.ec != std::errc{} || w.ptr != text.data() + cross || h.ec != std::errc{} || h.ptr != end) return std::nullopt;
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
std::string Parse(const std::vector<std::string>& args, RenderArgs& parsed) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "-o" || a == "--map" || a == "--size") {
      if (i + 1 == args.size()) return a + " needs a value";
      const std::string& value = args[++i];
      if (a == "-o") {
        parsed.output = value;
      } else if (a == "--map") {
        parsed.map = value;
      } else if (!(parsed.size = ParseSize(value))) {
        return "--size expects WIDTHxHEIGHT, each 1 to " + std::to_string(kMaxSide) + ", got '" + value + "'";
      }
    } else if (a.starts_with("-")) {
      return "unknown option '" + a + "'";
    } else if (parsed.database.empty()) {
      parsed.database = a;
    } else {
      return "expected one database file";
    }
  }
  if (parsed.database.empty()) return "expected one database file";
  if (parsed.output.empty()) return "expected -o OUT.png";
  return {};
}

int RunRender(const std::vector<std::string>& args, CliStreams& io) {
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

const SubcommandRegistration kRender{{kName, "render FILE -o OUT.png [--map PICTURE] [--size WxH]",
                                      "draw a database on the map as the window shows it, as PNG", &RunRender}};

}  // namespace
