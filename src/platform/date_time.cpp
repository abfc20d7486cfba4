#include "platform/date_time.h"

#include <QDateTime>
#include <QLocale>

namespace quillstone {

LocalDateTime CurrentLocalDateTime() {
  const QDateTime now = QDateTime::currentDateTime();
  const QDate d = now.date();
  const QTime t = now.time();
  return {d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second(), t.msec()};
}

std::string LongTimeText(const LocalDateTime& t) {
  // The locale's long format names the time zone too ("t"); a time of day shown in the
  // status bar does without it.
  QString format = QLocale::system().timeFormat(QLocale::LongFormat);
  format.remove(QLatin1Char('t'));
  format = format.trimmed();
  return QLocale::system().toString(QTime(t.hour, t.minute, t.second, t.millisecond), format).toStdString();
}

}  // namespace quillstone
