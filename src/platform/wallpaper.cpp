#include "platform/wallpaper.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QEventLoop>
#include <QObject>
#include <QProcess>
#include <QRandomGenerator>
#include <QTimer>
#include <QUrl>
#include <QVariantMap>
#include <cstdlib>
#include <utility>
#include <vector>

namespace quillstone {
namespace {

constexpr const char* kSchema = "org.gnome.desktop.background";
constexpr const char* kPortalService = "org.freedesktop.portal.Desktop";
constexpr const char* kPortalPath = "/org/freedesktop/portal/desktop";
constexpr const char* kWallpaperInterface = "org.freedesktop.portal.Wallpaper";
constexpr int kToolTimeoutMs = 5000;
// The portal may show the picture for the user to confirm first.
constexpr int kPortalAnswerTimeoutMs = 120000;

struct ToolRun {
  bool ok = false;
  std::string out;    // standard output without the closing line break
  std::string error;  // why it failed
};

ToolRun Gsettings(const QStringList& arguments) {
  QProcess process;
  process.start(QStringLiteral("gsettings"), arguments);
  ToolRun run;
  if (!process.waitForStarted(kToolTimeoutMs)) {
    run.error = "gsettings cannot be started (" + process.errorString().toStdString() + ")";
    return run;
  }
  if (!process.waitForFinished(kToolTimeoutMs)) {
    process.kill();
    process.waitForFinished();
    run.error = "gsettings did not answer";
    return run;
  }
  run.out = QString::fromUtf8(process.readAllStandardOutput()).trimmed().toStdString();
  run.ok = process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
  if (!run.ok) run.error = QString::fromUtf8(process.readAllStandardError()).trimmed().toStdString();
  return run;
}

// A string as GVariant text, the form gsettings reads: in single quotes, with backslashes
// and single quotes escaped.
QString GVariantString(const std::string& text) {
  std::string quoted = "'";
  for (const char c : text) {
    if (c == '\\' || c == '\'') quoted += '\\';
    quoted += c;
  }
  quoted += '\'';
  return QString::fromStdString(quoted);
}

}  // namespace

std::string WallpaperUri(const std::filesystem::path& file) {
  return QUrl::fromLocalFile(QString::fromStdString(file.string()))
      .toString(QUrl::FullyEncoded)
      .toStdString();
}

std::optional<std::string> ParseGVariantString(std::string_view text) {
  if (text.size() < 2 || (text.front() != '\'' && text.front() != '"') || text.back() != text.front())
    return std::nullopt;
  std::string value;
  for (std::size_t i = 1; i + 1 < text.size(); ++i) {
    char c = text[i];
    if (c == '\\' && i + 2 < text.size()) {
      c = text[++i];
      if (c == 'n') c = '\n';
      if (c == 't') c = '\t';
    }
    value += c;
  }
  return value;
}

namespace {

std::optional<std::string> GnomeValue(const char* key) {
  const ToolRun run = Gsettings({QStringLiteral("get"), kSchema, key});
  if (!run.ok) return std::nullopt;
  return ParseGVariantString(run.out);
}

bool GnomeWritable(const char* key) {
  const ToolRun run = Gsettings({QStringLiteral("writable"), kSchema, key});
  return run.ok && run.out == "true";
}

// Sets one key and reads it back: without its storage service (dconf on the session bus)
// gsettings reports success and keeps nothing.
Status SetGnomeValue(const char* key, const std::string& value) {
  const ToolRun run = Gsettings({QStringLiteral("set"), kSchema, key, GVariantString(value)});
  if (!run.ok) return Status::Error("GNOME's settings did not take " + std::string(key) + ": " + run.error);
  if (GnomeValue(key) != value) return Status::Error("GNOME's settings did not keep " + std::string(key));
  return Status::Ok();
}

}  // namespace

// Waits for the portal's answer to one request.
class PortalAnswer : public QObject {
  Q_OBJECT

 public:
  std::optional<uint> response;
  QEventLoop loop;

