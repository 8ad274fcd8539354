#include "store/Btn.h"

#include <QStringList>

#include "common/ErrorGuard.h"

Btn Btn::clone() const {
  Btn copy;
  copy.ID = ID;
  copy.Row = Row;
  copy.Tip = Tip;
  copy.Info = Info;
  copy.Vis = Vis;
  copy.Shortcut = Shortcut;
  copy.sID = sID;
  copy.Col = Col;
  copy.ShortcutShow = ShortcutShow;
  return copy;
}

QString Btn::LineTabProperties() const {
  return guarded(ReportLocation::classMethod("Btn", "LineTabProperties"), [this] {
    const auto boolText = [](bool b) { return b ? QStringLiteral("True") : QStringLiteral("False"); };
    QString info = Info;
    info.replace(QChar('\n'), QStringLiteral("<r>"));
    return QStringList{QString::number(ID), sID, QString::number(Row), QString::number(Col),
                       boolText(Vis), boolText(ShortcutShow), Shortcut, Tip, info}
        .join(QChar('\t'));
  });
}

QString Btn::LineTabFieldName() {
  return guarded(ReportLocation::classMethod("Btn", "LineTabFieldName"), [] {
    return QStringLiteral("ID\tsID\tRow\tCol\tVis\tShortcutShow\tShortcut\tTip\tInfo");
  });
}
