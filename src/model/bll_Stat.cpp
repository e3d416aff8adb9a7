#include "model/bll_Stat.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>

#include "app/u_Function.h"
#include "model/bll_IOPort.h"
#include "platform/Translation.h"

namespace {

QString attachLog;

QString Literal(const QString& text) {
  return QStringLiteral("'") + QuotedSql(text) + QStringLiteral("'");
}

// The two texts of input functions 68 and 69 in the current language. The port texts are
// loaded for this and released again, unless a screen had them loaded already.
void ReadAlarmInputTexts(QString& text68, QString& text69) {
  const bool wasLoaded = PortTexts() != nullptr;
  LoadPortTexts();
  const TPortTexts texts = *PortTexts();
  if (!wasLoaded) FreePortTexts();
  const int at68 = texts.InFuncNumbers.indexOf(QStringLiteral("68"));
  const int at69 = texts.InFuncNumbers.indexOf(QStringLiteral("69"));
  if (at68 < 0 || at69 < 0) {
    throw EDatabaseError(
        QStringLiteral("The language '%1' has no text for input function %2 (table InportFunc).")
            .arg(LanguageCode, at68 < 0 ? QStringLiteral("68") : QStringLiteral("69")));
  }
  text68 = texts.InFuncTexts.value(at68);
  text69 = texts.InFuncTexts.value(at69);
}

}  // namespace

void ResetAttachLog() {
  attachLog.clear();
}

QString AttachLog() {
  return attachLog;
}

QStringList TIODataOperater::GetMonthFiles(const QString& beginDate, const QString& endDate) {
  const QDate begin = QDate::fromString(beginDate, QStringLiteral("yyyy-MM-dd"));
  const QDate end = QDate::fromString(endDate, QStringLiteral("yyyy-MM-dd"));
  QStringList files;
  if (!begin.isValid() || !end.isValid()) return files;
  const QString folder = GetAppPath() + QStringLiteral("database") + QDir::separator();
  for (QDate month(begin.year(), begin.month(), 1); month <= QDate(end.year(), end.month(), 1);
       month = month.addMonths(1)) {
    const QString file = folder + month.toString(QStringLiteral("yyyyMM")) + QStringLiteral(".sqb");
    if (QFileInfo::exists(file)) files << file;
  }
  return files;
}

QString TIODataOperater::DisplayTimeExpression(const QString& column) {
  // column = "yyyy-mm-dd HH:MM:SS"; month, day and the 12-hour clock hour without leading zero.
  const QString month = QStringLiteral("(substr(%1,6,2)+0)").arg(column);
  const QString day = QStringLiteral("(substr(%1,9,2)+0)").arg(column);
  const QString year = QStringLiteral("substr(%1,1,4)").arg(column);
  const QString hour = QStringLiteral("((substr(%1,12,2)+11)%12+1)").arg(column);
  const QString minutesSeconds = QStringLiteral("substr(%1,14,6)").arg(column);
  const QString marker =
      QStringLiteral("(case when substr(%1,12,2)>='12' then 'PM' else 'AM' end)").arg(column);
  return QStringLiteral("(%1||'/'||%2||'/'||%3||' '||%4||%5||' '||%6)")
      .arg(month, day, year, hour, minutesSeconds, marker);
}

QString TIODataOperater::DescriptionExpression(const QString& text68, const QString& text69) {
  struct TLine {
    const char* condition;
    QString text;
  };
  const TLine lines[] = {
      {"EventType=1 and CardType=0 ", _("Valid Card")},
      {"EventType=1 and CardType=3", _("Valid Card")},
      {"EventType=1 and CardType=6", _("Lawless Card")},
      {"EventType=1 and CardType=44", _("Cancel Password")},
      {"EventType=1 and CardType=7", _("Anti-Menace Alarm")},
      {"EventType=1 and CardType=43", _("Anti-Menace Alarm")},
      {"EventType=2 and WarnType=0", _("Fire Alarm")},
      {"EventType=2 and WarnType=2", _("Force Ingress")},
      {"EventType=2 and WarnType=5", _("Overtime Alarm")},
      {"EventType=2 and WarnType=8", _("Anti-Unclench Alarm")},
      {"EventType=2 and WarnType=10", _("Anti-Menace Alarm")},
      {"EventType=3", _("Close Door")},
      {"EventType=4 and EventSrc=1", _("Button Open Door")},
      {"EventType=4 and EventSrc=2", _("Urgency Close Door")},
      {"EventType=4 and EventSrc=3", _("Urgency Open Door")},
      {"EventType=4 and EventSrc=13", _("Open Door Sensor")},
      {"EventType=4 and EventSrc=14", _("Close Door Sensor")},
      {"EventType=4 and CardType=15", _("Public Password")},
      {"EventType=5 and WarnType=68", text68},
      {"EventType=5 and WarnType=69", text69},
  };
  QString expression = QStringLiteral(" (Case when EventType=6 then ") + Literal(_("Manage Card")) +
                       QLatin1Char(' ');
  for (const TLine& line : lines) {
    expression += QStringLiteral(" when ") + QLatin1String(line.condition) +
                  QStringLiteral(" then ") + Literal(line.text) + QLatin1Char(' ');
  }
  return expression + QStringLiteral(" else ") + Literal(_("Invalid Card")) +
         QStringLiteral(" end) as CardTypeDesc ");
}

int TIODataOperater::QueryRecords(const QString& beginDate, const QString& endDate,
                                  QStringList& attached, TQuery& result, const QString& condition) {
  FMonthFiles.clear();
  ResetAttachLog();
  FMonthFiles = GetMonthFiles(beginDate, endDate);
  const int leftOut = qMax(0, static_cast<int>(FMonthFiles.size()) - kMaxMonthFiles);
  const QStringList used = FMonthFiles.mid(0, kMaxMonthFiles);

  QString text68, text69;
  ReadAlarmInputTexts(text68, text69);
  const QString description = DescriptionExpression(text68, text69);

  // Attach one by one, so that `attached` names exactly what is attached even when one fails.
  QStringList months;
  for (const QString& file : used) {
    const QString month = QFileInfo(file).fileName().left(6);
    months << month;
    if (attachLog.contains(file)) continue;
    const QString statement = QStringLiteral("attach '") + QuotedSql(file) +
                              QStringLiteral("' as DB") + month + QStringLiteral("; ");
    ExecSQL(statement);
    attachLog += statement;
    const QString name = QStringLiteral("db") + month;
    if (!attached.contains(name)) attached << name;
  }

  const QString display = DisplayTimeExpression(QStringLiteral("IODate"));
  const QString isIn = QStringLiteral("replace(replace(IsIn,'1', ") + Literal(_("out")) +
                       QStringLiteral("), '0', ") + Literal(_("in")) + QStringLiteral(") as  IsIn");
  FSql = QStringLiteral("select IODate, ") + display +
         QStringLiteral(" as IODateTime, UID, UCard, UName, UGrpName, DName, DGrpName, ") + isIn +
         QStringLiteral(",CardType, ") + description + QStringLiteral("from IoData where 1=1 ") +
         condition + QLatin1Char(' ');
  for (const QString& month : months) {
    FSql += QStringLiteral("union select IODate, ") + display +
            QStringLiteral(" as IODateTime, UID, UCard, UName, UGrpName, DName, DGrpName, ") +
            isIn + QStringLiteral(", CardType, ") + description + QStringLiteral("from DB") +
            month + QStringLiteral(".IoData where 1=1 ") + condition + QLatin1Char(' ');
  }
  FSql += QStringLiteral(" order by IODate;");
  OpenQuery(FSql, result);
  return leftOut;
}