 public slots:
  void Response(uint code, const QVariantMap&) {
    response = code;
    loop.quit();
  }
};

namespace {

Status SetThroughPortal(const std::string& uri) {
  QDBusConnection bus = QDBusConnection::sessionBus();
  // The request's object path is known before the call, so its answer cannot be missed.
  const QString token = QStringLiteral("quillstone%1").arg(QRandomGenerator::global()->generate());
  QString sender = bus.baseService();
  sender.remove(0, 1).replace(QLatin1Char('.'), QLatin1Char('_'));
  QString requestPath = QStringLiteral("%1/request/%2/%3").arg(kPortalPath, sender, token);
  PortalAnswer answer;
  const auto listen = [&](const QString& path) {
    bus.connect(kPortalService, path, QStringLiteral("org.freedesktop.portal.Request"),
                QStringLiteral("Response"), &answer, SLOT(Response(uint, QVariantMap)));
  };
  listen(requestPath);

  QDBusMessage call = QDBusMessage::createMethodCall(kPortalService, kPortalPath, kWallpaperInterface,
                                                     QStringLiteral("SetWallpaperURI"));
  const QVariantMap options = {{QStringLiteral("handle_token"), token},
                               {QStringLiteral("show-preview"), false},
                               {QStringLiteral("set-on"), QStringLiteral("background")}};
  call << QString() << QString::fromStdString(uri) << options;
  const QDBusMessage reply = bus.call(call, QDBus::Block, kToolTimeoutMs);
  if (reply.type() != QDBusMessage::ReplyMessage)
    return Status::Error("the desktop portal refused the wallpaper: " + reply.errorMessage().toStdString());
  // Older portals choose the path themselves.
  if (!reply.arguments().isEmpty()) {
    const QString path = reply.arguments().front().value<QDBusObjectPath>().path();
    if (!path.isEmpty() && path != requestPath) {
      requestPath = path;
      listen(requestPath);
    }
  }
  if (!answer.response) {
    QTimer::singleShot(kPortalAnswerTimeoutMs, &answer.loop, &QEventLoop::quit);
    answer.loop.exec(QEventLoop::ExcludeUserInputEvents);
  }
  if (!answer.response) return Status::Error("the desktop portal did not answer");
  if (*answer.response == 1) return Status::Error("setting the wallpaper was cancelled");
  if (*answer.response != 0) return Status::Error("the desktop could not set the wallpaper");
  return Status::Ok();
}

}  // namespace

std::string_view GnomePictureOption(WallpaperStyle style) {
  switch (style) {
    case WallpaperStyle::kCentered:
      return "centered";
    case WallpaperStyle::kTiled:
      return "wallpaper";
    case WallpaperStyle::kStretched:
      return "stretched";
  }
  return "centered";
}

void DesktopWallpaper::Probe() {
  if (probed_) return;
  probed_ = true;
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (bus.isConnected()) {
    QDBusMessage get = QDBusMessage::createMethodCall(kPortalService, kPortalPath,
                                                      QStringLiteral("org.freedesktop.DBus.Properties"),
                                                      QStringLiteral("Get"));
    get << QString::fromLatin1(kWallpaperInterface) << QStringLiteral("version");
    portal_ = bus.call(get, QDBus::Block, kToolTimeoutMs).type() == QDBusMessage::ReplyMessage;
  }
  // GNOME's settings are kept by a service on the session bus, unless another storage is
  // chosen for them.
  const char* backend = std::getenv("GSETTINGS_BACKEND");
  const bool storage = bus.isConnected() || (backend != nullptr && *backend != '\0');
  gnome_ = storage && GnomeWritable("picture-uri") && GnomeWritable("picture-options");
  gnomeDark_ = gnome_ && GnomeWritable("picture-uri-dark");
}

std::string DesktopWallpaper::Unavailable() {
  Probe();
  if (portal_ || gnome_) return {};
  if (!QDBusConnection::sessionBus().isConnected())
    return "this desktop session has no message bus (D-Bus), through which the wallpaper is set";
  return "neither the desktop portal (xdg-desktop-portal) nor GNOME's background settings answer on this "
         "desktop";
}

std::optional<Wallpaper> DesktopWallpaper::Current() {
  Probe();
  if (!gnome_) return std::nullopt;
  Wallpaper wallpaper;
  const std::optional<std::string> uri = GnomeValue("picture-uri");
  const std::optional<std::string> placement = GnomeValue("picture-options");
  if (!uri || !placement) return std::nullopt;
  wallpaper.pictureUri = *uri;
  wallpaper.placement = *placement;
  if (gnomeDark_) wallpaper.pictureUriDark = GnomeValue("picture-uri-dark").value_or(std::string());
  return wallpaper;
}

Status DesktopWallpaper::Apply(const Wallpaper& wallpaper) {
  Probe();
  if (portal_) {
    if (Status set = SetThroughPortal(wallpaper.pictureUri); !set) return set;
    // The portal takes no placement; where GNOME's settings are there they take it.
    if (gnome_) (void)SetGnomeValue("picture-options", wallpaper.placement);
    return Status::Ok();
  }
  if (!gnome_) return Status::Error(Unavailable());
  std::vector<std::pair<const char*, const std::string*>> values = {{"picture-uri", &wallpaper.pictureUri}};
  if (gnomeDark_ && !wallpaper.pictureUriDark.empty())
    values.emplace_back("picture-uri-dark", &wallpaper.pictureUriDark);
  values.emplace_back("picture-options", &wallpaper.placement);
  for (const auto& [key, value] : values) {
    if (Status set = SetGnomeValue(key, *value); !set) return set;
  }
  return Status::Ok();
}

}  // namespace quillstone

#include "wallpaper.moc"
