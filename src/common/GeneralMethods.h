#pragma once

#include <QString>
#include <QtGlobal>

namespace GeneralMethods {

// The platform's modal message dialog with the note icon. Answers 1 for the action button,
// 2 for the alternate button (shown only when its caption is not empty), 0 for Cancel or
// anything else. Tests answer through ModalSeam::ScopedDriver<QMessageBox>.
qint64 MesDlg(const QString& message, const QString& explanation, const QString& actionCaption,
              bool showCancel, const QString& alternateCaption);

}  // namespace GeneralMethods
